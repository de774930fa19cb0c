#pragma once
// The board reset that the main window's show handler FormShow runs: every
// piece back on its starting point, shown and draggable, the grid refilled and
// every point image's tag set to its point code. It sends nothing and touches
// nothing but the images and the grid.

namespace corvane::game {

class BoardState;

void resetBoard(BoardState& board);

} // namespace corvane::game
