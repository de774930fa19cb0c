#pragma once
// Where a popup menu opens: next to the item that opens it (below a bar item,
// right of a popup item) or at a point, kept inside the monitor of the window
// that owns the menu.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace corvane::skin {

enum class PopupAnchor { FromBar, FromPopup, FromPoint };

// The top-left corner of a popup of `size`. `itemRect` is the opening item's
// rectangle in screen coordinates (FromBar, FromPopup); `point` the screen
// point (FromPoint).
QPoint placePopup(QSize size, const QRect& monitor, PopupAnchor anchor, const QRect& itemRect,
                  const QPoint& point = QPoint());

// The monitor of the top-level window of `form`, else of the screen at `point`,
// else the primary screen.
QRect monitorRect(const QWidget* form, const QPoint& point);

} // namespace corvane::skin
