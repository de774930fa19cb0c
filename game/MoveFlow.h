#pragma once
// What happens when the user drops a dragged piece: onto a point (a move onto
// an empty point) or onto another piece (a capture).
//
// An accepted drop is applied to the position and shown, then sent through the
// outlet, then both sides are locked until the message that passes the turn
// comes back (on one computer) or the peer answers. When the send fails, the
// flow stops there: the move stays on the board and nothing is locked.
// A rejected drop changes nothing, sends nothing and says nothing.

#include "game/Point.h"

namespace corvane::game {

class Position;
struct Change;
struct Move;

// Where a drop's changes and its message go.
class MoveOutlet {
public:
    virtual ~MoveOutlet() = default;
    // The position changed: show it.
    virtual void showChange(const Change& change) = 0;
    // Sends the applied move to the peer; false when the send failed (the
    // outlet has told the user why).
    virtual bool sendMove(const Move& move) = 0;
};

enum class DropResult {
    Rejected, // nothing happened
    Moved,    // a move onto an empty point was made and sent
    Captured, // a piece other than a general was taken and sent
    GameOver, // the opposing general was taken and the end of the game sent
    NotSent,  // the move or capture was made here, but its send failed
};

// `piece` was dropped onto the point `point`.
DropResult dropOnPoint(Position& position, MoveOutlet& outlet, PieceId piece, Point point);

// `piece` was dropped onto the piece `target`.
DropResult dropOnPiece(Position& position, MoveOutlet& outlet, PieceId piece, PieceId target);

} // namespace corvane::game
