#include "skin/button/SkinButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane::skin {

namespace {

constexpr int StockSize = 18;

QImage blankGlyph()
{
    QImage image(StockSize, StockSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void drawCheck(QPainter& p, const QColor& color, int dx = 0)
{
    p.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3 + dx, 9.5), QPointF(7 + dx, 13.5), QPointF(15 + dx, 4.5)}));
}

void drawCross(QPainter& p, const QColor& color)
{
    p.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(13.5, 13.5));
    p.drawLine(QPointF(13.5, 4.5), QPointF(4.5, 13.5));
}

void drawLetter(QPainter& p, const QColor& color, const QString& letter)
{
    QFont font;
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 0, StockSize, StockSize), Qt::AlignCenter, letter);
}

} // namespace

QImage stockGlyph(SkinButtonKind kind)
{
    if (kind == bkCustom)
        return QImage();
    QImage image = blankGlyph();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(0x00, 0x80, 0x00), red(0xC0, 0x00, 0x00), blue(0x00, 0x00, 0xA0);
    switch (kind) {
    case bkOK:
    case bkYes: drawCheck(p, green); break;
    case bkAll:
        drawCheck(p, green, -2);
        drawCheck(p, green, 2);
        break;
    case bkCancel:
    case bkNo:
    case bkAbort: drawCross(p, red); break;
    case bkHelp: drawLetter(p, blue, QStringLiteral("?")); break;
    case bkIgnore: drawLetter(p, green.darker(120), QStringLiteral("!")); break;
    case bkRetry: {
        p.setPen(QPen(green, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(3.5, 3.5, 11, 11), 60 * 16, 280 * 16);
        p.setBrush(green);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(10, 1.5), QPointF(15, 4.5), QPointF(10, 8)}));
        break;
    }
    case bkClose: {
        // A door left ajar.
        p.setPen(QPen(QColor(0x60, 0x40, 0x20), 1.5));
        p.drawRect(QRectF(4.5, 2.5, 9, 13));
        p.setBrush(QColor(0xA0, 0x70, 0x30));
        p.drawPolygon(QPolygonF({QPointF(4.5, 2.5), QPointF(10, 4.5), QPointF(10, 17), QPointF(4.5, 15.5)}));
        break;
    }
    case bkCustom: break;
    }
    return image;
}

QString stockCaption(SkinButtonKind kind)
{
    switch (kind) {
    case bkOK: return QStringLiteral("确定");
    case bkCancel: return QStringLiteral("取消");
    case bkHelp: return QStringLiteral("帮助(&H)");
    case bkYes: return QStringLiteral("是(&Y)");
    case bkNo: return QStringLiteral("否(&N)");
    case bkClose: return QStringLiteral("关闭(&C)");
    case bkAbort: return QStringLiteral("中止");
    case bkRetry: return QStringLiteral("重试(&R)");
    case bkIgnore: return QStringLiteral("忽略(&I)");
    case bkAll: return QStringLiteral("全部(&A)");
    case bkCustom: break;
    }
    return QString();
}

int stockModalResult(SkinButtonKind kind)
{
    switch (kind) {
    case bkOK: return mrOk;
    case bkCancel: return mrCancel;
    case bkYes: return mrYes;
    case bkNo: return mrNo;
    case bkAbort: return mrAbort;
    case bkRetry: return mrRetry;
    case bkIgnore: return mrIgnore;
    case bkAll: return mrAll;
    default: return mrNone;
    }
}

QImage glyphWithTransparency(const QImage& glyph)
{
    if (glyph.isNull() || glyph.hasAlphaChannel())
        return glyph.convertToFormat(QImage::Format_ARGB32);
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == transparent)
                line[x] = 0;
    }
    return image;
}

QImage blackAndWhiteGlyph(const QImage& glyph)
{
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return image;
}

QImage disabledGlyph(const QImage& glyph)
{
    const QImage source = glyph.convertToFormat(QImage::Format_ARGB32);
    QImage image(source.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // Dark pixels of the glyph form the silhouette; it is drawn once in the
    // highlight colour one pixel down and right, then in the shadow colour.
    auto silhouette = [&](QRgb color, int dx, int dy) {
        for (int y = 0; y < source.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < source.width(); ++x) {
                if (qAlpha(in[x]) < 128 || qGray(in[x]) >= 192)
                    continue;
                const int tx = x + dx, ty = y + dy;
                if (tx < image.width() && ty < image.height())
                    reinterpret_cast<QRgb*>(image.scanLine(ty))[tx] = color;
            }
        }
    };
    silhouette(qRgb(0xFF, 0xFF, 0xFF), 1, 1);
    silhouette(qRgb(0x80, 0x80, 0x80), 0, 0);
    return image;
}

} // namespace corvane::skin
