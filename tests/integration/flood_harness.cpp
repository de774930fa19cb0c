// Flood: another process sends datagrams of mixed content (valid moves, chat
// lines and restarts; malformed, oversize and empty ones) to the real main
// window's port as fast as it can. The window must not crash, must apply
// every valid datagram that reaches it and nothing of the others, must stay
// responsive (a 10 ms probe timer keeps firing between the datagrams: the
// handler never holds the event loop for a burst of them) and must come back
// to the memory it had before the flood. The probe's lateness is printed as a
// figure (100 ms at the 99th percentile is the aim); it is not judged, as it
// measures how busy the machine is as much as the program.
//
// The notice storm: another process sends close notices and lost-game
// notices, alternately, as fast as it can, with a chat line and a move after
// every hundred. Each notice opens a modal box whose wait goes on handling
// datagrams; the window must stay alive with never more than one box open,
// apply the chat and the moves meanwhile, and come back to its memory.
//
//   flood_harness [--datagrams N]     the game side (default 200000); it starts
//                                     the sender itself and prints the figures
//   flood_harness --notices N         the game side of a storm of N notices
//   flood_harness --send PORT N       the sender (used by the game side)
//   flood_harness --send-notices PORT N
//
// Exit status 0 when every requirement holds, 1 otherwise.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "GameHarness.h"
#include "net/endpoint/TUdpEndpoint.h"
#include "shell/NotificationSound.h"
#include "ui/CorvaneApplication.h"
#include "ui/MessageBox.h"

using namespace corvane::endpoint;

using namespace corvane;
using namespace corvane::harness;

