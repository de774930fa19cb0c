#include "FrameArt.h"

#include "ArtKit.h"
#include "FrameGeometry.h"
#include "Palette.h"

namespace ivory {

using namespace palette;
using namespace frame;

namespace {

// Size of the whole frame the pieces are cut from: large enough that every
// piece comes from a uniform stretch of border.
constexpr int kWholeWidth = 400;
constexpr int kWholeHeight = 300;
// Caption rows 2 .. 21 carry the gradient; rows 22 and 23 belong to the groove.
constexpr int kGradientFirstRow = 2;
constexpr int kGradientRows = 20;

} // namespace

FrameColors frameColors(bool active)
{
    FrameColors c;
    if (active) {
        c.outline = kUmber;
        c.highlight = kPaper;
        c.shade = QColor(214, 202, 178);
        c.captionTop = QColor(252, 248, 238);
        c.captionBottom = QColor(230, 219, 196);
        c.surface = c.captionBottom;
        c.grooveLight = kPaper;
        c.grooveDark = kStone;
    } else {
        c.outline = kPebble;
        c.highlight = kPaper;
        c.shade = QColor(226, 223, 216);
        c.captionTop = QColor(250, 249, 246);
        c.captionBottom = QColor(238, 236, 230);
        c.surface = c.captionBottom;
        c.grooveLight = kPaper;
        c.grooveDark = kAsh;
    }
    return c;
}

QImage drawWholeFrame(int width, int height, bool active)
{
    const FrameColors c = frameColors(active);
    QImage image = keyedImage(width, height);
    const Radii radii{kTopRadius, kTopRadius, kBottomRadius, kBottomRadius};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PixelPlace place = classify(x, y, width, height, radii);
            QColor color;
            if (place.outside)
                continue;
            if (place.ring == 0) {
                color = c.outline;
            } else if (place.ring == 1) {
                color = (place.nearest == Side::Top || place.nearest == Side::Left) ? c.highlight : c.shade;
            } else if (y < kGradientFirstRow + kGradientRows) {
                color = gradientAt(c.captionTop, c.captionBottom, y - kGradientFirstRow, kGradientRows);
            } else {
                color = c.surface;
            }
            image.setPixel(x, y, color.rgb());
        }
    }
    // The engraved groove around the client area: a light line outside a dark one.
    const QRect hole(kSideWidth, kCaptionHeight, width - 2 * kSideWidth, height - kCaptionHeight - kBottomHeight);
    auto ring = [&image](const QRect& r, const QColor& color) {
        fillRect(image, QRect(r.left(), r.top(), r.width(), 1), color);
        fillRect(image, QRect(r.left(), r.bottom(), r.width(), 1), color);
        fillRect(image, QRect(r.left(), r.top(), 1, r.height()), color);
        fillRect(image, QRect(r.right(), r.top(), 1, r.height()), color);
    };
    ring(hole.adjusted(-2, -2, 2, 2), c.grooveLight);
    ring(hole.adjusted(-1, -1, 1, 1), c.grooveDark);
    fillRect(image, hole, kKey);
    return image;
}

QImage drawTop()
{
    // Rows 0 .. 23 active, 24 .. 47 inactive; the three column groups (0..38,
    // 38..68 stretched, 68..136) are cut from the uniform middle of the caption.
    QImage top = keyedImage(136, 2 * kCaptionHeight);
    for (int state = 0; state < 2; ++state) {
        const QImage whole = drawWholeFrame(kWholeWidth, kWholeHeight, state == 0);
        copyRect(top, QPoint(0, state * kCaptionHeight), whole, QRect(kSideWidth, 0, 136, kCaptionHeight));
    }
    return top;
}

QImage drawBottom()
{
    QImage bottom = keyedImage(196, 2 * kBottomHeight);
    for (int state = 0; state < 2; ++state) {
        const QImage whole = drawWholeFrame(kWholeWidth, kWholeHeight, state == 0);
        copyRect(bottom, QPoint(0, state * kBottomHeight), whole,
                 QRect(kSideWidth, kWholeHeight - kBottomHeight, 196, kBottomHeight));
    }
    return bottom;
}

namespace {

// "Left" and "Right": columns 0..23 active, 24..47 inactive; rows: caption
// corner, the border pieces (uniform), bottom corner.
QImage drawSide(bool right)
{
    QImage side = keyedImage(2 * kSideWidth, kSideBitmapHeight);
    const int sourceX = right ? kWholeWidth - kSideWidth : 0;
    const int borderRows = kSideBitmapHeight - kSideRowsCorner - kBottomHeight;
    for (int state = 0; state < 2; ++state) {
        const QImage whole = drawWholeFrame(kWholeWidth, kWholeHeight, state == 0);
        const int x = state * kSideWidth;
        copyRect(side, QPoint(x, 0), whole, QRect(sourceX, 0, kSideWidth, kSideRowsCorner));
        copyRect(side, QPoint(x, kSideRowsCorner), whole, QRect(sourceX, kSideRowsCorner, kSideWidth, borderRows));
        copyRect(side, QPoint(x, kSideBitmapHeight - kBottomHeight), whole,
                 QRect(sourceX, kWholeHeight - kBottomHeight, kSideWidth, kBottomHeight));
    }
    return side;
}

} // namespace

