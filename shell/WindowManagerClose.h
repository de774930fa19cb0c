#pragma once
// WindowManagerClose: the window manager's close request (its close button,
// Alt+F4 under openbox) always reaches the main window's close query, even
// while a modal box blocks the window. Qt drops a close request for a
// blocked window, so a box from the network over a minimised window left no
// way to end the program but a signal. On X11 the request is seen before Qt
// drops it: the open boxes are put away and the window is closed as if
// nothing had blocked it. Elsewhere Qt's own handling stays.

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

namespace corvane::shell {

class WindowManagerClose : public QAbstractNativeEventFilter {
public:
    // Watches `window` (a top-level window) for as long as both exist.
    explicit WindowManagerClose(QWidget* window);
    ~WindowManagerClose() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void closeOverBoxes();

    QPointer<QWidget> m_window;
    quint32 m_protocolsAtom = 0;
    quint32 m_deleteWindowAtom = 0;
};

} // namespace corvane::shell
