#pragma once
// The one hover timer that all flat buttons share. The application owns it;
// it only runs while a flat button is being tracked under the pointer, so an
// idle dialog causes no wake-ups.
namespace corvane::flat {

class FlatButton;

class FlatHoverTimer {
public:
    static constexpr int intervalMs = 100;

    static FlatButton* tracked();
    static bool isRunning();

    // Stops the timer, tracks `button` and starts the timer again.
    static void track(FlatButton* button);
    // Stops the timer and tracks no button.
    static void stopTracking();
};

} // namespace corvane::flat
