#include "skin/menu/SkinPopupPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace corvane::skin {

QPoint placePopup(QSize size, const QRect& monitor, PopupAnchor anchor, const QRect& itemRect, const QPoint& point)
{
    // Right and bottom as exclusive edges, as the monitor's area is measured.
    const int monitorRight = monitor.left() + monitor.width();
    const int monitorBottom = monitor.top() + monitor.height();
    const int itemRight = itemRect.left() + itemRect.width();
    const int itemBottom = itemRect.top() + itemRect.height();
    int x = 0;
    int y = 0;
    switch (anchor) {
    case PopupAnchor::FromBar:
        x = itemRect.left();
        y = itemBottom;
        if (x + size.width() > monitorRight)
            x = itemRight - size.width(); // right-aligned with the item
        if (y + size.height() > monitorBottom) {
            y = itemRect.top() - size.height(); // above the item
            if (y < monitor.top())
                y = monitor.top();
        }
        break;
    case PopupAnchor::FromPopup:
        x = itemRight;
        y = itemRect.top();
        if (x + size.width() > monitorRight)
            x = itemRect.left() - size.width();
        if (y + size.height() > monitorBottom)
            y = itemBottom - size.height(); // bottom-aligned with the item
        break;
    case PopupAnchor::FromPoint:
        x = point.x();
        y = point.y();
        if (x + size.width() > monitorRight)
            x = point.x() - size.width();
        if (y + size.height() > monitorBottom)
            y = point.y() - size.height();
        break;
    }
    // Finally pushed left and up to end inside the monitor, and never past
    // its top-left corner.
    if (x + size.width() > monitorRight)
        x = monitorRight - size.width();
    if (y + size.height() > monitorBottom)
        y = monitorBottom - size.height();
    x = qMax(x, monitor.left());
    y = qMax(y, monitor.top());
    return QPoint(x, y);
}

QRect monitorRect(const QWidget* form, const QPoint& point)
{
    QScreen* screen = nullptr;
    if (form && form->window())
        screen = form->window()->screen();
    if (!screen)
        screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace corvane::skin
