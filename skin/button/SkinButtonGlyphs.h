#pragma once
// Glyph pictures of the skinned button: the stock glyphs, captions and modal
// results of the standard kinds, and the derived looks of a glyph (its
// transparent colour, black and white, disabled).

#include "skin/button/SkinCustomButton.h"

#include <QImage>
#include <QString>

namespace corvane::skin {

// An 18 x 18 picture for a standard kind; null for bkCustom.
QImage stockGlyph(SkinButtonKind kind);
// The caption a standard kind brings ("确定", "取消(&C)" ...); empty for bkCustom.
QString stockCaption(SkinButtonKind kind);
int stockModalResult(SkinButtonKind kind);

// A glyph without an alpha channel is transparent where it has the colour of
// its bottom-left pixel (the usual rule for button glyph bitmaps).
QImage glyphWithTransparency(const QImage& glyph);
// Grey levels of the glyph, alpha kept.
QImage blackAndWhiteGlyph(const QImage& glyph);
// The look of a glyph on a disabled button without its own disabled image:
// an embossed silhouette in the 3-D highlight and shadow colours.
QImage disabledGlyph(const QImage& glyph);

} // namespace corvane::skin
