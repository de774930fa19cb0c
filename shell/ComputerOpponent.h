#pragma once
// A game against the computer in the main window: the computer peer on a
// loopback port of its own, the window's endpoint aimed at it, and the
// player's colour set on the window. The window plays as it plays against a
// second computer; what the computer tells it beyond the wire (who it is,
// that its engine stopped) appears as system lines in the received-text box. Made only for
// "--computer": a plain start makes none.

#include <QObject>
#include <QString>

#include <optional>

#include "computer/ComputerPeer.h"

namespace corvane::shell {

class MainWindow;

class ComputerOpponent : public QObject {
    Q_OBJECT
public:
    // Made and connected, as a child of the window; or nothing, with
    // `problem` saying why (no engine program, no port), and the window left
    // for the ordinary game. Call before the window is first shown, so that
    // its first reset frees the player's colour alone.
    static ComputerOpponent* create(MainWindow& window, game::Side computerSide, int level,
                                    const QString& engineProgram, QString& problem);

    // Starts the engine and the game: call once the window is shown.
    void start();

    // The box shown when the engine is not installed.
    static QString missingEngineText();
    // The system lines: who the opponent is, and that its engine stopped.
    static QString opponentText(game::Side computerSide, int level);
    static QString stoppedText(computer::EngineFailure failure);

private:
    ComputerOpponent(MainWindow& window, game::Side computerSide, int level, const QString& engineProgram);

    // Binds the computer's socket and points the window's endpoint at it;
    // the system's text when the socket cannot be bound.
    std::optional<QString> connectWindow();
    void showSystemLine(const QString& text);

    MainWindow& m_window;
    computer::ComputerPeer* m_peer = nullptr;
};

} // namespace corvane::shell