namespace {

// Under AddressSanitizer freed memory waits in a quarantine, so the resident
// size cannot come back; LeakSanitizer judges leaks there instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryCanBeJudged = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool MemoryCanBeJudged = false;
#else
constexpr bool MemoryCanBeJudged = true;
#endif
#else
constexpr bool MemoryCanBeJudged = true;
#endif

const std::string ChatPrefix = "message|2|3|4|5|6|";
const std::string MoveForward = "blksky|Image13|Image70|4|1|5|1";  // black soldier 41 -> 51
const std::string MoveBack = "blksky|Image13|Image61|5|1|4|1";     // and back
const std::string Restart = "chongxin|2|3|4|5|6|7";

// The largest flood that must lose no valid datagram, sent at full speed to
// a window whose socket has the whole receive queue it asks for: the short
// flood of the test suite. (Measured: none of its 3,000 valid datagrams
// lost, also on a loaded machine; with the system's default queue some
// 2,950 were.) The long flood is sent many times faster than any window
// handles datagrams, and under a lower system limit (net.core.rmem_max) the
// queue is smaller: there the loss is printed, not judged.
constexpr int LosslessFlood = 5000;

bool judgeLoss(shell::TForm1& form, int count)
{
    const bool full = form.udpEndpoint()->receiveQueueSize() >= 2 * TUdpEndpoint::WantedReceiveQueue;
    if (!full)
        std::printf("flood: the system allows a receive queue of %d bytes only: lost datagrams are not judged\n",
                    form.udpEndpoint()->receiveQueueSize());
    return full && count <= LosslessFlood;
}

// --- the sender ---

// Datagram number i of the flood. A tenth of them each: chat lines, moves,
// random bytes, too few fields, bad names and numbers, oversize, empty,
// GBK chat, unknown commands; a restart now and then.
std::string floodDatagram(int i, std::mt19937& random)
{
    static const std::vector<std::string> badFields = {
        "blksky|Image13|Image70|4|1",           "blksky|Image13|Image999|4|1|5|1",
        "redsky|Image25|Image106|11|1|9|1",     "redsky|Image25|Image106|10|0|9|1",
        "blksky|Image13|Image70|4|1|5|10",      "blksky|Image13|Image70|99999999999|1|5|1",
        "blksky|Image13|Image70|-1|1|5|1",      "blksky|Image0|Image70|4|1|5|1",
        "blkred|Image2|Label1|1|1|2|1",         "redblk|Image124|Image2|1|1|1|1",
        "blksky||Image70|4|1|5|1",              "blksky|Image13|Image70|a|1|5|1",
        "|||||||||||||",                        "blksky|Image13|Image70|4|1|5|1|extra",
    };
    switch (i % 10) {
    case 0:
        return ChatPrefix + "flood " + std::to_string(i);
    case 1:
        return (i / 10) % 2 ? MoveBack : MoveForward;
    case 2: {
        if (i % 100 == 2)
            return Restart;
        std::string bytes(std::uniform_int_distribution<int>(1, 300)(random), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    }
    case 3:
    case 4:
        return badFields[std::uniform_int_distribution<std::size_t>(0, badFields.size() - 1)(random)];
    case 5:
        return ChatPrefix + std::string(std::uniform_int_distribution<int>(2049, 9000)(random), 'x');
    case 6:
        return {};
    case 7:
        return ChatPrefix + "\xC4\xE3\xBA\xC3 " + std::to_string(i);  // "你好" in GBK
    case 8:
        return "hello|2|3|4|5|6|" + std::to_string(i);
    default: {
        // A valid message cut short and bent by a last byte that is no digit
        // (a digit could make it another valid move).
        std::string bytes = MoveForward;
        bytes.resize(std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random));
        char last = static_cast<char>(random());
        return bytes + ((last >= '0' && last <= '9') ? 'x' : last);
    }
    }
}

// Whether the game side can check datagram `bytes` as one that must be
// applied: chat lines short enough, the two moves and the restart.
bool isValid(const std::string& bytes)
{
    if (bytes.rfind(ChatPrefix, 0) == 0)
        return bytes.size() <= TUdpEndpoint::ReceiveBufferSize && bytes.find('\r') == std::string::npos;
    return bytes == MoveForward || bytes == MoveBack || bytes == Restart;
}

const std::string CloseNotice = "close|2|3|4|5|6|7";
const std::string LossNotice = "redjiangdead|Image6|Image29|1|5|10|5";  // the red general taken

// Datagram number i of a notice storm of `count` notices: after every
// hundred notices a chat line and a move.
std::vector<std::string> stormDatagrams(int count)
{
    std::vector<std::string> datagrams;
    for (int i = 0; i < count; ++i) {
        datagrams.push_back(i % 2 ? LossNotice : CloseNotice);
        if (i % 100 == 99) {
            datagrams.push_back(ChatPrefix + "storm " + std::to_string(i));
            datagrams.push_back((i / 100) % 2 ? MoveBack : MoveForward);
        }
    }
    return datagrams;
}

// Sends the datagrams as fast as it can; prints how many went out and how
// many of them were valid ones.
int runSender(int port, int count, bool notices)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<quint16>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::mt19937 random(20261207);
    std::vector<std::string> storm = notices ? stormDatagrams(count) : std::vector<std::string>{};
    const int total = notices ? static_cast<int>(storm.size()) : count;
    int sent = 0;
    int valid = 0;
    for (int i = 0; i < total; ++i) {
        const std::string bytes = notices ? storm[i] : floodDatagram(i, random);
        if (::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) >= 0) {
            ++sent;
            valid += isValid(bytes);
        }
    }
    ::close(fd);
    std::printf("%d %d\n", sent, valid);
    return 0;
}

// --- the game side ---

struct Tally {
    long handled = 0;       // datagrams that reached the window's handler
    long validApplied = 0;  // valid ones whose effect was found on the board or in Memo2
    long invalidIgnored = 0;
    long drainLines = 0;    // of the applied ones, the harness's own drain lines
    std::vector<std::string> violations;

    void violation(const std::string& what)
    {
        if (violations.size() < 20)
            violations.push_back(what);
        else if (violations.size() == 20)
            violations.push_back("...");
    }
};

std::string dragStates(shell::TForm1& form)
{
    std::string states;
    for (int n = protocol::FirstPieceNumber; n <= protocol::LastPieceNumber; ++n)
        states += shell::testing::draggable(form, n) ? 'A' : 'M';
    return states;
}

