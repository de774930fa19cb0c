// Corvane: start-up. The command line first (see CommandLine.h), then the
// application object (it takes the title "Corvane" and installs the font
// substitutions, Qt's Chinese texts and the default error box), the main
// window, the options that change the window's connection and skin, and the
// message loop. Showing the main window runs its board reset.
//
// The about box, the settings dialog and the help dialog open only from the
// menu, so each is made the first time it is shown and kept from then on:
// they look and behave the same, keep what was typed into them between
// showings, and cost nothing at start-up (their labels alone would load a
// second CJK font face, the serif one of "宋体").

#include <QCoreApplication>
#include <QGuiApplication>
#include <QNetworkProxyFactory>
#include <QTimer>

#include <cstdio>

#include "computer/Engine.h"
#include "shell/CommandLine.h"
#include "shell/ComputerOpponent.h"
#include "shell/MainWindow.h"
#include "shell/AboutBox.h"
#include "shell/ConnectionDialog.h"
#include "shell/HelpDialog.h"
#include "shell/WindowManagerClose.h"
#include "skin/SkinWindowSystem.h"
#include "ui/CorvaneApplication.h"
#include "ui/MessageBox.h"
#include "ui/QtTranslation.h"

namespace {

void nameTheApplication()
{
    // The task bar shows "Corvane"; the window caption carries the version.
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
}

void print(std::FILE* stream, const QString& text)
{
    if (text.isEmpty())
        return;
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
}

// Reads the options before the window system is opened, so that --help,
// --version and mistakes are answered on a text console too. Without
// arguments nothing is done here: a plain start costs nothing more.
corvane::shell::CommandLine readCommandLine(int argc, char** argv)
{
    if (argc <= 1)
        return {};
    int probeArgc = argc;
    QCoreApplication probe(probeArgc, argv);
    nameTheApplication();
    corvane::installQtTranslation(probe);
    return corvane::shell::parseCommandLine(probe.arguments());
}

// The about box, the connection dialog and the help dialog, each made the
// first time it is shown.
void makeDialogsOnFirstShow(corvane::shell::MainWindow& window, const corvane::shell::StartOptions& options)
{
    window.setDialogMakers([&window] { return new corvane::shell::AboutBox(&window); },
                           [&window, &options] {
                               auto* dialog = new corvane::shell::ConnectionDialog(&window, window.endpoint());
                               corvane::shell::showStartConnection(*dialog, options);
                               return dialog;
                           },
                           [&window] { return new corvane::shell::HelpDialog(&window); });
}

// Said over the shown window, as the default error box says every failure.
void showErrorBoxSoon(QWidget& window, const QString& text)
{
    QTimer::singleShot(0, &window, [text] { corvane::showErrorBox(text); });
}

} // namespace

int main(int argc, char** argv)
{
    const corvane::shell::CommandLine commandLine = readCommandLine(argc, argv);
    if (!commandLine.run) {
        print(stdout, commandLine.output);
        print(stderr, commandLine.errors);
        return commandLine.exitStatus;
    }
    const corvane::shell::StartOptions& options = commandLine.options;

    corvane::CorvaneApplication application(argc, argv);
    nameTheApplication();
    // Only the compositor places windows on Wayland; the skinned windows ask.
    corvane::skin::setProgramPlacesWindows(!QGuiApplication::platformName().startsWith(QLatin1String("wayland")));

    // The game's datagrams go straight to the peer, as they always have; the
    // desktop's proxy settings (which Qt would ask a proxy library for, on a
    // thread of its own, when the socket is bound) do not apply.
    QNetworkProxyFactory::setUseSystemConfiguration(false);

    corvane::shell::MainWindow window; // binds the endpoint's socket before the first show
    if (const std::optional<QString> invalid = corvane::shell::applyStartConnection(window, options)) {
        print(stderr, QStringLiteral("corvane: ") + *invalid);
        return 2;
    }
    if (const std::optional<QString> problem = corvane::shell::applyStartSkin(window, options))
        print(stderr, QStringLiteral("corvane: ") + *problem);

    makeDialogsOnFirstShow(window, options);
    QApplication::setWindowIcon(window.windowIcon());

    // --computer: the computer peer, tied to the window before its first show.
    QString computerProblem;
    corvane::shell::ComputerOpponent* computer =
        options.computerSide
            ? corvane::shell::ComputerOpponent::create(window, *options.computerSide, options.computerLevel,
                                                       corvane::computer::Engine::defaultProgram(), computerProblem)
            : nullptr;

    // The window manager's close request reaches the close query even while
    // a box blocks the window.
    const corvane::shell::WindowManagerClose windowManagerClose(&window);
    window.show();
    // The stored port held by another copy: said over the shown window, as
    // the default error box says every socket error. A port chosen on the
    // command line replaced it (or ended the start with its own message), and
    // a game against the computer does with any free port.
    if (const QString failure = window.startupFailure(); !failure.isEmpty() && !options.localPort && !computer)
        showErrorBoxSoon(window, failure);
    if (computer)
        computer->start();
    else if (!computerProblem.isEmpty())
        showErrorBoxSoon(window, computerProblem);
    return application.exec();
}
