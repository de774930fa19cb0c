// The show animation: mask sizes, the SkinAnimationEffect::Fade and SkinAnimationEffect::Pixel masks at chosen
// progress values, the other effects' extremes, directions, and composing a
// frame from the picture, the background and the mask.

#include <gtest/gtest.h>

#include <cmath>

#include "skin/menu/SkinAnimation.h"

using namespace corvane::skin;

namespace {

int nonZero(const SkinAnimationMask& mask)
{
    return int(std::count_if(mask.cells.begin(), mask.cells.end(), [](std::uint8_t v) { return v != 0; }));
}

// The opacity SkinAnimationEffect::Pixel gives a picked cell in column i (W columns, progress p),
// written out from the rule with plain library rounding.
int pixelOpacity(int W, int p, int i)
{
    const long strength = std::max(0L, std::lround(2.0 * p - i * (W * 0.1 / p)));
    return int(std::min(255L, std::lround(strength / 100.0 * 255.0)));
}

} // namespace

TEST(MenuAnimation, SettingsAreClampedAndMaskSizeFollowsResolutionAndTiles)
{
    SkinAnimation a;
    a.time = 10;
    a.resolution = 0;
    a.tileCount = 50;
    const SkinAnimation c = clampedAnimation(a);
    EXPECT_EQ(c.time, 50);
    EXPECT_EQ(c.resolution, 1);
    EXPECT_EQ(c.tileCount, 20);
    a.time = 20000;
    a.resolution = 11;
    EXPECT_EQ(clampedAnimation(a).time, 9000);
    EXPECT_EQ(clampedAnimation(a).resolution, 10);

    EXPECT_EQ(animationMaskSize(QSize(160, 130), 1, 1), QSize(161, 131));
    EXPECT_EQ(animationMaskSize(QSize(160, 130), 4, 2), QSize(21, 17));
}

TEST(MenuAnimation, ProgressIsElapsedOverTimeRoundedAndCapped)
{
    EXPECT_EQ(animationProgress(0, 400), 0);
    EXPECT_EQ(animationProgress(198, 400), 50); // 49.5 rounds up
    EXPECT_EQ(animationProgress(101, 400), 25); // 25.25
    EXPECT_EQ(animationProgress(500, 400), 100);
}

TEST(MenuAnimation, FadeFillsEveryCellWithTheProgressShareOf255)
{
    std::mt19937 random(1);
    SkinAnimationMask mask(7, 5);
    const struct {
        int progress;
        int value;
    } cases[] = {{0, 0}, {37, 94}, {50, 128}, {80, 204}, {100, 255}};
    for (const auto& c : cases) {
        fillAnimationMask(SkinAnimationEffect::Fade, c.progress, mask, random);
        for (std::uint8_t cell : mask.cells)
            ASSERT_EQ(cell, c.value) << "progress " << c.progress;
    }
}

TEST(MenuAnimation, PixelAtHalfProgressPicksHalfTheCellsFullyOpaque)
{
    // W = 10, H = 4, p = 50: 20 cells picked, every column allowed
    // (round(0.5 x 19) + 1 = 11 > 10), opacity min(255, round(100 / 100 x 255)).
    std::mt19937 random(7);
    SkinAnimationMask mask(10, 4);
    fillAnimationMask(SkinAnimationEffect::Pixel, 50, mask, random);
    EXPECT_EQ(nonZero(mask), 20);
    for (std::uint8_t cell : mask.cells)
        EXPECT_TRUE(cell == 0 || cell == 255);
}

TEST(MenuAnimation, PixelLimitsColumnsAndGradesOpacityByColumn)
{
    // W = 40, H = 1, p = 20: 8 cells picked; columns below
    // min(40, round(0.2 x 79) + 1) = 17 keep them, with an opacity falling
    // from 102 (column 0) to 94 (column 16).
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        SkinAnimationMask mask(40, 1);
        fillAnimationMask(SkinAnimationEffect::Pixel, 20, mask, random);
        EXPECT_LE(nonZero(mask), 8);
        for (int x = 0; x < 40; ++x) {
            if (mask.at(x, 0) == 0)
                continue;
            EXPECT_LT(x, 17) << "seed " << seed;
            EXPECT_EQ(mask.at(x, 0), pixelOpacity(40, 20, x)) << "column " << x;
        }
    }
    EXPECT_EQ(pixelOpacity(40, 20, 0), 102);
    EXPECT_EQ(pixelOpacity(40, 20, 16), 94);
}

