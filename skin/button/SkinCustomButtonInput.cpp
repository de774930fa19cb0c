// SkinCustomButton: pointer and keyboard input, dialog keys and
// accelerators, default-button tracking and state changes.
#include "skin/button/SkinCustomButton.h"

#include "skin/draw/SkinCaption.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <cmath>

namespace corvane::skin {

namespace {

bool insideClient(const QWidget& widget, const QPointF& position)
{
    const double x = std::floor(position.x()), y = std::floor(position.y());
    return x >= 0 && y >= 0 && x < widget.width() && y < widget.height();
}

constexpr Qt::KeyboardModifiers ShiftCtrlAlt =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

} // namespace

// ---------------------------------------------------------------------------
// Pointer

void SkinCustomButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        SkinCustomControl::mousePressEvent(event);
        return;
    }
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    m_pressedByMouse = true;
    m_state = ButtonState::Pressed;
    update();
    event->accept();
}

void SkinCustomButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

void SkinCustomButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedByMouse) {
        SkinCustomControl::mouseMoveEvent(event);
        return;
    }
    const bool inside = insideClient(*this, event->position());
    setPointerInside(inside);
    setState(inside ? ButtonState::Pressed : ButtonState::Normal);
    event->accept();
}

void SkinCustomButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressedByMouse) {
        SkinCustomControl::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    m_pressedByMouse = false;
    m_state = ButtonState::Normal;
    // Repaint first: a click handler may raise, and the face must not stay
    // pressed when it does.
    update();
    if (insideClient(*this, event->position()))
        click();
}

// ---------------------------------------------------------------------------
// Keyboard

void SkinCustomButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !(event->modifiers() & Qt::AltModifier)) {
        setState(ButtonState::Pressed);
        event->accept();
        return;
    }
    // Enter, Esc and accelerator letters go on to the window, where every
    // button of the window sees them as dialog keys.
    event->ignore();
}

void SkinCustomButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        m_state = ButtonState::Normal;
        update();
        click();
        return;
    }
    event->ignore();
}

bool SkinCustomButton::matchesAccelerator(const QString& text) const
{
    const QChar accelerator = acceleratorOf(m_caption);
    return !accelerator.isNull() && text.size() == 1 && text[0].toUpper() == accelerator;
}

void SkinCustomButton::activateByAccelerator()
{
    if (!isEnabled() || !isVisible())
        return;
    if (canFocus())
        setFocus(Qt::ShortcutFocusReason);
    click();
}

bool SkinCustomButton::handleDialogKey(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ShiftCtrlAlt) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain && canFocus() && (hasFocus() || m_activeDefault)) {
            click();
            return true;
        }
        return false;
    default:
        // A letter that no control took (Alt combinations come as shortcuts).
        if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == Qt::NoModifier &&
            matchesAccelerator(event->text())) {
            activateByAccelerator();
            return true;
        }
        return false;
    }
}

void SkinCustomButton::updateAcceleratorShortcut()
{
    if (m_shortcutId)
        releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QKeySequence sequence = QKeySequence::mnemonic(m_caption);
    if (!sequence.isEmpty())
        m_shortcutId = grabShortcut(sequence);
}

// ---------------------------------------------------------------------------
// Focus, window and state changes

void SkinCustomButton::watchWindow()
{
    QWidget* form = window();
    if (form == this)
        form = nullptr;
    if (m_watchedWindow == form)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = form;
    if (form)
        form->installEventFilter(this);
}

bool SkinCustomButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress)
        return handleDialogKey(static_cast<QKeyEvent*>(event));
    return SkinCustomControl::eventFilter(watched, event);
}

bool SkinCustomButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
            activateByAccelerator();
            return true;
        }
        break;
    case QEvent::ParentChange:
    case QEvent::Show: watchWindow(); break;
    default: break;
    }
    return SkinCustomControl::event(event);
}

void SkinCustomButton::focusMovedTo(QWidget* now)
{
    // A button taking the focus becomes the window's default for the time
    // being; any other control hands the role back to the Default button.
    setActiveDefault(isButtonControl(now) ? now == this : m_default);
}

void SkinCustomButton::setActiveDefault(bool value)
{
    if (m_activeDefault == value)
        return;
    m_activeDefault = value;
    update();
}

void SkinCustomButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange: forgetLooks(); break;
    default: break;
    }
    if (event->type() == QEvent::EnabledChange) {
        // A disabled button gets no release: forget a press in progress.
        if (!isEnabled() && m_pressedByMouse) {
            m_pressedByMouse = false;
            m_state = ButtonState::Normal;
        }
        update();
    } else if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange) {
        update();
    }
    SkinCustomControl::changeEvent(event);
}

} // namespace corvane::skin
