// TSkinCustomForm: the owner window's events as the frame sees them, and the
// pointer on the frame (caption buttons, moving, sizing, hover).

#include "skin/frame/TSkinCustomForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRubberBand>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

namespace corvane::skin {

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Qt::CursorShape cursorFor(TSystemAnswer answer)
{
    switch (answer) {
    case TSystemAnswer::Left:
    case TSystemAnswer::Right: return Qt::SizeHorCursor;
    case TSystemAnswer::Top:
    case TSystemAnswer::Bottom: return Qt::SizeVerCursor;
    case TSystemAnswer::TopLeft:
    case TSystemAnswer::BottomRight: return Qt::SizeFDiagCursor;
    case TSystemAnswer::TopRight:
    case TSystemAnswer::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Events of the owner window

bool TSkinCustomForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_owner)
        return false;
    const int type = event->type();
    switch (type) {
    case CM_SKINGETFORM:
        static_cast<TSkinGetFormEvent*>(event)->setForm(this);
        return true;
    case CM_SKINREDRAW: {
        // Caption buttons ask for a redraw of their own rectangle; the client
        // object never repaints over the client area.
        TSkinObject* object = static_cast<TSkinRedrawEvent*>(event)->object();
        invalidateFrameCache();
        if (m_framed && object && object != clientObject())
            m_owner->update(object->boundsRect());
        return true;
    }
    case CM_SKINCHANGING:
        invalidateFrameCache();
        skinChanging(static_cast<TSkinChangeEvent*>(event)->engine());
        return false;
    case CM_SKINCHANGED:
        invalidateFrameCache();
        skinChanged(static_cast<TSkinChangeEvent*>(event)->engine());
        return false;
    case CM_PERFORMSTATE:
        performStoredState(m_storedState);
        return true;
    case CM_SKINHITTEST: {
        auto* hitTest = static_cast<TSkinHitTestEvent*>(event);
        hitTest->setNonClient(m_framed && systemAnswerAt(hitTest->windowPoint()) != TSystemAnswer::Client);
        return true;
    }
    default: break;
    }
    if (!m_framed)
        return false;

    switch (event->type()) {
    case QEvent::Paint:
        paint(static_cast<QPaintEvent*>(event)->region());
        return true;
    case QEvent::Resize:
        updateShape();
        return false;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        invalidateFrameCache();
        return false;
    case QEvent::ActivationChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        const bool active = m_owner->isActiveWindow();
        if (active != m_windowActive) {
            m_windowActive = active;
            invalidateFrameCache();
            if (!active)
                endPointerStates();
            m_owner->update(QRegion(m_owner->rect()) - QRegion(clientRect()));
        }
        updateHoverTimer();
        return false;
    }
    case QEvent::Enter:
        m_pointerInside = true;
        updateHoverTimer();
        return false;
    case QEvent::Leave:
        m_pointerInside = false;
        trackPointer(QPoint(-1, -1));  // whatever was hot is left now
        updateHoverTimer();
        return false;
    case QEvent::WindowStateChange:
        followPlatformState();
        return false;
    case QEvent::WindowBlocked:
        // A modal window takes the pointer from here on: no press of the
        // frame goes on and no caption button stays hot or pressed.
        endPointerStates();
        return false;
    case QEvent::WindowTitleChange:
        repaintFrame();
        if (m_tray)
            m_tray->setToolTip(trayTip());
        return false;
    case QEvent::WindowIconChange:
        if (m_tray)
            m_tray->setIcon(frameIcon());
        repaintFrame();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return handleMouse(static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress: {
        // Keys the focused control did not take reach the window: Alt with a
        // character enters the menu bar, other shortcuts are offered to it.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!MenuBar || QWidget::mouseGrabber())
            return false;
        if (key->modifiers() == Qt::AltModifier && !key->text().isEmpty() && key->text() != QLatin1String(" ")
            && key->text() != QLatin1String("-")) {
            MenuBar->keyboardMenu(key->text().at(0));
            return true;
        }
        return MenuBar->offerShortCut(key->key(), key->modifiers());
    }
    default: return false;
    }
}

// ---------------------------------------------------------------------------
// Pointer handling

bool TSkinCustomForm::handleMouse(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    const bool onFrame = systemAnswerAt(point) != TSystemAnswer::Client;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event->button() != Qt::LeftButton)
            return onFrame;  // other buttons on the frame are the frame's
        if (!onFrame)
            return false;
        press(point, global, event->button(), event->buttons(), event->type() == QEvent::MouseButtonDblClick);
        return true;
    case QEvent::MouseMove:
        if (!m_pressing && !onFrame) {
            // Over the client area without a press of the frame.
            setHitArea(THitArea::Client);
            updateCursor(TSystemAnswer::Client);
            return false;
        }
        moveTo(point, global, event->buttons());
        return true;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::RightButton) {
            if (!m_pressing && hitAreaAt(point) == THitArea::Caption && onFrame) {
                showSystemMenu(global);
                return true;
            }
            return onFrame;
        }
        if (event->button() != Qt::LeftButton || !m_pressing)
            return onFrame;
        release(point, global, event->button(), event->buttons());
        return true;
    default: return false;
    }
}