TEST(MenuAnimation, PixelPicksDistinctCellsAndFillsTheMaskAtTheEnd)
{
    std::mt19937 random(3);
    SkinAnimationMask mask(9, 9);
    // p = 100: all 81 cells picked, every column allowed, opacity capped at 255.
    fillAnimationMask(SkinAnimationEffect::Pixel, 100, mask, random);
    EXPECT_EQ(nonZero(mask), 81);
    for (std::uint8_t cell : mask.cells)
        EXPECT_EQ(cell, 255);
    // p = 0 picks nothing (and divides by nothing).
    fillAnimationMask(SkinAnimationEffect::Pixel, 0, mask, random);
    EXPECT_EQ(nonZero(mask), 0);
    // p = 10 on 9 x 9: round(8.1) = 8 distinct cells, columns below
    // min(9, round(1.7) + 1) = 3.
    int total = 0;
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        std::mt19937 r(seed);
        fillAnimationMask(SkinAnimationEffect::Pixel, 10, mask, r);
        for (int y = 0; y < 9; ++y)
            for (int x = 3; x < 9; ++x)
                ASSERT_EQ(mask.at(x, y), 0);
        total += nonZero(mask);
    }
    // Picks fall into the first three columns a third of the time: about
    // 8 / 3 per frame, never more than 8.
    EXPECT_GT(total, 50 * 1);
    EXPECT_LT(total, 50 * 5);
}

TEST(MenuAnimation, EveryEffectStartsEmptyAndEndsFull)
{
    for (int e = int(SkinAnimationEffect::Fade); e <= int(SkinAnimationEffect::SmoothRectOut); ++e) {
        std::mt19937 random(11);
        SkinAnimationMask mask(12, 8);
        fillAnimationMask(SkinAnimationEffect(e), 0, mask, random);
        EXPECT_EQ(nonZero(mask), 0) << "effect " << e;
        fillAnimationMask(SkinAnimationEffect(e), 100, mask, random);
        EXPECT_EQ(nonZero(mask), 96) << "effect " << e;
        for (std::uint8_t cell : mask.cells)
            ASSERT_EQ(cell, 255) << "effect " << e;
    }
}

TEST(MenuAnimation, EffectsMoveTheWayTheirNamesSay)
{
    std::mt19937 random(5);
    SkinAnimationMask mask(11, 11);
    fillAnimationMask(SkinAnimationEffect::Down, 50, mask, random);
    EXPECT_EQ(mask.at(5, 0), 255);
    EXPECT_EQ(mask.at(5, 10), 0);
    fillAnimationMask(SkinAnimationEffect::RectOut, 40, mask, random);
    EXPECT_EQ(mask.at(5, 5), 255);
    EXPECT_EQ(mask.at(0, 0), 0);
    fillAnimationMask(SkinAnimationEffect::RectIn, 40, mask, random);
    EXPECT_EQ(mask.at(5, 5), 0);
    EXPECT_EQ(mask.at(0, 5), 255);
    fillAnimationMask(SkinAnimationEffect::DiamondOut, 30, mask, random);
    EXPECT_EQ(mask.at(5, 5), 255);
    EXPECT_EQ(mask.at(10, 10), 0);
    fillAnimationMask(SkinAnimationEffect::SmoothDiagonal, 50, mask, random);
    EXPECT_EQ(mask.at(0, 0), 255);
    EXPECT_EQ(mask.at(10, 10), 0);
    EXPECT_GT(mask.at(5, 5), 0);
    EXPECT_LT(mask.at(5, 5), 255);

    std::mt19937 pick(9);
    for (int i = 0; i < 50; ++i) {
        const SkinAnimationEffect chosen = pickEffect(SkinAnimationEffect::RandomSelect, pick);
        EXPECT_NE(chosen, SkinAnimationEffect::RandomSelect);
    }
    EXPECT_EQ(pickEffect(SkinAnimationEffect::Pixel, pick), SkinAnimationEffect::Pixel);
}

