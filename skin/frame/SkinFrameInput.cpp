#include "skin/frame/SkinFrameInput.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "skin/frame/SkinCustomForm.h"

namespace corvane::skin {

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Qt::CursorShape cursorFor(SystemAnswer answer)
{
    switch (answer) {
    case SystemAnswer::Left:
    case SystemAnswer::Right: return Qt::SizeHorCursor;
    case SystemAnswer::Top:
    case SystemAnswer::Bottom: return Qt::SizeVerCursor;
    case SystemAnswer::TopLeft:
    case SystemAnswer::BottomRight: return Qt::SizeFDiagCursor;
    case SystemAnswer::TopRight:
    case SystemAnswer::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

QPoint originOf(const SkinObject* object)
{
    return QPoint(object->left(), object->top());
}

} // namespace

SkinFrameInput::SkinFrameInput(SkinCustomForm& form) : m_form(form), m_hoverTimer(new QTimer(&form))
{
    m_hoverTimer->setObjectName(QStringLiteral("frameHoverTimer"));
    m_hoverTimer->setInterval(100);
    QObject::connect(m_hoverTimer, &QTimer::timeout, m_hoverTimer,
                     [this] { trackPointer(m_form.owner()->mapFromGlobal(QCursor::pos())); });
}

// ---------------------------------------------------------------------------
// Events

bool SkinFrameInput::handleEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        m_pointerInside = true;
        updateHoverTimer();
        return false;
    case QEvent::Leave:
        m_pointerInside = false;
        trackPointer(QPoint(-1, -1)); // whatever was hot is left now
        updateHoverTimer();
        return false;
    case QEvent::WindowBlocked:
        // A modal window takes the pointer from here on: no press of the
        // frame goes on and no caption button stays hot or pressed.
        endPointerStates();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: return handleMouse(static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress: return handleKey(static_cast<QKeyEvent*>(event));
    default: return false;
    }
}

bool SkinFrameInput::handleKey(QKeyEvent* key)
{
    // Keys the focused control did not take reach the window: Alt with a
    // character enters the menu bar, other shortcuts are offered to it.
    SkinFrameMenuBar* menuBar = m_form.menuBar();
    if (!menuBar || QWidget::mouseGrabber())
        return false;
    if (key->modifiers() == Qt::AltModifier && !key->text().isEmpty() && key->text() != QLatin1String(" ") &&
        key->text() != QLatin1String("-")) {
        menuBar->keyboardMenu(key->text().at(0));
        return true;
    }
    return menuBar->offerShortCut(key->key(), key->modifiers());
}

void SkinFrameInput::keyboardMenuCommand()
{
    if (m_form.menuBar() && !QWidget::mouseGrabber())
        m_form.menuBar()->keyboardMenu(QChar());
}

// ---------------------------------------------------------------------------
// Hit testing

SkinObject* SkinFrameInput::objectAt(const QPoint& windowPoint)
{
    SkinObject* root = m_form.tree();
    if (!root || !m_form.owner()->rect().contains(windowPoint))
        return nullptr;
    m_form.layoutTreeTo(m_form.owner()->size());
    return root->objectAt(windowPoint);
}

HitArea SkinFrameInput::hitAreaAt(const QPoint& windowPoint)
{
    if (m_form.tree()) {
        SkinObject* object = objectAt(windowPoint);
        return object ? hitAreaOfKind(object->kind) : HitArea::Client;
    }
    return m_form.plainLayout().hitArea(windowPoint);
}

SystemAnswer SkinFrameInput::systemAnswerAt(const QPoint& windowPoint)
{
    return systemAnswerOf(hitAreaAt(windowPoint), m_form.dragging(),
                          m_form.windowState() == SkinWindowState::Maximized);
}

// ---------------------------------------------------------------------------
// The pointer

bool SkinFrameInput::handleMouse(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    const bool onFrame = systemAnswerAt(point) != SystemAnswer::Client;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event->button() != Qt::LeftButton)
            return onFrame; // other buttons on the frame are the frame's
        if (!onFrame)
            return false;
        press(point, global, event->button(), event->buttons(), event->type() == QEvent::MouseButtonDblClick);
        return true;
    case QEvent::MouseMove:
        if (!m_pressing && !onFrame) {
            // Over the client area without a press of the frame.
            setHitArea(HitArea::Client);
            updateCursor(SystemAnswer::Client);
            return false;
        }
        moveTo(point, global, event->buttons());
        return true;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::RightButton) {
            if (!m_pressing && hitAreaAt(point) == HitArea::Caption && onFrame) {
                m_form.showSystemMenu(global);
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

void SkinFrameInput::press(const QPoint& point, const QPoint& global, Qt::MouseButton button, Qt::MouseButtons buttons,
                           bool doubleClick)
{
    QWidget* owner = m_form.owner();
    if (!owner->isActiveWindow())
        owner->activateWindow();
    m_pressArea = hitAreaAt(point);
    m_hitArea = m_pressArea;
    m_pressGlobal = global;
    m_pressBounds = owner->geometry();
    m_doubleClick = doubleClick;
    m_pressing = true; // the owner keeps the pointer until the release
    repaintPlainFrame();
    startDrag();

    if (SkinObject* object = objectAt(point)) {
        m_pressedObject = object;
        if (doubleClick)
            object->dblClick();
        else
            object->mouseDown(button, buttons, point - originOf(object));
    }
}

void SkinFrameInput::startDrag()
{
    const bool moving = m_pressArea == HitArea::Caption;
    if (!moving && !isEdgeArea(m_pressArea))
        return;
    if (moving && onWayland()) {
        // A Wayland client cannot place its own window: the compositor moves it.
        QWidget* owner = m_form.owner();
        if (m_form.dragging().moveable && m_form.windowState() != SkinWindowState::Maximized && owner->windowHandle())
            owner->windowHandle()->startSystemMove();
    } else {
        m_dragging = true;
        m_outline = QRect();
    }
}

void SkinFrameInput::moveTo(const QPoint& point, const QPoint& global, Qt::MouseButtons buttons)
{
    if ((buttons & Qt::LeftButton) && m_dragging) {
        dragTo(global);
    } else {
        const HitArea area = hitAreaAt(point);
        setHitArea(area);
        updateCursor(systemAnswerOf(area, m_form.dragging(), m_form.windowState() == SkinWindowState::Maximized));
    }
    const QPoint now = m_form.owner()->mapFromGlobal(global); // the window may have moved
    SkinObject* object = objectAt(now);
    if (object && (buttons == Qt::NoButton || object == m_pressedObject))
        object->mouseMove(buttons, now - originOf(object));
}

void SkinFrameInput::dragTo(const QPoint& global)
{
    const QPoint travel = global - m_pressGlobal;
    const SkinWindowState state = m_form.windowState();
    QRect target;
    if (m_pressArea == HitArea::Caption) {
        if (!m_form.dragging().moveable || state == SkinWindowState::Maximized)
            return;
        // The window snaps to the work area's edges within the default distance.
        target = applyGravitation(m_pressBounds.translated(travel), m_form.workArea(), SkinGravitation());
    } else {
        if (!m_form.dragging().sizeable || state != SkinWindowState::Normal)
            return;
        target = sizeByEdge(m_pressBounds, m_pressArea, travel, m_form.minimumTrackSize());
    }

    if (m_form.dragging().dragMode == SkinFormDragMode::Outline) {
        // Outline mode: only a rectangle follows the pointer until the release.
        m_outline = target;
        if (!m_outlineBand)
            m_outlineBand = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
        m_outlineBand->setGeometry(target);
        m_outlineBand->show();
        return;
    }
    if (m_pressArea == HitArea::Caption)
        m_form.owner()->move(target.topLeft());
    else
        m_form.setWindowBounds(target);
    setHitArea(hitAreaAt(m_form.owner()->mapFromGlobal(global)));
}

void SkinFrameInput::release(const QPoint& point, const QPoint& global, Qt::MouseButton button,
                             Qt::MouseButtons buttons)
{
    QPointer<SkinCustomForm> form(&m_form);
    m_pressing = false;
    const HitArea pressArea = m_pressArea;
    const bool doubleClick = m_doubleClick;
    m_doubleClick = false;

    if (doubleClick && pressArea == HitArea::Caption &&
        (m_form.borderIcons() & borderIconBit(SkinBorderIcon::Maximize))) {
        if (m_form.windowState() == SkinWindowState::Minimized)
            m_form.restore();
        else
            m_form.maximize();
        if (!form)
            return;
    }
    if (!m_form.tree() && isBuiltInButtonArea(pressArea) && hitAreaAt(point) == pressArea) {
        m_form.repaintFrame();
        runBuiltInButton(pressArea);
        if (!form)
            return;
    }
    finishOutline(pressArea);
    m_dragging = false;
    releaseObject(global, button, buttons);
    if (form)
        repaintPlainFrame();
}

void SkinFrameInput::finishOutline(HitArea pressArea)
{
    if (!m_outline.isValid())
        return;
    const QRect finalBounds = m_outline;
    m_outline = QRect();
    if (m_outlineBand)
        m_outlineBand->hide();
    if (pressArea == HitArea::Caption)
        m_form.owner()->move(finalBounds.topLeft());
    else
        m_form.setWindowBounds(finalBounds);
}

void SkinFrameInput::releaseObject(const QPoint& global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPoint now = m_form.owner()->mapFromGlobal(global);
    SkinObject* pressed = m_pressedObject;
    m_pressedObject = nullptr;
    SkinObject* object = objectAt(now);
    if (!object || object != pressed)
        return;
    // The released object shows hot now: it is the hovered one, so that
    // whatever takes the pointer away from it (a move, the window losing
    // the focus to a box its action opens) returns it to normal.
    if (m_hoverObject != object) {
        if (SkinObject* left = m_hoverObject)
            left->mouseLeave();
        m_hoverObject = object;
    }
    // The button's action may close the window: nothing of the frame is
    // touched after it.
    object->mouseUp(button, buttons, now - originOf(object));
}

void SkinFrameInput::setHitArea(HitArea area)
{
    if (area == m_hitArea)
        return;
    m_hitArea = area;
    repaintPlainFrame();
}

void SkinFrameInput::repaintPlainFrame()
{
    if (!m_form.tree())
        m_form.repaintFrame();
}

void SkinFrameInput::updateCursor(SystemAnswer answer)
{
    QWidget* owner = m_form.owner();
    const Qt::CursorShape shape = cursorFor(answer);
    if (shape == Qt::ArrowCursor) {
        if (owner->testAttribute(Qt::WA_SetCursor))
            owner->unsetCursor();
    } else {
        owner->setCursor(shape);
    }
}

void SkinFrameInput::runBuiltInButton(HitArea area)
{
    switch (area) {
    case HitArea::CloseButton: m_form.close(); break;
    case HitArea::MaximizeButton: m_form.maximize(); break;
    case HitArea::MinimizeButton: m_form.minimize(); break;
    case HitArea::RollupButton: m_form.rollup(); break;
    case HitArea::SystemMenuButton: {
        const QRect button = m_form.plainLayout().sysMenuButton;
        m_form.showSystemMenu(m_form.owner()->mapToGlobal(button.bottomLeft() + QPoint(0, 1)));
        break;
    }
    default: break;
    }
}

// ---------------------------------------------------------------------------
// Hover

void SkinFrameInput::trackPointer(const QPoint& windowPoint)
{
    const bool inside = m_form.tree() && m_form.owner()->rect().contains(windowPoint);
    SkinObject* object = inside ? objectAt(windowPoint) : nullptr;
    if (object == m_hoverObject)
        return;
    SkinObject* left = m_hoverObject;
    m_hoverObject = object;
    if (left)
        left->mouseLeave();
    if (object && object->visible && (!m_pressedObject || object == m_pressedObject))
        object->mouseEnter();
}

void SkinFrameInput::endPointerStates()
{
    if (m_pressing) {
        m_pressing = false;
        m_dragging = false;
        m_doubleClick = false;
        m_outline = QRect();
        if (m_outlineBand)
            m_outlineBand->hide();
    }
    SkinObject* pressed = m_pressedObject;
    SkinObject* hovered = m_hoverObject;
    m_pressedObject = nullptr;
    m_hoverObject = nullptr;
    if (pressed)
        pressed->mouseLeave();
    if (hovered && hovered != pressed)
        hovered->mouseLeave();
    m_form.repaintFrame();
}

void SkinFrameInput::updateHoverTimer()
{
    const bool wanted = m_form.m_framed && m_form.tree() && m_form.isFrameActive() && m_pointerInside;
    if (wanted && !m_hoverTimer->isActive())
        m_hoverTimer->start();
    else if (!wanted)
        m_hoverTimer->stop();
}

void SkinFrameInput::forgetObjects()
{
    m_hoverObject = nullptr;
    m_pressedObject = nullptr;
}

} // namespace corvane::skin
