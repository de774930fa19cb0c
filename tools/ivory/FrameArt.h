// Window frame artwork: caption, borders, caption buttons and the client tile.
#pragma once

#include "NamedBitmap.h"

#include <QColor>

namespace ivory {

struct FrameColors {
    QColor outline, highlight, shade;
    QColor captionTop, captionBottom; // caption gradient, rows 2 .. 21
    QColor surface;                   // borders below the caption
    QColor grooveLight, grooveDark;   // engraved edge around the client area
};
FrameColors frameColors(bool active);

// A whole window frame drawn in one piece; the frame bitmaps are cut from it,
// so the pieces meet seamlessly whatever size the window has.
QImage drawWholeFrame(int width, int height, bool active);

QImage drawTop();    // "Top"    136 x 48
QImage drawBottom(); // "Bottom" 196 x 32
QImage drawLeft();   // "Left"   48 x 158
QImage drawRight();  // "Right"  48 x 158
QImage drawDialog(); // "Dialog" 64 x 45, the client background tile

// Caption buttons: six cells each (active, pressed, hot, normal, then two
// spare pictures), laid out as the "Form" tree's links expect.
QImage drawRollButtons();  // "roll"  108 x 20
QImage drawMinButtons();   // "min"   96 x 21
QImage drawMaxButtons();   // "max"   96 x 21
QImage drawCloseButtons(); // "close" 114 x 20
QImage drawHelpButtons();  // "help"  72 x 10

} // namespace ivory
