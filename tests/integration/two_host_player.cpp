// One of the two game processes of the two-host test: the program's real
// windows (offscreen) with their real UDP endpoint, and a scripted player
// that takes orders, one line each, on standard input and answers with one
// line on standard output:
//
//   configure HOST PEERPORT LOCALPORT   types the three settings into the
//                                       settings dialog and presses "连 接"
//                                         -> "ok" | "error <box text>"
//   move SEED        plays a legal move of this player's side by mouse
//                      -> "moved <piece> <target> <capture 0|1>" | "nomove" | "rejected"
//   wait-turn MS     waits until this side may move and the other may not
//                      -> "turn" | "timeout"
//   wait-open MS     waits for the starting position, every piece draggable
//                      -> "open" | "timeout"
//   restart          the menu command "重新开始"        -> "ok"
//   state            -> "state <position text>"
//   boxes            -> "boxes <n> <texts separated by ' / '>"
//   quit             closes the main window as the user would -> "bye"
//
//   two_host_player --side black|red
#include <unistd.h>

#include <QLineEdit>
#include <QMetaObject>
#include <QSocketNotifier>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "GameHarness.h"
#include "shell/NotificationSound.h"
#include "ui/CorvaneApplication.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane;
using namespace corvane::harness;

namespace {

void answer(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class Player {
public:
    Player(ProgramWindows& program, game::Side side) : m_program(program), m_form(program.mainWindow), m_side(side) { }

    void handle(const std::string& line)
    {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "configure") {
            std::string host, peerPort, localPort;
            words >> host >> peerPort >> localPort;
            configure(host, peerPort, localPort);
        } else if (command == "move") {
            unsigned seed = 0;
            words >> seed;
            move(seed);
        } else if (command == "wait-turn") {
            int ms = 0;
            words >> ms;
            answer(waitUntil([&] { return hasTurn(m_form, m_side); }, ms) ? "turn" : "timeout");
        } else if (command == "wait-open") {
            int ms = 0;
            words >> ms;
            answer(waitUntil([&] { return isStartingPosition(m_form); }, ms) ? "open" : "timeout");
        } else if (command == "restart") {
            m_form.restartGame();
            answer("ok");
        } else if (command == "state") {
            answer("state " + positionText(m_form));
        } else if (command == "boxes") {
            std::string texts;
            for (const RecordedBox& box : m_boxes.boxes())
                texts += (texts.empty() ? "" : " / ") + box.text.toStdString();
            answer("boxes " + std::to_string(m_boxes.boxes().size()) + " " + texts);
        } else if (command == "quit") {
            m_form.close();
            answer("bye");
            QCoreApplication::quit();
        } else {
            answer("unknown " + command);
        }
    }

private:
    // Through the settings dialog, as a user would: the three boxes, then the
    // dialog's "连 接" handler, which applies them to the endpoint.
    void configure(const std::string& host, const std::string& peerPort, const std::string& localPort)
    {
        const int boxesBefore = static_cast<int>(m_boxes.boxes().size());
        QDialog& dialog = m_program.connectionDialog;
        const char* names[] = {"FlatEdit1", "FlatEdit2", "FlatEdit3"};
        const std::string texts[] = {host, peerPort, localPort};
        for (int i = 0; i < 3; ++i) {
            QWidget* edit = dialog.findChild<QWidget*>(QString::fromLatin1(names[i]));
            if (!edit || !edit->setProperty("text", QString::fromStdString(texts[i]))) {
                answer(std::string("error no box ") + names[i]);
                return;
            }
        }
        QMetaObject::invokeMethod(&dialog, "connectToPeer", Qt::DirectConnection);
        if (static_cast<int>(m_boxes.boxes().size()) != boxesBefore)
            answer("error " + m_boxes.boxes().last().text.toStdString());
        else
            answer("ok");
    }

    void move(unsigned seed)
    {
        std::mt19937 random(seed);
        const std::optional<ScriptedMove> chosen = chooseMove(m_form, m_side, random);
        if (!chosen) {
            answer("nomove");
            return;
        }
        dragByMouse(m_form, chosen->piece, chosen->target);
        const bool landed = image(m_form, chosen->piece).tag() == chosen->toCode;
        const bool takenHidden = !chosen->capture || !image(m_form, chosen->target).isVisible();
        const bool locked =
            sideDraggable(m_form, game::Side::Black, false) && sideDraggable(m_form, game::Side::Red, false);
        if (!landed || !takenHidden || !locked) {
            answer("rejected");
            return;
        }
        answer("moved " + std::to_string(chosen->piece) + " " + std::to_string(chosen->target) + " " +
               (chosen->capture ? "1" : "0"));
    }

    MessageBoxRecorder m_boxes;
    ProgramWindows& m_program;
    shell::MainWindow& m_form;
    game::Side m_side;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || std::strcmp(argv[1], "--side") != 0) {
        std::fprintf(stderr, "usage: two_host_player --side black|red\n");
        return 2;
    }
    const game::Side side = std::strcmp(argv[2], "red") == 0 ? game::Side::Red : game::Side::Black;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CorvaneApplication app(argc, argv);

    ProgramWindows program;
    program.mainWindow.show();
    Player player(program, side);

    // Orders arrive on standard input; each complete line is one order.
    std::string pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) { // the driver went away
            input.setEnabled(false);
            QCoreApplication::exit(3);
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(count));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            player.handle(line);
        }
    });
    answer("ready");
    return app.exec();
}
