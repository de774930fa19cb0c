// The rules checked against a fact of the game itself: from the starting
// position each side has exactly 44 first moves, two of them a cannon taking a
// horse. Every piece of the side is dropped on every point and every other
// piece of a fresh board, and the accepted drops are counted.
#include <gtest/gtest.h>

#include "game/BoardLayout.h"
#include "game/MoveFlow.h"
#include "game/Position.h"

using namespace corvane::game;

namespace {

class QuietOutlet : public MoveOutlet {
public:
    void showChange(const Change&) override { }
    bool sendMove(const Move&) override { return true; }
};

struct FirstMoves {
    int moves = 0;
    int captures = 0;
    int cannonCaptures = 0;
};

FirstMoves countFirstMoves(Side side)
{
    FirstMoves counted;
    QuietOutlet outlet;
    for (PieceId mover = 0; mover < PieceCount; ++mover) {
        if (pieceInfo(mover).side != side)
            continue;
        for (int row = 1; row <= Rows; ++row) {
            for (int column = 1; column <= Columns; ++column) {
                Position position;
                position.reset();
                DropResult result;
                if (!position.isOccupied({row, column})) {
                    result = dropOnPoint(position, outlet, mover, {row, column});
                } else {
                    const std::optional<PieceId> standing = position.pieceAt({row, column});
                    if (!standing) {
                        ADD_FAILURE() << "no piece starts on " << row << "," << column;
                        continue;
                    }
                    if (*standing == mover)
                        continue;
                    result = dropOnPiece(position, outlet, mover, *standing);
                }
                if (result == DropResult::Rejected)
                    continue;
                ++counted.moves;
                if (result == DropResult::Captured) {
                    ++counted.captures;
                    if (pieceInfo(mover).kind == PieceKind::Cannon)
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
