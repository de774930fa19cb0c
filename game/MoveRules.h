#pragma once
// Whether a piece may move onto an empty point, and whether it may take the
// piece standing on another point. Judged from the dragged piece's component
// name, the two points and the occupancy grid alone; nothing is changed.
// Rows are 1..10 and columns 1..9; the callers never pass anything else.

#include <string_view>

#include "game/BoardLayout.h"

namespace corvane::game {

class OccupancyGrid;

// A move of the piece named `pieceName` from (fromRow, fromColumn) onto the
// empty point (toRow, toColumn). A name that is no piece image is rejected.
bool judgeMove(std::string_view pieceName, int fromRow, int fromColumn, int toRow, int toColumn,
               const OccupancyGrid& grid);

// A capture by the side `takingSide` (black takes red in Image18DragDrop, red
// takes black in Image2DragDrop): the piece named `takerName` on the from point
// takes the piece named `takenName` on the to point. A taker that is not a
// piece of `takingSide` is rejected.
bool judgeCapture(Side takingSide, std::string_view takerName, std::string_view takenName,
                  int fromRow, int fromColumn, int toRow, int toColumn, const OccupancyGrid& grid);

} // namespace corvane::game
