// Artwork for push buttons and the other standard controls of the skin.
#pragma once

#include <QImage>

namespace ivory {

// "Buttons" 225 x 20: five 45 x 20 faces (normal, pressed, disabled, hot,
// focused), each meant for a nine-slice with 4-px margins.
QImage drawButtonFaces();
QImage drawCheckBoxes();   // "check"  56 x 14: unchecked, checked, both disabled
QImage drawRadioButtons(); // "radio"  56 x 14: same order
// "arrows" 368 x 16: 23 cells of 16 x 16, see ControlArt.cpp for the order.
// `withFaces` false gives the glyph-only variant.
QImage drawArrows(bool withFaces);
QImage drawScrollThumbs(bool horizontal); // "hscroll" / "vscroll" 64 x 16
QImage drawScrollTracks(bool horizontal); // "hscroll2" / "vscroll2" 48 x 16
QImage drawPanelBorder();                 // "Taborder" 12 x 12
QImage drawTabs();                        // "tabs"     100 x 16
QImage drawProgressBars();                // "Pbars"    64 x 16
QImage drawToolButtons();                 // "tools"    60 x 15

} // namespace ivory
