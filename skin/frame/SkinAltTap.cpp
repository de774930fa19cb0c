#include "skin/frame/SkinAltTap.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace corvane::skin {

SkinAltTap::SkinAltTap(QWidget* window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

SkinAltTap::~SkinAltTap()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool SkinAltTap::inWindow(QObject* object) const
{
    // Key events reach the window's platform window first and then the
    // focused widget; the widget's copy is the one that counts.
    return m_window && object->isWidgetType() && static_cast<QWidget*>(object)->window() == m_window;
}

bool SkinAltTap::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!watched->isWidgetType())
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && key->isAutoRepeat())
            break; // Alt held down: still alone
        m_armed =
            key->key() == Qt::Key_Alt && (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier && inWindow(watched);
        break;
    }
    case QEvent::KeyRelease: {
        if (!watched->isWidgetType())
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Alt || key->isAutoRepeat())
            break;
        const bool tap = m_armed && inWindow(watched);
        m_armed = false;
        if (tap)
            emit tapped();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
    case QEvent::ApplicationStateChange:
        // A window manager's Alt + Tab or Alt + drag leaves no tap behind.
        m_armed = false;
        break;
    default: break;
    }
    return false;
}

} // namespace corvane::skin
