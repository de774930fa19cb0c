// The Ivory colour palette: warm ivory surfaces, a muted taupe accent and
// crisp darker outlines. Every picture of the skin takes its colours from here
// so the frame, menus and controls read as one theme.
#pragma once

#include <QColor>

namespace ivory::palette {

// Surfaces, light to dark.
inline const QColor kPaper(255, 254, 250);     // brightest highlight
inline const QColor kIvory(250, 247, 239);     // light surfaces (menu bar, button tops)
inline const QColor kCream(240, 234, 221);     // mid surface
inline const QColor kLinen(236, 231, 220);     // client background
inline const QColor kSand(214, 204, 184);      // separators, shaded rings
inline const QColor kStone(176, 164, 140);     // quiet borders
inline const QColor kTaupe(119, 108, 87);      // accent: hot items, selections (0x576C77)
inline const QColor kUmber(88, 79, 63);        // strong outlines
inline const QColor kInk(58, 52, 42);          // text and glyphs
inline const QColor kPopupFill(232, 225, 215); // popup item fill (0xD7E1E8)

// Inactive (unfocused) variants: the same hues, washed out.
inline const QColor kMist(246, 244, 239);
inline const QColor kFog(236, 233, 226);
inline const QColor kPebble(172, 166, 154);
inline const QColor kAsh(184, 178, 166);

// The close button's warning colour, kept muted.
inline const QColor kBrick(184, 80, 60);
inline const QColor kBrickLight(214, 114, 90);
inline const QColor kBrickDark(136, 56, 40);

// Disabled controls.
inline const QColor kDisabledBorder(204, 198, 188);
inline const QColor kDisabledFace(241, 239, 234);
inline const QColor kDisabledGlyph(186, 180, 170);

// Colour in the platform's 0x00BBGGRR layout, as stored in skin objects.
inline int toSkinColor(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace ivory::palette
