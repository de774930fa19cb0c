#pragma once
// The one hover timer that all flat buttons and flat edits share. It exists
// while at least one flat control exists, and it only runs while a flat button
// is being tracked under the pointer, so an idle dialog causes no wake-ups.
class QTimer;

namespace corvane::flat {

class FlatButton;

class FlatHoverTimer {
public:
    static constexpr int intervalMs = 100;

    // Every flat control registers itself while it lives.
    static void addUser();
    static void removeUser();

    static QTimer* timer();
    static FlatButton* tracked();
    static bool isRunning();

    // Stops the timer, tracks `button` and starts the timer again.
    static void track(FlatButton* button);
    // Stops the timer and tracks no button.
    static void stopTracking();

private:
    static void tick();
};

} // namespace corvane::flat
