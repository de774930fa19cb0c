#pragma once
// Whether a piece may move onto an empty point, and whether it may take a
// piece of the other side. Judged from the piece's kind and side, the two
// points and the occupancy of the position alone; nothing is changed. Whose
// turn it is, is not judged here: the position's locks enforce it.

#include "game/Point.h"

namespace corvane::game {

class Position;

// A move of `mover` from `from` onto the empty point `to`. Points off the
// board and ids that are no piece are rejected.
bool judgeMove(const Position& position, PieceId mover, Point from, Point to);

// `taker` on `from` takes `taken` on `to`. A taker of the same side as the
// taken piece is rejected.
bool judgeCapture(const Position& position, PieceId taker, PieceId taken, Point from, Point to);

} // namespace corvane::game
