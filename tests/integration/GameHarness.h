#pragma once
// What the integration harnesses share: the program's four windows made the
// way the program makes them, a scripted player that finds legal moves on the
// live board and plays them with the mouse on the board view, a
// text snapshot of the position for comparing two boards, and the resident
// memory of the process.

#include <QApplication>
#include <QDeadlineTimer>
#include <QMouseEvent>

#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "game/BoardLayout.h"
#include "game/MoveRules.h"
#include "net/protocol/ImageNames.h"
#include "shell/BoardProbe.h"
#include "shell/MainWindow.h"
#include "shell/AboutBox.h"
#include "shell/ConnectionDialog.h"
#include "shell/HelpDialog.h"
#include "shell/WindowParts.h"

namespace corvane::harness {

// The main window and the three dialogs, created in the program's start-up
// order and tied together as the program ties them; the notification sound
// stays silent.
struct ProgramWindows {
    shell::MainWindow mainWindow{shell::testing::silentSound()};
    shell::AboutBox aboutBox{&mainWindow};
    shell::ConnectionDialog connectionDialog{&mainWindow, mainWindow.endpoint()};
    shell::HelpDialog helpDialog{&mainWindow};

    ProgramWindows()
    {
        mainWindow.setDialogMakers([this] { return &aboutBox; }, [this] { return &connectionDialog; }, [this] { return &helpDialog; });
        QApplication::setWindowIcon(mainWindow.windowIcon());
    }
};

// Runs the event loop until `done` holds or the time is up.
inline bool waitUntil(const std::function<bool()>& done, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

inline void spin(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint local)
{
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

using shell::testing::dragByMouse;
using shell::testing::image;
using shell::testing::pressAndCarry;
using shell::testing::release;

inline bool sideDraggable(shell::MainWindow& form, game::Side side, bool expected)
{
    const int first = side == game::Side::Black ? protocol::FirstBlackPieceNumber : protocol::FirstRedPieceNumber;
    for (int n = first; n < first + 16; ++n)
        if (shell::testing::draggable(form, n) != expected)
            return false;
    return true;
}

// `side` may move and the other side may not: the turn was handed over.
inline bool hasTurn(shell::MainWindow& form, game::Side side)
{
    const game::Side other = side == game::Side::Black ? game::Side::Red : game::Side::Black;
    return sideDraggable(form, side, true) && sideDraggable(form, other, false);
}

// Every piece draggable, as after a board reset.
inline bool isOpen(shell::MainWindow& form)
{
    return sideDraggable(form, game::Side::Black, true) && sideDraggable(form, game::Side::Red, true);
}

// Every piece shown on its starting point, and every piece draggable.
inline bool isStartingPosition(shell::MainWindow& form)
{
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const shell::testing::BoardImage shown = image(form, protocol::pieceNumber(id));
        if (!shown.isVisible() || shown.tag() != game::pieceInfo(id).startCode)
            return false;
    }
    return isOpen(form);
}

// The position as text: every piece's point code, visibility and place, and
// the occupancy grid. Two boards in step give the same text. (Drag states are
// left out: they differ between the mover's and the receiver's board.)
inline std::string positionText(shell::MainWindow& form)
{
    std::string text;
    for (int n = protocol::FirstPieceNumber; n <= protocol::LastPieceNumber; ++n) {
        const shell::testing::BoardImage piece = image(form, n);
        text += std::to_string(n) + ':' + std::to_string(piece.tag()) + (piece.isVisible() ? 'v' : 'h') + '@' +
                std::to_string(piece.left()) + ',' + std::to_string(piece.top()) + ' ';
    }
    text += "grid:";
    for (std::uint8_t cell : form.position().occupancy())
        text += static_cast<char>('0' + cell);
    return text;
}

struct ScriptedMove {
    int piece = 0;  // image number of the dragged piece
    int target = 0; // image number of the point or piece it is dropped on
    int toCode = 0; // the point code it lands on
    bool capture = false;
};

// The moves `side` may make on the live board by the game's own rules:
// onto empty points, and captures of any opposing piece but the general
// (taking a general ends the game, which a scripted game avoids).
inline std::vector<ScriptedMove> legalMoves(shell::MainWindow& form, game::Side side)
{
    std::vector<ScriptedMove> moves;
    const game::Side other = side == game::Side::Black ? game::Side::Red : game::Side::Black;
    for (game::PieceId mover = 0; mover < game::PieceCount; ++mover) {
        const int moverNumber = protocol::pieceNumber(mover);
        if (game::pieceInfo(mover).side != side || !image(form, moverNumber).isVisible())
            continue;
        const int from = image(form, moverNumber).tag();
        for (int pointNumber = protocol::FirstPointNumber; pointNumber <= protocol::LastPointNumber; ++pointNumber) {
            const game::Point point = protocol::pointOfNumber(pointNumber);
            if (point.code() == from)
                continue;
            if (!form.position().isOccupied(point)) {
                if (game::judgeMove(form.position(), mover, game::pointOfCode(from), point))
                    moves.push_back({moverNumber, pointNumber, point.code(), false});
                continue;
            }
            for (game::PieceId taken = 0; taken < game::PieceCount; ++taken) {
                const game::PieceInfo& info = game::pieceInfo(taken);
                const shell::testing::BoardImage takenImage = image(form, protocol::pieceNumber(taken));
                if (info.side != other || !takenImage.isVisible() || takenImage.tag() != point.code() ||
                    info.kind == game::PieceKind::General)
                    continue;
                if (game::judgeCapture(form.position(), mover, taken, game::pointOfCode(from), point))
                    moves.push_back({moverNumber, protocol::pieceNumber(taken), point.code(), true});
            }
        }
    }
    return moves;
}

// Picks one of the legal moves, a capture whenever there is one (so a game
// of 60 moves has plenty), from a seeded generator: the same seed and
// position give the same move.
inline std::optional<ScriptedMove> chooseMove(shell::MainWindow& form, game::Side side, std::mt19937& random)
{
    std::vector<ScriptedMove> moves = legalMoves(form, side);
    std::vector<ScriptedMove> captures;
    for (const ScriptedMove& move : moves)
        if (move.capture)
            captures.push_back(move);
    std::vector<ScriptedMove>& pool = captures.empty() ? moves : captures;
    if (pool.empty())
        return std::nullopt;
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
}

// Resident memory of this process in kilobytes (VmRSS), 0 if unknown.
inline long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long value = 0;
            status >> value;
            return value;
        }
        std::getline(status, key);
    }
    return 0;
}

} // namespace corvane::harness
