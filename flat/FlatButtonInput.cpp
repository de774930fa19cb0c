// How the flat button follows the pointer, the keyboard and its group, and
// what a click does.
#include "flat/FlatButton.h"

#include "flat/FlatHoverTimer.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

namespace corvane::flat {

using flat::FlatHoverTimer;

// ---- hover tracking ------------------------------------------------------

bool FlatButton::isUnderCursor() const
{
    return QApplication::widgetAt(QCursor::pos()) == this;
}

void FlatButton::startHoverTracking()
{
    if (FlatButton* previous = FlatHoverTimer::tracked())
        previous->mouseLeft();
    if (!QApplication::activeWindow())
        return;
    FlatHoverTimer::track(this);
    mouseEntered();
}

void FlatButton::hoverTimerTick()
{
    if (isUnderCursor())
        return;
    mouseLeft();
    // The hover flag may already be clear (a click handler hid the button, or
    // it was re-evaluated): then nothing is left to watch, so stop polling
    // instead of waking up ten times a second until the pointer finds
    // another flat button. A held press keeps the timer until the release.
    if (FlatHoverTimer::tracked() == this && !m_pressing)
        FlatHoverTimer::stopTracking();
}

void FlatButton::mouseEntered()
{
    if (isEnabled() && !m_mouseOver) {
        m_mouseOver = true;
        update();
    }
}

void FlatButton::mouseLeft()
{
    if (!isEnabled() || !m_mouseOver || m_pressing)
        return;
    m_mouseOver = false;
    if (FlatHoverTimer::tracked() == this)
        FlatHoverTimer::stopTracking();
    update();
}

void FlatButton::reevaluateHover()
{
    if (!isEnabled())
        return;
    const bool under = isUnderCursor();
    m_mouseOver = under;
    update();
    if (!under) {
        mouseLeft();
        if (FlatHoverTimer::tracked() == this && !m_pressing)
            FlatHoverTimer::stopTracking();
    }
}

void FlatButton::enabledChanged()
{
    if (!isEnabled()) {
        m_mouseOver = false;
        m_state = flat::ButtonState::Disabled;
        if (FlatHoverTimer::tracked() == this)
            FlatHoverTimer::stopTracking();
    }
    reevaluateHover();
    update();
}

// ---- clicking and groups -------------------------------------------------

// The bottom edge row counts as inside and the right edge column does not;
// dialogs laid out against this behaviour keep it.
bool FlatButton::isInside(const QPoint& pos) const
{
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void FlatButton::click()
{
    if (parentWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(window())) {
            // A modal dialog closes with a non-zero result; otherwise the
            // result is only recorded.
            if (m_modalResult != 0 && dialog->isModal() && dialog->isVisible())
                dialog->done(m_modalResult);
            else
                dialog->setResult(m_modalResult);
        }
    }
    emit clicked();
}

void FlatButton::notifyGroup()
{
    if (m_groupIndex == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->children();
    for (QObject* child : siblings) {
        if (auto* button = qobject_cast<FlatButton*>(child))
            button->groupMemberChanged(m_groupIndex, this);
    }
}

void FlatButton::groupMemberChanged(int groupIndex, const FlatButton* sender)
{
    if (groupIndex != m_groupIndex || sender == this)
        return;
    if (sender->m_down && m_down) {
        m_down = false;
        m_state = flat::ButtonState::Up;
        update();
    }
    m_allowAllUp = sender->m_allowAllUp;
}

void FlatButton::updateAccelerator()
{
    if (m_acceleratorId != 0) {
        releaseShortcut(m_acceleratorId);
        m_acceleratorId = 0;
    }
    const QKeySequence accelerator = QKeySequence::mnemonic(m_caption);
    if (!accelerator.isEmpty())
        m_acceleratorId = grabShortcut(accelerator);
}

void FlatButton::repaintNow()
{
    if (isVisible())
        repaint();
    else
        update();
}

// ---- events --------------------------------------------------------------

bool FlatButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut: {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() != m_acceleratorId || m_acceleratorId == 0)
            break;
        if (isEnabled()) {
            if (m_groupIndex != 0)
                setDown(true);
            click();
        }
        return true;
    }
    case QEvent::ParentChange:
        followParentColor();
        update();
        break;
    default: break;
    }
    return QWidget::event(event);
}

void FlatButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange: enabledChanged(); break;
    case QEvent::PaletteChange:
        followParentColor();
        update();
        break;
    case QEvent::FontChange:
        updateGeometry();
        update();
        break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void FlatButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!m_down) {
        m_state = flat::ButtonState::Down;
        update();
    }
    m_pressing = true;
    setFocus(Qt::MouseFocusReason);
}

void FlatButton::mouseMoveEvent(QMouseEvent* event)
{
    if (FlatHoverTimer::tracked() != this && QApplication::widgetAt(event->globalPosition().toPoint()) == this)
        startHoverTracking();
    if (!m_pressing)
        return;
    flat::ButtonState newState = m_down ? flat::ButtonState::Exclusive : flat::ButtonState::Up;
    if (isInside(event->position().toPoint()))
        newState = m_down ? flat::ButtonState::Exclusive : flat::ButtonState::Down;
    if (newState != m_state) {
        m_state = newState;
        update();
    }
}

void FlatButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressing)
        return;
    m_pressing = false;
    const bool inside = isInside(event->position().toPoint());
    showReleased(inside);

    // A handler may have shown a modal box by now (or destroyed the
    // button); the face still follows the pointer afterwards.
    const QPointer<FlatButton> self(this);
    if (inside)
        click();
    else
        mouseLeft();
    if (self)
        reevaluateHover();
}

void FlatButton::showReleased(bool inside)
{
    if (m_groupIndex == 0) {
        m_state = flat::ButtonState::Up;
        m_mouseOver = false;
        if (inside)
            update();
    } else if (inside) {
        setDown(!m_down);
        if (m_down)
            repaintNow();
    } else {
        // Released off the button: back to how it looked before the press
        // (latched or up), so it does not stay drawn pressed.
        m_state = m_down ? flat::ButtonState::Exclusive : flat::ButtonState::Up;
        repaintNow();
    }
}

void FlatButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click presses the button like the first.
    mousePressEvent(event);
}

void FlatButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_groupIndex != 0)
        setDown(true);
    else
        m_state = flat::ButtonState::Down;
    update();
}

void FlatButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    if (m_groupIndex != 0)
        setDown(false);
    else
        m_state = flat::ButtonState::Up;
    const QPointer<FlatButton> self(this);
    click();
    if (self)
        update();
}

void FlatButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (isEnabled()) {
        m_mouseOver = true;
        update();
    }
}

void FlatButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    mouseLeft();
}

} // namespace corvane::flat