std::string printable(const QByteArray& bytes)
{
    std::string text;
    for (char c : bytes.left(60))
        text += (c >= 32 && c < 127) ? c : '.';
    return text;
}

bool isStartingPosition(shell::TForm1& form)
{
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const shell::testing::BoardImage shown = image(form, protocol::pieceNumber(id));
        if (!shown.isVisible() || shown.tag() != game::pieceInfo(id).startCode)
            return false;
    }
    return isOpen(form);
}

// Wraps the window's own receive handler: looks at each datagram before the
// window handles it and checks the effect afterwards.
void watchReceives(shell::TForm1& form, Tally& tally)
{
    TUdpEndpoint* endpoint = form.udpEndpoint();
    auto windowHandler = endpoint->OnDataReceived;
    endpoint->OnDataReceived = [&form, &tally, windowHandler](TUdpEndpoint* sender, int count, const QString& ip,
                                                               int port) {
        TMemoryStream stream;
        sender->ReadDatagram(stream);
        const QByteArray bytes = stream.read(count);
        const std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        ++tally.handled;
        if (count > TUdpEndpoint::ReceiveBufferSize)
            tally.violation("a datagram of " + std::to_string(count) + " bytes reached the handler");

        const std::string positionBefore = positionText(form);
        const std::string statesBefore = dragStates(form);
        const QString memoBefore = form.memo2()->toPlainText();
        windowHandler(sender, count, ip, port);

        const bool chat = text.rfind(ChatPrefix, 0) == 0 && count <= TUdpEndpoint::ReceiveBufferSize &&
                          text.find('\r') == std::string::npos;
        if (chat) {
            // The ASCII lines come back as sent; the GBK ones end in the number.
            const QString shown = form.memo2()->toPlainText();
            const std::string line = text.substr(ChatPrefix.size());
            const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return c >= 32 && c < 127; });
            const std::string tail = line.substr(line.rfind(' ') + 1);
            if (ascii ? shown == QString::fromStdString(line) : shown.endsWith(QString::fromStdString(" " + tail))) {
                ++tally.validApplied;
                tally.drainLines += tail == "done";
            }
            else
                tally.violation("chat line not shown: " + printable(bytes));
        } else if (text == MoveForward || text == MoveBack) {
            const int code = text == MoveForward ? 51 : 41;
            const int point = text == MoveForward ? 70 : 61;
            if (image(form, 13).tag() == code && image(form, 13).pos() == image(form, point).pos() &&
                hasTurn(form, game::Side::Red))
                ++tally.validApplied;
            else
                tally.violation("move not applied: " + text);
        } else if (text == Restart) {
            if (isStartingPosition(form))
                ++tally.validApplied;
            else
                tally.violation("restart not applied");
        } else {
            if (positionText(form) != positionBefore || dragStates(form) != statesBefore ||
                form.memo2()->toPlainText() != memoBefore)
                tally.violation("an invalid datagram changed the window: " + printable(bytes));
            else
                ++tally.invalidIgnored;
        }
    };
}

// Lateness of a 10 ms timer, sampled all the time the flood runs.
class Probe {
public:
    Probe()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            lateness_.push_back(std::max<qint64>(0, now - last_ - 10'000'000) / 1000);
            last_ = now;
        });
    }
    void start()
    {
        clock_.start();
        last_ = 0;
        timer_.start();
    }
    void stop() { timer_.stop(); }
    // Lateness in microseconds at the given fraction (0.99 = 99th percentile).
    qint64 percentile(double fraction)
    {
        if (lateness_.empty())
            return 0;
        std::vector<qint64> sorted = lateness_;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(fraction * sorted.size()))];
    }
    std::size_t samples() const { return lateness_.size(); }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    std::vector<qint64> lateness_;
};

struct Sent {
    long all = -1;
    long valid = 0;
};

Sent readSent(QProcess& sender)
{
    const QList<QByteArray> numbers = sender.readAllStandardOutput().trimmed().split(' ');
    if (numbers.size() != 2)
        return {};
    return {numbers[0].toLong(), numbers[1].toLong()};
}

QStringList senderArguments(const char* mode, int port, int count)
{
    return {QString::fromLatin1(mode), QString::number(port), QString::number(count)};
}

