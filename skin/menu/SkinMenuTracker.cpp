#include "skin/menu/SkinMenuTracker.h"

#include <QApplication>
#include <QCursor>
#include <QWindow>
#include <memory>

#include "skin/menu/SkinPopupPlacement.h"
#include "skin/menu/SkinPopupWindow.h"

namespace corvane::skin {

namespace {
SkinMenuTracker* g_tracker = nullptr;
}

bool SkinMenuTracker::inMenuMode()
{
    return g_tracker != nullptr;
}

SkinMenuTracker* SkinMenuTracker::current()
{
    return g_tracker;
}

SkinMenuTracker::SkinMenuTracker(QWidget* grabber, QWidget* owner, bool fromBar)
    : m_grabber(grabber), m_owner(owner), m_fromBar(fromBar)
{ }

SkinMenuTracker::~SkinMenuTracker() = default;

void SkinMenuTracker::begin()
{
    g_tracker = this;
    qApp->installEventFilter(this);
    if (m_owner && m_owner->window() != m_owner)
        m_owner->window()->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &SkinMenuTracker::focusWindowChanged);
    // The menu's window takes the pointer and the keyboard: presses outside
    // the application still reach menu mode and end it. A menu whose window
    // is hidden (the tray menu) grabs with its first popup instead.
    if (m_grabber && m_grabber->isVisible())
        grab(m_grabber);
    m_lastPointer = QCursor::pos();
}

void SkinMenuTracker::grab(QWidget* widget)
{
    // The platform's popups take the pointer and the keyboard themselves;
    // other windows cannot (Wayland).
    if (SkinPopupWindow::usesPlatformPopups())
        return;
    m_grabbed = widget;
    widget->grabMouse();
    widget->grabKeyboard();
}

void SkinMenuTracker::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_grabbed) {
        m_grabbed->releaseKeyboard();
        m_grabbed->releaseMouse();
        m_grabbed = nullptr;
    }
    disconnect(qApp, &QGuiApplication::focusWindowChanged, this, &SkinMenuTracker::focusWindowChanged);
    qApp->removeEventFilter(this);
    if (m_owner && m_owner->window())
        m_owner->window()->removeEventFilter(this);
    if (g_tracker == this)
        g_tracker = nullptr;
}

void SkinMenuTracker::abandon()
{
    if (m_finished)
        return;
    m_abandoned = true;
    endMenuMode();
    finish();
    for (SkinPopupWindow* popup : std::as_const(m_popups))
        popup->hide();
    for (SkinItemView* level : std::as_const(m_levels)) {
        level->setTracking(false);
        level->setSubmenuOpen(false);
        level->setHotStrip(ScrollStrip::None);
        level->setHot(nullptr);
    }
}

bool SkinMenuTracker::isMenuWindow(const QWidget* window) const
{
    for (const SkinPopupWindow* popup : m_popups)
        if (popup == window)
            return true;
    return false;
}

bool SkinMenuTracker::takesInput(const QWidget* window) const
{
    if (!window->isWindow() || isMenuWindow(window) || (m_owner && window == m_owner->window()))
        return false;
    if (window->isModal())
        return true;
    switch (window->windowType()) {
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop: return false;
    default: break;
    }
    return !window->testAttribute(Qt::WA_ShowWithoutActivating) &&
           !window->testAttribute(Qt::WA_TransparentForMouseEvents) &&
           !window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus);
}

void SkinMenuTracker::focusWindowChanged(QWindow* focus)
{
    if (!focus)
        return; // the application losing the focus is an application state change
    if (m_owner && m_owner->window() && m_owner->window()->windowHandle() == focus)
        return;
    for (const SkinPopupWindow* popup : std::as_const(m_popups))
        if (popup->windowHandle() == focus)
            return;
    abandon();
}

void SkinMenuTracker::trackBar(SkinItemView* bar, SkinMenuItem* hot, bool open, QChar character)
{
    // A bar whose window is closed or minimised opens no menu: its popups
    // would stay on the screen without the window.
    if (g_tracker || !bar || !bar->item()->hasVisibleItems() ||
        (bar->host() && (!bar->host()->isVisible() || bar->host()->window()->isMinimized())))
        return;
    SkinMenuTracker tracker(bar->host(), bar->host(), true);
    tracker.begin();
    bar->setTracking(true);
    bar->setHot(nullptr);
    bar->setHot(hot ? hot : bar->firstItem());
    if (bar->host())
        bar->host()->repaint();
    bar->setOpensHotItemNext(open && bar->hot() && bar->hot()->hasVisibleItems());
    if (!character.isNull()) {
        tracker.m_levels.append(bar);
        tracker.handleCharacter(bar, character);
        tracker.m_levels.removeOne(bar);
    }
    if (!tracker.m_ended)
        tracker.runLevel(bar);
    bar->setTracking(false);
    bar->setSubmenuOpen(false);
    bar->setOpensHotItemNext(false);
    tracker.finish();
    // Back to hover: the item under the pointer, if any, shows hot; nothing
    // does when another window took the input.
    const QPoint local = bar->host() ? bar->host()->mapFromGlobal(QCursor::pos()) : QPoint(-1, -1);
    const bool inside = !tracker.m_abandoned && bar->host() && bar->host()->rect().contains(local);
    bar->setHot(inside ? bar->itemAt(local) : nullptr);
    if (bar->host())
        bar->host()->repaint();
}

