#pragma once
// The engine's words for the board: UCI squares and moves, and the starting
// position as a FEN. Files a..i run left to right as the columns do; ranks
// 1..10 count from red's side (the bottom), so row 10 is rank 1 and row 1 is
// rank 10. Red is the engine's "white" and moves first.

#include <optional>
#include <string>
#include <string_view>

#include "game/Point.h"

namespace corvane::game {
class Position;
}

namespace corvane::computer {

// The position every game starts from, red to move.
inline constexpr std::string_view StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 1";

// "e1" for row 10, column 5; "a10" for row 1, column 1.
std::string squareText(game::Point point);

struct UciMove {
    game::Point from;
    game::Point to;
    bool operator==(const UciMove&) const = default;
};

std::string moveText(game::Point from, game::Point to);

// "h3e3" or "b3b10": two squares on the board, nothing before, between or
// after them. Anything else (the engine's "(none)" too) is nothing.
std::optional<UciMove> parseMove(std::string_view text);

// The board part of a FEN of `position` (taken pieces left out), with the
// side to move: what the headless peer prints after each move.
std::string boardFen(const game::Position& position, bool redToMove);

} // namespace corvane::computer