// Runs the sender process to its end; returns what it sent.
Sent flood(int port, int count)
{
    QProcess sender;
    sender.start(QCoreApplication::applicationFilePath(), senderArguments("--send", port, count));
    if (!sender.waitForStarted(5000))
        return {};
    waitUntil([&] { return sender.state() == QProcess::NotRunning; }, 600'000);
    return readSent(sender);
}

// Sends a chat line from here until the window shows it: every datagram sent
// before it has then been handled.
bool drain(shell::TForm1& form, int port, const QString& line)
{
    QUdpSocket socket;
    const QByteArray bytes = QByteArray::fromStdString(ChatPrefix) + line.toLatin1();
    for (int attempt = 0; attempt < 100; ++attempt) {
        socket.writeDatagram(bytes, QHostAddress::LocalHost, static_cast<quint16>(port));
        if (waitUntil([&] { return form.memo2()->toPlainText() == line; }, 200))
            return true;
    }
    return false;
}

int runGame(int count)
{
    MessageBoxRecorder boxes;  // no box is expected; none may wait for a click
    ProgramWindows program;
    shell::TForm1& form = program.form1;
    form.notificationSound()->setMuted(true);
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    const int port = probe.localPort();
    probe.close();
    form.udpEndpoint()->setLocalPort(port);
    form.udpEndpoint()->setRemotePort(port);
    form.show();
    spin(300);
    const long startKb = residentKilobytes();

    Tally tally;
    watchReceives(form, tally);

    // A short flood first, so that every path of the handler has run once
    // (code paged in, fonts and text layout caches filled); the memory after
    // it is what the big flood must come back to.
    const Sent warmSent = flood(port, std::min(count, 5000));
    const bool warmDrained = drain(form, port, QStringLiteral("warm-up done"));
    spin(300);
    const long warmKb = residentKilobytes();
    const Tally warm = tally;
    tally = Tally{};

    Probe lateness;
    lateness.start();
    QElapsedTimer clock;
    clock.start();
    const Sent sent = flood(port, count);
    const bool drained = drain(form, port, QStringLiteral("flood done"));
    const qint64 floodMs = clock.elapsed();
    lateness.stop();
    spin(1000);
    const long endKb = residentKilobytes();
    const qint64 p99 = lateness.percentile(0.99);
    const qint64 worst = lateness.percentile(1.0);

    // Every valid datagram sent by the two floods, and the drain lines.
    const long validLost = warmSent.valid + sent.valid - (warm.validApplied - warm.drainLines) -
                           (tally.validApplied - tally.drainLines);
    std::printf("flood: %ld datagrams sent by the other process in %lld ms\n", sent.all,
                static_cast<long long>(floodMs));
    std::printf("flood: %ld reached the window (the rest dropped by the system's full receive queue of %d bytes)\n",
                tally.handled, form.udpEndpoint()->receiveQueueSize());
    std::printf("flood: %ld valid ones applied, %ld others ignored, %zu violations\n", tally.validApplied,
                tally.invalidIgnored, tally.violations.size());
    std::printf("flood: %ld valid datagrams lost, warm-up included\n", validLost);
    std::printf("flood: probe timer lateness p99 %.1f ms, worst %.1f ms over %zu samples (aim: under 100 ms at p99)\n",
                p99 / 1000.0, worst / 1000.0, lateness.samples());
    std::printf("flood: resident memory %ld kB at start, %ld kB after warm-up, %ld kB after the flood (%+ld kB)\n",
                startKb, warmKb, endKb, endKb - warmKb);
    for (const std::string& violation : warm.violations)
        std::printf("flood: warm-up violation: %s\n", violation.c_str());
    for (const std::string& violation : tally.violations)
        std::printf("flood: violation: %s\n", violation.c_str());

    // Memory "returns" when the growth over the flood is within 1 % or 512 kB
    // (allocator page granularity), whichever is larger.
    const long memorySlack = std::max(512L, warmKb / 100);
    bool ok = true;
    auto require = [&ok](bool condition, const char* what) {
        if (!condition) {
            std::printf("flood: FAILED: %s\n", what);
            ok = false;
        }
    };
    require(sent.all == count, "the sender could not send every datagram");
    require(warmDrained && drained, "the window stopped answering");
    require(warm.violations.empty() && tally.violations.empty(), "a datagram was mishandled");
    require(tally.validApplied > 0 && tally.invalidIgnored > 0, "too few datagrams arrived to judge");
    if (judgeLoss(form, count))
        require(validLost == 0, "valid datagrams were lost in the receive queue");
    // Handling one datagram takes tens of microseconds, so a fair event loop
    // handles a few hundred per 10 ms tick at most, however loaded the machine.
    require(lateness.samples() >= 2 && tally.handled / static_cast<long>(lateness.samples()) <= 2000,
            "the probe timer did not fire between the datagrams (the event loop was held)");
    if (MemoryCanBeJudged)
        require(endKb - warmKb <= memorySlack, "memory did not come back after the flood");
    else
        std::printf("flood: memory not judged under AddressSanitizer (its quarantine keeps freed memory)\n");
    require(boxes.boxes().isEmpty(), "a message box was shown");
    std::printf("flood: %s\n", ok ? "PASSED" : "FAILED");
    return ok ? 0 : 1;
}

// --- the notice storm ---

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
    long playApplied = 0;   // chat lines and moves whose effect was seen
    std::size_t deepest = 0;  // most boxes open at once
    std::size_t openWhenDrained = 0;
    int boxesClosed = 0;
    bool drained = false;
};

