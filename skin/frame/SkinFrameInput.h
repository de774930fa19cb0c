#pragma once
// SkinFrameInput: the pointer and the keyboard on a skinned frame. It
// answers which part of the frame lies under a window point, presses and
// releases caption buttons, moves the window by its caption and sizes it by
// its edges (live, or as an outline until the release), tracks which object
// of the skin the pointer hovers over (a 100 ms timer while the window is
// active and the pointer over it, so an idle window costs nothing), and
// hands Alt + letter presses and shortcut keys to the window's menu bar.

#include <QPoint>
#include <QRect>
#include <QRubberBand>
#include <QTimer>
#include <memory>

#include "skin/model/SkinObject.h"
#include "skin/frame/SkinFrameGeometry.h"

class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace corvane::skin {

class SkinCustomForm;

class SkinFrameInput {
public:
    explicit SkinFrameInput(SkinCustomForm& form);

    // The owner's pointer and key events while it is framed; true when the
    // frame took the event.
    bool handleEvent(QEvent* event);

    // What the window system is told for a window point.
    SystemAnswer systemAnswerAt(const QPoint& windowPoint);
    // The part of the frame a press holds down (the client while none).
    HitArea pressedArea() const { return m_pressing ? m_pressArea : HitArea::Client; }

    // Runs the hover timer while it is wanted (see above).
    void updateHoverTimer();
    void stopHoverTimer() { m_hoverTimer->stop(); }

    // Ends a press of the frame and returns every caption button it or the
    // pointer drew hot or pressed to normal (the window lost the pointer).
    void endPointerStates();
    // Forgets every pointer into the object tree (before it is freed).
    void forgetObjects();
    // The system's keyboard-menu command without a character (Alt alone):
    // the menu bar enters keyboard mode.
    void keyboardMenuCommand();

private:
    HitArea hitAreaAt(const QPoint& windowPoint);
    // One step of hover tracking for a window point.
    void trackPointer(const QPoint& windowPoint);
    SkinObject* objectAt(const QPoint& windowPoint);
    bool handleMouse(QMouseEvent* event);
    bool handleKey(QKeyEvent* event);
    void press(const QPoint& windowPoint, const QPoint& globalPoint, Qt::MouseButton button, Qt::MouseButtons buttons,
               bool doubleClick);
    void startDrag();
    void moveTo(const QPoint& windowPoint, const QPoint& globalPoint, Qt::MouseButtons buttons);
    void release(const QPoint& windowPoint, const QPoint& globalPoint, Qt::MouseButton button,
                 Qt::MouseButtons buttons);
    void finishOutline(HitArea pressArea);
    void releaseObject(const QPoint& globalPoint, Qt::MouseButton button, Qt::MouseButtons buttons);
    void dragTo(const QPoint& globalPoint);
    void setHitArea(HitArea area);
    // The plain frame shows the hit and pressed areas, so it is drawn again
    // when they change; a skin's objects redraw themselves when their own
    // look changes, and moving the window changes nothing else it shows.
    void repaintPlainFrame();
    void updateCursor(SystemAnswer answer);
    void runBuiltInButton(HitArea area);

    SkinCustomForm& m_form;
    bool m_pointerInside = false;
    bool m_pressing = false;
    bool m_dragging = false;
    bool m_doubleClick = false;
    HitArea m_hitArea = HitArea::Client;
    HitArea m_pressArea = HitArea::Client;
    QPoint m_pressGlobal;
    QRect m_pressBounds;
    QRect m_outline;
    std::unique_ptr<QRubberBand> m_outlineBand;
    SkinObject* m_hoverObject = nullptr;
    SkinObject* m_pressedObject = nullptr;
    // A child of the frame, named "frameHoverTimer".
    QTimer* m_hoverTimer;
};

} // namespace corvane::skin
