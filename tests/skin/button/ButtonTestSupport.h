#pragma once
// Event helpers of the skinned button tests.

#include <QApplication>
#include <QKeyEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

namespace corvane::skin::test {

// A control's face exactly as a repaint puts it on the screen: the parent's
// area under the control rendered with the control in it.
inline QImage faceOf(QWidget* control)
{
    QWidget* parent = control->parentWidget();
    const QPixmap picture = parent ? parent->grab(control->geometry()) : control->grab();
    return picture.toImage().convertToFormat(QImage::Format_RGB32);
}

inline void sendMouse(QWidget* widget, QEvent::Type type, const QPointF& pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                  : type == QEvent::MouseMove        ? Qt::MouseButtons(Qt::LeftButton)
                                                                     : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A key press (and release) sent to `widget`, which passes it on to its
// parents when it does not take it, like a real key stroke.
inline bool sendKey(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = QString(), bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = QString())
{
    sendKey(widget, QEvent::KeyPress, key, modifiers, text);
    sendKey(widget, QEvent::KeyRelease, key, modifiers, text);
}

} // namespace corvane::skin::test