// One storm of `count` notices, run to its end: sent, drained (a chat line
// from here shows while the boxes are still open), and every box closed by
// its OK button as a player would. All of it is driven from a timer, because
// from the first notice on the harness itself waits inside that box.
StormResult storm(shell::TForm1& form, int port, int count)
{
    StormResult result;
    TUdpEndpoint* endpoint = form.udpEndpoint();
    const auto windowHandler = endpoint->OnDataReceived;
    endpoint->OnDataReceived = [&](TUdpEndpoint* sender, int n, const QString& ip, int senderPort) {
        TMemoryStream stream;
        sender->ReadDatagram(stream);
        const std::string text = stream.read(n).toStdString();
        result.deepest = std::max(result.deepest, openBoxes().size());
        windowHandler(sender, n, ip, senderPort);
        if (text.rfind(ChatPrefix + "storm ", 0) == 0)
            result.playApplied += form.memo2()->toPlainText().toStdString() == text.substr(ChatPrefix.size());
        else if (text == MoveForward || text == MoveBack)
            result.playApplied += image(form, 13).tag() == (text == MoveForward ? 51 : 41);
    };

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
            if (form.memo2()->toPlainText() == drainLine) {
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
        case Phase::Done:
            break;
        }
    });
    driver.start();
    waitUntil([&] { return phase == Phase::Done; }, 300'000);
    endpoint->OnDataReceived = windowHandler;
    return result;
}

int runNoticeStorm(int count)
{
    ProgramWindows program;
    shell::TForm1& form = program.form1;
    form.notificationSound()->setMuted(true);
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    const int port = probe.localPort();
    probe.close();
    form.udpEndpoint()->setLocalPort(port);
    form.udpEndpoint()->setRemotePort(port);
    form.show();
    spin(300);

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
                count, playSent, big.sent.all, static_cast<long long>(stormMs),
                form.udpEndpoint()->receiveQueueSize());
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

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--send") == 0)
        return runSender(std::atoi(argv[2]), std::atoi(argv[3]), false);
    if (argc == 4 && std::strcmp(argv[1], "--send-notices") == 0)
        return runSender(std::atoi(argv[2]), std::atoi(argv[3]), true);
    int count = 200000;
    const bool notices = argc == 3 && std::strcmp(argv[1], "--notices") == 0;
    if (argc == 3 && (notices || std::strcmp(argv[1], "--datagrams") == 0))
        count = std::atoi(argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CorvaneApplication app(argc, argv);
    return notices ? runNoticeStorm(count) : runGame(count);
}
