#pragma once
// The show animation of skinned windows (popup menus, and frames that enable
// it): the window's final picture is revealed over the screen content it will
// cover, through a byte mask that an effect fills for each progress value.
//
// The mask has one cell per Resolution x Resolution block of one tile; the
// picture is TileCount x TileCount tiles that share the mask. A cell of 0
// shows the background, 255 the picture, anything between blends them.

#include <QImage>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "skin/SkinFormTypes.h"

namespace corvane::skin {

struct SkinAnimationMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> cells; // row by row

    SkinAnimationMask() = default;
    SkinAnimationMask(int w, int h) : width(w), height(h), cells(size_t(w) * size_t(h), 0) { }
    std::uint8_t& at(int x, int y) { return cells[size_t(y) * size_t(width) + size_t(x)]; }
    std::uint8_t at(int x, int y) const { return cells[size_t(y) * size_t(width) + size_t(x)]; }
    void clear() { std::fill(cells.begin(), cells.end(), std::uint8_t(0)); }
};

// The settings with Time, Resolution and TileCount clamped to their ranges
// (50..9000 ms, 1..10, 1..20).
SkinAnimation clampedAnimation(const SkinAnimation& animation);

// Mask cells of one tile of a picture: (width / Resolution / TileCount + 1) x
// (height / Resolution / TileCount + 1), unrotated.
QSize animationMaskSize(QSize picture, int resolution, int tileCount);

// Progress of an animation: elapsed / time x 100, rounded, at most 100.
int animationProgress(qint64 elapsedMs, int timeMs);

// Rounds halves away from zero.
int roundHalfAway(double value);

// Fills the mask for a progress of 0..100 (all cells 0 first). The random
// generator serves SkinAnimationEffect::Pixel and SkinAnimationEffect::PixelLine; SkinAnimationEffect::RandomSelect
// must be resolved by the caller (see pickEffect).
void fillAnimationMask(SkinAnimationEffect effect, int progress, SkinAnimationMask& mask, std::mt19937& random);

// SkinAnimationEffect::RandomSelect becomes one of the 14 other effects; others stay.
SkinAnimationEffect pickEffect(SkinAnimationEffect effect, std::mt19937& random);

// Whether the direction reads the mask with width and height swapped.
bool directionSwapsMask(SkinAnimationDirection direction);

// The mask value for cell (x, y) of an unrotated W x H cell grid, read
// through the direction; rotating directions expect a mask generated H x W.
std::uint8_t readMask(const SkinAnimationMask& mask, SkinAnimationDirection direction, int x, int y, int W, int H);

// One frame: each pixel of `out` becomes the background where its cell is 0
// or the picture's pixel is the transparent key colour, the picture where the
// cell is 255, else the picture blended over the background with the cell as
// opacity. `picture` and `background` have the same size.
void composeAnimationFrame(const QImage& picture, const QImage& background, const SkinAnimationMask& mask,
                           const SkinAnimation& animation, QImage& out);

// The final picture drawn masked over the background (key pixels show the
// background).
QImage composeFinalPicture(const QImage& picture, const QImage& background);

// Runs the animation in a timed loop: for each frame until Time has passed,
// fills the mask, composes the frame and hands it to `present`; then presents
// the final picture. Between frames it waits (processing events except user
// input) instead of spinning.
void runShowAnimation(const SkinAnimation& animation, const QImage& picture, const QImage& background,
                      const std::function<void(const QImage&)>& present, std::uint32_t seed = std::random_device{}());

} // namespace corvane::skin
