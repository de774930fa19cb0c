#include "shell/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QtMath>

#include "net/endpoint/UdpEndpoint.h"
#include "net/play/ConnectionSettings.h"
#include "shell/MainWindow.h"
#include "shell/ConnectionDialog.h"
#include "skin/SkinEngine.h"
#include "skin/stream/SkinFilter.h"

namespace corvane::shell {

namespace {

constexpr int MaxHueDegrees = 360;
constexpr int MinLevel = 1;
constexpr int MaxLevel = 8;

QString programName(const QStringList& arguments)
{
    return arguments.isEmpty() ? QStringLiteral("corvane") : QFileInfo(arguments.first()).fileName();
}

CommandLine mistake(const QString& program, const QString& text, const QString& usage)
{
    CommandLine result;
    result.run = false;
    result.exitStatus = 2;
    result.errors = QStringLiteral("%1: %2\n\n%3").arg(program, text, usage);
    return result;
}

skin::SkinEngine* skinEngine(MainWindow& window)
{
    return window.findChild<skin::SkinEngine*>(QStringLiteral("SkinEngine1"));
}

QString skinExtensions()
{
    QStringList extensions;
    for (const skin::SkinFilter* filter : skin::skinFilters())
        extensions << QLatin1Char('.') + filter->extension();
    return extensions.join(QStringLiteral("、"));
}

// "--computer" takes its colour as an optional word: "--computer red",
// "--computer=black" or "--computer" alone. The parser knows only options
// that always or never take a value, so the word is joined on here.
QStringList withComputerColour(QStringList arguments)
{
    const QString option = QStringLiteral("--computer");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] != option)
            continue;
        if (i + 1 < arguments.size() &&
            (arguments[i + 1] == QLatin1String("red") || arguments[i + 1] == QLatin1String("black")))
            arguments[i] += QLatin1Char('=') + arguments.takeAt(i + 1);
        else
            arguments[i] += QStringLiteral("=black");
    }
    return arguments;
}

// The options the program takes, declared on one parser (help and version
// first, as the help text lists them).
struct DeclaredOptions {
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption peer;
    QCommandLineOption remotePort;
    QCommandLineOption localPort;
    QCommandLineOption skinFile;
    QCommandLineOption hue;
    QCommandLineOption computer;
    QCommandLineOption level;
};

DeclaredOptions declareOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Corvane 中国象棋：两人在一台计算机上轮流走棋，或在两台计算机之间经 UDP 对弈。"));
    // Braced initialisers run in order: help before version.
    DeclaredOptions declared{
        parser.addHelpOption(),
        parser.addVersionOption(),
        {QStringLiteral("peer"), QStringLiteral("对方IP地址或计算机名（默认 127.0.0.1）。"), QStringLiteral("host")},
        {QStringLiteral("remote-port"), QStringLiteral("对方端口号（默认 1234）。"), QStringLiteral("port")},
        {QStringLiteral("local-port"), QStringLiteral("本机端口号（默认 1234）。"), QStringLiteral("port")},
        {QStringLiteral("skin"),
         QStringLiteral("从皮肤文件载入皮肤，代替内置的 Ivory 皮肤（%1）。").arg(skinExtensions()),
         QStringLiteral("file")},
        {QStringLiteral("hue"), QStringLiteral("把皮肤的色相旋转若干度（-%1 到 %1）。").arg(MaxHueDegrees),
         QStringLiteral("degrees")},
        {QStringLiteral("computer"),
         QStringLiteral("与电脑对弈；电脑执红（red）或执黑（black，默认）。需要软件包 fairy-stockfish。"),
         QStringLiteral("red|black")},
        {QStringLiteral("level"), QStringLiteral("电脑的等级，1 到 8（默认 3）。"), QStringLiteral("level")},
    };
    parser.addOptions({declared.peer, declared.remotePort, declared.localPort, declared.computer, declared.level,
                       declared.skinFile, declared.hue});
    return declared;
}

// A repeated option: the last one counts, as usual on command lines.
std::optional<QString> lastValue(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    if (!parser.isSet(option))
        return std::nullopt;
    return parser.values(option).constLast();
}

// Each reader below takes its option's value into `options`, or returns the
// mistake's text.
std::optional<QString> readHue(const std::optional<QString>& degrees, StartOptions& options)
{
    if (!degrees)
        return std::nullopt;
    bool ok = false;
    const int value = degrees->toInt(&ok);
    if (!ok || value < -MaxHueDegrees || value > MaxHueDegrees)
        return QStringLiteral("--hue 需要 -%1 到 %1 之间的整数，而不是“%2”。").arg(MaxHueDegrees).arg(*degrees);
    options.hueDegrees = value;
    return std::nullopt;
}

std::optional<QString> readComputerSide(const std::optional<QString>& side, StartOptions& options)
{
    if (!side)
        return std::nullopt;
    if (*side != QLatin1String("red") && *side != QLatin1String("black"))
        return QStringLiteral("--computer 需要 red 或 black，而不是“%1”。").arg(*side);
    if (options.peer || options.remotePort)
        return QStringLiteral("--computer 的对方就是电脑，不能与 --peer 或 --remote-port 同用。");
    options.computerSide = *side == QLatin1String("red") ? game::Side::Red : game::Side::Black;
    return std::nullopt;
}

