#pragma once
// SkinMenuTracker: menu mode. While a menu bar or a popup menu tracks the
// user, every level (the bar, each open popup) runs a nested event loop of
// its own; the tracker sees every input event of the application first and
// decides what it means for the open levels: moving the hot item, opening
// and closing popups, choosing an item, or ending menu mode.
//
// The levels nest like the loops: a level opens its hot item's popup from its
// own loop and runs the popup's loop inside it; when the popup's loop returns
// the popup is destroyed and the level goes on. A level that must switch to
// another popup (the pointer slid along the bar, Left/Right) marks itself to
// open its new hot item and wakes its loop once the levels below it are gone.
//
// Menu mode ends at once, before anything else sees the input, when another
// window takes the input (a box, a dialog, a window that becomes active, the
// application losing the focus): the tracker lets go of the keyboard and the
// pointer and hides its popups, and the levels' loops return as soon as the
// loop of that window has returned. It ends the same way when a level's loop
// cannot run (the application is quitting), and as the loops unwind when the
// menu's window moves, is resized, minimised, hidden or closed.
//
// The levels and their loops are in SkinMenuTracker.cpp, the handling of
// keys and the pointer in SkinMenuTrackerInput.cpp.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "skin/menu/SkinItemView.h"

class QKeyEvent;
class QMouseEvent;
class QWindow;

namespace corvane::skin {

class SkinPopupWindow;

class SkinMenuTracker : public QObject {
    Q_OBJECT
public:
    // Whether menu mode is on (some level is tracking).
    static bool inMenuMode();
    // The tracker of the current menu mode, or null.
    static SkinMenuTracker* current();

    // Enters menu mode on a bar. `hot` (else the first item) becomes hot;
    // with `open` its popup opens at once (a press on the item). A non-null
    // `character` is taken as the first key (Alt + accelerator). Returns when
    // menu mode has ended.
    static void trackBar(SkinItemView* bar, SkinMenuItem* hot, bool open, QChar character = QChar());
    // Shows the sub-items of `item` in a popup at a screen point (system
    // menu, context menus) with the item's popup options, animated when they
    // ask for it; returns when menu mode has ended. `owner` is the window the
    // menu belongs to.
    static void trackPopup(SkinMenuItem* item, const QPoint& screenPoint, QWidget* owner);

    // Ends menu mode at every level.
    void endMenuMode();
    // Open levels, the outermost (the bar, or the first popup) first.
    const QList<SkinItemView*>& levels() const { return m_levels; }
    SkinItemView* innermost() const { return m_levels.isEmpty() ? nullptr : m_levels.last(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SkinMenuTracker(QWidget* grabber, QWidget* owner, bool fromBar);
    ~SkinMenuTracker() override;

    void begin();
    // Lets go of the input; idempotent.
    void finish();
    // Another window takes the input: menu mode ends at every level now,
    // and nothing of it stays on the screen while the loops wait to return.
    void abandon();
    bool isMenuWindow(const QWidget* window) const;
    bool takesInput(const QWidget* window) const;
    void focusWindowChanged(QWindow* focus);
    void grab(QWidget* widget);
    // A level's loop: runs until the level is done or menu mode ends.
    void runLevel(SkinItemView* level);
    // Opens the hot item's sub-items of `level` (at `point` for a root popup).
    void openSubmenu(SkinItemView* level);
    void runPopup(SkinMenuItem* item, SkinItemView* parentLevel, const QPoint& screenPoint);
    // Where the popup of `item` goes: beside its item, or at the point.
    QPoint popupPosition(const SkinPopupWindow& popup, const SkinMenuItem* item, const SkinItemView* parentLevel,
                         const QPoint& screenPoint) const;
    // Makes the item under the pointer hot, when the pointer is on the new
    // popup and no other level is above it there.
    void hotUnderPointer(SkinPopupWindow& popup);
    void wake(SkinItemView* level);
    void closeLevel(SkinItemView* level);
    void closeLevelsBelow(SkinItemView* level);

    // Input.
    bool handleKey(QKeyEvent* event);
    void handleCharacter(SkinItemView* level, QChar character);
    void handleMove(const QPoint& global);
    bool handlePress(QObject* watched, QMouseEvent* event);
    bool handleRelease(QMouseEvent* event);
    // A press or release on an item of a level acts as Enter.
    void pressItem(SkinItemView* level, const QPoint& global);
    // Whether the window under a screen point answers "frame" there (its
    // caption, caption buttons or borders): the platform's non-client area.
    static bool nonClientAt(const QPoint& global);
    // After menu mode ended on a press: whether the press, on its way to
    // `watched`, goes on as it is to the window under it; else it is sent
    // there (or nowhere: another application's window).
    static bool handOn(QObject* watched, const QMouseEvent* event);
    void enter(SkinItemView* level);
    void escape(SkinItemView* level);
    void moveOnBar(SkinItemView* bar, int step);
    // The level whose window is topmost at a screen point, or null.
    SkinItemView* levelAt(const QPoint& global) const;
    QRect levelScreenRect(const SkinItemView* level) const;

    QPointer<QWidget> m_grabber;
    QPointer<QWidget> m_owner;
    bool m_fromBar;
    bool m_ended = false;
    bool m_finished = false;
    bool m_abandoned = false;
    QPointer<QWidget> m_grabbed;
    QPoint m_lastPointer{-1000000, -1000000};
    QList<SkinItemView*> m_levels;
    QList<SkinPopupWindow*> m_popups;
};

} // namespace corvane::skin
