#pragma once
// Working out a window shape beforehand and storing it (see
// skin/SkinStoredShape.h for the stored form the frame reads).

#include "skin/SkinStoredShape.h"

namespace corvane::skin {

class SkinObject;

// The region the form object `form` (a tree with its bitmaps linked) covers
// laid out to `windowSize` in the normal state, with its shadow when
// `shadowSize` > 0: what the skinned frame makes the window's shape.
QRegion formShapeAt(SkinObject& form, const QSize& windowSize, int shadowSize = 0);

QByteArray writeStoredWindowShape(const StoredWindowShape& stored);

} // namespace corvane::skin
