#pragma once
// Drawing routines shared by the flat controls: the bevel frame, the embossed
// image of a disabled glyph, colour-keyed glyph images and the placement of a
// glyph and a caption inside a button.
#include "flat/FlatTypes.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

namespace corvane::flat {

// Draws `width` nested one-pixel rings inside `rect`: the left column and top
// row of each ring in `top` (the top-right and bottom-left corners excluded),
// the right column and bottom row in `bottom`. A plain border is the same
// call with one colour for both.
void drawBevelFrame(QPainter& painter, const QRect& rect, const QColor& top, const QColor& bottom, int width);

// The image with every pixel whose colour equals `key` made fully transparent.
QImage keyedOut(const QImage& image, QRgb key);

// The colour of the bottom-left pixel, which is the transparent key of a glyph.
QRgb bottomLeftColor(const QImage& image);

// The embossed look of a disabled glyph: a `face` filled image of the same
// size, with `highlight` painted through the image's black pixels shifted one
// pixel right and down, then `shadow` through them at their own place.
QImage embossedImage(const QImage& image, const QColor& face, const QColor& highlight, const QColor& shadow);

// Where the glyph and the caption go inside a button.
struct GlyphCaptionPlacement {
    QPoint glyphPos;
    QRect captionBounds;
};

// Places a glyph of `glyphSize` and a caption of `captionSize` inside `client`
// moved by `offset`. A margin of -1 centres the whole, a spacing of -1 spreads
// the free room evenly. Every division truncates toward zero, as the layouts
// were designed against.
GlyphCaptionPlacement placeGlyphAndCaption(const QRect& client, const QPoint& offset, const QSize& captionSize,
                                           ButtonLayout layout, int margin, int spacing, const QSize& glyphSize);

} // namespace corvane::flat
