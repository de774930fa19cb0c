#include "flat/FlatHoverTimer.h"

#include "flat/FlatButton.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace corvane::flat {

namespace {
QPointer<QTimer> sharedTimer; // a child of the application, made on first use
FlatButton* trackedButton = nullptr;

QTimer* timer()
{
    if (!sharedTimer) {
        sharedTimer = new QTimer(QCoreApplication::instance());
        sharedTimer->setInterval(FlatHoverTimer::intervalMs);
        QObject::connect(sharedTimer, &QTimer::timeout, [] {
            if (trackedButton)
                trackedButton->hoverTimerTick();
            else
                FlatHoverTimer::stopTracking();
        });
    }
    return sharedTimer;
}
} // namespace

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
    QTimer* hover = timer();
    hover->stop();
    trackedButton = button;
    hover->start();
}

void FlatHoverTimer::stopTracking()
{
    if (sharedTimer)
        sharedTimer->stop();
    trackedButton = nullptr;
}

} // namespace corvane::flat
