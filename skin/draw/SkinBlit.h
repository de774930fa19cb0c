#pragma once
// Placing rectangles of skin bitmaps on a painter: plain and masked copies,
// stretches and tiles. Masked blits skip every source pixel whose colour is
// the key colour; scaling takes the nearest source pixel, stepping through the
// source in 16.16 fixed point.

#include "skin/draw/SkinBitmap.h"

#include <QPainter>
#include <QRect>

namespace corvane::skin {

// Draws `source` (a rectangle of `bitmap`) onto `dest` with a tile style.
// SkinTileStyle::Tile repeats from dest's top-left, cutting the last column and row;
// SkinTileStyle::Stretch scales; SkinTileStyle::Center copies unscaled, centred on `centreOn`.
void drawBitmapPart(QPainter& painter, const SkinBitmap& bitmap, const QRect& source, const QRect& dest,
                    SkinTileStyle style, bool masked, const QRect& centreOn);

// A copy of `image` in which key-colour pixels are fully transparent and all
// others opaque (for copying a buffer pre-filled with the key colour "masked").
QImage keyToTransparent(const QImage& image);

// The union of one-pixel-high rectangles covering every horizontal run of
// non-key pixels of `image`, offset by `origin`.
QRegion regionFromNonKeyPixels(const QImage& image, const QPoint& origin);

} // namespace corvane::skin
