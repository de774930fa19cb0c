// An idle window must not wake the processor: once the pointer has left the
// program's windows, no timer of the program may fire. The pointer first
// visits every control of the main window and of the settings dialog (hover
// timers start there), then leaves; from then on every timer event the
// application delivers is counted.
#include <gtest/gtest.h>

#include <QCursor>
#include <QEnterEvent>
#include <QScreen>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>

#include <map>

#include "GameHarness.h"
#include "net/endpoint/UdpEndpoint.h"
#include "shell/NotificationSound.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane;
using namespace corvane::harness;

namespace {

// The text cursor of the box that has the keyboard focus blinks: that is the
// toolkit's caret (the platform's caret blinks as well), not a timer of the
// program, and it stops when the window loses the focus. Its timer belongs
// to the box's text control.
bool isFocusedCaret(const QObject* receiver)
{
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || qobject_cast<const QTimer*>(receiver))
        return false;
    const QString className = QString::fromLatin1(receiver->metaObject()->className());
    return receiver->parent() == focus && className.endsWith(QLatin1String("Control"));
}

// Counts timer events by receiver, described as "Class 'name' in Parent".
class TimerCounter : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::Timer)
            return false;
        if (isFocusedCaret(receiver))
            ++caretBlinks;
        else
            ++counts[describe(receiver)];
        return false;
    }
    static std::string describe(const QObject* object)
    {
        std::string text = object->metaObject()->className();
        text += " '" + object->objectName().toStdString() + "'";
        if (const QObject* parent = object->parent())
            text += std::string(" in ") + parent->metaObject()->className() + " '" +
                    parent->objectName().toStdString() + "'";
        return text;
    }
    std::map<std::string, int> counts;
    int caretBlinks = 0;
};

QPoint centreOf(QWidget* widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

// The pointer enters the widget, moves over it and stays a little.
void hover(QWidget* widget)
{
    const QPoint global = centreOf(widget);
    const QPointF local = widget->rect().center();
    QCursor::setPos(global);
    QEnterEvent enter(local, local, QPointF(global));
    QApplication::sendEvent(widget, &enter);
    QMouseEvent move(QEvent::MouseMove, local, QPointF(global), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    spin(10);
}

void leave(QWidget* widget)
{
    QEvent leaveEvent(QEvent::Leave);
    QApplication::sendEvent(widget, &leaveEvent);
}

// Every visible control of a window, the window first.
std::vector<QWidget*> visibleWidgets(QWidget* window)
{
    std::vector<QWidget*> widgets{window};
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->isVisible())
            widgets.push_back(child);
    return widgets;
}

// A place on the screen well away from every window of the program.
QPoint farFromWindows(const std::vector<QWidget*>& windows)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (QPoint corner : {screen.bottomRight(), screen.topLeft(), screen.topRight(), screen.bottomLeft()}) {
        bool clear = true;
        for (QWidget* window : windows)
            clear = clear && !window->frameGeometry().adjusted(-20, -20, 20, 20).contains(corner);
        if (clear)
            return corner;
    }
    return screen.bottomRight() + QPoint(100, 100);
}

class IdleWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A port of its own, sent to by itself alone: another test may hold
        // the stored 1234, and datagrams of its game would wake this window.
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        const quint16 port = probe.localPort();
        probe.close();
        program.mainWindow.endpoint()->setRemotePort(port);
        program.mainWindow.endpoint()->setLocalPort(port);
        program.mainWindow.show();
        spin(300);
    }

    // Counts the timers that fire during `milliseconds` of idling.
    std::map<std::string, int> timersWhileIdle(int milliseconds)
    {
        TimerCounter counter;
        qApp->installEventFilter(&counter);
        spin(milliseconds);
        qApp->removeEventFilter(&counter);
        if (counter.caretBlinks)
            std::printf("caret of the focused box blinked %d times (toolkit caret, not counted)\n",
                        counter.caretBlinks);
        return counter.counts;
    }

    static std::string listed(const std::map<std::string, int>& counts)
    {
        std::string text;
        for (const auto& [receiver, count] : counts)
            text += "  " + receiver + ": " + std::to_string(count) + "\n";
        return text;
    }

    MessageBoxRecorder boxes;
    ProgramWindows program;
};

} // namespace

TEST_F(IdleWindow, NoTimerFiresInAWindowThatWasNeverTouched)
{
    QCursor::setPos(farFromWindows({&program.mainWindow}));
    spin(300);
    const auto fired = timersWhileIdle(2000);
    EXPECT_TRUE(fired.empty()) << "timers fired while idle:\n" << listed(fired);
}

// The pointer travels along the top band of the window, where the frame's
// caption buttons are (they are drawn, not widgets).
void sweepCaption(QWidget* window)
{
    for (int y = 2; y < 30; y += 6) {
        for (int x = 0; x < window->width(); x += 6) {
            const QPoint global = window->mapToGlobal(QPoint(x, y));
            QCursor::setPos(global);
            QWidget* under = window->childAt(x, y);
            QWidget* target = under ? under : window;
            const QPointF local = target->mapFromGlobal(QPointF(global));
            QMouseEvent move(QEvent::MouseMove, local, QPointF(global), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(target, &move);
            QApplication::processEvents();
        }
    }
}

TEST_F(IdleWindow, HoverTimersStopOnceThePointerHasLeftTheMainWindow)
{
    const auto widgets = visibleWidgets(&program.mainWindow);
    {
        TimerCounter whileHovering;
        qApp->installEventFilter(&whileHovering);
        sweepCaption(&program.mainWindow);
        for (QWidget* widget : widgets)
            hover(widget);
        qApp->removeEventFilter(&whileHovering);
        std::printf("timers that ran while the pointer was over the window:\n%s", listed(whileHovering.counts).c_str());
    }
    QCursor::setPos(farFromWindows({&program.mainWindow}));
    for (auto it = widgets.rbegin(); it != widgets.rend(); ++it)
        leave(*it);
    spin(500); // hover timers tick at 100 ms; give them time to notice
    const auto fired = timersWhileIdle(2000);
    EXPECT_TRUE(fired.empty()) << "timers still firing after the pointer left:\n" << listed(fired);
}

TEST_F(IdleWindow, HoverTimersStopOnceTheSettingsDialogIsClosedUnderThePointer)
{
    // The dialog is closed while the pointer rests on one of its controls, as
    // when "连 接" is clicked: nothing may keep polling for the hidden control.
    program.connectionDialog.show();
    spin(100);
    const auto widgets = visibleWidgets(&program.connectionDialog);
    for (QWidget* widget : widgets)
        hover(widget);
    program.connectionDialog.hide();
    spin(200);
    QCursor::setPos(farFromWindows({&program.mainWindow, &program.connectionDialog}));
    spin(500);
    const auto fired = timersWhileIdle(2000);
    EXPECT_TRUE(fired.empty()) << "timers still firing after the dialog closed:\n" << listed(fired);
}

// The counter itself: a timer left running in the window is seen and named.
TEST_F(IdleWindow, ATimerLeftRunningInTheWindowIsCaught)
{
    QTimer leftRunning(&program.mainWindow);
    leftRunning.setObjectName(QStringLiteral("LeftRunning"));
    leftRunning.start(100);
    const auto fired = timersWhileIdle(550);
    ASSERT_EQ(fired.size(), 1u) << listed(fired);
    EXPECT_EQ(fired.begin()->first, "QTimer 'LeftRunning' in corvane::shell::MainWindow 'Form1'");
    EXPECT_GE(fired.begin()->second, 4);
}
