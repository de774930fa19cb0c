// SkinMenuTracker: the input of menu mode. Every input event of the
// application reaches the tracker first; keys move and choose within the
// innermost level, the pointer moves the hot item of the level under it, and
// a press outside every level ends menu mode.

#include "skin/menu/SkinMenuTracker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "skin/SkinFormTypes.h"
#include "skin/menu/SkinPopupWindow.h"

namespace corvane::skin {

// ---------------------------------------------------------------------------
// Input

bool SkinMenuTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: return handleKey(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu: return true;
    case QEvent::MouseMove: handleMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()); return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: return handlePress(watched, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonRelease: return handleRelease(static_cast<QMouseEvent*>(event));
    case QEvent::Close:
        // The platform closes its popup (Wayland: a press outside the
        // program): menu mode is over.
        if (watched->isWidgetType() && isMenuWindow(static_cast<QWidget*>(watched)))
            endMenuMode();
        [[fallthrough]];
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        // A change of the owner window's position, visibility or state
        // (minimised by the window manager) ends menu mode; the event itself
        // goes on as usual.
        if (m_owner && watched == m_owner->window())
            endMenuMode();
        return false;
    case QEvent::Show:
        // A window that takes the input ends menu mode before it is there.
        if (watched->isWidgetType() && takesInput(static_cast<QWidget*>(watched)))
            abandon();
        return false;
    case QEvent::WindowBlocked:
        // A modal window now blocks the menu's window or one of its popups.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow() &&
            ((m_owner && watched == m_owner->window()) || isMenuWindow(static_cast<QWidget*>(watched))))
            abandon();
        return false;
    case QEvent::ApplicationStateChange:
        if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            abandon();
        return false;
    case QEvent::Quit: endMenuMode(); return false;
    default: return false;
    }
}

bool SkinMenuTracker::handleKey(QKeyEvent* event)
{
    SkinItemView* level = innermost();
    if (!level || (QGuiApplication::mouseButtons() & Qt::LeftButton))
        return true;
    SkinItemView* parent = level->parentLevel();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space: break;
    case Qt::Key_Return:
    case Qt::Key_Enter: enter(level); break;
    case Qt::Key_Alt:
    case Qt::Key_F10: endMenuMode(); break;
    case Qt::Key_Escape: escape(level); break;
    case Qt::Key_Left:
        if (level->isBar()) {
            moveOnBar(level, -1);
        } else if (parent && parent->isBar()) {
            closeLevel(level);
            moveOnBar(parent, -1);
        } else if (parent) {
            closeLevel(level);
        }
        break;
    case Qt::Key_Up:
        if (!level->isBar())
            level->setHot(level->neighbour(-1));
        break;
    case Qt::Key_Right:
        if (level->isBar()) {
            moveOnBar(level, +1);
        } else if (parent) {
            if (level->hot() && level->hot()->hasVisibleItems()) {
                level->setOpensHotItemNext(true);
                wake(level);
            } else if (parent->isBar()) {
                closeLevel(level);
                moveOnBar(parent, +1);
            } else {
                closeLevel(level);
            }
        }
        break;
    case Qt::Key_Down:
        if (level->isBar()) {
            if (level->hot() && level->hot()->hasVisibleItems()) {
                level->setOpensHotItemNext(true);
                wake(level);
            }
        } else {
            level->setHot(level->neighbour(+1));
        }
        break;
    default:
        if (!event->text().isEmpty() && event->text().at(0).isPrint())
            handleCharacter(level, event->text().at(0));
        break;
    }
    return true;
}

void SkinMenuTracker::handleCharacter(SkinItemView* level, QChar character)
{
    SkinMenuItem* item = level->itemWithAccelerator(character);
    if (!item)
        return;
    level->setHot(item);
    enter(level);
}

void SkinMenuTracker::enter(SkinItemView* level)
{
    SkinMenuItem* item = level->hot();
    // Once an item is chosen, menu mode is over, though its levels stay on
    // the screen until their loops unwind: the release of the press that
    // chose it (or a second key) arrives there and must not choose again.
    if (!item || m_ended)
        return;
    if (item->hasVisibleItems()) {
        if (!level->childLevel()) {
            level->setOpensHotItemNext(true);
            wake(level);
        }
        return;
    }
    if (item->isEnabled() && !item->isSeparator()) {
        item->click();
        endMenuMode();
    }
}

