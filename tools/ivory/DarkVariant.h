// Ebony: the Ivory drawings and object trees turned dark. Every colour keeps
// its hue and saturation while its lightness is turned over, so the ivory
// surfaces become near-black, the ink becomes a warm light grey and the taupe
// accent stays recognisable; the transparent key colour is left alone.
#pragma once

#include "IvorySkin.h"

#include <QColor>

namespace ivory {

SkinHeader ebonyHeader();

// The dark counterpart of one colour.
QColor darkColor(const QColor& color);

// The same bitmaps and objects, dark: pixels, object and font colours.
// System colours become the dark counterpart of their usual value.
void makeDark(BitmapList& bitmaps, ObjectList& objects);

} // namespace ivory
