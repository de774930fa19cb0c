// The computer opponent, with the real engine: from the player's drop to the
// computer's reply painted on the board (the level's move time plus at most
// 50 ms is the target), over 20 moves at level 1 (200 ms a move); and the
// engine's resident memory at level 8 after two full-length searches (under
// 64 MB is the target).
#include <QFile>
#include <QUdpSocket>

#include <algorithm>
#include <chrono>
#include <random>

#include "bench_main.h"
#include "computer/Engine.h"
#include "computer/ComputerGame.h"
#include "net/endpoint/UdpEndpoint.h"
#include "net/protocol/MoveText.h"
#include "shell/BoardView.h"
#include "shell/ComputerOpponent.h"
#include "shell/WindowParts.h"
#include "shell/MainWindow.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane;
using Clock = std::chrono::steady_clock;

namespace {

void runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done() && Clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

// The time of the board view's latest paint.
class PaintClock : public QObject {
public:
    Clock::time_point last;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            last = Clock::now();
        return false;
    }
};

// A random red move that the computer (black) accepts and that leaves red's
// general out of reach, as a careful player's would.
std::optional<game::Move> safeMove(const computer::ComputerGame& game, std::mt19937& random)
{
    std::vector<game::Move> safe;
    const game::Position& position = game.position();
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        if (game::pieceInfo(id).side != game::Side::Red || position.piece(id).taken)
            continue;
        for (int row = 1; row <= game::Rows; ++row)
            for (int column = 1; column <= game::Columns; ++column) {
                game::Move move;
                move.piece = id;
                move.from = position.piece(id).point;
                move.to = move.onto = {row, column};
                move.taken = position.pieceAt(move.to);
                if (move.taken && game::pieceInfo(*move.taken).side == game::Side::Red)
                    continue;
                move.endsGame = move.taken && game::pieceInfo(*move.taken).kind == game::PieceKind::General;
                if (!move.endsGame)
                    move.passTurnFrom = game::Side::Red;
                computer::ComputerGame trial = game;
                if (trial.receive(protocol::encodeMove(move)) == computer::Received::OpponentMoved &&
                    !trial.generalCapture())
                    safe.push_back(move);
            }
    }
    if (safe.empty())
        return std::nullopt;
    return safe[std::uniform_int_distribution<std::size_t>(0, safe.size() - 1)(random)];
}

int residentKilobytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toInt();
    return 0;
}

void BM_DropToComputerReplyPainted(benchmark::State& state)
{
    MessageBoxRecorder boxes;
    shell::MainWindow form{shell::testing::silentSound()};
    {
        QUdpSocket probe; // a port of its own, whatever else runs
        probe.bind(QHostAddress::LocalHost, 0);
        form.endpoint()->setLocalPort(probe.localPort());
    }
    QString problem;
    auto* opponent =
        shell::ComputerOpponent::create(form, game::Side::Black, 1, computer::Engine::defaultProgram(), problem);
    if (!opponent) {
        state.SkipWithError(problem.toStdString().c_str());
        return;
    }
    form.show();
    opponent->start();
    // The engine's own start (its tables, its first answer) is not a reply.
    runUntil([] { return false; }, std::chrono::seconds(2));
    PaintClock paints;
    std::vector<double> samples;
    shell::testing::boardView(form)->installEventFilter(&paints);
    const computer::ComputerPeer& peer = *opponent->findChild<computer::ComputerPeer*>();
    std::mt19937 random(7);

    for (auto _ : state) {
        if (peer.game().isOver() || peer.game().moves().size() >= 160) {
            state.PauseTiming();
            form.restartGame(); // "重新开始"
            runUntil([&] { return peer.game().moves().empty(); }, std::chrono::seconds(2));
            state.ResumeTiming();
        }
        const auto move = safeMove(peer.game(), random);
        if (!move) {
            state.SkipWithError("the player has no move that keeps the general");
            return;
        }
        const std::size_t plies = peer.game().moves().size();
        shell::BoardView::DropTarget target{move->taken, move->to};
        const auto start = Clock::now();
        emit shell::testing::boardView(form)->dropped(move->piece, target);
        runUntil([&] { return peer.game().moves().size() >= plies + 2 && form.position().mayMove(game::Side::Red); },
                 std::chrono::seconds(10));
        const auto replyApplied = Clock::now();
        runUntil([&] { return paints.last >= replyApplied; }, std::chrono::seconds(1));
        const double seconds = std::chrono::duration<double>(paints.last - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000);
        if (!form.position().mayMove(game::Side::Red)) {
            state.SkipWithError("no reply came");
            return;
        }
    }
    std::sort(samples.begin(), samples.end());
    state.counters["move_time_ms"] = peer.moveTimeMs();
    if (!samples.empty()) {
        state.counters["median_ms"] = samples[samples.size() / 2];
        state.counters["max_ms"] = samples.back();
    }
}
BENCHMARK(BM_DropToComputerReplyPainted)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_EngineMemoryAtLevel8(benchmark::State& state)
{
    int kilobytes = 0;
    for (auto _ : state) {
        computer::Engine engine(computer::Engine::defaultProgram());
        const computer::LevelSettings level = computer::levelSettings(computer::HighestLevel);
        int answers = 0;
        QObject::connect(&engine, &computer::Engine::bestMoveFound, [&] { ++answers; });
        engine.start(level);
        engine.think("position fen " + std::string(computer::StartFen), level.moveTimeMs);
        runUntil([&] { return answers == 1; }, std::chrono::seconds(10));
        engine.think("position fen " + std::string(computer::StartFen) + " moves h3e3 h8e8 h1g3 h10g8",
                     level.moveTimeMs);
        runUntil([&] { return answers == 2; }, std::chrono::seconds(10));
        kilobytes = residentKilobytes(engine.processId());
        if (answers != 2)
            state.SkipWithError("the engine did not answer");
    }
    state.counters["engine_rss_MB"] = kilobytes / 1024.0;
}
BENCHMARK(BM_EngineMemoryAtLevel8)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

CORVANE_BENCHMARK_MAIN();
