// The notice storm's game side: close and lost-game notices open their boxes
// while chat lines and moves go on being applied; at most one box is open.
#include "FloodHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "GameHarness.h"
#include "net/endpoint/UdpEndpoint.h"
#include "shell/NotificationSound.h"

using namespace corvane;
using namespace corvane::endpoint;
using namespace corvane::harness;
using namespace corvane::shell::testing;

namespace corvane::flood {

namespace {

std::vector<QMessageBox*> openBoxes()
{
    std::vector<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            boxes.push_back(box);
    return boxes;
}

struct StormResult {
    Sent sent;
    long playApplied = 0;    // chat lines and moves whose effect was seen
    std::size_t deepest = 0; // most boxes open at once
    std::size_t openWhenDrained = 0;
    int boxesClosed = 0;
    bool drained = false;
};

// One storm of `count` notices, run to its end: sent, drained (a chat line
// from here shows while the boxes are still open), and every box closed by
// its OK button as a player would. All of it is driven from a timer, because
// from the first notice on the harness itself waits inside that box.
StormResult storm(shell::MainWindow& form, int port, int count)
{
    StormResult result;
    // After the window's own receive slot, until the storm is over.
    const QMetaObject::Connection watching =
        QObject::connect(form.endpoint(), &UdpEndpoint::datagramReceived, &form, [&](const QByteArray& bytes) {
            const std::string text = bytes.toStdString();
            result.deepest = std::max(result.deepest, openBoxes().size());
            if (text.rfind(ChatPrefix + "storm ", 0) == 0)
                result.playApplied += receivedText(form)->toPlainText().toStdString() == text.substr(ChatPrefix.size());
            else if (text == MoveForward || text == MoveBack)
                result.playApplied += image(form, 13).tag() == (text == MoveForward ? 51 : 41);
        });

    QProcess sender;
    sender.start(QCoreApplication::applicationFilePath(), senderArguments("--send-notices", port, count));
    enum class Phase { Storming, Draining, Closing, Done } phase = Phase::Storming;
    QUdpSocket drainer;
    const QString drainLine = QStringLiteral("drained");
    int quietTicks = 0;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        const std::vector<QMessageBox*> boxes = openBoxes();
        result.deepest = std::max(result.deepest, boxes.size());
        switch (phase) {
        case Phase::Storming:
            if (sender.state() == QProcess::NotRunning) {
                result.sent = readSent(sender);
                phase = Phase::Draining;
            }
            break;
        case Phase::Draining:
            if (receivedText(form)->toPlainText() == drainLine) {
                result.drained = true;
                result.openWhenDrained = boxes.size();
                phase = Phase::Closing;
            } else {
                drainer.writeDatagram(QByteArray::fromStdString(ChatPrefix) + drainLine.toLatin1(),
                                      QHostAddress::LocalHost, static_cast<quint16>(port));
            }
            break;
        case Phase::Closing:
            if (!boxes.empty()) {
                boxes.front()->button(QMessageBox::Ok)->click();
                ++result.boxesClosed;
                quietTicks = 0;
            } else if (++quietTicks == 10) {
                phase = Phase::Done;
            }
            break;
        case Phase::Done: break;
        }
    });
    driver.start();
    waitUntil([&] { return phase == Phase::Done; }, 300'000);
    QObject::disconnect(watching);
    return result;
}
} // namespace

int runNoticeStorm(int count)
{
    ProgramWindows program;
    shell::MainWindow& form = program.mainWindow;
    const int port = showOnFreePort(form);

    // A first, short storm fills the caches of every path (boxes included);
    // the memory after it is what the big one must come back to.
    const StormResult warm = storm(form, port, std::min(count, 1000));
    spin(300);
    const long warmKb = residentKilobytes();
    QElapsedTimer clock;
    clock.start();
    const StormResult big = storm(form, port, count);
    const qint64 stormMs = clock.elapsed();
    spin(1000);
    const long endKb = residentKilobytes();

    const long playSent = big.sent.valid;
    std::printf("storm: %d notices and %ld chat lines and moves sent (%ld datagrams) in %lld ms, to a receive "
                "queue of %d bytes\n",
                count, playSent, big.sent.all, static_cast<long long>(stormMs), receiveQueueOf(form));
    std::printf("storm: at most %zu box(es) open at once, %zu open when the drain line showed, %d closed in all\n",
                big.deepest, big.openWhenDrained, big.boxesClosed);
    std::printf("storm: %ld of %ld chat lines and moves applied while the boxes were open (%ld lost)\n",
                big.playApplied, playSent, playSent - big.playApplied);
    std::printf("storm: resident memory %ld kB after the warm-up storm, %ld kB after the storm (%+ld kB)\n", warmKb,
                endKb, endKb - warmKb);

    const long memorySlack = std::max(512L, warmKb / 100);
    bool ok = true;
    auto require = [&ok](bool condition, const char* what) {
        if (!condition) {
            std::printf("storm: FAILED: %s\n", what);
            ok = false;
        }
    };
    require(warm.drained && big.drained, "the window stopped handling datagrams while a box was open");
    require(big.sent.all == count + 2 * (count / 100), "the sender could not send every datagram");
    require(warm.deepest == 1 && big.deepest == 1, "more than one notice box was open at once");
    require(big.openWhenDrained == 1, "no notice box was open while the storm was handled");
    require(big.boxesClosed <= 2, "a notice box was shown more than once per kind");
    // Not judged: the sender far outruns the window, which opens and draws a
    // box meanwhile, so most of the storm waits in the kernel's queue at
    // once, and 10,200 datagrams come close to what the largest queue the
    // system grants holds (the figure above says what was lost).
    require(big.playApplied > 0, "no chat line or move was applied while a box was open");
    if (MemoryCanBeJudged)
        require(endKb - warmKb <= memorySlack, "memory did not come back after the storm");
    require(form.isVisible() && openBoxes().empty(), "the window is not back to play");
    std::printf("storm: %s\n", ok ? "PASSED" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace corvane::flood
