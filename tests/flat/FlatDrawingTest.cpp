// Bevel frames, the embossed glyph, colour keying and the glyph-and-caption
// placement, checked pixel by pixel and coordinate by coordinate.
#include "flat/FlatDrawing.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

namespace {

constexpr QRgb kTop = 0xFFFF0000;
constexpr QRgb kBottom = 0xFF0000FF;
constexpr QRgb kBack = 0xFF00FF00;

QImage bevel(int w, int h, int width)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBack);
    QPainter painter(&image);
    drawBevelFrame(painter, image.rect(), QColor::fromRgb(kTop), QColor::fromRgb(kBottom), width);
    return image;
}

// One character per pixel: T top colour, B bottom colour, . background.
std::string picture(const QImage& image)
{
    std::string out;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out += p == kTop ? 'T' : p == kBottom ? 'B' : p == kBack ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

} // namespace

TEST(FlatDrawing, BevelFrameOneRing)
{
    // Left column and top row in the top colour, except the bottom-left and
    // top-right corners, which the bottom colour takes.
    EXPECT_EQ(picture(bevel(6, 5, 1)), "TTTTTB\n"
                                       "T....B\n"
                                       "T....B\n"
                                       "T....B\n"
                                       "BBBBBB\n");
}

TEST(FlatDrawing, BevelFrameTwoRings)
{
    EXPECT_EQ(picture(bevel(7, 6, 2)), "TTTTTTB\n"
                                       "TTTTTBB\n"
                                       "TT...BB\n"
                                       "TT...BB\n"
                                       "TBBBBBB\n"
                                       "BBBBBBB\n");
}

TEST(FlatDrawing, BevelFrameOnTinyRects)
{
    EXPECT_EQ(picture(bevel(1, 1, 1)), "B\n");
    EXPECT_EQ(picture(bevel(2, 2, 3)), "TB\nBB\n");
}

TEST(FlatDrawing, EmbossedImage)
{
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    glyph.setPixel(1, 1, qRgb(0, 0, 0));
    glyph.setPixel(3, 3, qRgb(0, 0, 0));    // its highlight would fall outside
    glyph.setPixel(0, 2, qRgb(10, 10, 10)); // not black: not part of the mask
    const QColor face(200, 200, 200);
    const QColor light(255, 255, 255);
    const QColor shadow(128, 128, 128);
    const QImage out = embossedImage(glyph, face, light, shadow);
    ASSERT_EQ(out.size(), glyph.size());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            QRgb expected = face.rgb();
            if ((x == 1 && y == 1) || (x == 3 && y == 3))
                expected = shadow.rgb();
            else if (x == 2 && y == 2)
                expected = light.rgb();
            EXPECT_EQ(out.pixel(x, y), expected) << x << "," << y;
        }
    }
    // The embossed image's own bottom-left pixel is the face: the key colour.
    EXPECT_EQ(bottomLeftColor(out), face.rgb());
}

TEST(FlatDrawing, KeyedOutLeavesOnlyNonKeyPixels)
{
    QImage glyph(3, 1, QImage::Format_RGB32);
    glyph.setPixel(0, 0, qRgb(255, 0, 255));
    glyph.setPixel(1, 0, qRgb(1, 2, 3));
    glyph.setPixel(2, 0, qRgb(255, 0, 255));
    const QImage out = keyedOut(glyph, bottomLeftColor(glyph));
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(qAlpha(out.pixel(2, 0)), 0);
}

TEST(FlatDrawing, GlyphLeftCentredWhole)
{
    // C 80x50, G 16x16, T 30x15, spacing 4: y (50-16+1) div 2 = 17 and
    // (50-15+1) div 2 = 18; margin (80-(16+4+30)+1) div 2 = 15.
    const auto p = placeGlyphAndCaption(QRect(0, 0, 80, 50), QPoint(0, 0), QSize(30, 15), ButtonLayout::GlyphLeft, -1,
                                        4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos, QPoint(15, 17));
    EXPECT_EQ(p.captionBounds, QRect(35, 18, 30, 15));
}

