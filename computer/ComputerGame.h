#pragma once
// The computer's side of one game, without the engine and the socket: its own
// position, kept from the datagrams it receives and the moves it sends, and
// the judgement a sound peer makes of everything that arrives. A received
// move is applied only when it is the opponent's turn, names an opponent's
// piece that stands where the fields say, and is legal by the game's rules;
// anything else is discarded whole and the position stays as it was.
//
// The engine sees only positions it calls legal: before it is asked, the
// computer checks with the game's own rules whether the opponent has left
// its general takeable (legal in this game, which tests no check) and, if
// so, takes it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "computer/UciNotation.h"
#include "game/BoardLayout.h"
#include "game/Position.h"

namespace corvane::computer {

enum class Received {
    Ignored,       // chat, an unknown word or no word: nothing to do
    Discarded,     // contradicts the position (out of turn, illegal, malformed): nothing changed
    OpponentMoved, // applied; the computer is to move
    ComputerLost,  // applied: the opponent took the computer's general
    Restart,       // "chongxin": the position is back at the start
    Close,         // "close": the opponent has left
};

class ComputerGame {
public:
    explicit ComputerGame(game::Side computerSide);

    game::Side computerSide() const { return m_side; }
    game::Side opponentSide() const { return m_side == game::Side::Red ? game::Side::Black : game::Side::Red; }
    const game::Position& position() const { return m_position; }
    // The moves of this game so far, in the engine's notation.
    const std::vector<std::string>& moves() const { return m_moves; }
    game::Side sideToMove() const { return m_toMove; }
    bool isOver() const { return m_position.isOver(); }
    bool isComputerToMove() const { return !isOver() && m_toMove == m_side; }

    // The starting position, red to move.
    void restart();

    // One datagram's bytes, exactly as received.
    Received receive(std::string_view datagram);

    // The capture of the opponent's general, when the computer is to move and
    // one of its pieces can take it by the game's rules.
    std::optional<game::Move> generalCapture() const;

    // "position fen <start> moves ...", the game so far for the engine.
    std::string engineCommand() const;

    // The move an engine answer names, when it is a legal move of the
    // computer's now by the game's rules; otherwise nothing.
    std::optional<game::Move> moveFromEngine(std::string_view answer) const;

    // Applies the computer's own move (legal, its turn) and returns the
    // datagram that tells the opponent.
    std::string play(const game::Move& move);

private:
    std::optional<game::Move> legalMove(game::Side mover, game::Point from, game::Point to) const;
    void apply(const game::Move& move);

    game::Side m_side;
    game::Position m_position;
    game::Side m_toMove = game::Side::Red;
    std::vector<std::string> m_moves;
};

} // namespace corvane::computer
