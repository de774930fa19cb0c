#include "game/BoardReset.h"

#include "game/BoardLayout.h"
#include "game/BoardState.h"

namespace corvane::game {

namespace {

void showAndUnlockAllPieces(BoardState& board)
{
    // The lookup is by the lower-case name: the window's lookup ignores case.
    for (int n = FirstPieceNumber; n <= LastPieceNumber; ++n) {
        if (BoardImage* piece = board.findImage("image" + std::to_string(n))) {
            piece->setDragMode(DragMode::Automatic);
            piece->setVisible(true);
        }
    }
}

void fillStartingGrid(OccupancyGrid& grid)
{
    grid.clear();
    for (int column = 1; column <= 9; ++column) {
        grid.set(1, column, 1);
        grid.set(10, column, 1);
    }
    for (int column = 1; column <= 9; column += 2) {
        grid.set(4, column, 1);
        grid.set(7, column, 1);
    }
    grid.set(3, 2, 1);
    grid.set(3, 8, 1);
    grid.set(8, 2, 1);
    grid.set(8, 8, 1);
}

void tagPointImages(BoardState& board)
{
    for (const PointInfo& point : pointTable()) {
        if (BoardImage* image = board.findImage(point.name))
            image->setTag(point.code);
    }
}

void tagPieces(BoardState& board)
{
    for (const PieceInfo& info : pieceTable()) {
        if (BoardImage* piece = board.findImage(info.name))
            piece->setTag(info.startCode);
    }
}

void placePieces(BoardState& board)
{
    for (const PieceInfo& info : pieceTable()) {
        BoardImage* piece = board.findImage(info.name);
        BoardImage* point = board.findImage(info.startPointImage);
        if (!piece || !point)
            continue;
        piece->setLeft(point->left());
        piece->setTop(point->top());
    }
}

} // namespace

void resetBoard(BoardState& board)
{
    showAndUnlockAllPieces(board);
    fillStartingGrid(board.grid());
    tagPointImages(board);
    tagPieces(board);
    placePieces(board);
}

} // namespace corvane::game
