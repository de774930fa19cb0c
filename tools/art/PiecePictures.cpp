#include "PiecePictures.h"

#include "ArtPalette.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace corvane::art {
namespace {

struct PieceKind {
    const char* name;
    QString blackGlyph;
    QString redGlyph;
};

const PieceKind kKinds[] = {
    {"chariot", QStringLiteral("車"), QStringLiteral("俥")},  {"horse", QStringLiteral("馬"), QStringLiteral("傌")},
    {"elephant", QStringLiteral("象"), QStringLiteral("相")}, {"advisor", QStringLiteral("士"), QStringLiteral("仕")},
    {"general", QStringLiteral("將"), QStringLiteral("帥")},  {"cannon", QStringLiteral("砲"), QStringLiteral("炮")},
    {"soldier", QStringLiteral("卒"), QStringLiteral("兵")},
};

QPainterPath glyphPath(const QString& glyph, int pixelSize)
{
    QFont font(QStringLiteral("Noto Serif CJK TC"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Black);
    QPainterPath path;
    path.addText(0, 0, font, glyph);
    return path;
}

// Draws a wooden token filling the ellipse of radii rx, ry around `centre`:
// a soft shadow, the turned wooden disc, an engraved ring and the character,
// all in the side's ink. `stretchY` scales the character vertically to match
// the ellipse.
void drawToken(QPainter& painter, QPointF centre, double rx, double ry, const QString& glyph, const QColor& ink)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = rx / 19.0; // the 41-pixel piece is the reference size

    // Shadow, down and to the right.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 30, 10, 90));
    painter.drawEllipse(centre + QPointF(0.8 * scale, 1.0 * scale), rx, ry);

    // The disc: light in the middle, darker toward the rim, like turned wood.
    QRadialGradient wood(centre - QPointF(3 * scale, 4 * scale), rx * 1.25);
    wood.setColorAt(0.0, QColor(252, 236, 204));
    wood.setColorAt(0.6, QColor(240, 212, 164));
    wood.setColorAt(1.0, QColor(210, 168, 112));
    painter.setBrush(wood);
    painter.setPen(QPen(QColor(128, 82, 42), 1.0 * scale));
    painter.drawEllipse(centre, rx - 0.5 * scale, ry - 0.5 * scale);

    // Engraved ring in the side's colour; below about 30 pixels it would
    // only blur the character, which then gets the room instead.
    const bool withRing = rx >= 15.0;
    if (withRing) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, 1.3 * scale));
        painter.drawEllipse(centre, rx - 3.6 * scale, ry - 3.6 * scale);
    }

    // The character, centred by its outline's bounds.
    const QPainterPath path = glyphPath(glyph, 100);
    const QRectF bounds = path.boundingRect();
    // The larger side of the character's ink.
    const double glyphSize = (withRing ? 22.0 : 26.0) * scale;
    const double fit = glyphSize / std::max(bounds.width(), bounds.height());
    painter.save();
    painter.translate(centre);
    painter.scale(fit, fit * ry / rx);
    painter.translate(-bounds.center());
    painter.fillPath(path, ink);
    if (rx < 17.0) {
        // On small tokens (the icon) thin strokes fade into the wood;
        // outlining the character in its own ink keeps it legible.
        painter.strokePath(path, QPen(ink, 0.7 / fit));
    }
    painter.restore();
}

QImage paintPiece(const QString& glyph, const QColor& ink)
{
    QImage image(kPieceWidth, kPieceHeight, QImage::Format_RGB32);
    const QColor key = pieceKeyColour();
    image.fill(key);
    {
        QPainter painter(&image);
        // The token is centred in the picture, so after the window stretches
        // the picture to 33 x 33 its middle lands on the point's middle. It is
        // as much taller than wide as the stretch squeezes it vertically.
        const QPointF centre(kPieceWidth / 2.0, kPieceHeight / 2.0);
        const double rx = 19.0;
        const double ry = rx * double(kPieceHeight) / double(kPieceWidth);
        drawToken(painter, centre, rx, ry, glyph, ink);
    }
    // The key colour must mean "background" only: nudge any token pixel that
    // happens to match it, leaving the untouched corners (which include the
    // bottom-left pixel the window reads the key from) as they are.
    const QPointF centre(kPieceWidth / 2.0, kPieceHeight / 2.0);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double dx = (x + 0.5 - centre.x()) / 17.0;
            const double dy = (y + 0.5 - centre.y()) / 17.8;
            if (row[x] == key.rgb() && dx * dx + dy * dy < 1.0)
                row[x] = qRgb(key.red(), key.green(), key.blue() + 1);
        }
    }
    return image;
}

} // namespace

std::vector<PiecePicture> paintPiecePictures()
{
    std::vector<PiecePicture> pictures;
    for (const PieceKind& kind : kKinds)
        pictures.push_back({QStringLiteral("black_%1.bmp").arg(QLatin1String(kind.name)),
                            paintPiece(kind.blackGlyph, blackSideInk())});
    for (const PieceKind& kind : kKinds)
        pictures.push_back(
            {QStringLiteral("red_%1.bmp").arg(QLatin1String(kind.name)), paintPiece(kind.redGlyph, redSideInk())});
    return pictures;
}

QImage paintToken(int diameter, const QString& glyph, bool red)
{
    QImage image(diameter, diameter, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const double radius = diameter / 2.0 - diameter / 40.0;
    drawToken(painter, QPointF(diameter / 2.0 - 0.5, diameter / 2.0 - 0.5), radius - 0.5, radius - 0.5, glyph,
              red ? redSideInk() : blackSideInk());
    return image;
}

} // namespace corvane::art