QImage drawLeft()
{
    return drawSide(false);
}
QImage drawRight()
{
    return drawSide(true);
}

QImage drawDialog()
{
    // Linen: every thread (row and column) is a shade lighter or darker than
    // its neighbours. The shades come from fixed tables of the tile's own size,
    // so the tiled background repeats without a seam.
    QImage tile(64, 45, QImage::Format_RGB32);
    auto thread = [](int index, int salt) {
        // A small integer hash; -1, 0 or +1 for each thread.
        unsigned h = static_cast<unsigned>(index) * 2654435761u ^ static_cast<unsigned>(salt) * 40503u;
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        h ^= h >> 15;
        return static_cast<int>(h % 3) - 1;
    };
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            const int shift = thread(y, 1) + thread(x, 2);
            const QColor base = kLinen;
            tile.setPixel(x, y, qRgb(base.red() + shift, base.green() + shift, base.blue() + shift));
        }
    }
    return tile;
}

// --- Caption buttons -------------------------------------------------------

namespace {

enum class Look { Normal, Active, Hot, Pressed, Disabled };

enum class Glyph { RollUp, RollDown, Minimize, Tray, Maximize, Restore, Close, Help };

// Glyphs are 8 x 8 pixel patterns, centred in the 16 x 16 face: '#' is the
// glyph colour, '+' a half tone between glyph and face, which softens the
// diagonals of the close cross without blurring its edges.
using GlyphRows = const char* const[8];

const char* const* glyphRows(Glyph glyph)
{
    static GlyphRows rollUp = {"########", "########", "........", "...##...",
                               "..####..", ".######.", "########", "........"};
    static GlyphRows rollDown = {"########", "########", "........", "########",
                                 ".######.", "..####..", "...##...", "........"};
    static GlyphRows minimize = {"........", "........", "........", "........",
                                 "........", "........", "########", "########"};
    static GlyphRows tray = {"........", "........", "........", "........",
                             ".....###", ".....###", "####.###", "####...."};
    static GlyphRows maximize = {"########", "########", "#......#", "#......#",
                                 "#......#", "#......#", "#......#", "########"};
    static GlyphRows restore = {"..######", "..######", "..#....#", "######.#",
                                "######.#", "#....###", "#....#..", "######.."};
    static GlyphRows close = {"##....##", "+##..##+", ".+####+.", "..+##+..",
                              "..+##+..", ".+####+.", "+##..##+", "##....##"};
    switch (glyph) {
    case Glyph::RollUp: return rollUp;
    case Glyph::RollDown: return rollDown;
    case Glyph::Minimize: return minimize;
    case Glyph::Tray: return tray;
    case Glyph::Maximize: return maximize;
    case Glyph::Restore: return restore;
    case Glyph::Close: return close;
    case Glyph::Help: break;
    }
    return nullptr;
}

void paintGlyph(QImage& image, const QPoint& faceOrigin, Glyph glyph, const QColor& color)
{
    const char* const* rows = glyphRows(glyph);
    if (!rows)
        return;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const QPoint at = faceOrigin + QPoint(4 + x, 4 + y);
            if (rows[y][x] == '#')
                image.setPixel(at, color.rgb());
            else if (rows[y][x] == '+')
                image.setPixel(at, mix(QColor(image.pixel(at)), color, 0.45).rgb());
        }
    }
}

QColor captionRowColor(int captionRow, bool active)
{
    const FrameColors c = frameColors(active);
    if (captionRow <= 1 || captionRow >= kGradientFirstRow + kGradientRows)
        return c.surface;
    return gradientAt(c.captionTop, c.captionBottom, captionRow - kGradientFirstRow, kGradientRows);
}

