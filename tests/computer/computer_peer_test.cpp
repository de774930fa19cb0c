// The computer peer on a loopback socket with a stand-in engine
// (stand_in_engine.sh): it answers a move with the engine's move, concedes
// with a chat line when the engine has none, and when the engine is missing,
// dies, hangs or answers nonsense it says so, sends nothing, leaves no
// process behind, and starts a fresh engine on the opponent's restart.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <csignal>
#include <functional>
#include <string>

#include "computer/ComputerPeer.h"
#include "support/WaitUntil.h"
#include "net/protocol/Gbk.h"

using namespace corvane;
using corvane::testing::waitUntil;
using computer::ComputerPeer;
using computer::EngineFailure;

namespace {

const std::string CentralCannon = "redsky|Image24|Image101|8|8|8|5"; // h3e3
const std::string CannonToCentre = "blksky|Image12|Image56|3|8|3|5"; // h8e8
const std::string ChariotUp = "redsky|Image25|Image106|10|1|9|1";    // a1a2
const std::string Restart = "chongxin|2|3|4|5|6|7";

// A zombie still answers kill(pid, 0): only a reaped process does not.
bool processGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0;
}

class ComputerPeerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_opponent.bind(QHostAddress::LocalHost, 0));
        qputenv("STAND_IN_PIDS", m_folder.filePath(QStringLiteral("pids")).toLocal8Bit());
    }
    void TearDown() override
    {
        qunsetenv("STAND_IN_ANSWERS");
        qunsetenv("STAND_IN_PIDS");
    }

    void makeComputer(const QString& program = QStringLiteral(STAND_IN_ENGINE))
    {
        computer = std::make_unique<ComputerPeer>(game::Side::Black, 1, program);
        computer->setMoveTimeMs(50);
        computer->setEngineGraceMs(300); // a hang shows after 350 ms
        ASSERT_FALSE(computer->bind(QHostAddress::LocalHost, 0));
        computer->setPeer(QHostAddress::LocalHost, m_opponent.localPort());
    }
    void send(const std::string& bytes)
    {
        m_opponent.writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), QHostAddress::LocalHost,
                                 computer->localPort());
    }
    // The next datagram the computer sends ("" when none comes in time).
    std::string next(int milliseconds = 5000)
    {
        if (!waitUntil([this] { return m_opponent.hasPendingDatagrams(); }, milliseconds))
            return {};
        return m_opponent.receiveDatagram().data().toStdString();
    }
    // The process ids of every stand-in engine started so far.
    QList<qint64> enginePids()
    {
        QFile file(m_folder.filePath(QStringLiteral("pids")));
        QList<qint64> pids;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    pids << line.toLongLong();
        return pids;
    }

    std::unique_ptr<ComputerPeer> computer;

private:
    QUdpSocket m_opponent;
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(ComputerPeerTest, AnswersWithTheEnginesMoveAndConcedesWhenItHasNone)
{
    qputenv("STAND_IN_ANSWERS", "h8e8 none");
    makeComputer();
    int conceded = 0;
    QObject::connect(computer.get(), &ComputerPeer::conceded, [&] { ++conceded; });
    computer->start();
    send("message|2|3|4|5|6|hello"); // chat and moves out of turn get no answer
    send(CannonToCentre);
    send(CentralCannon);
    EXPECT_EQ(next(), CannonToCentre);
    send(ChariotUp);
    const std::string concession = next();
    EXPECT_EQ(concession.rfind(protocol::utf8ToGbk("message|2|3|4|5|6|来自 "), 0), 0u) << concession;
    EXPECT_TRUE(concession.ends_with("\r\n" + protocol::utf8ToGbk("我认输了，你赢了！"))) << concession;
    EXPECT_EQ(conceded, 1);
    EXPECT_EQ(next(300), "");
}

TEST_F(ComputerPeerTest, AStoppedEngineIsToldAndReapedAndARestartStartsAFreshOne)
{
    struct Case {
        const char* answers;
        EngineFailure failure;
    };
    for (const Case& c : {Case{"die", EngineFailure::Died}, Case{"hang", EngineFailure::Hung},
                          Case{"a10a5", EngineFailure::Nonsense}, Case{"nonsense", EngineFailure::Nonsense}}) {
        SCOPED_TRACE(c.answers);
        qputenv("STAND_IN_ANSWERS", c.answers);
        makeComputer();
        QList<EngineFailure> stopped;
        QObject::connect(computer.get(), &ComputerPeer::engineStopped, [&](EngineFailure f) { stopped << f; });
        computer->start();
        send(CentralCannon);
        ASSERT_TRUE(waitUntil([&] { return !stopped.isEmpty(); }));
        EXPECT_EQ(stopped, QList<EngineFailure>{c.failure});
        EXPECT_EQ(next(100), "") << "nothing is played";
        ASSERT_FALSE(enginePids().isEmpty());
        EXPECT_TRUE(waitUntil([&] { return processGone(enginePids().constLast()); }));

        qputenv("STAND_IN_ANSWERS", "h8e8");
        send(Restart);
        send(CentralCannon);
        EXPECT_EQ(next(), CannonToCentre) << "a fresh engine plays";
        const qint64 fresh = enginePids().constLast();
        computer.reset();
        EXPECT_TRUE(processGone(fresh)) << "closing leaves no engine behind";
    }
}

TEST_F(ComputerPeerTest, AMissingEngineIsToldAtTheStart)
{
    makeComputer(QStringLiteral("/nonexistent/fairy-stockfish"));
    QList<EngineFailure> stopped;
    QObject::connect(computer.get(), &ComputerPeer::engineStopped, [&](EngineFailure f) { stopped << f; });
    computer->start();
    ASSERT_TRUE(waitUntil([&] { return !stopped.isEmpty(); }));
    EXPECT_EQ(stopped, QList<EngineFailure>{EngineFailure::Missing});
    send(CentralCannon);
    EXPECT_EQ(next(300), "");
}
