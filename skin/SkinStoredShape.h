#pragma once
// A window shape worked out beforehand: the region a skin's form object
// covers at one window size in the normal state, as the skin tools store it
// beside the built-in skin (corvane-skinshape), so that the frame need not
// draw and scan its bitmaps for it at every start.
//
// Stored as text: a comment line, the window's width and height, then one
// rectangle a line ("x y width height"), those of QRegion in its order.
#include <QByteArray>
#include <QRegion>
#include <QSize>

#include <optional>

namespace corvane::skin {

class SkinObject;

struct StoredWindowShape {
    QSize windowSize;
    QRegion shape;
};

// The region the form object `form` (a tree with its bitmaps linked) covers
// laid out to `windowSize` in the normal state, with its shadow when
// `shadowSize` > 0: what the skinned frame makes the window's shape.
QRegion formShapeAt(SkinObject& form, const QSize& windowSize, int shadowSize = 0);

QByteArray writeStoredWindowShape(const StoredWindowShape& stored);
// Nothing when `text` is not a stored shape.
std::optional<StoredWindowShape> readStoredWindowShape(const QByteArray& text);

} // namespace corvane::skin
