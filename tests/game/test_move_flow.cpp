// Drops onto point images and piece images: the board change, the one message
// sent, and the locking of all pieces afterwards.
#include <gtest/gtest.h>

#include <stdexcept>

#include "game/BoardLayout.h"
#include "game/BoardReset.h"
#include "game/MoveFlow.h"
#include "game/InMemoryBoard.h"

using namespace corvane::game;
using corvane::test_support::InMemoryBoard;

namespace {

class MoveFlow : public ::testing::Test {
protected:
    void SetUp() override { resetBoard(board); }

    DropResult dropOn(int row, int column, const char* piece)
    {
        return dropOnPoint(board, board.point(row, column), board.image(piece));
    }

    DropResult dropOnto(const char* target, const char* piece)
    {
        return dropOnPiece(board, board.image(target), board.image(piece));
    }

    void expectAllLocked()
    {
        for (const PieceInfo& piece : pieceTable())
            EXPECT_FALSE(board.image(piece.name).draggable()) << piece.name;
    }

    void expectAllDraggable()
    {
        for (const PieceInfo& piece : pieceTable())
            EXPECT_TRUE(board.image(piece.name).draggable()) << piece.name;
    }

    InMemoryBoard board;
};

} // namespace

TEST_F(MoveFlow, BlackSoldierStepSendsTheWorkedExampleAndLocksEverything)
{
    EXPECT_EQ(dropOn(5, 1, "Image13"), DropResult::Moved);
    ASSERT_EQ(board.sent.size(), 1u);
    EXPECT_EQ(board.sent[0], "blksky|Image13|Image70|4|1|5|1");
    EXPECT_EQ(board.sent[0].size(), 30u);
    auto& soldier = board.image("Image13");
    EXPECT_EQ(soldier.tag(), 51);
    EXPECT_EQ(soldier.left(), board.image("Image70").left());
    EXPECT_EQ(soldier.top(), board.image("Image70").top());
    EXPECT_EQ(board.grid().at(4, 1), 0);
    EXPECT_EQ(board.grid().at(5, 1), 1);
    expectAllLocked();
}

TEST_F(MoveFlow, RowTenTravelsAsTwoDigits)
{
    EXPECT_EQ(dropOn(9, 1, "Image25"), DropResult::Moved);
    ASSERT_EQ(board.sent.size(), 1u);
    EXPECT_EQ(board.sent[0], "redsky|Image25|Image106|10|1|9|1");
    EXPECT_EQ(board.image("Image25").tag(), 91);

    // And back to row 10: the tag becomes a three-digit code.
    board.setAllDragModes(DragMode::Automatic);
    EXPECT_EQ(dropOn(10, 1, "Image25"), DropResult::Moved);
    EXPECT_EQ(board.sent[1], "redsky|Image25|Image115|9|1|10|1");
    EXPECT_EQ(board.image("Image25").tag(), 101);
}

