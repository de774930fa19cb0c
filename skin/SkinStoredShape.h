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

struct StoredWindowShape {
    QSize windowSize;
    QRegion shape;
};

// Nothing when `text` is not a stored shape.
std::optional<StoredWindowShape> readStoredWindowShape(const QByteArray& text);

} // namespace corvane::skin
