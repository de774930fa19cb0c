#pragma once
// Writing a skin: its two body formats, the encodings of the four filters,
// the "SkinStream" content and skin files (see skin/stream/SkinFilter.h and
// skin/model/SkinSource.h for the formats the program reads).

#include "skin/model/SkinSource.h"
#include "skin/stream/SkinFilter.h"

namespace corvane::skin {

QByteArray writePlainBody(const SkinSource& source);
QByteArray writePackedBody(const SkinSource& source);

// The filter's encoding of `source`.
QByteArray writeSkin(const SkinFilter& filter, const SkinSource& source);

// Presence byte 2 and the default filter's encoding; a single 0 byte without
// a source or when the source has no objects.
QByteArray writeSkinStream(const SkinSource* source);

// zlib (RFC 1950) compression of a whole buffer at a level (1 fast, 9 best).
QByteArray deflateBytes(const QByteArray& data, int level);

} // namespace corvane::skin
