#pragma once
// Writing skin objects: their stored records and the two encodings of a
// record (see skin/model/SkinObjectForm.h for the formats).

#include "skin/model/SkinObjects.h"

namespace corvane::skin {

// The record of an object: every published property in stream order, the last
// one "Objects" (count | 0xF0000, then each child as class name, size and
// binary form).
SkinObjectRecord recordFromObject(const SkinObject& object);

// The "Objects" value alone, for a list of children.
QByteArray encodeObjectsProperty(const SkinObject& object);

QByteArray writeTextObject(const SkinObjectRecord& record);
QByteArray writeBinaryObject(const SkinObjectRecord& record);

} // namespace corvane::skin
