// Point codes, the board's fixed make-up and the board reset.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "game/BoardLayout.h"
#include "game/BoardReset.h"
#include "game/GameMessage.h"
#include "game/PointCode.h"
#include "game/InMemoryBoard.h"

using namespace corvane::game;
using corvane::test_support::InMemoryBoard;

TEST(PointCode, SplitsByTheLengthOfTheDecimalText)
{
    const SplitPoint p103 = splitPointCode(103);
    EXPECT_EQ(p103.rowText, "10");
    EXPECT_EQ(p103.columnText, "3");
    EXPECT_EQ(p103.row, 10);
    EXPECT_EQ(p103.column, 3);
    EXPECT_TRUE(p103.isOnBoard());

    const SplitPoint p45 = splitPointCode(45);
    EXPECT_EQ(p45.rowText, "4");
    EXPECT_EQ(p45.columnText, "5");
    EXPECT_EQ(p45.row, 4);
    EXPECT_EQ(p45.column, 5);

    const SplitPoint p11 = splitPointCode(11);
    EXPECT_EQ(p11.rowText, "1");
    EXPECT_EQ(p11.columnText, "1");
}

TEST(PointCode, CodesThatNameNoPointAreNotOnTheBoard)
{
    // A tag never filled in, or anything else that is no point code.
    for (int code : {0, 5, 10, 20, 40, 100, 110, 111, 1000, -5, -45, 2147483647}) {
        EXPECT_FALSE(splitPointCode(code).isOnBoard()) << code;
    }
    EXPECT_EQ(splitPointCode(0).rowText, "0");
    EXPECT_EQ(splitPointCode(0).columnText, "");
    EXPECT_EQ(splitPointCode(1000).rowText, "10");
    EXPECT_EQ(splitPointCode(1000).columnText, "0");
}

TEST(PointCode, EveryPointCodeSplitsBackToItsRowAndColumn)
{
    for (int row = 1; row <= 10; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const SplitPoint split = splitPointCode(pointCode(row, column));
            ASSERT_TRUE(split.isOnBoard());
            EXPECT_EQ(split.row, row);
            EXPECT_EQ(split.column, column);
            EXPECT_EQ(joinPointCode(split.rowText, split.columnText), pointCode(row, column));
        }
    }
}

TEST(PointCode, JoinConcatenatesTheTexts)
{
    EXPECT_EQ(joinPointCode("10", "9"), 109);
    EXPECT_EQ(joinPointCode("10", "3"), 103);
    EXPECT_EQ(joinPointCode("4", "5"), 45);
    EXPECT_THROW(joinPointCode("", ""), std::invalid_argument);
    EXPECT_THROW(joinPointCode("1a", "2"), std::invalid_argument);
    EXPECT_THROW(joinPointCode("+1", "2"), std::invalid_argument);
}

TEST(PointCode, RowAndColumnTextsAreCanonicalDigits)
{
    for (const char* row : {"1", "2", "5", "9", "10"})
        EXPECT_TRUE(isRowText(row)) << row;
    for (const char* row : {"", "0", "11", "01", "+1", "-1", " 1", "1 ", "a", "100", "010"})
        EXPECT_FALSE(isRowText(row)) << row;
    for (const char* column : {"1", "5", "9"})
        EXPECT_TRUE(isColumnText(column)) << column;
    for (const char* column : {"", "0", "10", "01", "+1", "x"})
        EXPECT_FALSE(isColumnText(column)) << column;
}

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
        const SplitPoint start = splitPointCode(piece.startCode);
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

TEST(GameMessage, ComposeJoinsSevenFieldsWithBars)
{
    EXPECT_EQ(composeMessage("blksky", "Image13", "Image70", "4", "1", "5", "1"), "blksky|Image13|Image70|4|1|5|1");
    EXPECT_EQ(composeMessage("", "", "", "", "", "", ""), "||||||");
}

namespace {

void expectStartingPosition(InMemoryBoard& board)
{
    for (const PieceInfo& piece : pieceTable()) {
        auto& image = board.image(piece.name);
        const PointInfo* start = findPoint(piece.startPointImage);
        EXPECT_TRUE(image.isVisible()) << piece.name;
        EXPECT_TRUE(image.draggable()) << piece.name;
        EXPECT_EQ(image.tag(), piece.startCode) << piece.name;
        EXPECT_EQ(image.left(), start->left) << piece.name;
        EXPECT_EQ(image.top(), start->top) << piece.name;
    }
    for (const PointInfo& point : pointTable())
        EXPECT_EQ(board.image(point.name).tag(), point.code) << point.name;

    const std::set<int> occupied = {11, 12, 13, 14, 15, 16, 17, 18, 19, 32, 38, 41, 43, 45, 47, 49,
                                    71, 73, 75, 77, 79, 82, 88, 101, 102, 103, 104, 105, 106, 107, 108, 109};
    for (int row = 1; row <= 10; ++row)
        for (int column = 1; column <= 9; ++column)
            EXPECT_EQ(board.grid().at(row, column), occupied.count(pointCode(row, column)) ? 1 : 0)
                << row << "," << column;
}

} // namespace

TEST(BoardReset, FromTheStoredLayoutGivesTheStartingPosition)
{
    InMemoryBoard board;
    resetBoard(board);
    expectStartingPosition(board);
    EXPECT_TRUE(board.sent.empty());
}

TEST(BoardReset, RestoresAMidGamePositionWithTakenAndLockedPieces)
{
    InMemoryBoard board;
    resetBoard(board);
    board.place("Image25", 5, 5);
    board.takeOff("Image6");
    board.image("Image6").setDragMode(DragMode::Manual);
    board.setAllDragModes(DragMode::Manual);
    board.grid().set(6, 6, 1);
    board.point(2, 2).setTag(0);

    resetBoard(board);
    expectStartingPosition(board);
}

TEST(BoardReset, RunningTwiceEqualsRunningOnce)
{
    InMemoryBoard once;
    resetBoard(once);
    InMemoryBoard twice;
    resetBoard(twice);
    resetBoard(twice);
    EXPECT_EQ(once.snapshot(), twice.snapshot());
}

TEST(BoardReset, SkipsImagesTheWindowDoesNotHave)
{
    InMemoryBoard board;
    board.removeImage("Image29");
    board.removeImage("Image119");
    board.removeImage("Image40");
    resetBoard(board);
    // The grid still says where the pieces belong; the present images are set.
    EXPECT_EQ(board.grid().at(10, 5), 1);
    EXPECT_EQ(board.image("Image25").tag(), 101);
    EXPECT_EQ(board.image("Image8").tag(), 17);
}