TEST_F(MoveFlow, ElephantToRowEightGetsAThreeDigitFromCode)
{
    EXPECT_EQ(dropOn(8, 5, "Image27"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(0), "redsky|Image27|Image101|10|3|8|5");
    EXPECT_EQ(board.image("Image27").tag(), 85);
    EXPECT_EQ(board.grid().at(10, 3), 0);
    EXPECT_EQ(board.grid().at(8, 5), 1);
}

TEST_F(MoveFlow, AnIllegalMoveChangesNothingAndSendsNothing)
{
    const auto before = board.snapshot();
    EXPECT_EQ(dropOn(5, 2, "Image13"), DropResult::Rejected);  // sideways before the river
    EXPECT_EQ(dropOn(6, 1, "Image13"), DropResult::Rejected);  // two steps
    EXPECT_EQ(dropOn(3, 9, "Image11"), DropResult::Rejected);  // cannon past the other cannon
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(board.snapshot(), before);
    expectAllDraggable();
}

TEST_F(MoveFlow, EitherSideMayOpen)
{
    EXPECT_EQ(dropOn(6, 5, "Image20"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(0), "redsky|Image20|Image83|7|5|6|5");
}

TEST_F(MoveFlow, SoldierCrossingTheRiverSendsOneMessage)
{
    board.place("Image15", 5, 5);
    EXPECT_EQ(dropOn(6, 5, "Image15"), DropResult::Moved);
    EXPECT_EQ(board.sent.size(), 1u);
    EXPECT_EQ(board.sent[0], "blksky|Image15|Image83|5|5|6|5");
}

TEST_F(MoveFlow, AFailedSendKeepsTheMoveAndLeavesThePiecesUnlocked)
{
    board.image("Image2").setDragMode(DragMode::Manual);  // whatever the modes were, they stay
    board.sendError = "Null Remote Address";
    try {
        dropOn(5, 1, "Image13");
        FAIL() << "the send error must reach the caller";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Null Remote Address");
    }
    EXPECT_EQ(board.image("Image13").tag(), 51);
    EXPECT_EQ(board.grid().at(4, 1), 0);
    EXPECT_EQ(board.grid().at(5, 1), 1);
    EXPECT_FALSE(board.image("Image2").draggable());
    for (int n = 3; n <= 33; ++n)
        EXPECT_TRUE(board.image(imageName(n)).draggable()) << n;

    // The moved piece may be dragged on from its new point.
    board.sendError.clear();
    EXPECT_EQ(dropOn(6, 1, "Image13"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(0), "blksky|Image13|Image79|5|1|6|1");
}

TEST_F(MoveFlow, DropsWithPiecesOrPointsTheWindowCannotClassifyAreRejected)
{
    const auto before = board.snapshot();
    // A point image dragged, or a piece image used as the drop target point.
    EXPECT_EQ(dropOnPoint(board, board.point(5, 1), board.image("Image34")), DropResult::Rejected);
    EXPECT_EQ(dropOnPoint(board, board.image("Image20"), board.image("Image13")), DropResult::Rejected);
    // A point whose tag was never filled in.
    board.point(5, 1).setTag(0);
    EXPECT_EQ(dropOn(5, 1, "Image13"), DropResult::Rejected);
    board.point(5, 1).setTag(51);
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(board.snapshot(), before);
}

TEST_F(MoveFlow, CannonTakesTheHorseOverTheRedCannon)
{
    EXPECT_EQ(dropOnto("Image26", "Image11"), DropResult::Captured);
    ASSERT_EQ(board.sent.size(), 1u);
    EXPECT_EQ(board.sent[0], "blkred|Image11|Image26|3|2|10|2");
    auto& cannon = board.image("Image11");
    auto& horse = board.image("Image26");
    EXPECT_EQ(cannon.tag(), 102);
    EXPECT_EQ(cannon.left(), horse.left());
    EXPECT_EQ(cannon.top(), horse.top());
    EXPECT_FALSE(horse.isVisible());
    EXPECT_EQ(horse.tag(), 102);  // a taken piece stays where it was taken
    EXPECT_EQ(board.grid().at(3, 2), 0);
    EXPECT_EQ(board.grid().at(10, 2), 1);
    expectAllLocked();
}

TEST_F(MoveFlow, RedTakesBlackAndTheMessageNamesBothPieces)
{
    EXPECT_EQ(dropOnto("Image3", "Image23"), DropResult::Captured);  // red cannon over the black cannon
    EXPECT_EQ(board.sent.at(0), "redblk|Image23|Image3|8|2|1|2");
    EXPECT_FALSE(board.image("Image3").isVisible());
    EXPECT_EQ(board.image("Image23").tag(), 12);
}

TEST_F(MoveFlow, TakingTheRedGeneralEndsTheGame)
{
    board.clearPieces();
    board.place("Image29", 10, 5);
    board.place("Image2", 1, 5);
    board.place("Image6", 1, 4);
    EXPECT_EQ(dropOnto("Image29", "Image2"), DropResult::GameOver);
    EXPECT_EQ(board.sent.at(0), "redjiangdead|Image2|Image29|1|5|10|5");
    EXPECT_FALSE(board.image("Image29").isVisible());
    expectAllLocked();
}

TEST_F(MoveFlow, GeneralTakesGeneralAlongAnOpenColumn)
{
    board.clearPieces();
    board.place("Image6", 2, 5);
    board.place("Image29", 9, 5);
    EXPECT_EQ(dropOnto("Image6", "Image29"), DropResult::GameOver);
    EXPECT_EQ(board.sent.at(0), "blkjiangdead|Image29|Image6|9|5|2|5");
    EXPECT_EQ(board.image("Image29").tag(), 25);
    EXPECT_EQ(board.grid().at(9, 5), 0);
    EXPECT_EQ(board.grid().at(2, 5), 1);
}

TEST_F(MoveFlow, DroppingOnItselfOrOnItsOwnSideDoesNothing)
{
    const auto before = board.snapshot();
    EXPECT_EQ(dropOnto("Image13", "Image13"), DropResult::Rejected);
    EXPECT_EQ(dropOnto("Image25", "Image25"), DropResult::Rejected);
    EXPECT_EQ(dropOnto("Image3", "Image2"), DropResult::Rejected);
    EXPECT_EQ(dropOnto("Image26", "Image25"), DropResult::Rejected);
    EXPECT_EQ(dropOnRedPiece(board, board.image("Image26"), board.image("Image25")), DropResult::Rejected);
    EXPECT_EQ(dropOnBlackPiece(board, board.image("Image3"), board.image("Image2")), DropResult::Rejected);
    EXPECT_EQ(dropOnto("Image34", "Image2"), DropResult::Rejected);  // no piece image
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(board.snapshot(), before);
}

TEST_F(MoveFlow, AnIllegalCaptureChangesNothing)
{
    const auto before = board.snapshot();
    EXPECT_EQ(dropOnto("Image18", "Image2"), DropResult::Rejected);   // chariot, a soldier between
    EXPECT_EQ(dropOnto("Image23", "Image11"), DropResult::Rejected);  // cannon without a screen
    EXPECT_EQ(dropOnto("Image26", "Image2"), DropResult::Rejected);   // not on a line
    EXPECT_EQ(dropOnto("Image20", "Image6"), DropResult::Rejected);   // general out of its palace
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(board.snapshot(), before);
}

TEST_F(MoveFlow, AHiddenPieceNeitherTakesNorIsTaken)
{
    board.takeOff("Image26");
    EXPECT_EQ(dropOnto("Image26", "Image11"), DropResult::Rejected);
    EXPECT_TRUE(board.sent.empty());
}

TEST_F(MoveFlow, AFailedCaptureSendKeepsTheCaptureAndLeavesThePiecesUnlocked)
{
    board.sendError = "Host Lookup Canceled";
    EXPECT_THROW(dropOnto("Image26", "Image11"), std::runtime_error);
    EXPECT_FALSE(board.image("Image26").isVisible());
    EXPECT_EQ(board.image("Image11").tag(), 102);
    EXPECT_EQ(board.grid().at(3, 2), 0);
    expectAllDraggable();
}

TEST_F(MoveFlow, APieceOnRowTenColumnThreeIsTakenLikeAnyOther)
{
    board.clearPieces();
    board.place("Image27", 10, 3);
    board.place("Image2", 1, 3);
    EXPECT_EQ(dropOnto("Image27", "Image2"), DropResult::Captured);
    EXPECT_EQ(board.sent.at(0), "blkred|Image2|Image27|1|3|10|3");
    EXPECT_EQ(board.image("Image2").tag(), 103);
}
