// The lightness adjustment and the HSL model, against values worked out by
// hand from the formulas (see the comments for the intermediate steps).
#include "flat/FlatColors.h"

#include <gtest/gtest.h>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

namespace {
::testing::AssertionResult sameRgb(const QColor& actual, int r, int g, int b)
{
    if (actual.red() == r && actual.green() == g && actual.blue() == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << actual.red() << ", " << actual.green() << ", " << actual.blue()
                                         << "), expected (" << r << ", " << g << ", " << b << ")";
}
} // namespace

TEST(FlatColors, ColorRefIsBlueGreenRed)
{
    // 0xE1EAEB is red 235, green 234, blue 225.
    const QColor face = fromColorRef(0xE1EAEB);
    EXPECT_TRUE(sameRgb(face, 235, 234, 225));
    EXPECT_TRUE(sameRgb(fromColorRef(8559266), 162, 154, 130));
    EXPECT_TRUE(sameRgb(fromColorRef(0xC5D6D9), 217, 214, 197));
}

TEST(FlatColors, HslOnThe240Scale)
{
    // Primaries: hue fraction 0, 1/3, 2/3 times 239, rounded.
    Hsl240 red = rgbToHsl240(QColor(255, 0, 0));
    EXPECT_EQ(red.hue, 0);
    EXPECT_EQ(red.saturation, 240);
    EXPECT_EQ(red.lightness, 120);
    EXPECT_EQ(rgbToHsl240(QColor(0, 255, 0)).hue, 80);  // 79.67
    EXPECT_EQ(rgbToHsl240(QColor(0, 0, 255)).hue, 159); // 159.33

    // Greys have no hue or saturation.
    Hsl240 grey = rgbToHsl240(QColor(64, 64, 64));
    EXPECT_EQ(grey.hue, 0);
    EXPECT_EQ(grey.saturation, 0);
    EXPECT_EQ(grey.lightness, 60); // 64/255*240 = 60.24

    // (235, 234, 225): max-min = 10/255, L = 0.90196 (>= 0.5) so
    // S = d / (2 - max - min) = 10/50 = 0.2; red is the maximum, so
    // hue = (G - B)/d / 6 = 0.9/6 = 0.15 -> 35.85 -> 36.
    Hsl240 face = rgbToHsl240(fromColorRef(0xE1EAEB));
    EXPECT_EQ(face.hue, 36);
    EXPECT_EQ(face.saturation, 48);
    EXPECT_EQ(face.lightness, 216);

    // Negative raw hue wraps: (255, 0, 64) has hue (0 - 64/255)/(255/255)/6 + 1.
    EXPECT_EQ(rgbToHsl240(QColor(255, 0, 64)).hue, 229); // (1 - 0.0418) * 239 = 229.0
}

TEST(FlatColors, HslBackToRgb)
{
    EXPECT_TRUE(sameRgb(hsl240ToRgb({0, 240, 120}), 255, 0, 0));
    // Zero saturation: every channel is round(L * 255); 60/240*255 = 63.75.
    EXPECT_TRUE(sameRgb(hsl240ToRgb({100, 0, 60}), 64, 64, 64));
}

TEST(FlatColors, ZeroAmountReturnsTheFallbackUntouched)
{
    const QColor fallback(1, 2, 3);
    EXPECT_EQ(adjustLightness(QColor(200, 100, 50), fallback, 0, Lightness::Lighter), fallback);
    EXPECT_EQ(adjustLightness(QColor(200, 100, 50), fallback, 0, Lightness::Darker), fallback);
}

TEST(FlatColors, DarkeningTheDefaultFace)
{
    // (235, 234, 225) is H 36, S 48, L 216; +10 -> 226.
    // Darker by 50 -> L 176: l = 0.7333, s = 0.2, m2 = l + s - ls = 0.78667,
    // m1 = 2l - m2 = 0.68; h = 36/239 = 0.15063.
    // red v(0.48396): 2h < 1 -> m2 -> 200.6 -> 201
    // green v(0.15063): 6h = 0.9038 < 1 -> m1 + (m2-m1)*6h = 0.77640 -> 197.98 -> 198
    // blue v(0.81729): -> m1 -> 173.4 -> 173
    EXPECT_TRUE(sameRgb(adjustLightness(fromColorRef(0xE1EAEB), Qt::red, 50, Lightness::Darker), 201, 198, 173));
    // Darker by 10 only undoes the +10: L 216, m2 = 0.92, m1 = 0.88 ->
    // (234.6, 233.62, 224.4) -> (235, 234, 224).
    EXPECT_TRUE(sameRgb(adjustLightness(fromColorRef(0xE1EAEB), Qt::red, 10, Lightness::Darker), 235, 234, 224));
}

TEST(FlatColors, LighteningBelowTheCap)
{
    // (0, 0, 128): L = 0.25098 -> 60, S = 1 -> 240, blue max -> hue 4/6 -> 159.33 -> 159.
    // +10 +20 = 90: l = 0.375, m2 = l(1+s) = 0.75, m1 = 0; h = 0.665272.
    // red v(0.99861): 3h >= 2 -> m1 = 0
    // green v(0.665272): 3h < 2 -> m1 + (m2-m1)(2/3-h)6 = 0.0062762 -> 1.60 -> 2
    // blue v(0.331939): 2h < 1 -> m2 -> 191.25 -> 191
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(0, 0, 128), Qt::red, 20, Lightness::Lighter), 0, 2, 191));
}

TEST(FlatColors, LighteningAboveTheCapComesOutDarker)
{
    // White: L 240, +10 +10 = 260 > 100 -> 100; grey 100/240*255 = 106.25.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(255, 255, 255), Qt::red, 10, Lightness::Lighter), 106, 106, 106));
    // Mid grey (128): L 120 + 10 + 10 = 140, also capped to 100, so a
    // "lightened" mid grey darkens too.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(128, 128, 128), Qt::red, 10, Lightness::Lighter), 106, 106, 106));
    // Exactly 100 is not capped further: (10,10,10) is L 9; 9+10+81 = 100.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(10, 10, 10), Qt::red, 81, Lightness::Lighter), 106, 106, 106));
    // 9+10+80 = 99 -> 99/240*255 = 105.19.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(10, 10, 10), Qt::red, 80, Lightness::Lighter), 105, 105, 105));
}

TEST(FlatColors, DarkeningBelowZeroStopsAtBlack)
{
    // L 9 + 10 - 50 < 0 -> 0.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(10, 10, 10), Qt::red, 50, Lightness::Darker), 0, 0, 0));
    // 9 + 10 - 19 = 0 as well, without clamping.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(10, 10, 10), Qt::red, 19, Lightness::Darker), 0, 0, 0));
    // 9 + 10 - 15 = 4 -> 4.25 -> 4.
    EXPECT_TRUE(sameRgb(adjustLightness(QColor(10, 10, 10), Qt::red, 15, Lightness::Darker), 4, 4, 4));
}
