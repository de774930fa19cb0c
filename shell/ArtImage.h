#pragma once
// Reading the pictures stored with the program (board, pieces, icon).

#include <QIcon>
#include <QImage>
#include <QString>

namespace corvane::shell {

// Decodes the picture at `path` (a resource path such as ":/art/board.bmp")
// with the decoder its suffix names, BMP or PNG, both built into Qt. Qt's
// own QImage(path) would first ask every image format plugin installed
// whether it can read the file, loading all of them (and libjpeg with them)
// at start-up for nothing. A null image when the picture does not read.
QImage readArtImage(const QString& path);

// The picture with the pixels of its bottom-left pixel's colour made fully
// transparent, as the platform leaves out the background of a transparent
// bitmap.
QImage keyOutBottomLeftColour(const QImage& picture);

// The window icon from its stored images (one per size).
QIcon readArtIcon(std::initializer_list<QString> paths);

} // namespace corvane::shell
