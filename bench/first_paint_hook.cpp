// Linked into a program beside its own main(): from the moment the
// application object exists, watches for the first paint of a top-level
// window. When that paint has been flushed (the event loop is back), it
// prints how long the process had run and ends the process at once, so that
// timing the whole process measures start-up to first complete paint.
//
// With CORVANE_BENCH_STAY=1 in the environment the program prints the same
// line and keeps running (for memory and idle measurements).
//
// With CORVANE_BENCH_SETTLE=SECONDS, for counting instructions under
// callgrind (tools/bench.sh): after every pass that put something on screen
// (a widget's paint, a native window's expose or update request) the counts
// so far are dumped ("drawn"), and once SECONDS pass with nothing drawn they
// are dumped once more ("settled") and the process ends. The sum of the
// dumps up to the last "drawn" one is start-up to the settled first paint,
// whatever the window does on its own afterwards; the "settled" dump shows
// what ran after it (work put off until after the paint, the idle loop).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since this process started, from its start time in
// /proc/self/stat (clock ticks since boot) and the boot-time clock.
double millisecondsSinceProcessStart()
{
    FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return -1;
    char buffer[1024] = {};
    const std::size_t length = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[length] = '\0';
    // Field 22 (starttime) counts from the field after the command name's ")".
    const char* field = std::strrchr(buffer, ')');
    unsigned long long startTicks = 0;
    for (int index = 2; field && index < 22; ++index)
        field = std::strchr(field + 1, ' ');
    if (!field || std::sscanf(field + 1, "%llu", &startTicks) != 1)
        return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (now.tv_sec + now.tv_nsec / 1e9 - startTicks / ticksPerSecond) * 1000.0;
}

class FirstPaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window()->isVisible()) {
            m_seen = true;
            // The paint pass of the whole window and its flush finish before
            // the event loop runs this.
            QTimer::singleShot(0, [] {
                std::printf("first paint %.1f ms after process start\n", millisecondsSinceProcessStart());
                std::fflush(stdout);
                if (!qEnvironmentVariableIsSet("CORVANE_BENCH_STAY"))
                    ::_exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

// Dumps callgrind's counts after each drawing pass and ends the process once
// the screen has been quiet for the settling time.
class SettledPaintWatcher : public QObject {
public:
    explicit SettledPaintWatcher(int settleMilliseconds)
    {
        m_quiet.setSingleShot(true);
        m_quiet.setInterval(settleMilliseconds);
        QObject::connect(&m_quiet, &QTimer::timeout, [] {
            CALLGRIND_DUMP_STATS_AT("settled");
            ::_exit(0);
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool drawing = (event->type() == QEvent::Paint && watched->isWidgetType()) ||
                             ((event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest) &&
                              watched->isWindowType());
        if (drawing && !m_dumpPending) {
            m_dumpPending = true;
            // After the pass has been flushed to the window system.
            QTimer::singleShot(0, this, [this] {
                m_dumpPending = false;
                CALLGRIND_DUMP_STATS_AT("drawn");
                m_quiet.start();
            });
        }
        return false;
    }

private:
    QTimer m_quiet;
    bool m_dumpPending = false;
};

void installFirstPaintWatcher()
{
    const QByteArray settle = qgetenv("CORVANE_BENCH_SETTLE");
    if (!settle.isEmpty())
        QCoreApplication::instance()->installEventFilter(new SettledPaintWatcher(int(settle.toDouble() * 1000)));
    else
        QCoreApplication::instance()->installEventFilter(new FirstPaintWatcher);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintWatcher)
