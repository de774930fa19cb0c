#include "BoardPicture.h"

#include "ArtPalette.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdint>

namespace corvane::art {
namespace {

// ---------------------------------------------------------------------------
// Deterministic value noise for the wood grain (the picture must come out the
// same on every run so regenerating it gives no spurious changes).

double hashToUnit(int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xFFFFFF) / double(0xFFFFFF);
}

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

double valueNoise(double x, double y)
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double fx = smooth(x - x0);
    const double fy = smooth(y - y0);
    const double top = hashToUnit(x0, y0) * (1 - fx) + hashToUnit(x0 + 1, y0) * fx;
    const double bottom = hashToUnit(x0, y0 + 1) * (1 - fx) + hashToUnit(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

double fractalNoise(double x, double y)
{
    double sum = 0, amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoise(x, y);
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum; // about 0 .. 0.94
}

// ---------------------------------------------------------------------------
// The picture is built as palette indices. Flat areas are written as indices
// directly; anti-aliased drawing (text, diagonals) is painted on a separate
// transparent layer and folded in, each touched pixel taking the palette
// colour nearest to the blend of layer and background.

class IndexedCanvas {
public:
    IndexedCanvas() : m_image(kBoardWidth, kBoardHeight, QImage::Format_Indexed8)
    {
        QList<QRgb> table;
        for (int i = 0; i < BoardColourCount; ++i)
            table.append(boardColour(BoardColour(i)).rgb());
        m_image.setColorTable(table);
        m_image.fill(uint(PanelLight));
    }

    void set(int x, int y, BoardColour colour)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            m_image.scanLine(y)[x] = uchar(colour);
    }

    BoardColour at(int x, int y) const { return BoardColour(m_image.constScanLine(y)[x]); }

    // Inclusive pixel bounds.
    void fill(int left, int top, int right, int bottom, BoardColour colour)
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                set(x, y, colour);
    }

    void frame(int left, int top, int right, int bottom, BoardColour colour)
    {
        fill(left, top, right, top, colour);
        fill(left, bottom, right, bottom, colour);
        fill(left, top, left, bottom, colour);
        fill(right, top, right, bottom, colour);
    }

    void foldIn(const QImage& layer)
    {
        for (int y = 0; y < m_image.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
            for (int x = 0; x < m_image.width(); ++x) {
                const int alpha = qAlpha(src[x]);
                if (alpha == 0)
                    continue;
                const QColor under = boardColour(at(x, y));
                // The layer is premultiplied: colour = layer + (1 - a) * under.
                const int r = qRed(src[x]) + (255 - alpha) * under.red() / 255;
                const int g = qGreen(src[x]) + (255 - alpha) * under.green() / 255;
                const int b = qBlue(src[x]) + (255 - alpha) * under.blue() / 255;
                set(x, y, nearest(r, g, b));
            }
        }
    }

    static QImage newLayer()
    {
        QImage layer(kBoardWidth, kBoardHeight, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        return layer;
    }

    const QImage& image() const { return m_image; }

private:
    static BoardColour nearest(int r, int g, int b)
    {
        BoardColour best = Ink;
        long bestDistance = -1;
        for (int i = 0; i < BoardColourCount; ++i) {
            const QColor c = boardColour(BoardColour(i));
            const long dr = r - c.red(), dg = g - c.green(), db = b - c.blue();
            const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = BoardColour(i);
            }
        }
        return best;
    }

    QImage m_image;
};

// ---------------------------------------------------------------------------
// The wooden board.

constexpr int kGridRight = kGridLeft + kPointSpacing * (kColumns - 1); // 384
constexpr int kGridBottom = kGridTop + kPointSpacing * (kRows - 1);    // 392
constexpr int kBorderGap = 17;                                         // from the outer grid lines to the border
constexpr int kRiverTop = kGridTop + kPointSpacing * 4;                // row 5
constexpr int kRiverBottom = kRiverTop + kPointSpacing;                // row 6

