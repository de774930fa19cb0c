#pragma once

#include <QByteArray>
#include <QImage>

namespace corvane::art {

// Encodes pictures as uncompressed Windows bitmaps with the classic 40-byte
// info header. Qt's own writer only offers 1, 8 and 24 bits per pixel, and
// the board must be a 4-bit, 16-colour bitmap, so both depths are written
// here by hand for full control over the header.

// `image` must be Format_Indexed8 with at most 16 colours; rows are stored
// bottom-up, two pixels per byte, the left pixel in the high nibble.
QByteArray encodeBmp4(const QImage& image);

// Stores every pixel as blue, green, red bytes; alpha is ignored.
QByteArray encodeBmp24(const QImage& image);

// Writes `bytes` to `path`, creating missing folders; false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace corvane::art
