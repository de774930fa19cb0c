// The board's fixed make-up, and the position: its reset and how a move or
// capture is applied.
#include <gtest/gtest.h>

#include <set>

#include "game/BoardLayout.h"
#include "game/Position.h"
#include "net/protocol/ImageNames.h"

using namespace corvane::game;

namespace {

// Pieces go by the numbers of their pictures, as the players know them.
constexpr PieceId piece(int imageNumber)
{
    return corvane::protocol::pieceOfNumber(imageNumber);
}

} // namespace

TEST(BoardLayout, PointsArePlacedRowByRow)
{
    EXPECT_EQ(pointLeft(1), 48);
    EXPECT_EQ(pointTop(1), 32);
    EXPECT_EQ(pointLeft(Columns), 368);
    EXPECT_EQ(pointTop(Rows), 392);
}

TEST(BoardLayout, PieceTableHasSixteenPiecesPerSideWithDistinctStarts)
{
    std::set<int> starts;
    int black = 0;
    for (PieceId id = 0; id < PieceCount; ++id) {
        const PieceInfo& info = pieceInfo(id);
        EXPECT_EQ(info.side, id < 16 ? Side::Black : Side::Red);
        ASSERT_TRUE(startPoint(info).isOnBoard());
        starts.insert(info.startCode);
        black += info.side == Side::Black ? 1 : 0;
    }
    EXPECT_EQ(starts.size(), 32u);
    EXPECT_EQ(black, 16);
    EXPECT_EQ(pieceInfo(piece(6)).kind, PieceKind::General);
    EXPECT_EQ(pieceInfo(piece(29)).kind, PieceKind::General);
    EXPECT_EQ(pieceInfo(piece(23)).kind, PieceKind::Cannon);
    EXPECT_EQ(pieceInfo(piece(26)).startCode, 102);
}

namespace {

void expectStartingPosition(const Position& position)
{
    for (PieceId id = 0; id < PieceCount; ++id) {
        const Position::Piece& piece = position.piece(id);
        EXPECT_FALSE(piece.taken) << id;
        EXPECT_EQ(piece.point, startPoint(pieceInfo(id))) << id;
        EXPECT_EQ(piece.place, startPoint(pieceInfo(id))) << id;
    }
    EXPECT_TRUE(position.mayMove(Side::Black));
    EXPECT_TRUE(position.mayMove(Side::Red));
    EXPECT_FALSE(position.isOver());

    const std::set<int> occupied = {11, 12, 13, 14, 15, 16, 17, 18,  19,  32,  38,  41,  43,  45,  47,  49,
                                    71, 73, 75, 77, 79, 82, 88, 101, 102, 103, 104, 105, 106, 107, 108, 109};
    for (int row = 1; row <= Rows; ++row)
        for (int column = 1; column <= Columns; ++column)
            EXPECT_EQ(position.isOccupied({row, column}), occupied.count(Point{row, column}.code()) == 1)
                << row << "," << column;
}

Move capture(int taker, int taken, Point from, Point to)
{
    Move move;
    move.piece = piece(taker);
    move.taken = piece(taken);
    move.from = from;
    move.to = to;
    move.onto = to;
    return move;
}

} // namespace

TEST(Position, ResetGivesTheStartingPositionFromAnyState)
{
    Position position;
    EXPECT_FALSE(position.mayMove(Side::Black)); // locked until the first reset
    EXPECT_FALSE(position.mayMove(Side::Red));
    EXPECT_TRUE(position.reset().everything);
    expectStartingPosition(position);

    // Mid-game, after a taken general and with both sides locked.
    Move taking = capture(25, 6, {10, 1}, {1, 5});
    taking.endsGame = true;
    position.apply(taking);
    position.lockBothSides();
    EXPECT_TRUE(position.isOver());
    position.reset();
    expectStartingPosition(position);
    Position once;
    once.reset();
    position.reset();
    EXPECT_EQ(position, once);
}

TEST(Position, ACaptureHidesTheTakenPieceAndTheTakerTakesItsPlace)
{
    Position position;
    position.reset();
    Move move = capture(11, 26, {3, 2}, {10, 2});
    move.passTurnFrom = Side::Black;
    const Change change = position.apply(move);
    EXPECT_EQ(change.moved, piece(11));
    EXPECT_EQ(change.taken, piece(26));
    EXPECT_EQ(change.fromPlace, (Point{3, 2}));
    EXPECT_EQ(change.toPlace, (Point{10, 2}));
    EXPECT_TRUE(change.turnChanged);
    EXPECT_FALSE(change.gameOver);
    EXPECT_TRUE(position.piece(piece(26)).taken);
    EXPECT_EQ(position.pieceAt({10, 2}), piece(11));
    EXPECT_FALSE(position.isOccupied({3, 2}));
    EXPECT_FALSE(position.mayMove(Side::Black));
    EXPECT_TRUE(position.mayMove(Side::Red));
}

TEST(Position, AMoveIsAppliedAsToldEvenWhenItsPointsDisagree)
{
    // A peer's fields say 4,1 -> 5,1 but name the point picture of 6,5: the
    // piece is drawn there, stands on 5,1, and the occupancy follows the fields.
    Position position;
    position.reset();
    Move move;
    move.piece = piece(13);
    move.from = {9, 9};
    move.to = {5, 1};
    move.onto = {6, 5};
    const Change change = position.apply(move);
    EXPECT_FALSE(change.turnChanged);
    EXPECT_EQ(position.piece(piece(13)).point, (Point{5, 1}));
    EXPECT_EQ(position.piece(piece(13)).place, (Point{6, 5}));
    EXPECT_FALSE(position.isOccupied({9, 9}));
    EXPECT_TRUE(position.isOccupied({4, 1}));
    EXPECT_TRUE(position.isOccupied({5, 1}));
}
