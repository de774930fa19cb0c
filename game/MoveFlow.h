#pragma once
// What happens when the user drops a dragged piece image onto an image of the
// board. The main window's drop handlers call these:
//   Image34DragDrop (the 90 point images)  -> dropOnPoint
//   Image18DragDrop (the 16 red pieces)    -> dropOnRedPiece  (black takes red)
//   Image2DragDrop  (the 16 black pieces)  -> dropOnBlackPiece (red takes black)
// or dropOnPiece, which picks the handler from the target's name.
//
// An accepted drop changes the board (place, grid, tag, and for a capture the
// taken piece hidden), then sends one game message through
// BoardState::sendMessage, then locks all 32 pieces. When the send throws, the
// exception propagates: the board change stays, and no piece is locked.
// A rejected drop changes nothing, sends nothing and says nothing.

namespace corvane::game {

class BoardImage;
class BoardState;

enum class DropResult {
    Rejected,   // nothing happened
    Moved,      // a move onto an empty point was made and sent
    Captured,   // a piece other than a general was taken and sent
    GameOver,   // the opposing general was taken ("blkjiangdead"/"redjiangdead" sent)
};

// Image34DragDrop: `piece` was dropped onto the point image `point`.
DropResult dropOnPoint(BoardState& board, BoardImage& point, BoardImage& piece);

// Image18DragDrop: `piece` was dropped onto the red piece image `target`.
DropResult dropOnRedPiece(BoardState& board, BoardImage& target, BoardImage& piece);

// Image2DragDrop: `piece` was dropped onto the black piece image `target`.
DropResult dropOnBlackPiece(BoardState& board, BoardImage& target, BoardImage& piece);

// Either of the two above, chosen by the side of `target`; a target that is no
// piece image is rejected.
DropResult dropOnPiece(BoardState& board, BoardImage& target, BoardImage& piece);

// Sets the drag mode of Image2..Image33 to Manual, in ascending order.
void lockAllPieces(BoardState& board);

} // namespace corvane::game
