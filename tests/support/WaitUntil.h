#pragma once
// Runs the event loop until a condition holds, for tests that wait on
// sockets, processes or timers.

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace corvane::testing {

// True once `done` holds; false when `milliseconds` pass first.
inline bool waitUntil(const std::function<bool()>& done, int milliseconds = 5000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace corvane::testing