void SkinMenuTracker::escape(SkinItemView* level)
{
    if (!level->parentLevel()) {
        // On the bar (or a popup opened at a point) Esc leaves menu mode.
        endMenuMode();
        return;
    }
    level->parentLevel()->setSubmenuOpen(false);
    level->setHot(nullptr);
    closeLevel(level);
}

void SkinMenuTracker::moveOnBar(SkinItemView* bar, int step)
{
    SkinMenuItem* next = bar->neighbour(step);
    if (!next)
        return;
    bar->setHot(next);
    if (bar->isSubmenuOpen() && next->hasVisibleItems()) {
        bar->setOpensHotItemNext(true);
        wake(bar);
    }
}

QRect SkinMenuTracker::levelScreenRect(const SkinItemView* level) const
{
    QWidget* host = level->host();
    if (!host || !host->isVisible())
        return QRect();
    return QRect(host->mapToGlobal(QPoint(0, 0)), host->size());
}

SkinItemView* SkinMenuTracker::levelAt(const QPoint& global) const
{
    for (int i = int(m_levels.size()) - 1; i >= 0; --i)
        if (levelScreenRect(m_levels[i]).contains(global))
            return m_levels[i];
    return nullptr;
}

void SkinMenuTracker::handleMove(const QPoint& global)
{
    if (global == m_lastPointer)
        return;
    m_lastPointer = global;
    SkinItemView* top = levelAt(global);
    for (SkinItemView* level : std::as_const(m_levels)) {
        if (level != top) {
            if (level == innermost())
                level->setHotStrip(ScrollStrip::None);
            continue;
        }
        const QPoint local = level->host()->mapFromGlobal(global);
        level->setHotStrip(level->stripAt(local));
        SkinMenuItem* item = level->itemAt(local);
        if (!item || !item->isSelectable() || item == level->hot())
            return;
        // This level's hot item changes: the levels below it close, and it
        // opens the new hot item's sub-items (a bar only while a popup is open).
        const bool reopen = level->isBar() ? level->isSubmenuOpen() : true;
        closeLevelsBelow(level);
        level->setHot(item);
        if (reopen && item->hasVisibleItems()) {
            level->setOpensHotItemNext(true);
            wake(level);
        }
        return;
    }
}

bool SkinMenuTracker::handlePress(QObject* watched, QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (SkinItemView* level = levelAt(global)) {
        if (event->button() == Qt::LeftButton)
            pressItem(level, global);
        return true; // the menu's own windows do nothing else with a press
    }
    // Outside every level: a left press, or any press on a window's frame,
    // ends menu mode and then does what it does without a menu (closes,
    // moves, opens the system menu). Other presses go their way.
    if (event->button() != Qt::LeftButton && !nonClientAt(global))
        return false;
    abandon();
    return !handOn(watched, event);
}

bool SkinMenuTracker::handleRelease(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return true;
    const QPoint global = event->globalPosition().toPoint();
    SkinItemView* level = levelAt(global);
    if (!level) {
        // Released outside every level: menu mode ends; the release goes on.
        abandon();
        return false;
    }
    pressItem(level, global);
    return true;
}

void SkinMenuTracker::pressItem(SkinItemView* level, const QPoint& global)
{
    SkinMenuItem* item = level->itemAt(level->host()->mapFromGlobal(global));
    if (!item || !item->isSelectable())
        return;
    if (item != level->hot()) {
        // The pointer did not make it hot yet (a press without a move first).
        closeLevelsBelow(level);
        level->setHot(item);
        if (item->hasVisibleItems()) {
            level->setOpensHotItemNext(true);
            wake(level);
            return;
        }
    }
    enter(level);
}

bool SkinMenuTracker::nonClientAt(const QPoint& global)
{
    QWidget* window = QApplication::topLevelAt(global);
    if (!window)
        return false;
    SkinHitTestEvent hitTest(window->mapFromGlobal(global));
    QCoreApplication::sendEvent(window, &hitTest);
    return hitTest.nonClient();
}

bool SkinMenuTracker::handOn(QObject* watched, const QMouseEvent* event)
{
    const QPointF global = event->globalPosition();
    QWidget* window = QApplication::topLevelAt(global.toPoint());
    if (!window || !window->windowHandle())
        return false; // another application's window: it never saw the press
    // Without the grab the window system's event finds its way by itself;
    // it goes on as it is, so the application's button state stays true.
    if (watched == window->windowHandle() ||
        (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window))
        return true;
    // It was on its way to another of the application's windows.
    QWindow* handle = window->windowHandle();
    QMouseEvent again(event->type(), handle->mapFromGlobal(global), global, event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(handle, &again);
    return false;
}

} // namespace corvane::skin