void SkinMenuTracker::trackPopup(SkinMenuItem* item, const QPoint& screenPoint, QWidget* owner)
{
    if (g_tracker || !item || !item->hasVisibleItems())
        return;
    SkinMenuTracker tracker(owner ? owner->window() : nullptr, owner, false);
    tracker.begin();
    tracker.runPopup(item, nullptr, screenPoint);
    tracker.finish();
}

// ---------------------------------------------------------------------------
// Levels and their loops

void SkinMenuTracker::runLevel(SkinItemView* level)
{
    level->setDone(false);
    level->setTracking(true);
    m_levels.append(level);
    QEventLoop loop;
    level->setLoop(&loop);
    while (!level->isDone() && !m_ended) {
        if (level->opensHotItemNext()) {
            level->setOpensHotItemNext(false);
            openSubmenu(level);
            continue;
        }
        // A loop cannot run while the application is quitting (every new
        // loop returns at once until the main loop has returned): menu mode
        // ends here and lets go of the input, so that the quit goes on.
        if (loop.exec() < 0) {
            abandon();
            break;
        }
    }
    level->setLoop(nullptr);
    level->setTracking(false);
    level->setHotStrip(ScrollStrip::None);
    m_levels.removeOne(level);
}

void SkinMenuTracker::openSubmenu(SkinItemView* level)
{
    SkinMenuItem* item = level->hot();
    if (!item || !item->hasVisibleItems())
        return;
    runPopup(item, level, QPoint());
}

void SkinMenuTracker::runPopup(SkinMenuItem* item, SkinItemView* parentLevel, const QPoint& screenPoint)
{
    if (!item->hasVisibleItems())
        return; // a popup with no visible sub-item is not opened

    QWidget* opener = parentLevel ? parentLevel->host() : m_owner.data();
    const auto popup = std::make_unique<SkinPopupWindow>(item, item->popupOptions(), opener);
    SkinItemView* level = popup->view();
    level->setParentLevel(parentLevel);
    m_popups.append(popup.get());
    const QPoint position = popupPosition(*popup, item, parentLevel, screenPoint);
    if (parentLevel) {
        parentLevel->setChildLevel(level);
        parentLevel->setSubmenuOpen(true);
        parentLevel->repaintItem(item);
    }

    // The level starts with its first item hot, then the item under the
    // pointer, if any. Menus opened at a point show with the animation their
    // options ask for; a bar's items keep the plain options, and its menus
    // open at once.
    level->setTracking(true);
    level->setHot(level->firstItem());
    popup->showAt(position, !m_fromBar);
    if (!parentLevel && !m_grabbed && !m_finished)
        grab(popup.get());
    hotUnderPointer(*popup);

    if (!m_ended)
        runLevel(level);

    if (parentLevel) {
        parentLevel->setChildLevel(nullptr);
        parentLevel->repaintItem(item);
    }
    m_popups.removeOne(popup.get());
    if (m_grabbed == popup.get()) {
        popup->releaseKeyboard();
        popup->releaseMouse();
        m_grabbed = nullptr;
    }
    popup->hide();
    if (!parentLevel)
        m_ended = true; // the root popup closed: menu mode is over
}

QPoint SkinMenuTracker::popupPosition(const SkinPopupWindow& popup, const SkinMenuItem* item,
                                      const SkinItemView* parentLevel, const QPoint& screenPoint) const
{
    const QWidget* form = item->ownerWindow() ? item->ownerWindow() : m_owner.data();
    if (!parentLevel)
        return placePopup(popup.popupSize(), monitorRect(form, screenPoint), PopupAnchor::FromPoint, QRect(),
                          screenPoint);
    const QRect itemRect(parentLevel->host()->mapToGlobal(item->rect().topLeft()), item->rect().size());
    return placePopup(popup.popupSize(), monitorRect(form, itemRect.center()),
                      parentLevel->isBar() ? PopupAnchor::FromBar : PopupAnchor::FromPopup, itemRect);
}

void SkinMenuTracker::hotUnderPointer(SkinPopupWindow& popup)
{
    const QPoint pointer = QCursor::pos();
    if (levelAt(pointer) != nullptr || !popup.geometry().contains(pointer))
        return;
    SkinItemView* level = popup.view();
    if (SkinMenuItem* under = level->itemAt(popup.mapFromGlobal(pointer)); under && under->isSelectable())
        level->setHot(under);
}

void SkinMenuTracker::wake(SkinItemView* level)
{
    if (level->loop())
        level->loop()->exit();
}

void SkinMenuTracker::closeLevel(SkinItemView* level)
{
    closeLevelsBelow(level);
    level->setDone(true);
    wake(level);
}

void SkinMenuTracker::closeLevelsBelow(SkinItemView* level)
{
    const int index = int(m_levels.indexOf(level));
    if (index < 0)
        return;
    for (int i = int(m_levels.size()) - 1; i > index; --i) {
        m_levels[i]->setDone(true);
        wake(m_levels[i]);
    }
}

void SkinMenuTracker::endMenuMode()
{
    m_ended = true;
    for (SkinItemView* level : std::as_const(m_levels)) {
        level->setDone(true);
        wake(level);
    }
}

} // namespace corvane::skin
