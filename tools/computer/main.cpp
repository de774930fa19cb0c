// corvane-computer: the computer opponent as a program of its own.
//
//   corvane-computer --peer HOST --remote-port N --local-port N
//                    [--side red|black] [--level 1..8] [--move-time MS]
//
// It binds the local port, tells the peer a new game begins ("chongxin"),
// and plays: red moves first. Each move it plays is printed on standard
// output as one line, "<ply> <move> <board>" (the move in the engine's
// notation, the board as a FEN after it); when it has no move left it sends
// its concession as a chat line and prints "<ply> resign", in the place of
// the move it could not make. It ends on the peer's "close|", and on SIGINT
// or SIGTERM, after sending "close|" itself.
// An engine that stops is reported on standard error; the peer's restart
// starts a fresh one. A missing engine ends the program with status 2.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHostInfo>
#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QTranslator>

#include <csignal>
#include <pthread.h>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

#include "computer/ComputerPeer.h"
#include "computer/UciNotation.h"

using namespace corvane;

namespace {

void printLine(std::FILE* stream, const QString& text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

[[noreturn]] void usageError(const QCommandLineParser& parser, const QString& text)
{
    printLine(stderr, QStringLiteral("corvane-computer: ") + text + QStringLiteral("\n\n") + parser.helpText());
    std::exit(2);
}

int numberOption(const QCommandLineParser& parser, const QString& name, int fallback, int low, int high)
{
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < low || value > high)
        usageError(parser, QStringLiteral("--%1 需要 %2 到 %3 之间的整数，而不是“%4”。")
                               .arg(name)
                               .arg(low)
                               .arg(high)
                               .arg(parser.value(name)));
    return value;
}

QHostAddress resolve(const QCommandLineParser& parser, const QString& host)
{
    QHostAddress address(host);
    if (!address.isNull())
        return address;
    for (const QHostAddress& found : QHostInfo::fromName(host).addresses()) {
        if (found.protocol() == QAbstractSocket::IPv4Protocol)
            return found;
    }
    usageError(parser, QStringLiteral("找不到对方计算机“%1”。").arg(host));
}

// SIGINT and SIGTERM, read as events of the loop. They are blocked before
// any thread starts, so that every thread inherits the mask and none of
// them ends the program on one.
sigset_t blockStopSignals()
{
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    return stopping;
}

QSocketNotifier* watchStopSignals(const sigset_t& stopping, QObject* owner)
{
    const int descriptor = signalfd(-1, &stopping, SFD_CLOEXEC | SFD_NONBLOCK);
    return new QSocketNotifier(descriptor, QSocketNotifier::Read, owner);
}

} // namespace