void TSkinCustomForm::press(const QPoint& point, const QPoint& global, Qt::MouseButton button,
                            Qt::MouseButtons buttons, bool doubleClick)
{
    if (!m_owner->isActiveWindow())
        m_owner->activateWindow();
    m_pressArea = hitAreaAt(point);
    m_hitArea = m_pressArea;
    m_pressGlobal = global;
    m_pressBounds = m_owner->geometry();
    m_doubleClick = doubleClick;
    m_pressing = true;  // the owner keeps the pointer until the release
    repaintFrame();

    const bool moving = m_pressArea == THitArea::Caption;
    if (moving || isEdgeArea(m_pressArea)) {
        if (moving && onWayland()) {
            // A Wayland client cannot place its own window: the compositor moves it.
            if (Dragging.Moveable && m_state != wsMaximized && m_owner->windowHandle())
                m_owner->windowHandle()->startSystemMove();
        } else {
            m_dragging = true;
            m_outline = QRect();
        }
    }

    if (TSkinObject* object = objectAt(point)) {
        const QPoint relative = point - QPoint(object->left(), object->top());
        m_pressedObject = object;
        if (doubleClick)
            object->dblClick();
        else
            object->mouseDown(button, buttons, relative);
    }
}

void TSkinCustomForm::moveTo(const QPoint& point, const QPoint& global, Qt::MouseButtons buttons)
{
    if ((buttons & Qt::LeftButton) && m_dragging) {
        dragTo(global);
    } else {
        const THitArea area = hitAreaAt(point);
        setHitArea(area);
        updateCursor(systemAnswerOf(area, Dragging, m_state == wsMaximized));
    }
    const QPoint now = m_owner->mapFromGlobal(global);  // the window may have moved
    TSkinObject* object = objectAt(now);
    if (object && (buttons == Qt::NoButton || object == m_pressedObject))
        object->mouseMove(buttons, now - QPoint(object->left(), object->top()));
}

void TSkinCustomForm::dragTo(const QPoint& global)
{
    const QPoint travel = global - m_pressGlobal;
    QRect target;
    if (m_pressArea == THitArea::Caption) {
        if (!Dragging.Moveable || m_state == wsMaximized)
            return;
        target = applyGravitation(m_pressBounds.translated(travel), workArea(), Gravitation,
                                  Shadow.Enabled ? Shadow.Size : 0);
    } else {
        if (!Dragging.Sizeable || m_state != wsNormal)
            return;
        target = sizeByEdge(m_pressBounds, m_pressArea, travel, minimumTrackSize());
    }

    if (Dragging.DragMode == fdmBorder) {
        // Outline mode: only a rectangle follows the pointer until the release.
        m_outline = target;
        if (!m_outlineBand)
            m_outlineBand = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
        m_outlineBand->setGeometry(target);
        m_outlineBand->show();
        return;
    }
    if (m_pressArea == THitArea::Caption)
        m_owner->move(target.topLeft());
    else
        setWindowBounds(target);
    setHitArea(hitAreaAt(m_owner->mapFromGlobal(global)));
}

