// The rules checked against a fact of the game itself: from the starting
// position each side has exactly 44 first moves, two of them a cannon taking a
// horse. Every piece of the side is dropped on every point and every other
// piece of a fresh board, and the accepted drops are counted.
#include <gtest/gtest.h>

#include "game/BoardLayout.h"
#include "game/BoardReset.h"
#include "game/InMemoryBoard.h"
#include "game/MoveFlow.h"
#include "game/PointCode.h"

using namespace corvane::game;
using corvane::test_support::InMemoryBoard;

namespace {

struct FirstMoves {
    int moves = 0;
    int captures = 0;
    int cannonCaptures = 0;
};

FirstMoves countFirstMoves(Side side)
{
    FirstMoves counted;
    for (const PieceInfo& mover : pieceTable()) {
        if (mover.side != side)
            continue;
        for (int row = 1; row <= OccupancyGrid::Rows; ++row) {
            for (int column = 1; column <= OccupancyGrid::Columns; ++column) {
                InMemoryBoard board;
                resetBoard(board);
                const std::string target = board.grid().at(row, column) ? std::string() : pointImageName(row, column);
                DropResult result;
                if (!target.empty()) {
                    result = dropOnPoint(board, board.image(target), board.image(mover.name));
                } else {
                    const PieceInfo* standing = nullptr;
                    for (const PieceInfo& piece : pieceTable())
                        if (piece.startCode == pointCode(row, column))
                            standing = &piece;
                    if (standing == nullptr) {
                        ADD_FAILURE() << "no piece starts on " << row << "," << column;
                        continue;
                    }
                    if (standing == &mover)
                        continue;
                    result = dropOnPiece(board, board.image(standing->name), board.image(mover.name));
                }
                if (result == DropResult::Rejected)
                    continue;
                ++counted.moves;
                if (result == DropResult::Captured) {
                    ++counted.captures;
                    if (mover.kind == PieceKind::Cannon)
                        ++counted.cannonCaptures;
                }
            }
        }
    }
    return counted;
}

} // namespace

TEST(FirstMoves, FortyFourForEachSideTwoOfThemCannonCaptures)
{
    for (Side side : {Side::Red, Side::Black}) {
        const FirstMoves counted = countFirstMoves(side);
        const char* name = side == Side::Red ? "red" : "black";
        EXPECT_EQ(counted.moves, 44) << name;
        EXPECT_EQ(counted.captures, 2) << name;
        EXPECT_EQ(counted.cannonCaptures, 2) << name;
    }
}