TEST(FlatDrawing, OffsetAndClientOriginMoveBoth)
{
    const auto p = placeGlyphAndCaption(QRect(2, 3, 80, 50), QPoint(1, 1), QSize(30, 15), ButtonLayout::GlyphLeft, -1,
                                        4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos, QPoint(18, 21));
    EXPECT_EQ(p.captionBounds, QRect(38, 22, 30, 15));
}

TEST(FlatDrawing, GlyphRightTopBottom)
{
    const QRect client(0, 0, 80, 50);
    auto p = placeGlyphAndCaption(client, {}, QSize(30, 15), ButtonLayout::GlyphRight, -1, 4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos, QPoint(80 - 15 - 16, 17));
    EXPECT_EQ(p.captionBounds.topLeft(), QPoint(49 - 4 - 30, 18));

    // Vertical: x centred, margin (50-(16+4+15)+1) div 2 = 8.
    p = placeGlyphAndCaption(client, {}, QSize(30, 15), ButtonLayout::GlyphTop, -1, 4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos, QPoint(32, 8));
    EXPECT_EQ(p.captionBounds.topLeft(), QPoint(25, 28));

    p = placeGlyphAndCaption(client, {}, QSize(30, 15), ButtonLayout::GlyphBottom, -1, 4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos, QPoint(32, 50 - 8 - 16));
    EXPECT_EQ(p.captionBounds.topLeft(), QPoint(25, 26 - 4 - 15));
}

TEST(FlatDrawing, SpreadAndFixedMargin)
{
    const QRect client(0, 0, 80, 50);
    // Margin and spacing -1: (80-16-30) div 3 = 11 each.
    auto p = placeGlyphAndCaption(client, {}, QSize(30, 15), ButtonLayout::GlyphLeft, -1, -1, QSize(16, 16));
    EXPECT_EQ(p.glyphPos.x(), 11);
    EXPECT_EQ(p.captionBounds.x(), 11 + 16 + 11);
    // Margin 5, spacing -1: ((80-(5+16))-30) div 2 = 14.
    p = placeGlyphAndCaption(client, {}, QSize(30, 15), ButtonLayout::GlyphLeft, 5, -1, QSize(16, 16));
    EXPECT_EQ(p.glyphPos.x(), 5);
    EXPECT_EQ(p.captionBounds.x(), 5 + 16 + 14);
    // Both set: used as given.
    p = placeGlyphAndCaption(client, {}, QSize(30, 15), ButtonLayout::GlyphLeft, 2, 7, QSize(16, 16));
    EXPECT_EQ(p.glyphPos.x(), 2);
    EXPECT_EQ(p.captionBounds.x(), 2 + 16 + 7);
}

TEST(FlatDrawing, DivisionsTruncateTowardZero)
{
    // Too narrow: (20-(16+4+30)+1) div 2 = -29 div 2 = -14 (a floor would give -15).
    auto p =
        placeGlyphAndCaption(QRect(0, 0, 20, 10), {}, QSize(30, 15), ButtonLayout::GlyphLeft, -1, 4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos.x(), -14);
    // Vertical centring of a glyph taller than the client: (10-16+1) div 2 = -2.
    EXPECT_EQ(p.glyphPos.y(), -2);
    // Spread: (20-16-30) div 3 = -26 div 3 = -8.
    p = placeGlyphAndCaption(QRect(0, 0, 20, 20), {}, QSize(30, 15), ButtonLayout::GlyphLeft, -1, -1, QSize(16, 16));
    EXPECT_EQ(p.glyphPos.x(), -8);
    EXPECT_EQ(p.captionBounds.x(), -8 + 16 - 8);
}

TEST(FlatDrawing, NoCaptionOrNoGlyphDropsTheSpacing)
{
    // No caption: spacing 0, margin (50-16+1) div 2 = 17.
    auto p = placeGlyphAndCaption(QRect(0, 0, 80, 50), {}, QSize(0, 0), ButtonLayout::GlyphTop, -1, 4, QSize(16, 16));
    EXPECT_EQ(p.glyphPos, QPoint(32, 17));
    // No glyph: the caption alone is centred, (73-30+1) div 2 = 22.
    p = placeGlyphAndCaption(QRect(0, 0, 73, 25), {}, QSize(30, 15), ButtonLayout::GlyphLeft, -1, 4, QSize(0, 0));
    EXPECT_EQ(p.captionBounds, QRect(22, 5, 30, 15));
}