void TSkinCustomForm::release(const QPoint& point, const QPoint& global, Qt::MouseButton button,
                              Qt::MouseButtons buttons)
{
    QPointer<TSkinCustomForm> self(this);
    m_pressing = false;
    const THitArea pressArea = m_pressArea;
    const bool doubleClick = m_doubleClick;
    m_doubleClick = false;

    if (doubleClick && pressArea == THitArea::Caption && (m_borderIcons & borderIconBit(biMaximize))) {
        if (m_state == wsMinimized)
            restore();
        else
            maximize();
        if (!self)
            return;
    }
    if (!tree() && isBuiltInButtonArea(pressArea) && hitAreaAt(point) == pressArea) {
        repaintFrame();
        runBuiltInButton(pressArea);
        if (!self)
            return;
    }
    if (m_outline.isValid()) {
        const QRect finalBounds = m_outline;
        m_outline = QRect();
        if (m_outlineBand)
            m_outlineBand->hide();
        if (pressArea == THitArea::Caption)
            m_owner->move(finalBounds.topLeft());
        else
            setWindowBounds(finalBounds);
    }
    m_dragging = false;

    const QPoint now = m_owner->mapFromGlobal(global);
    TSkinObject* pressed = m_pressedObject;
    m_pressedObject = nullptr;
    TSkinObject* object = objectAt(now);
    if (object && object == pressed) {
        // The released object shows hot now: it is the hovered one, so that
        // whatever takes the pointer away from it (a move, the window losing
        // the focus to a box its action opens) returns it to normal.
        if (m_hoverObject != object) {
            if (TSkinObject* left = m_hoverObject)
                left->mouseLeave();
            m_hoverObject = object;
        }
        object->mouseUp(button, buttons, now - QPoint(object->left(), object->top()));
    }
    if (self)
        repaintFrame();
    (void)point;
}

void TSkinCustomForm::setHitArea(THitArea area)
{
    if (area == m_hitArea)
        return;
    m_hitArea = area;
    repaintFrame();
}

void TSkinCustomForm::updateCursor(TSystemAnswer answer)
{
    const Qt::CursorShape shape = cursorFor(answer);
    if (shape == Qt::ArrowCursor) {
        if (m_owner->testAttribute(Qt::WA_SetCursor))
            m_owner->unsetCursor();
    } else {
        m_owner->setCursor(shape);
    }
}

void TSkinCustomForm::runBuiltInButton(THitArea area)
{
    const TPlainFrameLayout layout = plainLayout();
    switch (area) {
    case THitArea::CloseButton: close(); break;
    case THitArea::MaximizeButton: maximize(); break;
    case THitArea::MinimizeButton: minimize(); break;
    case THitArea::RollupButton: rollup(); break;
    case THitArea::SystemMenuButton:
        showSystemMenu(m_owner->mapToGlobal(layout.sysMenuButton.bottomLeft() + QPoint(0, 1)));
        break;
    default: break;
    }
}

void TSkinCustomForm::trackPointer(const QPoint& windowPoint)
{
    TSkinObject* object = (tree() && m_owner->rect().contains(windowPoint)) ? objectAt(windowPoint) : nullptr;
    if (object == m_hoverObject)
        return;
    TSkinObject* left = m_hoverObject;
    m_hoverObject = object;
    if (left)
        left->mouseLeave();
    if (object && object->Visible && (!m_pressedObject || object == m_pressedObject))
        object->mouseEnter();
}

void TSkinCustomForm::endPointerStates()
{
    if (m_pressing) {
        m_pressing = false;
        m_dragging = false;
        m_doubleClick = false;
        m_outline = QRect();
        if (m_outlineBand)
            m_outlineBand->hide();
    }
    TSkinObject* pressed = m_pressedObject;
    TSkinObject* hovered = m_hoverObject;
    m_pressedObject = nullptr;
    m_hoverObject = nullptr;
    if (pressed)
        pressed->mouseLeave();
    if (hovered && hovered != pressed)
        hovered->mouseLeave();
    repaintFrame();
}

void TSkinCustomForm::keyboardMenuCommand()
{
    if (MenuBar && !QWidget::mouseGrabber())
        MenuBar->keyboardMenu(QChar());
}

void TSkinCustomForm::updateHoverTimer()
{
    const bool wanted = m_framed && tree() && m_windowActive && m_pointerInside;
    if (wanted && !m_hoverTimer.isActive())
        m_hoverTimer.start();
    else if (!wanted)
        m_hoverTimer.stop();
}

void TSkinCustomForm::forgetObjects()
{
    // The tree these pointed into is going; so is what the cache shows.
    invalidateFrameCache();
    m_hoverObject = nullptr;
    m_pressedObject = nullptr;
}

} // namespace corvane::skin
