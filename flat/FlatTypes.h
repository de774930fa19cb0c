#pragma once
// Enumerations shared by the flat controls.
#include <QObject>

namespace corvane::flat {
Q_NAMESPACE

// Where a flat button's face shows its parent's background instead of a colour.
enum class TransparentMode {
    Always,        // always the parent's background
    UnlessHovered, // the parent's background while the pointer is not over it
    Never,         // always a colour of its own
};
Q_ENUM_NS(TransparentMode)

// Where a flat button's glyph stands relative to its caption.
enum class ButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };
Q_ENUM_NS(ButtonLayout)

// A flat button's drawing state. Exclusive is latched down as a group member.
enum class ButtonState { Up, Disabled, Down, Exclusive };
Q_ENUM_NS(ButtonState)

} // namespace corvane::flat
