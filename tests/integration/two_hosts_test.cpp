// Two hosts: two game processes, each the program's real main window
// (offscreen) with its real UDP endpoint, in two network namespaces joined by
// a veth pair (10.77.0.1 and 10.77.0.2, private to the pair; nothing leaves
// the machine). Each one's peer is set through the settings dialog. A
// scripted player inside each process plays its side by mouse; this driver
// only tells each player when to move and compares the two boards.
//
// Without the right to make network namespaces (root) the tests skip. Packet
// loss comes from tc netem, or from an nftables rule that drops a random
// tenth of UDP where the netem module is missing; with neither, the lossy
// test skips.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const std::string AddressA = "10.77.0.1";
const std::string AddressB = "10.77.0.2";

// Runs a command line; true when it exits with status 0.
bool run(const QStringList& command, QString* output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(20000))
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString ipTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("ip"), {"/usr/sbin", "/sbin", "/usr/bin"});
}

// Two namespaces with one veth pair between them, removed again on
// destruction (removing a namespace removes its end of the pair).
class NamespacePair {
public:
    NamespacePair()
    {
        const QString tag = QString::number(::getpid());
        m_nsA = "corvane-2h-a" + tag;
        m_nsB = "corvane-2h-b" + tag;
    }
    ~NamespacePair() { remove(); }

    // Empty on success, otherwise why the pair could not be made.
    QString create()
    {
        const QString ip = ipTool();
        if (ip.isEmpty())
            return "the ip tool (iproute2) is not installed";
        if (::geteuid() != 0)
            return "making network namespaces needs root";
        const QList<QStringList> steps = {
            {ip, "netns", "add", m_nsA},
            {ip, "netns", "add", m_nsB},
            {ip, "link", "add", "cvn-a", "netns", m_nsA, "type", "veth", "peer", "name", "cvn-b", "netns", m_nsB},
            {ip, "-n", m_nsA, "addr", "add", QString::fromStdString(AddressA) + "/24", "dev", "cvn-a"},
            {ip, "-n", m_nsB, "addr", "add", QString::fromStdString(AddressB) + "/24", "dev", "cvn-b"},
            {ip, "-n", m_nsA, "link", "set", "cvn-a", "up"},
            {ip, "-n", m_nsB, "link", "set", "cvn-b", "up"},
            {ip, "-n", m_nsA, "link", "set", "lo", "up"},
            {ip, "-n", m_nsB, "link", "set", "lo", "up"},
        };
        m_created = true;
        for (const QStringList& step : steps) {
            QString output;
            if (!run(step, &output))
                return "network namespaces cannot be made here (" + step.mid(1).join(' ') + ": " + output + ")";
        }
        return {};
    }

    // Drops about a tenth of the datagrams leaving each end. Empty on
    // success, otherwise why not.
    QString makeLossy()
    {
        const QString ip = ipTool();
        QString netemOutput;
        if (run({ip, "netns", "exec", m_nsA, "tc", "qdisc", "add", "dev", "cvn-a", "root", "netem", "loss", "10%"},
                &netemOutput) &&
            run({ip, "netns", "exec", m_nsB, "tc", "qdisc", "add", "dev", "cvn-b", "root", "netem", "loss", "10%"})) {
            m_lossMethod = "tc netem loss 10%";
            return {};
        }
        const QString rule = "add table inet corvane_loss; "
                             "add chain inet corvane_loss out { type filter hook output priority 0; policy accept; }; "
                             "add rule inet corvane_loss out meta l4proto udp numgen random mod 10 0 drop";
        QString nftOutput;
        if (run({ip, "netns", "exec", m_nsA, "nft", rule}, &nftOutput) &&
            run({ip, "netns", "exec", m_nsB, "nft", rule}, &nftOutput)) {
            m_lossMethod = "nftables: drop UDP at random, 1 in 10 (tc netem: " + netemOutput + ")";
            return {};
        }
        return "neither tc netem (" + netemOutput + ") nor nftables (" + nftOutput + ") can drop packets here";
    }

    void makeLossless()
    {
        const QString ip = ipTool();
        run({ip, "netns", "exec", m_nsA, "tc", "qdisc", "del", "dev", "cvn-a", "root"});
        run({ip, "netns", "exec", m_nsB, "tc", "qdisc", "del", "dev", "cvn-b", "root"});
        run({ip, "netns", "exec", m_nsA, "nft", "delete table inet corvane_loss"});
        run({ip, "netns", "exec", m_nsB, "nft", "delete table inet corvane_loss"});
    }

    void remove()
    {
        if (!m_created)
            return;
        run({ipTool(), "netns", "del", m_nsA});
        run({ipTool(), "netns", "del", m_nsB});
        m_created = false;
    }

    QString a() const { return m_nsA; }
    QString b() const { return m_nsB; }
    QString lossMethod() const { return m_lossMethod; }

private:
    QString m_nsA, m_nsB, m_lossMethod;
    bool m_created = false;
};

// One game process in a namespace, spoken to one line at a time.
class PlayerProcess {
public:
    PlayerProcess(const QString& ns, const char* side) : m_side(side)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(ipTool(), {"netns", "exec", ns, CORVANE_TWO_HOST_PLAYER, "--side", side});
    }
    ~PlayerProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Sends an order and returns the answer line ("" when none came in time).
    std::string ask(const std::string& order, int milliseconds = 10000)
    {
        m_process.write((order + "\n").c_str());
        m_process.waitForBytesWritten(2000);
        return readLine(milliseconds);
    }
    std::string readLine(int milliseconds = 10000)
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(milliseconds))
                return {};
        return m_process.readLine().trimmed().toStdString();
    }
    // Waits for the process to end; true when it ended by itself with status 0.
    bool finishedCleanly()
    {
        return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }
    const char* side() const { return m_side; }

