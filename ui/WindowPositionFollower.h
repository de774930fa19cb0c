#pragma once
// Keeps Qt's idea of where each top-level window stands equal to where the X
// server has it, whatever the window manager does and however the timing goes.
//
// Qt learns a window's position from ConfigureNotify: a real one makes it ask
// the server where the window stands at that moment, a synthetic one (which
// a window manager sends after moving a window) carries the position itself.
// A reparenting window manager (openbox) puts a new window into its frame
// while the frame still stands at the screen's origin and moves the frame a
// moment later; it sends nothing, because the window ends where it asked to
// be. When Qt asks during that moment (its ConfigureNotify of the window's
// first placement is handled late), it keeps the origin for good: mapped
// positions, drops and popups are then off by the window's position.
//
// The follower watches the frame a window is reparented into and, after each
// reparenting and each change of the frame, tells the window's creator (Qt)
// where the window stands now, with the synthetic ConfigureNotify a window
// manager would send. Only on X11; elsewhere it does nothing.

#include <QAbstractNativeEventFilter>
#include <QHash>

namespace corvane {

class WindowPositionFollower : public QAbstractNativeEventFilter {
public:
    // Installs one follower for the application's windows (on X11 only).
    static void install();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void reparented(quint32 window, quint32 parent);
    // Tells the window's creator the window's present root position.
    void announcePosition(quint32 window);
    static bool isOwnTopLevel(quint32 window);

    QHash<quint32, quint32> m_frames; // frame (parent) -> the window it holds
};

} // namespace corvane