std::optional<QString> readComputerLevel(const std::optional<QString>& levelText, StartOptions& options)
{
    if (!levelText)
        return std::nullopt;
    bool ok = false;
    const int value = levelText->toInt(&ok);
    if (!options.computerSide)
        return QStringLiteral("--level 只用于 --computer。");
    if (!ok || value < MinLevel || value > MaxLevel)
        return QStringLiteral("--level 需要 1 到 8 之间的整数，而不是“%1”。").arg(*levelText);
    options.computerLevel = value;
    return std::nullopt;
}

} // namespace

CommandLine parseCommandLine(const QStringList& givenArguments)
{
    const QStringList arguments = withComputerColour(givenArguments);
    QCommandLineParser parser;
    const DeclaredOptions declared = declareOptions(parser);

    const QString program = programName(arguments);
    if (!parser.parse(arguments))
        return mistake(program, parser.errorText(), parser.helpText());
    if (!parser.positionalArguments().isEmpty())
        return mistake(program, QStringLiteral("多余的参数“%1”。").arg(parser.positionalArguments().first()),
                       parser.helpText());

    CommandLine result;
    // --help-all, which the help option brings, shows the same: Qt's own
    // options are not read by this program.
    const bool helpWanted = parser.isSet(declared.help) || parser.isSet(QStringLiteral("help-all"));
    if (helpWanted || parser.isSet(declared.version)) {
        result.run = false;
        result.output = helpWanted ? parser.helpText()
                                   : QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                                   QCoreApplication::applicationVersion());
        return result;
    }
    auto last = [&parser](const QCommandLineOption& option) { return lastValue(parser, option); };
    StartOptions& options = result.options;
    options.peer = last(declared.peer);
    options.remotePort = last(declared.remotePort);
    options.localPort = last(declared.localPort);
    options.skinFile = last(declared.skinFile);
    std::optional<QString> wrong = readHue(last(declared.hue), options);
    if (!wrong)
        wrong = readComputerSide(last(declared.computer), options);
    if (!wrong)
        wrong = readComputerLevel(last(declared.level), options);
    if (wrong)
        return mistake(program, *wrong, parser.helpText());
    return result;
}

std::optional<QString> applyStartConnection(MainWindow& window, const StartOptions& options)
{
    if (!options.setsConnection())
        return std::nullopt;
    endpoint::UdpEndpoint& endpoint = *window.endpoint();
    const QString host = options.peer.value_or(endpoint.remoteHost());
    const QString remotePort = options.remotePort.value_or(QString::number(endpoint.remotePort()));
    const QString localPort = options.localPort.value_or(QString::number(endpoint.localPort()));
    // The dialog shows these in boxes; here the text goes to standard error.
    const play::ApplyOutcome outcome = play::applyConnectionSettings(endpoint, host, remotePort, localPort);
    switch (outcome.result) {
    case play::ApplyResult::MissingEntry: return play::missingEntryText();
    case play::ApplyResult::Failed: return outcome.errorText;
    case play::ApplyResult::Applied: break;
    }
    return std::nullopt;
}

void showStartConnection(ConnectionDialog& dialog, const StartOptions& options)
{
    if (!options.setsConnection() && !options.computerSide)
        return;
    dialog.showEndpointSettings();
}

std::optional<QString> applyStartSkin(MainWindow& window, const StartOptions& options)
{
    skin::SkinEngine* engine = skinEngine(window);
    if (!engine)
        return std::nullopt;
    std::optional<QString> problem;
    if (options.skinFile) {
        // A name on the command line is taken from the current folder, and
        // checked here so that the message can say what is wrong with it.
        const QFileInfo file(*options.skinFile);
        const QString path = file.absoluteFilePath();
        const QString keep = QStringLiteral("；使用内置的 Ivory 皮肤。");
        if (!file.isFile())
            problem = QStringLiteral("找不到皮肤文件“%1”").arg(path) + keep;
        else if (!skin::skinFilterForFile(path))
            problem = QStringLiteral("“%1”不是皮肤文件（扩展名应为 %2）").arg(path, skinExtensions()) + keep;
        else if (!file.isReadable())
            problem = QStringLiteral("无法读取皮肤文件“%1”").arg(path) + keep;
        else {
            try {
                engine->loadSkinFile(path);
            } catch (const skin::SkinError& error) {
                problem = QStringLiteral("无法载入皮肤文件“%1”：%2").arg(path, QString::fromUtf8(error.what())) + keep;
            }
        }
    }
    if (options.hueDegrees)
        engine->setDeltaHue(hueFromDegrees(*options.hueDegrees));
    return problem;
}

int hueFromDegrees(int degrees)
{
    return qRound(degrees * 255.0 / 360.0);
}

} // namespace corvane::shell
