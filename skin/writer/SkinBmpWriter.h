#pragma once
// Bitmaps of packed skin bodies as Windows BMP files of 16 bits per pixel
// (5-5-5, bottom-up rows), the form the packed body's reader expects.

#include <QByteArray>
#include <QImage>

namespace corvane::skin {

QByteArray encodeBmp16(const QImage& image);

} // namespace corvane::skin
