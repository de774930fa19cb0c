// From the drop of a piece to the turn handed over by the window's own
// returning datagram (one computer: the window sends to itself), beside a
// bare QUdpSocket round trip over loopback through the same event loop. The
// move should cost at most 1.5 times the round trip plus 50 microseconds.
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <chrono>

#include "bench_main.h"
#include "spread.h"
#include "integration/GameHarness.h"
#include "net/endpoint/UdpEndpoint.h"
#include "shell/NotificationSound.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane::endpoint;

using namespace corvane;
using Clock = std::chrono::steady_clock;

namespace {

int freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

int pieceStartingOn(int code)
{
    for (game::PieceId id = 0; id < game::PieceCount; ++id)
        if (game::pieceInfo(id).startCode == code)
            return protocol::pieceNumber(id);
    return 0;
}

void BM_LoopbackRoundTrip(benchmark::State& state)
{
    QUdpSocket socket;
    socket.bind(QHostAddress::LocalHost, 0);
    bool arrived = false;
    QObject::connect(&socket, &QUdpSocket::readyRead, [&] {
        while (socket.hasPendingDatagrams())
            socket.receiveDatagram();
        arrived = true;
    });
    const QByteArray message("blksky|Image13|Image70|4|1|5|1");
    for (auto _ : state) {
        arrived = false;
        const auto start = Clock::now();
        socket.writeDatagram(message, QHostAddress::LocalHost, socket.localPort());
        while (!arrived)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_LoopbackRoundTrip)->UseManualTime()->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

void BM_MoveDropToTurnHandedOver(benchmark::State& state)
{
    MessageBoxRecorder boxes;
    harness::ProgramWindows program;
    shell::MainWindow& form = program.mainWindow;
    const int port = freePort();
    form.endpoint()->setRemotePort(port);
    form.endpoint()->setLocalPort(port);
    form.show();
    harness::spin(200);

    // The two chariots of column 1 step forward and back, black and red in
    // turn: 11 -> 21 -> 11 and 101 -> 91 -> 101.
    const int black = pieceStartingOn(11), red = pieceStartingOn(101);
    struct Step {
        int piece;
        int pointNumber;
        game::Side nextToMove;
    };
    const Step cycle[] = {
        {black, protocol::pointNumber({2, 1}), game::Side::Red},
        {red, protocol::pointNumber({9, 1}), game::Side::Black},
        {black, protocol::pointNumber({1, 1}), game::Side::Red},
        {red, protocol::pointNumber({10, 1}), game::Side::Black},
    };
    int next = 0;
    for (auto _ : state) {
        const Step& step = cycle[next++ % 4];
        const QPoint releaseAt = harness::pressAndCarry(form, step.piece, step.pointNumber);
        const auto start = Clock::now();
        harness::release(form, releaseAt);
        while (!harness::hasTurn(form, step.nextToMove) && Clock::now() - start < std::chrono::seconds(5))
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 100);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        const int landedOn = protocol::pointOfNumber(step.pointNumber).code();
        if (harness::image(form, step.piece).tag() != landedOn || !harness::hasTurn(form, step.nextToMove)) {
            state.SkipWithError("the move was not made or the turn did not come back");
            break;
        }
    }
}
BENCHMARK(BM_MoveDropToTurnHandedOver)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Apply(corvane::bench::addSpread);

} // namespace

CORVANE_BENCHMARK_MAIN();
