// Pixel-exact drawing helpers for the Ivory skin artwork.
//
// Skin bitmaps are blitted 1:1 (or stretched by nearest pixel), so every border
// must land on whole pixels: anti-aliased edges against the transparent key
// colour would leave a magenta fringe on screen. These helpers therefore work
// pixel by pixel; anti-aliasing is only used where the background behind a
// shape is known (glyphs on a button face), see paintGlyph().
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRect>

#include <functional>

namespace ivory {

// The colour the skin loader turns into its transparent key.
inline const QColor kKey(255, 0, 255);

QImage keyedImage(int width, int height);
bool isKey(QRgb pixel);

QColor mix(const QColor& from, const QColor& to, double t);

void fillRect(QImage& image, const QRect& rect, const QColor& color);
// Top row gets `top`, bottom row `bottom`, rows in between are interpolated.
void gradientV(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom);
QColor gradientAt(const QColor& top, const QColor& bottom, int row, int rows);
void copyRect(QImage& target, const QPoint& at, const QImage& source, const QRect& from);

// Rounded boxes are classified pixel by pixel: a pixel is outside, on ring 0
// (the 1-px border), ring 1 (just inside the border), or deeper. Radii are
// per corner so that a window can have round top and tighter bottom corners.
struct Radii {
    int topLeft = 0, topRight = 0, bottomLeft = 0, bottomRight = 0;
    static Radii all(int r) { return {r, r, r, r}; }
};

enum class Side { Top, Left, Bottom, Right };

struct PixelPlace {
    bool outside = false;
    int ring = 0; // 0 = border, 1 = first inner ring, ...
    Side nearest = Side::Top;
};
PixelPlace classify(int x, int y, int width, int height, const Radii& radii);

struct BoxStyle {
    QColor border;
    QColor fillTop, fillBottom; // vertical gradient of the inside
    QColor highlight;           // ring 1 on the top and left side (invalid: none)
    QColor shade;               // ring 1 on the bottom and right side (invalid: none)
    QColor outside = kKey;      // invalid: leave outside pixels untouched
};
void roundedBox(QImage& image, const QRect& rect, const Radii& radii, const BoxStyle& style);

// Draws `path` (in coordinates relative to `origin`) anti-aliased in `color`
// onto the image. Only use on opaque, non-key backgrounds.
void paintPath(QImage& image, const QPoint& origin, const QPainterPath& path, const QColor& color);
// Strokes `path` with a round-capped pen.
void strokePath(QImage& image, const QPoint& origin, const QPainterPath& path, const QColor& color, double width);

// Replaces every pixel of `rect` equal to `background` by the key colour, so a
// shape drawn on a known background can be blitted masked over that background.
void keyOut(QImage& image, const QRect& rect, const QColor& background);

} // namespace ivory
