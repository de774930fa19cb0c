// Two headless computer peers (corvane-computer, level 1, short move time)
// play a whole game over loopback UDP: until one concedes, a general is
// taken or 200 plies are played. Every move each prints is replayed here by
// the game's rules, which must accept it, and the board each prints after
// its move must be the replayed one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMap>
#include <QProcess>
#include <QUdpSocket>

#include <functional>
#include <memory>
#include <string>

#include "computer/UciNotation.h"
#include "support/WaitUntil.h"
#include "game/MoveRules.h"
#include "game/Position.h"

using namespace corvane;
using corvane::testing::waitUntil;

namespace {

constexpr int MaxPlies = 200;

int freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

// Two ports nobody holds, and not the same one.
std::pair<int, int> twoFreePorts()
{
    QUdpSocket first, second;
    first.bind(QHostAddress::LocalHost, 0);
    second.bind(QHostAddress::LocalHost, 0);
    return {first.localPort(), second.localPort()};
}

bool portTaken(int port)
{
    QUdpSocket probe;
    return !probe.bind(QHostAddress::AnyIPv4, static_cast<quint16>(port));
}

struct Line {
    QString move; // "resign" when the peer conceded
    QString board;
};

// Reads "<ply> <move> <board>" lines as they come.
class Player {
public:
    Player(const QString& side, int localPort, int remotePort)
    {
        m_process.setProgram(QStringLiteral(CORVANE_COMPUTER));
        m_process.setArguments({QStringLiteral("--side"), side, QStringLiteral("--level"), QStringLiteral("1"),
                                QStringLiteral("--move-time"), QStringLiteral("50"), QStringLiteral("--local-port"),
                                QString::number(localPort), QStringLiteral("--remote-port"),
                                QString::number(remotePort)});
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] {
            while (m_process.canReadLine()) {
                const QStringList words = QString::fromUtf8(m_process.readLine()).trimmed().split(QLatin1Char(' '));
                if (words.size() >= 2)
                    lines.insert(words[0].toInt(), Line{words[1], words.mid(2).join(QLatin1Char(' '))});
            }
        });
        m_process.start();
    }
    ~Player()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QProcess& process() { return m_process; }
    // What it said on standard error, for a failure's message.
    std::string errors() { return m_process.readAllStandardError().toStdString(); }
    QMap<int, Line> lines;

private:
    QProcess m_process;
};

} // namespace

TEST(ComputerMatch, TwoHeadlessPeersPlayAWholeGameInStep)
{
    // Another test may bind a chosen port before a peer does; the peer then
    // ends at once, and the ports are chosen again.
    std::unique_ptr<Player> blackPlayer, redPlayer;
    std::string failures;
    const auto ended = [](Player& player) { return player.process().state() == QProcess::NotRunning; };
    for (int attempt = 0; attempt < 5 && !redPlayer; ++attempt) {
        const auto [redPort, blackPort] = twoFreePorts();
        blackPlayer = std::make_unique<Player>(QStringLiteral("black"), blackPort, redPort);
        if (!waitUntil([&] { return ended(*blackPlayer) || portTaken(blackPort); }, 10000) || ended(*blackPlayer)) {
            failures += "black: " + blackPlayer->errors() + "; ";
            continue;
        }
        redPlayer = std::make_unique<Player>(QStringLiteral("red"), redPort, blackPort);
        if (waitUntil([&] { return ended(*redPlayer); }, 300)) {
            failures += "red: " + redPlayer->errors() + "; ";
            redPlayer.reset();
        }
    }
    ASSERT_TRUE(redPlayer) << "the peers could not listen: " << failures;
    Player& black = *blackPlayer;
    Player& red = *redPlayer;

    game::Position replay;
    replay.reset();
    bool redToMove = true;
    int ply = 0;
    bool over = false;
    while (!over && ply < MaxPlies) {
        Player& mover = redToMove ? red : black;
        ASSERT_TRUE(waitUntil([&] { return mover.lines.contains(ply + 1); }, 20000))
            << "ply " << ply + 1 << "; red: " << red.errors() << "; black: " << black.errors();
        const Line line = mover.lines.value(++ply);
        if (line.move == QLatin1String("resign"))
            break;
        const auto move = computer::parseMove(line.move.toStdString());
        ASSERT_TRUE(move) << line.move.toStdString();
        const auto piece = replay.pieceAt(move->from);
        ASSERT_TRUE(piece && game::pieceInfo(*piece).side == (redToMove ? game::Side::Red : game::Side::Black))
            << "ply " << ply << " " << line.move.toStdString();
        game::Move applied{*piece, move->from, move->to, move->to, replay.pieceAt(move->to), std::nullopt, false};
        const bool legal = applied.taken ? game::judgeCapture(replay, *piece, *applied.taken, move->from, move->to)
                                         : game::judgeMove(replay, *piece, move->from, move->to);
        ASSERT_TRUE(legal) << "ply " << ply << " " << line.move.toStdString();
        over = applied.taken && game::pieceInfo(*applied.taken).kind == game::PieceKind::General;
        replay.apply(applied);
        redToMove = !redToMove;
        EXPECT_EQ(line.board.toStdString(), computer::boardFen(replay, redToMove)) << "ply " << ply;
    }
    EXPECT_GT(ply, 10) << "a game was played";

    // A signal ends each peer, which tells the other: both end cleanly.
    red.process().terminate();
    for (Player* player : {&red, &black}) {
        ASSERT_TRUE(player->process().waitForFinished(10000));
        EXPECT_EQ(player->process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player->process().exitCode(), 0) << player->errors();
    }
}

TEST(ComputerMatch, AMissingEngineEndsTheProgramNamingThePackage)
{
    QProcess program;
    program.start(QStringLiteral(CORVANE_COMPUTER),
                  {QStringLiteral("--engine"), QStringLiteral("/nonexistent/fairy-stockfish"),
                   QStringLiteral("--local-port"), QString::number(freePort())});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("apt install fairy-stockfish"));
}