TEST(MenuAnimation, DirectionsReadTheMaskRotated)
{
    // A 3 x 2 grid; rotating directions use a 2 x 3 mask.
    SkinAnimationMask plain(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            plain.at(x, y) = std::uint8_t(10 * y + x);
    EXPECT_EQ(readMask(plain, SkinAnimationDirection::None, 2, 1, 3, 2), 12);
    EXPECT_EQ(readMask(plain, SkinAnimationDirection::NoRotate, 0, 1, 3, 2), 10);
    EXPECT_EQ(readMask(plain, SkinAnimationDirection::Rotate180, 0, 0, 3, 2), 12);
    EXPECT_EQ(readMask(plain, SkinAnimationDirection::Rotate180, 2, 1, 3, 2), 0);

    SkinAnimationMask swapped(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            swapped.at(x, y) = std::uint8_t(10 * y + x);
    EXPECT_TRUE(directionSwapsMask(SkinAnimationDirection::Rotate90));
    EXPECT_TRUE(directionSwapsMask(SkinAnimationDirection::Rotate270));
    EXPECT_FALSE(directionSwapsMask(SkinAnimationDirection::Rotate180));
    // Rotated a quarter turn one way and the other: the grid's corners land
    // on different corners of the swapped mask.
    EXPECT_EQ(readMask(swapped, SkinAnimationDirection::Rotate90, 0, 0, 3, 2), swapped.at(0, 2));
    EXPECT_EQ(readMask(swapped, SkinAnimationDirection::Rotate270, 0, 0, 3, 2), swapped.at(1, 0));
    EXPECT_NE(readMask(swapped, SkinAnimationDirection::Rotate90, 0, 0, 3, 2),
              readMask(swapped, SkinAnimationDirection::Rotate270, 0, 0, 3, 2));
}

TEST(MenuAnimation, FrameBlendsPictureOverBackgroundThroughTheMask)
{
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(qRgb(200, 100, 0));
    picture.setPixel(1, 0, SkinKeyPixel);
    QImage background(4, 4, QImage::Format_ARGB32);
    background.fill(qRgb(0, 100, 200));
    SkinAnimation settings;
    settings.resolution = 2; // 4 x 4 pixels in 2 x 2 blocks: a 3 x 3 mask
    SkinAnimationMask mask(3, 3);
    mask.at(0, 0) = 255;
    mask.at(1, 0) = 0;
    mask.at(0, 1) = 51;
    QImage out;
    composeAnimationFrame(picture, background, mask, settings, out);
    EXPECT_EQ(out.pixel(0, 0), qRgb(200, 100, 0));
    EXPECT_EQ(out.pixel(1, 0), qRgb(0, 100, 200)) << "key colour pixels show the background";
    EXPECT_EQ(out.pixel(2, 0), qRgb(0, 100, 200)) << "cell 0 shows the background";
    EXPECT_EQ(out.pixel(1, 1), qRgb(200, 100, 0)) << "one cell covers a 2 x 2 block";
    EXPECT_EQ(out.pixel(0, 2), qRgb(40, 100, 160)) << "cell 51 blends a fifth of the picture";

    const QImage final = composeFinalPicture(picture, background);
    EXPECT_EQ(final.pixel(1, 0), qRgb(0, 100, 200));
    EXPECT_EQ(final.pixel(3, 1), qRgb(200, 100, 0));
}

TEST(MenuAnimation, RunEndsWithTheFinalPicture)
{
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(qRgb(10, 20, 30));
    QImage background(20, 10, QImage::Format_ARGB32);
    background.fill(qRgb(250, 250, 250));
    SkinAnimation settings;
    settings.enabled = true;
    settings.effect = SkinAnimationEffect::Pixel;
    settings.time = 60;
    QList<QImage> frames;
    runShowAnimation(
        settings, picture, background, [&](const QImage& frame) { frames.append(frame); }, 42);
    ASSERT_GE(frames.size(), 2);
    EXPECT_EQ(frames.last().pixel(5, 5), qRgb(10, 20, 30));
    EXPECT_EQ(frames.first().pixel(19, 9), qRgb(250, 250, 250)) << "the first frame barely shows the picture";
}
