#pragma once
// The two encodings of a stored skin object:
//
// Text object form ("object Name: TClass", one "Prop = value" line per
// property, indented two spaces per level, "end"; CR LF line ends; values are
// integers, identifiers, 'strings', True/False, [sets] and {hex binary}).
// Nested "object ... end" blocks read as children.
//
// Binary object form: "TPF0", class and object name as short strings, the
// properties (name, type tag, value) up to an empty name, then the nested
// objects up to a zero byte. Tags: 2/3/4 integers of 8/16/32 bits, 6 short
// string, 7 identifier, 8 false, 9 true, 10 binary, 11 set (12 long string is
// read and written for strings over 255 bytes). The program reads the binary
// form straight into skin objects (objectFromBinary, SkinObjectIO.h); the
// writers are in skin/writer.
//
// Readers throw SkinError on malformed, truncated or oversized input.

#include "skin/stream/SkinObjectRecord.h"

namespace corvane::skin {

SkinObjectRecord readTextObject(const QByteArray& text);
// Several top-level "object ... end" blocks one after the other (a skin
// description file).
QList<SkinObjectRecord> readTextObjects(const QByteArray& text);

} // namespace corvane::skin
