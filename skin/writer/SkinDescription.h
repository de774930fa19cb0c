#pragma once
// The readable source of a skin, as skin authors keep it: a manifest naming
// the header strings, the bitmaps (BMP files, in stream order) and a file of
// top-level objects in the text object form.
//
//   # comment
//   SkinName = 'Ivory'
//   SkinVersion = '3.1.0'
//   Author = '...'
//   AuthorEMail = '...'
//   AuthorURL = ''
//   Bitmap = 'Top' bitmaps/00-Top.bmp        (one line per bitmap, in order)
//   Objects = objects.txt
//
// Paths are relative to the manifest's folder. Pure magenta (and colours
// within 5 of it) become the transparent key colour, as loading would make
// them, so that every filter stores the same skin.

#include "skin/model/SkinSource.h"

#include <QString>

namespace corvane::skin {

// Reads the description into `source` (replacing its content). Throws
// SkinError naming the file and line of any problem, and when the objects
// file holds no object.
void compileSkinDescription(const QString& manifestPath, SkinSource& source);

} // namespace corvane::skin
