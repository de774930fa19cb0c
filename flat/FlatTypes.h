#pragma once
// Enumerations shared by the flat controls. The value names are the ones the
// dialog layouts use.
#include <QObject>

namespace corvane::flat {
Q_NAMESPACE

// Where a flat button's face shows its parent's background instead of a colour.
enum TransparentMode { tmAlways, tmNotFocused, tmNone };
Q_ENUM_NS(TransparentMode)

// Where a flat button's glyph stands relative to its caption.
enum ButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(ButtonLayout)

// A flat button's drawing state. Exclusive is latched down as a group member.
enum ButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3 };
Q_ENUM_NS(ButtonState)

} // namespace corvane::flat