void paintWood(IndexedCanvas& canvas)
{
    for (int y = 0; y < kBoardHeight; ++y) {
        for (int x = 0; x < kPanelLeft; ++x) {
            // Long grain running left to right, with slow waves so the
            // streaks are not ruler-straight.
            const double wave = 6.0 * fractalNoise(x * 0.006, y * 0.01);
            const double streak = fractalNoise(x * 0.004, (y + 14.0 * wave) * 0.11);
            const double rings = 0.5 + 0.5 * std::sin((y + 9.0 * wave) * 0.21);
            const double grain = 0.75 * streak + 0.25 * rings * streak;
            BoardColour colour = WoodMain;
            if (grain > 0.66)
                colour = WoodDeep;
            else if (grain > 0.55)
                colour = WoodMid;
            else if (grain < 0.22)
                colour = WoodLight;
            canvas.set(x, y, colour);
        }
    }
    // The board's edge: a dark line with a softer one inside, so the wood
    // reads as a raised board against the panel and the window frame.
    const int right = kPanelLeft - 1;
    const int bottom = kBoardHeight - 1;
    canvas.frame(0, 0, right, bottom, FrameDark);
    canvas.frame(1, 1, right - 1, bottom - 1, FrameMid);
    canvas.frame(2, 2, right - 2, bottom - 2, FrameLight);
}

void paintGrid(IndexedCanvas& canvas)
{
    // Horizontal lines, one per row, one pixel high.
    for (int row = 1; row <= kRows; ++row)
        canvas.fill(kGridLeft, rowY(row), kGridRight, rowY(row), Ink);
    // Vertical lines: the outer two run through the river, the inner seven
    // stop at its banks.
    for (int column = 1; column <= kColumns; ++column) {
        const int x = columnX(column);
        if (column == 1 || column == kColumns) {
            canvas.fill(x, kGridTop, x, kGridBottom, Ink);
        } else {
            canvas.fill(x, kGridTop, x, kRiverTop, Ink);
            canvas.fill(x, kRiverBottom, x, kGridBottom, Ink);
        }
    }
    // The border around the playing field, two pixels wide.
    for (int i = 0; i < 2; ++i) {
        const int gap = kBorderGap + i;
        canvas.frame(kGridLeft - gap, kGridTop - gap, kGridRight + gap, kGridBottom + gap, Ink);
    }
}

// Palace diagonals, drawn from pixel centre to pixel centre so they pass
// exactly through the intersections.
void paintPalaces(QPainter& painter)
{
    QPen pen(boardColour(Ink), 1.1);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (int topRow : {1, 8}) {
        const QPointF a(columnX(4) + 0.5, rowY(topRow) + 0.5);
        const QPointF b(columnX(6) + 0.5, rowY(topRow + 2) + 0.5);
        const QPointF c(columnX(6) + 0.5, rowY(topRow) + 0.5);
        const QPointF d(columnX(4) + 0.5, rowY(topRow + 2) + 0.5);
        painter.drawLine(a, b);
        painter.drawLine(c, d);
    }
}

// The small corner marks at the cannons' and soldiers' starting points.
void paintPositionMarks(IndexedCanvas& canvas)
{
    constexpr int kGap = 3;
    constexpr int kArm = 7;
    auto mark = [&](int row, int column) {
        const int cx = columnX(column);
        const int cy = rowY(row);
        for (int sx : {-1, 1}) {
            if ((column == 1 && sx < 0) || (column == kColumns && sx > 0))
                continue; // no mark beyond the board's edge
            for (int sy : {-1, 1}) {
                const int x = cx + sx * kGap;
                const int y = cy + sy * kGap;
                for (int i = 0; i < kArm; ++i) {
                    canvas.set(x + sx * i, y, Ink);
                    canvas.set(x, y + sy * i, Ink);
                }
            }
        }
    };
    for (int column : {2, 8}) {
        mark(3, column);
        mark(8, column);
    }
    for (int column : {1, 3, 5, 7, 9}) {
        mark(4, column);
        mark(7, column);
    }
}

QFont serifFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Noto Serif CJK TC"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont sansFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Draws `text` centred on `centre`, using the glyph outlines' own bounds so
// the ink, not the font's line box, is what gets centred.
void drawCentredText(QPainter& painter, const QString& text, const QFont& font, QPointF centre, const QColor& colour)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    painter.save();
    painter.translate(centre - bounds.center());
    painter.fillPath(path, colour);
    painter.restore();
}

