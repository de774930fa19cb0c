#pragma once
// The program's command line, read with Qt's parser:
//
//   corvane [--peer HOST] [--remote-port N] [--local-port N]
//           [--computer [red|black]] [--level 1..8]
//           [--skin FILE] [--hue DEGREES] [--help] [--version]
//
// The connection options set this run's peer and ports exactly as the
// settings dialog applies them (its checks, its texts); nothing is stored.
// --skin loads a skin file in place of the stored skin, --hue shifts the
// skin's hue. --computer plays against the computer, which takes the colour
// given (black when none is) at the level given (3 when none is); its peer is
// then the computer, so --peer and --remote-port do not go with it. Texts go to standard output (help, version) or standard error
// (mistakes, exit status 2).

#include <QString>
#include <QStringList>

#include <optional>

#include "game/BoardLayout.h"

namespace corvane::shell {

class MainWindow;
class ConnectionDialog;

struct StartOptions {
    std::optional<QString> peer;
    std::optional<QString> remotePort;
    std::optional<QString> localPort;
    std::optional<QString> skinFile;
    std::optional<int> hueDegrees;
    std::optional<game::Side> computerSide; // --computer: the computer's colour
    int computerLevel = 3;

    bool setsConnection() const { return peer || remotePort || localPort; }
};

struct CommandLine {
    bool run = true; // false: print `output` / `errors` and exit
    int exitStatus = 0;
    QString output; // for standard output
    QString errors; // for standard error
    StartOptions options;
};

// Reads the arguments (the first is the program). Needs the application
// object for the program's name and version; its translations make Qt's own
// help texts Chinese.
CommandLine parseCommandLine(const QStringList& arguments);

// Applies the connection options to the window's endpoint, through the
// settings dialog's apply. Returns the text the dialog would have shown when
// they are not valid (the window must then not be shown), else nothing.
std::optional<QString> applyStartConnection(MainWindow& window, const StartOptions& options);

// Writes the applied connection into the settings dialog's boxes, so that it
// opens with what is in use.
void showStartConnection(ConnectionDialog& dialog, const StartOptions& options);

// Loads --skin through the window's skin engine and applies --hue. Returns a
// message for standard error when the file cannot be used; the stored skin
// then stays.
std::optional<QString> applyStartSkin(MainWindow& window, const StartOptions& options);

// The engine's hue units (a full turn is 255) for a shift in degrees.
int hueFromDegrees(int degrees);

} // namespace corvane::shell