private:
    QProcess m_process;
    const char* m_side;
};

class TwoHosts : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString problem = namespaces.create();
        if (!problem.isEmpty()) {
            namespaces.remove();
            GTEST_SKIP() << "two-host test skipped: " << problem.toStdString();
        }
        black = std::make_unique<PlayerProcess>(namespaces.a(), "black");
        red = std::make_unique<PlayerProcess>(namespaces.b(), "red");
        ASSERT_EQ(black->readLine(30000), "ready");
        ASSERT_EQ(red->readLine(30000), "ready");
        // Each window keeps the stored ports (1234) and is pointed at the other.
        ASSERT_EQ(black->ask("configure " + AddressB + " 1234 1234"), "ok");
        ASSERT_EQ(red->ask("configure " + AddressA + " 1234 1234"), "ok");
    }
    void TearDown() override
    {
        black.reset();
        red.reset();
        namespaces.remove();
    }

    // One move of `mover`, and `other` waiting for the turn to come over.
    // Returns the other's answer: "turn" or "timeout".
    std::string ply(PlayerProcess& mover, PlayerProcess& other, unsigned seed, int waitMs)
    {
        const std::string moved = mover.ask("move " + std::to_string(seed));
        EXPECT_EQ(moved.rfind("moved ", 0), 0u) << mover.side() << " could not move: " << moved;
        if (moved.size() > 2 && moved.back() == '1')
            ++captures;
        return other.ask("wait-turn " + std::to_string(waitMs));
    }

    bool inStep() { return black->ask("state") == red->ask("state"); }

    // Both players quit; both processes must end by themselves with status 0.
    void quitBoth()
    {
        EXPECT_EQ(black->ask("quit"), "bye");
        EXPECT_TRUE(black->finishedCleanly()) << "the black process did not end cleanly";
        // The black window's close notice may or may not have reached red.
        EXPECT_EQ(red->ask("quit"), "bye");
        EXPECT_TRUE(red->finishedCleanly()) << "the red process did not end cleanly";
    }

    NamespacePair namespaces;
    std::unique_ptr<PlayerProcess> black, red;
    int captures = 0;
};

} // namespace

TEST_F(TwoHosts, ASixtyMoveGameOverUdpKeepsBothBoardsInStep)
{
    constexpr int Plies = 64;
    for (int i = 0; i < Plies; ++i) {
        PlayerProcess& mover = i % 2 ? *red : *black;
        PlayerProcess& other = i % 2 ? *black : *red;
        ASSERT_EQ(ply(mover, other, 1000 + i, 5000), "turn") << "the turn did not come over after ply " << i;
        ASSERT_TRUE(inStep()) << "the boards differ after ply " << i;
    }
    std::printf("two hosts: %d moves, %d of them captures, boards in step after every move\n", Plies, captures);
    EXPECT_GE(captures, 5);
    EXPECT_EQ(black->ask("boxes"), "boxes 0");
    EXPECT_EQ(red->ask("boxes"), "boxes 0");
    quitBoth();
}

TEST_F(TwoHosts, UnderTenPercentLossARestartBringsBothBoardsBackInStep)
{
    const QString problem = namespaces.makeLossy();
    if (!problem.isEmpty())
        GTEST_SKIP() << "lossy half skipped: " << problem.toStdString();
    std::printf("two hosts: loss by %s\n", namespaces.lossMethod().toStdString().c_str());

    // Play on; whenever a move's datagram is lost the turn never comes over,
    // and black restarts (the restart notice may be lost too: then again).
    int plies = 0, sincePlayStart = 0, restarts = 0, recoveries = 0;
    // At least 60 moves, and on until a loss has been seen (0.9^60 is small,
    // not nothing).
    while ((plies < 60 || recoveries == 0) && plies < 300 && restarts < 60) {
        PlayerProcess& mover = sincePlayStart % 2 ? *red : *black;
        PlayerProcess& other = sincePlayStart % 2 ? *black : *red;
        ++plies;
        if (ply(mover, other, 5000 + plies, 300) == "turn") {
            ++sincePlayStart;
            continue;
        }
        ++recoveries;
        bool back = false;
        for (int attempt = 0; attempt < 20 && !back; ++attempt) {
            ASSERT_EQ(black->ask("restart"), "ok");
            ++restarts;
            back = red->ask("wait-open 300") == "open" && inStep();
        }
        ASSERT_TRUE(back) << "twenty restarts did not bring the boards back in step";
        sincePlayStart = 0;
    }
    std::printf("two hosts under loss: %d moves played, %d stalls, %d restarts, boards back in step after each\n",
                plies, recoveries, restarts);
    EXPECT_GT(recoveries, 0) << "no datagram was lost: the loss did not take effect";

    // Without loss again: one restart brings both back, and play goes on in step.
    namespaces.makeLossless();
    ASSERT_EQ(black->ask("restart"), "ok");
    ASSERT_EQ(red->ask("wait-open 3000"), "open");
    ASSERT_TRUE(inStep());
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(ply(i % 2 ? *red : *black, i % 2 ? *black : *red, 9000 + i, 5000), "turn");
        ASSERT_TRUE(inStep());
    }
    quitBoth();
}