int main(int argc, char** argv)
{
    const sigset_t stopping = blockStopSignals();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvane-computer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Qt's own words in the help ("用法", the option descriptions) in Chinese, as the game's.
    QTranslator qtWords;
    if (qtWords.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtWords);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Corvane 的电脑对手：经 UDP 与任何 Corvane 对弈。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("peer"), QStringLiteral("对方IP地址或计算机名（默认 127.0.0.1）。"), QStringLiteral("host")},
        {QStringLiteral("remote-port"), QStringLiteral("对方端口号（默认 1234）。"), QStringLiteral("port")},
        {QStringLiteral("local-port"), QStringLiteral("本机端口号（默认 1235）。"), QStringLiteral("port")},
        {QStringLiteral("side"), QStringLiteral("电脑执哪一方：red 或 black（默认 black）。"), QStringLiteral("side")},
        {QStringLiteral("level"), QStringLiteral("等级 1 到 8（默认 3）。"), QStringLiteral("level")},
        {QStringLiteral("move-time"), QStringLiteral("每步思考的毫秒数（默认由等级决定）。"), QStringLiteral("ms")},
        {QStringLiteral("engine"), QStringLiteral("引擎程序（默认 fairy-stockfish）。"), QStringLiteral("program")},
        {QStringLiteral("engine-grace"),
         QStringLiteral("引擎超过思考时间多少毫秒仍无回答即视为停止（默认 5000）。"), QStringLiteral("ms")},
    });
    parser.process(application);
    if (!parser.positionalArguments().isEmpty())
        usageError(parser, QStringLiteral("多余的参数“%1”。").arg(parser.positionalArguments().first()));

    const QString sideText = parser.value(QStringLiteral("side"));
    if (parser.isSet(QStringLiteral("side")) && sideText != QLatin1String("red") && sideText != QLatin1String("black"))
        usageError(parser, QStringLiteral("--side 需要 red 或 black，而不是“%1”。").arg(sideText));
    const game::Side side = sideText == QLatin1String("red") ? game::Side::Red : game::Side::Black;
    const int level =
        numberOption(parser, QStringLiteral("level"), computer::DefaultLevel, computer::LowestLevel, computer::HighestLevel);
    const int remotePort = numberOption(parser, QStringLiteral("remote-port"), 1234, 1, 65535);
    const int localPort = numberOption(parser, QStringLiteral("local-port"), 1235, 0, 65535);
    const int moveTime = numberOption(parser, QStringLiteral("move-time"), 0, 1, 600000);
    const int grace = numberOption(parser, QStringLiteral("engine-grace"), computer::Engine::DefaultGraceMs, 0, 600000);
    const QString program = parser.isSet(QStringLiteral("engine")) ? parser.value(QStringLiteral("engine"))
                                                                    : computer::Engine::defaultProgram();
    if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
        printLine(stderr, QStringLiteral("corvane-computer: 找不到象棋引擎%1。请安装软件包 %2（apt install %2）。")
                              .arg(program.isEmpty() ? QString() : QStringLiteral("“%1”").arg(program),
                                   computer::Engine::packageName()));
        return 2;
    }
    const QHostAddress peerHost = resolve(parser, parser.value(QStringLiteral("peer")).isEmpty()
                                                      ? QStringLiteral("127.0.0.1")
                                                      : parser.value(QStringLiteral("peer")));

    computer::ComputerPeer peer(side, level, program);
    if (moveTime > 0)
        peer.setMoveTimeMs(moveTime);
    peer.setEngineGraceMs(grace);
    if (const std::optional<QString> failure = peer.bind(QHostAddress::AnyIPv4, static_cast<quint16>(localPort))) {
        printLine(stderr, QStringLiteral("corvane-computer: 无法使用本机端口 %1：%2").arg(localPort).arg(*failure));
        return 1;
    }
    peer.setPeer(peerHost, static_cast<quint16>(remotePort));

    QObject::connect(&peer, &computer::ComputerPeer::movePlayed, [&peer] {
        const computer::ComputerGame& game = peer.game();
        printLine(stdout, QStringLiteral("%1 %2 %3")
                              .arg(game.moves().size())
                              .arg(QString::fromStdString(game.moves().back()),
                                   QString::fromStdString(computer::boardFen(
                                       game.position(), game.sideToMove() == game::Side::Red))));
    });
    QObject::connect(&peer, &computer::ComputerPeer::conceded,
                     [&peer] { printLine(stdout, QStringLiteral("%1 resign").arg(peer.game().moves().size() + 1)); });
    QObject::connect(&peer, &computer::ComputerPeer::engineStopped, [](computer::EngineFailure failure) {
        static const char* const reasons[] = {"无法启动", "意外退出", "没有按时走棋", "给出了不合规则的着法"};
        printLine(stderr, QStringLiteral("corvane-computer: 引擎%1；对方重新开始时将启动新的引擎。")
                              .arg(QString::fromUtf8(reasons[static_cast<int>(failure)])));
    });
    QObject::connect(&peer, &computer::ComputerPeer::peerLeft, &application, [] { QCoreApplication::exit(0); });

    QSocketNotifier* stopSignals = watchStopSignals(stopping, &application);
    QObject::connect(stopSignals, &QSocketNotifier::activated, &application, [&peer] {
        peer.sendClose();
        QCoreApplication::exit(0);
    });

    peer.sendRestart();
    peer.start();
    return application.exec();
}