// Draws one caption-button cell at `cellX` of `strip`. The face sits at
// `faceX` inside the cell, on cell rows 1 .. 16 (caption rows 4 .. 19).
void drawCaptionCell(QImage& strip, int cellX, int cellWidth, int faceX, Glyph glyph, Look look, bool warning)
{
    const bool onActiveCaption = look != Look::Normal && look != Look::Disabled;
    QImage cell(cellWidth, strip.height(), QImage::Format_RGB32);
    for (int row = 0; row < cell.height(); ++row)
        fillRect(cell, QRect(0, row, cellWidth, 1), captionRowColor(kButtonTop + row, onActiveCaption));

    const QRect face(faceX, 1, kFaceSize, kFaceSize);
    QColor glyphColor;
    QPoint glyphOffset(face.topLeft());
    switch (look) {
    case Look::Normal: glyphColor = kPebble; break;
    case Look::Disabled: glyphColor = kDisabledGlyph; break;
    case Look::Active: glyphColor = QColor(92, 82, 66); break;
    case Look::Hot: {
        BoxStyle style;
        style.outside = QColor();
        if (warning) {
            style.border = kBrickDark;
            style.fillTop = kBrickLight;
            style.fillBottom = kBrick;
            style.highlight = QColor(228, 146, 124);
            glyphColor = Qt::white;
        } else {
            style.border = QColor(160, 146, 118);
            style.fillTop = kPaper;
            style.fillBottom = QColor(240, 232, 214);
            style.highlight = Qt::white;
            glyphColor = kInk;
        }
        roundedBox(cell, face, Radii::all(3), style);
        break;
    }
    case Look::Pressed: {
        BoxStyle style;
        style.outside = QColor();
        if (warning) {
            style.border = QColor(110, 44, 30);
            style.fillTop = QColor(150, 60, 42);
            style.fillBottom = QColor(174, 74, 54);
            style.shade = QColor(186, 92, 72);
            glyphColor = QColor(255, 236, 228);
        } else {
            style.border = kUmber;
            style.fillTop = QColor(214, 203, 180);
            style.fillBottom = QColor(232, 224, 207);
            style.highlight = QColor(200, 188, 164);
            glyphColor = kInk;
        }
        roundedBox(cell, face, Radii::all(3), style);
        glyphOffset += QPoint(1, 1);
        break;
    }
    }
    paintGlyph(cell, glyphOffset, glyph, glyphColor);

    // Everything that still shows the caption becomes the key, and so do the
    // rows outside the face, so the caption itself shows through.
    for (int row = 0; row < cell.height(); ++row) {
        const QColor background = captionRowColor(kButtonTop + row, onActiveCaption);
        for (int x = 0; x < cellWidth; ++x) {
            const bool inFaceRows = row >= face.top() && row <= face.bottom();
            if (!inFaceRows || (cell.pixel(x, row) & 0xFFFFFF) == (background.rgb() & 0xFFFFFF))
                cell.setPixel(x, row, kKey.rgb());
        }
    }
    copyRect(strip, QPoint(cellX, 0), cell, cell.rect());
}

// Six cells: active, pressed, hot, normal (inactive window), then the spare
// pictures (the alternate glyph active and hot).
QImage drawButtonStrip(int cellWidth, int height, int faceX, Glyph glyph, Glyph alternate, bool warning)
{
    QImage strip = keyedImage(6 * cellWidth, height);
    drawCaptionCell(strip, 0 * cellWidth, cellWidth, faceX, glyph, Look::Active, warning);
    drawCaptionCell(strip, 1 * cellWidth, cellWidth, faceX, glyph, Look::Pressed, warning);
    drawCaptionCell(strip, 2 * cellWidth, cellWidth, faceX, glyph, Look::Hot, warning);
    drawCaptionCell(strip, 3 * cellWidth, cellWidth, faceX, glyph, Look::Normal, warning);
    if (alternate == glyph) {
        drawCaptionCell(strip, 4 * cellWidth, cellWidth, faceX, glyph, Look::Disabled, warning);
        drawCaptionCell(strip, 5 * cellWidth, cellWidth, faceX, glyph, Look::Disabled, warning);
    } else {
        drawCaptionCell(strip, 4 * cellWidth, cellWidth, faceX, alternate, Look::Active, warning);
        drawCaptionCell(strip, 5 * cellWidth, cellWidth, faceX, alternate, Look::Hot, warning);
    }
    return strip;
}

} // namespace

QImage drawRollButtons()
{
    return drawButtonStrip(18, 20, 1, Glyph::RollUp, Glyph::RollDown, false);
}
QImage drawMinButtons()
{
    return drawButtonStrip(16, 21, 0, Glyph::Minimize, Glyph::Tray, false);
}
QImage drawMaxButtons()
{
    return drawButtonStrip(16, 21, 0, Glyph::Maximize, Glyph::Restore, false);
}
QImage drawCloseButtons()
{
    return drawButtonStrip(19, 20, 1, Glyph::Close, Glyph::Close, true);
}

QImage drawHelpButtons()
{
    // Four small 18 x 10 pills with a question mark (normal, hot, pressed,
    // disabled), for tool-window captions.
    static const char* const kQuestion[] = {
        ".###.", "#...#", "...#.", "..#..", ".....", "..#..",
    };
    QImage strip = keyedImage(72, 10);
    for (int cell = 0; cell < 4; ++cell) {
        BoxStyle style;
        QColor glyph = kInk;
        switch (cell) {
        case 0: style = {kStone, kPaper, kCream, Qt::white, QColor()}; break;
        case 1: style = {kTaupe, Qt::white, kIvory, Qt::white, QColor()}; break;
        case 2: style = {kUmber, kSand, kCream, QColor(), QColor()}; break;
        default:
            style = {kDisabledBorder, kDisabledFace, kDisabledFace, QColor(), QColor()};
            glyph = kDisabledGlyph;
            break;
        }
        style.outside = kKey;
        const QRect pill(cell * 18 + 1, 0, 16, 10);
        roundedBox(strip, pill, Radii::all(3), style);
        const int ox = pill.left() + 6 + (cell == 2 ? 1 : 0), oy = 2;
        for (int row = 0; row < 6; ++row)
            for (int col = 0; col < 5; ++col)
                if (kQuestion[row][col] == '#')
                    strip.setPixel(ox + col, oy + row, glyph.rgb());
    }
    return strip;
}

} // namespace ivory
