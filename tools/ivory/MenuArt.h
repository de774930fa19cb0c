// Menu bar and popup menu artwork.
#pragma once

#include <QImage>

namespace ivory {

// "menu" 136 x 40: row 0..19 the bar (15-px end pieces and a uniform middle,
// which is also the picture of an item at rest), row 20..39 the picture of a
// hot item at columns 15..66. Both are uniform horizontally, so items of any
// width may stretch or tile them.
QImage drawMenu();
// "menuborders" 12 x 12: the popup border, nine-sliced with 3-px margins.
QImage drawMenuBorders();

} // namespace ivory
