#pragma once
// The pure rules of the skinned button: which skin state it shows, where its
// glyph and caption go, and how many images a glyph bitmap holds. Kept apart
// from the widget so that they can be checked case by case.

#include "skin/stream/SkinStoredTypes.h"

#include <QRect>
#include <QSize>

namespace corvane::skin {

enum class ButtonState { Normal, Pressed };
// The side of the caption the glyph goes on.
enum class GlyphPlacement { Left, Right, Top, Bottom };

// Skin state of a button for its face and caption: 8 disabled, else 6 pressed,
// else 5 pointer inside, else 7 focused or acting as the default button, else 0.
SkinState buttonSkinState(bool enabled, ButtonState state, bool pointerInside, bool focusedOrActiveDefault);

// Where the glyph and the caption of a button go.
struct SkinButtonContent {
    QRect content;   // glyph and text together, centred in the button
    QRect glyphArea; // the glyph-side strip: glyph size plus Spacing
    QRect glyphRect; // the glyph itself, at the outer edge of its strip
    QRect textArea;  // the rest of the content
};

// `textSize` is the caption measured on one line; with `wordWrap` the text
// takes instead the button's size less Spacing, the glyph and 10 pixels.
// `glyphSize` is empty when the button has no glyph. While pressed the whole
// content moves by (1, 1).
SkinButtonContent layoutButtonContent(const QSize& buttonSize, const QSize& textSize, const QSize& glyphSize,
                                      GlyphPlacement placement, int spacing, bool wordWrap, bool pressed);

// The number of images in a glyph bitmap of the given size: width / height
// when the width is a multiple of the height and that is below 5, else 1.
// A size that is not such a multiple (or has no height) keeps `current`.
int glyphCountFor(const QSize& glyphBitmapSize, int current);

// The centred rectangle of `size` inside `area`, offsets truncated.
QRect centredIn(const QRect& area, const QSize& size);

} // namespace corvane::skin