void paintRiverWords(QPainter& painter)
{
    const QFont font = serifFont(27, true);
    const double y = (kRiverTop + kRiverBottom) / 2.0 + 0.5;
    const QColor ink = boardColour(Ink);
    // One character in the middle of each square along the river.
    const QString left[] = {QStringLiteral("楚"), QStringLiteral("河")};
    const QString right[] = {QStringLiteral("漢"), QStringLiteral("界")};
    for (int i = 0; i < 2; ++i) {
        drawCentredText(painter, left[i], font, QPointF(columnX(2 + i) + 20.5, y), ink);
        drawCentredText(painter, right[i], font, QPointF(columnX(6 + i) + 20.5, y), ink);
    }
}

// ---------------------------------------------------------------------------
// The chat panel. The controls stand at these picture rectangles (client
// positions less the picture's 16-pixel offset): Memo1 424..616 x 24..96,
// the send button 528..608 x 112..136, Label1 432..491 x 328..340 (white
// text, so it gets a dark band), Memo2 432..608 x 344..424.

struct PanelBox {
    int left, top, right, bottom;
};

constexpr PanelBox kSendBox{416, 8, 624, 146};
constexpr PanelBox kReceiveBox{424, 320, 616, 431};
constexpr int kReceiveBandBottom = 343;

void paintBox(IndexedCanvas& canvas, const PanelBox& box)
{
    canvas.fill(box.left, box.top, box.right, box.bottom, PanelMid);
    canvas.frame(box.left, box.top, box.right, box.bottom, PanelShade);
    // Clip the corners by a pixel for a softer outline.
    for (auto [x, y] : {std::pair{box.left, box.top}, std::pair{box.right, box.top}, std::pair{box.left, box.bottom},
                        std::pair{box.right, box.bottom}})
        canvas.set(x, y, PanelLight);
}

void paintPanel(IndexedCanvas& canvas)
{
    canvas.fill(kPanelLeft, 0, kBoardWidth - 1, kBoardHeight - 1, PanelLight);
    // A shaded strip where the panel meets the board.
    canvas.fill(kPanelLeft, 0, kPanelLeft, kBoardHeight - 1, PanelShade);
    canvas.fill(kPanelLeft + 1, 0, kPanelLeft + 1, kBoardHeight - 1, PanelMid);

    paintBox(canvas, kSendBox);
    paintBox(canvas, kReceiveBox);
    canvas.fill(kReceiveBox.left + 1, kReceiveBox.top + 1, kReceiveBox.right - 1, kReceiveBandBottom, FrameDark);
}

// A token as on the board, for the panel's emblem.
void paintEmblemToken(QPainter& painter, QPointF centre, double radius, const QString& glyph, const QColor& ink)
{
    painter.setPen(QPen(boardColour(FrameMid), 1.2));
    painter.setBrush(boardColour(WoodLight));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(ink, 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius - 4, radius - 4);
    drawCentredText(painter, glyph, serifFont(int(radius * 1.15), true), centre, ink);
}

void paintPanelArt(QPainter& painter)
{
    // Caption of the input box, in the strip above Memo1.
    painter.setFont(sansFont(11, false));
    painter.setPen(boardColour(PanelText));
    painter.drawText(QRectF(424, 9, 190, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("发送信息："));

    // Emblem: a black and a red general facing each other, and the name.
    const double cy = 218;
    paintEmblemToken(painter, QPointF(478, cy), 27, QStringLiteral("將"), boardColour(Ink));
    paintEmblemToken(painter, QPointF(562, cy), 27, QStringLiteral("帥"), boardColour(SealRed));
    drawCentredText(painter, QStringLiteral("Corvane"), serifFont(22, true), QPointF(520, 279), boardColour(FrameDark));
    drawCentredText(painter, QStringLiteral("中国象棋"), sansFont(12, false), QPointF(520, 300),
                    boardColour(PanelText));
}

} // namespace

QImage paintBoardPicture()
{
    IndexedCanvas canvas;
    paintWood(canvas);
    paintPanel(canvas);
    paintGrid(canvas);
    paintPositionMarks(canvas);

    QImage layer = IndexedCanvas::newLayer();
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paintPalaces(painter);
        paintRiverWords(painter);
        paintPanelArt(painter);
    }
    canvas.foldIn(layer);
    return canvas.image();
}

} // namespace corvane::art
