// The command line: the built program answers --help, --version and mistakes
// without opening a window; invalid connection options give the settings
// dialog's texts on standard error with status 2; valid ones reach the
// endpoint and the dialog's boxes; --skin and --hue go through the window's
// skin engine, and a file that cannot be used keeps the stored skin.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "ShellTestSupport.h"
#include "shell/CommandLine.h"
#include "shell/ConnectionDialog.h"
#include "skin/SkinEngine.h"

using namespace corvane::shell;
using namespace corvane::shell::testing;

namespace {

struct ProgramRun {
    int status = -1;
    QString out, err;
};

ProgramRun runProgram(const QStringList& arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(CORVANE_PROGRAM), arguments);
    ProgramRun run;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return run; // a program that started its game instead of answering
    }
    run.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.out = QString::fromUtf8(program.readAllStandardOutput());
    run.err = QString::fromUtf8(program.readAllStandardError());
    return run;
}

QString sourceFile(const QString& path)
{
    return qEnvironmentVariable("CORVANE_SOURCE_DIR") + QLatin1Char('/') + path;
}

corvane::skin::SkinEngine* engineOf(MainWindow& form)
{
    return form.findChild<corvane::skin::SkinEngine*>(QStringLiteral("SkinEngine1"));
}

StartOptions parsed(const QStringList& arguments)
{
    const CommandLine commandLine = parseCommandLine(QStringList{QStringLiteral("corvane")} + arguments);
    EXPECT_TRUE(commandLine.run) << commandLine.errors.toStdString();
    return commandLine.options;
}

} // namespace

TEST(CommandLineProgram, AnswersAndMistakes)
{
    struct Case {
        QStringList arguments;
        int status;
        QString out; // standard output starts with this ("" = empty)
        QString err; // standard error contains this ("" = empty)
    };
    const QString usage = QStringLiteral("用法：");
    const QList<Case> cases = {
        {{"--version"}, 0, "Corvane 1.0\n", ""},
        {{"--help"}, 0, usage, ""},
        {{"--frobnicate"}, 2, "", "frobnicate"},
        {{"stray"}, 2, "", "stray"},
        {{"--peer", ""}, 2, "", "请输入完整的信息，以便连接对方！"},
        {{"--remote-port", "12a"}, 2, "", "'12a' is not a valid integer value"},
        {{"--peer", "127.0.0.1", "--local-port", "99999999999"}, 2, "", "'99999999999' is not a valid integer value"},
        {{"--hue", "400"}, 2, "", "--hue"},
        {{"--computer=green"}, 2, "", "--computer"},
        {{"--computer", "--peer", "127.0.0.1"}, 2, "", "--peer"},
        {{"--level", "3"}, 2, "", "--level"},
        {{"--computer", "red", "--level", "9"}, 2, "", "--level"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const ProgramRun run = runProgram(c.arguments);
        EXPECT_EQ(run.status, c.status);
        if (c.out.isEmpty())
            EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        else
            EXPECT_TRUE(run.out.startsWith(c.out)) << run.out.toStdString();
        if (c.err.isEmpty())
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        else
            EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
        // A mistake in the options shows how to use them.
        if (c.status == 2 && !c.arguments.first().startsWith(QLatin1String("--peer")) &&
            !c.arguments.first().startsWith(QLatin1String("--remote-port")))
            EXPECT_TRUE(run.err.contains(usage)) << run.err.toStdString();
    }
}

TEST(CommandLine, ComputerTakesAnOptionalColourAndALevel)
{
    struct Case {
        QStringList arguments;
        std::optional<corvane::game::Side> side;
        int level;
    };
    using corvane::game::Side;
    const QList<Case> cases = {
        {{}, std::nullopt, 3},
        {{"--computer"}, Side::Black, 3},
        {{"--computer", "red"}, Side::Red, 3},
        {{"--computer=red", "--level", "8"}, Side::Red, 8},
        {{"--level", "1", "--computer", "--local-port", "5000"}, Side::Black, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const StartOptions options = parsed(c.arguments);
        EXPECT_EQ(options.computerSide, c.side);
        EXPECT_EQ(options.computerLevel, c.level);
    }
}

TEST(CommandLine, ConnectionOptionsReachTheEndpointAndTheDialogBoxes)
{
    const int port = freeUdpPort();
    const StartOptions options =
        parsed({"--peer", "localhost", "--remote-port", "4321", "--local-port", QString::number(port)});
    MainWindow mainWindow;
    EXPECT_EQ(applyStartConnection(mainWindow, options), std::nullopt);
    EXPECT_EQ(mainWindow.endpoint()->remoteHost(), QStringLiteral("localhost"));
    EXPECT_EQ(mainWindow.endpoint()->remotePort(), 4321);
    EXPECT_EQ(mainWindow.endpoint()->localPort(), port);

    ConnectionDialog connectionDialog(&mainWindow, mainWindow.endpoint());
    showStartConnection(connectionDialog, options);
    EXPECT_EQ(hostEdit(connectionDialog)->text(), QStringLiteral("localhost"));
    EXPECT_EQ(remotePortEdit(connectionDialog)->text(), QStringLiteral("4321"));
    EXPECT_EQ(localPortEdit(connectionDialog)->text(), QString::number(port));
}

TEST(CommandLine, SkinFileAndHueGoThroughTheEngine)
{
    MainWindow mainWindow;
    corvane::skin::SkinEngine* engine = engineOf(mainWindow);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(applyStartSkin(mainWindow, parsed({"--skin", sourceFile("resources/skin/ebony.tqkn"), "--hue", "-90"})),
              std::nullopt);
    EXPECT_EQ(engine->source().skinName, QStringLiteral("Ebony"));
    corvane::skin::SkinEngine shifted; // the hue shifts the pictures as the engine shifts them
    shifted.loadSkinFile(sourceFile("resources/skin/ebony.tqkn"));
    shifted.setDeltaHue(hueFromDegrees(-90));
    EXPECT_EQ(engine->source().bitmaps().front()->image(), shifted.source().bitmaps().front()->image());
    EXPECT_EQ(hueFromDegrees(-90), -64);
    EXPECT_EQ(hueFromDegrees(360), 255);
}

TEST(CommandLine, SkinFileThatCannotBeUsedKeepsTheStoredSkin)
{
    QTemporaryDir folder;
    QFile corrupt(folder.filePath(QStringLiteral("broken.tqkn")));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("TQLZ not a zlib stream");
    corrupt.close();
    QFile wrongKind(folder.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(wrongKind.open(QIODevice::WriteOnly));
    wrongKind.write("text");
    wrongKind.close();

    for (const QString& file :
         {folder.filePath(QStringLiteral("missing.tqkn")), corrupt.fileName(), wrongKind.fileName()}) {
        SCOPED_TRACE(file.toStdString());
        MainWindow mainWindow;
        const std::optional<QString> problem = applyStartSkin(mainWindow, parsed({"--skin", file}));
        ASSERT_TRUE(problem.has_value());
        EXPECT_TRUE(problem->contains(file)) << problem->toStdString();
        EXPECT_TRUE(problem->endsWith(QStringLiteral("使用内置的 Ivory 皮肤。"))) << problem->toStdString();
        EXPECT_EQ(engineOf(mainWindow)->source().skinName, QStringLiteral("Ivory"));
        EXPECT_GT(engineOf(mainWindow)->objectCount(), 0);
    }
}
