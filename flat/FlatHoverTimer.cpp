#include "flat/FlatHoverTimer.h"

#include "flat/FlatButton.h"

#include <QTimer>

namespace corvane::flat {

namespace {
QTimer* sharedTimer = nullptr;
int userCount = 0;
FlatButton* trackedButton = nullptr;
} // namespace

void FlatHoverTimer::addUser()
{
    if (userCount++ == 0) {
        sharedTimer = new QTimer;
        sharedTimer->setInterval(intervalMs);
        QObject::connect(sharedTimer, &QTimer::timeout, &FlatHoverTimer::tick);
    }
}

void FlatHoverTimer::removeUser()
{
    if (--userCount == 0) {
        delete sharedTimer;
        sharedTimer = nullptr;
        trackedButton = nullptr;
    }
}

QTimer* FlatHoverTimer::timer()
{
    return sharedTimer;
}

FlatButton* FlatHoverTimer::tracked()
{
    return trackedButton;
}

bool FlatHoverTimer::isRunning()
{
    return sharedTimer && sharedTimer->isActive();
}

void FlatHoverTimer::track(FlatButton* button)
{
    if (!sharedTimer)
        return;
    sharedTimer->stop();
    trackedButton = button;
    sharedTimer->start();
}

void FlatHoverTimer::stopTracking()
{
    if (sharedTimer)
        sharedTimer->stop();
    trackedButton = nullptr;
}

void FlatHoverTimer::tick()
{
    if (trackedButton)
        trackedButton->hoverTimerTick();
    else
        stopTracking();
}

} // namespace corvane::flat
