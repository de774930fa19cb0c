#pragma once
// A peer may send anything. Before a move or a capture touches the board, its
// names must denote images of the board of the right kind and its row and
// column fields must be "1".."10" and "1".."9"; otherwise the datagram is
// discarded whole. Nothing is ever read or written outside the grid.

#include <optional>

#include "net/protocol/MessageText.h"

namespace corvane::game {
class BoardImage;
class BoardState;
}

namespace corvane::protocol {

// A move or capture whose fields passed the checks.
struct BoardChange {
    game::BoardImage* piece;   // field 2: a piece image
    game::BoardImage* target;  // field 3: a point image (moves) or a piece image (captures)
    int fromRow;               // fields 4, 5
    int fromColumn;
    int toRow;                 // fields 6, 7
    int toColumn;
    int toCode;                // field 6 joined with field 7, e.g. "10" "3" -> 103
};

// For "blksky"/"redsky" (targetIsPoint = true) and the four capture commands
// (targetIsPoint = false): the checked change, or nothing when the datagram
// must be discarded.
std::optional<BoardChange> validateBoardChange(const MessageFields& fields, game::BoardState& board,
                                               bool targetIsPoint);

} // namespace corvane::protocol
