#pragma once
// Windows BMP files inside packed skin bodies: the reader decodes 16-, 24- and
// 32-bit files the way the desktop's own decoder does (5-bit channels widened
// as (v << 3) | (v >> 2), so the key colour survives the trip) and hands
// palette and run-length files to Qt once their data is known to define
// every pixel.

#include "skin/stream/SkinObjectRecord.h"

#include <QByteArray>
#include <QImage>

namespace corvane::skin {

// Decodes into Format_ARGB32, charging the pixels to `budget` before they are
// allocated; throws SkinError for a malformed file, one whose stated lengths
// disagree with its size, or one over the limits.
QImage decodeBmp(const QByteArray& file, SkinReadBudget& budget);

} // namespace corvane::skin
