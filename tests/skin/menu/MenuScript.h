#pragma once
// Driving menu mode from a test. The tracking loop is modal, so a test queues
// a script of steps that run one by one inside whatever loop runs then (a
// menu level, a box), and then enters menu mode. A watchdog ends menu mode
// should a test leave it open, so a broken rule fails instead of hanging.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <functional>

#include "skin/menu/SkinMenuTracker.h"
#include "tests/skin/menu/MenuTestSkin.h"

namespace corvane::skin::test {

class Script : public QObject {
public:
    Script& then(std::function<void()> step)
    {
        m_steps.append([step] {
            step();
            return true;
        });
        return *this;
    }
    // Holds the script until the condition is true (e.g. while a show
    // animation still runs).
    Script& waitUntil(std::function<bool()> condition)
    {
        m_steps.append(std::move(condition));
        return *this;
    }
    void start(int watchdogMs = 5000)
    {
        QTimer::singleShot(0, this, [this] { next(); });
        QTimer::singleShot(watchdogMs, this, [] {
            if (SkinMenuTracker* tracker = SkinMenuTracker::current()) {
                ADD_FAILURE() << "menu mode still on after the watchdog's time";
                tracker->endMenuMode();
            }
        });
    }
    bool finished() const { return m_next >= m_steps.size(); }

private:
    void next()
    {
        if (m_next >= m_steps.size())
            return;
        if (m_steps[m_next]())
            ++m_next;
        QTimer::singleShot(m_next < m_steps.size() ? 1 : 0, this, [this] { next(); });
    }
    QList<std::function<bool()>> m_steps;
    qsizetype m_next = 0;
};

inline void key(int code, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                QEvent::Type type = QEvent::KeyPress)
{
    QWidget* target =
        QApplication::activeWindow() ? QApplication::activeWindow() : QApplication::topLevelWidgets().value(0);
    QKeyEvent event(type, code, modifiers, text);
    QApplication::sendEvent(target, &event);
}

inline void mouse(QEvent::Type type, QWidget* receiver, const QPoint& global, Qt::MouseButton button = Qt::NoButton)
{
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const Qt::MouseButtons buttons = down ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(receiver->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

inline SkinItemView* innermost()
{
    return SkinMenuTracker::current() ? SkinMenuTracker::current()->innermost() : nullptr;
}

// The window of the innermost open popup, or null.
inline QWidget* innermostPopup()
{
    SkinItemView* level = innermost();
    return level && !level->isBar() ? level->host() : nullptr;
}

// Popup menu windows that exist now, shown or not.
inline int openPopupCount()
{
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        count += window->objectName() == QLatin1String("SkinPopupMenu");
    return count;
}

inline QString hotName()
{
    SkinItemView* level = innermost();
    return level && level->hot() ? level->hot()->objectName() : QString();
}

// A shown window with the program's menu bar on it, drawn from the test skin.
struct MenuWindow {
    SkinEngine engine;
    QWidget window;
    std::unique_ptr<ProgramMenu> menu;

    MenuWindow()
    {
        buildMenuSkin(engine);
        window.setGeometry(100, 100, 632, 450);
        menu = buildProgramMenu(&window, &engine);
        window.show();
        processPending();
    }
    QPoint globalCenter(SkinMenuItem* item, QWidget* host) const { return host->mapToGlobal(item->rect().center()); }
};

} // namespace corvane::skin::test
