#pragma once
// Derived looks of a skinned button's glyph: its transparent colour and its
// disabled picture.

#include <QImage>

namespace corvane::skin {

// A glyph without an alpha channel is transparent where it has the colour of
// its bottom-left pixel (the usual rule for button glyph bitmaps).
QImage glyphWithTransparency(const QImage& glyph);
// The look of a glyph on a disabled button without its own disabled image:
// an embossed silhouette in the 3-D highlight and shadow colours.
QImage disabledGlyph(const QImage& glyph);

} // namespace corvane::skin
