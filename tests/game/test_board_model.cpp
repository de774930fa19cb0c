// The board's fixed make-up, and the position: its reset and how a move or
// capture is applied.
#include <gtest/gtest.h>

#include <set>

#include "game/BoardLayout.h"
#include "game/Position.h"

using namespace corvane::game;

TEST(BoardLayout, PointImagesAreNamedAndPlacedRowByRow)
{
    EXPECT_EQ(pointImageName(1, 1), "Image34");
    EXPECT_EQ(pointImageName(1, 9), "Image42");
    EXPECT_EQ(pointImageName(10, 1), "Image115");
    EXPECT_EQ(pointImageName(10, 9), "Image123");
    EXPECT_EQ(pointImageName(5, 1), "Image70");
    EXPECT_EQ(pointImageName(9, 1), "Image106");

    const auto& points = pointTable();
    EXPECT_EQ(points.front().left, 48);
    EXPECT_EQ(points.front().top, 32);
    EXPECT_EQ(points.back().left, 368);
    EXPECT_EQ(points.back().top, 392);
    for (const PointInfo& point : points) {
        EXPECT_EQ(point.left, 48 + 40 * (point.column - 1));
        EXPECT_EQ(point.top, 32 + 40 * (point.row - 1));
        EXPECT_EQ(point.code, point.row * 10 + point.column);
        EXPECT_EQ(findPoint(point.name), &point);
    }
}

TEST(BoardLayout, PieceTableHasSixteenPiecesPerSideWithDistinctStarts)
{
    std::set<int> starts;
    int black = 0;
    for (const PieceInfo& piece : pieceTable()) {
        EXPECT_EQ(piece.name, imageName(piece.number));
        EXPECT_EQ(piece.side, piece.number <= 17 ? Side::Black : Side::Red);
        const Point start = startPoint(piece);
        ASSERT_TRUE(start.isOnBoard());
        EXPECT_EQ(piece.startPointImage, pointImageName(start.row, start.column));
        starts.insert(piece.startCode);
        black += piece.side == Side::Black ? 1 : 0;
        EXPECT_EQ(findPiece(piece.name), &piece);
    }
    EXPECT_EQ(starts.size(), 32u);
    EXPECT_EQ(black, 16);
    EXPECT_EQ(findPiece("Image6")->kind, PieceKind::General);
    EXPECT_EQ(findPiece("Image29")->kind, PieceKind::General);
    EXPECT_EQ(findPiece("Image23")->kind, PieceKind::Cannon);
    EXPECT_EQ(findPiece("Image26")->startCode, 102);
}

TEST(BoardLayout, NamesAreMatchedExactly)
{
    // The rules dispatch on exact component names.
    for (const char* name : {"image13", "IMAGE13", "Image013", "Image1", "Image34", "Image", "", "Image13 ",
                             "Image+13", "Image-2"})
        EXPECT_EQ(findPiece(name), nullptr) << name;
    for (const char* name : {"image34", "Image33", "Image124", "Image034"})
        EXPECT_EQ(findPoint(name), nullptr) << name;
}

namespace {

constexpr PieceId piece(int imageNumber) { return imageNumber - FirstPieceNumber; }

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

    const std::set<int> occupied = {11, 12, 13, 14, 15, 16, 17, 18, 19, 32, 38, 41, 43, 45, 47, 49,
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
    EXPECT_FALSE(position.mayMove(Side::Black));  // locked until the first reset
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
