// Drops onto points and onto pieces: the change to the position, the one
// message sent, and the locking of both sides afterwards.
#include <gtest/gtest.h>

#include <stdexcept>

#include "TestBoard.h"

using namespace corvane::game;
using corvane::test_support::TestBoard;

namespace {

class MoveFlow : public ::testing::Test {
protected:
    TestBoard board;
};

} // namespace

TEST_F(MoveFlow, BlackSoldierStepSendsTheWorkedExampleAndLocksEverything)
{
    EXPECT_EQ(board.dropOn(5, 1, "Image13"), DropResult::Moved);
    ASSERT_EQ(board.sent.size(), 1u);
    EXPECT_EQ(board.sent[0], "blksky|Image13|Image70|4|1|5|1");
    EXPECT_EQ(board.sent[0].size(), 30u);
    EXPECT_EQ(board.tag("Image13"), 51);
    EXPECT_EQ(board.piece("Image13").place, (Point{5, 1}));
    EXPECT_FALSE(board.occupied(4, 1));
    EXPECT_TRUE(board.occupied(5, 1));
    EXPECT_FALSE(board.anyMayMove());
}

TEST_F(MoveFlow, RowTenTravelsAsTwoDigits)
{
    EXPECT_EQ(board.dropOn(9, 1, "Image25"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(0), "redsky|Image25|Image106|10|1|9|1");
    EXPECT_EQ(board.tag("Image25"), 91);
    EXPECT_EQ(board.dropOn(10, 1, "Image25"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(1), "redsky|Image25|Image115|9|1|10|1");
    EXPECT_EQ(board.tag("Image25"), 101);

    EXPECT_EQ(board.dropOn(8, 5, "Image27"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(2), "redsky|Image27|Image101|10|3|8|5");
}

TEST_F(MoveFlow, AnIllegalMoveChangesNothingAndSendsNothing)
{
    const Position before = board.position;
    EXPECT_EQ(board.dropOn(5, 2, "Image13"), DropResult::Rejected); // sideways before the river
    EXPECT_EQ(board.dropOn(6, 1, "Image13"), DropResult::Rejected); // two steps
    EXPECT_EQ(board.dropOn(3, 9, "Image11"), DropResult::Rejected); // cannon past the other cannon
    EXPECT_EQ(board.dropOn(0, 1, "Image13"), DropResult::Rejected); // no point
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(board.changes, 0);
    EXPECT_EQ(board.position, before);
}

TEST_F(MoveFlow, EitherSideMayOpen)
{
    EXPECT_EQ(board.dropOn(6, 5, "Image20"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(0), "redsky|Image20|Image83|7|5|6|5");
}

TEST_F(MoveFlow, SoldierCrossingTheRiverSendsOneMessage)
{
    board.setUp({{"Image15", {5, 5}}});
    EXPECT_EQ(board.dropOn(6, 5, "Image15"), DropResult::Moved);
    EXPECT_EQ(board.sent, std::vector<std::string>{"blksky|Image15|Image83|5|5|6|5"});
}

TEST_F(MoveFlow, AFailedSendKeepsTheMoveAndLeavesThePiecesUnlocked)
{
    board.sendFails = true;
    EXPECT_EQ(board.dropOn(5, 1, "Image13"), DropResult::NotSent);
    EXPECT_EQ(board.tag("Image13"), 51);
    EXPECT_FALSE(board.occupied(4, 1));
    EXPECT_TRUE(board.occupied(5, 1));
    EXPECT_TRUE(board.bothMayMove());
    EXPECT_EQ(board.changes, 1); // the move was shown before the send

    // The moved piece may be dragged on from its new point.
    board.sendFails = false;
    EXPECT_EQ(board.dropOn(6, 1, "Image13"), DropResult::Moved);
    EXPECT_EQ(board.sent.at(0), "blksky|Image13|Image79|5|1|6|1");
}

TEST_F(MoveFlow, CannonTakesTheHorseOverTheRedCannon)
{
    EXPECT_EQ(board.dropOnto("Image26", "Image11"), DropResult::Captured);
    ASSERT_EQ(board.sent.size(), 1u);
    EXPECT_EQ(board.sent[0], "blkred|Image11|Image26|3|2|10|2");
    EXPECT_EQ(board.tag("Image11"), 102);
    EXPECT_EQ(board.piece("Image11").place, board.piece("Image26").place);
    EXPECT_FALSE(board.shown("Image26"));
    EXPECT_EQ(board.tag("Image26"), 102); // a taken piece stays where it was taken
    EXPECT_FALSE(board.occupied(3, 2));
    EXPECT_TRUE(board.occupied(10, 2));
    EXPECT_FALSE(board.anyMayMove());
    EXPECT_FALSE(board.position.isOver());
}

TEST_F(MoveFlow, RedTakesBlackAndTheMessageNamesBothPieces)
{
    EXPECT_EQ(board.dropOnto("Image3", "Image23"), DropResult::Captured); // red cannon over the black cannon
    EXPECT_EQ(board.sent.at(0), "redblk|Image23|Image3|8|2|1|2");
    EXPECT_FALSE(board.shown("Image3"));
    EXPECT_EQ(board.tag("Image23"), 12);
}

TEST_F(MoveFlow, TakingAGeneralEndsTheGame)
{
    board.setUp({{"Image29", {10, 5}}, {"Image2", {1, 5}}, {"Image6", {1, 4}}});
    EXPECT_EQ(board.dropOnto("Image29", "Image2"), DropResult::GameOver);
    EXPECT_EQ(board.sent.at(0), "redjiangdead|Image2|Image29|1|5|10|5");
    EXPECT_FALSE(board.shown("Image29"));
    EXPECT_FALSE(board.anyMayMove());
    EXPECT_TRUE(board.position.isOver());

    // General takes general along an open column.
    board.setUp({{"Image6", {2, 5}}, {"Image29", {9, 5}}});
    EXPECT_EQ(board.dropOnto("Image6", "Image29"), DropResult::GameOver);
    EXPECT_EQ(board.sent.at(1), "blkjiangdead|Image29|Image6|9|5|2|5");
    EXPECT_EQ(board.tag("Image29"), 25);
    EXPECT_FALSE(board.occupied(9, 5));
    EXPECT_TRUE(board.occupied(2, 5));
}

TEST_F(MoveFlow, DroppingOnItselfOnItsOwnSideOrIllegallyDoesNothing)
{
    const Position before = board.position;
    EXPECT_EQ(board.dropOnto("Image13", "Image13"), DropResult::Rejected);
    EXPECT_EQ(board.dropOnto("Image25", "Image25"), DropResult::Rejected);
    EXPECT_EQ(board.dropOnto("Image3", "Image2"), DropResult::Rejected);
    EXPECT_EQ(board.dropOnto("Image26", "Image25"), DropResult::Rejected);
    EXPECT_EQ(board.dropOnto("Image18", "Image2"), DropResult::Rejected);  // chariot, a soldier between
    EXPECT_EQ(board.dropOnto("Image23", "Image11"), DropResult::Rejected); // cannon without a screen
    EXPECT_EQ(board.dropOnto("Image26", "Image2"), DropResult::Rejected);  // not on a line
    EXPECT_EQ(board.dropOnto("Image20", "Image6"), DropResult::Rejected);  // general out of its palace
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(board.position, before);
}

TEST_F(MoveFlow, AHiddenPieceNeitherTakesNorIsTaken)
{
    board.setUp({{"Image11", {3, 2}}, {"Image23", {8, 2}}});
    ASSERT_EQ(board.dropOnto("Image23", "Image2"), DropResult::Rejected); // Image2 is off the board
    EXPECT_EQ(board.dropOnto("Image2", "Image11"), DropResult::Rejected);
    EXPECT_TRUE(board.sent.empty());
}

TEST_F(MoveFlow, AFailedCaptureSendKeepsTheCaptureAndLeavesThePiecesUnlocked)
{
    board.sendFails = true;
    EXPECT_EQ(board.dropOnto("Image26", "Image11"), DropResult::NotSent);
    EXPECT_FALSE(board.shown("Image26"));
    EXPECT_EQ(board.tag("Image11"), 102);
    EXPECT_FALSE(board.occupied(3, 2));
    EXPECT_TRUE(board.bothMayMove());
}

TEST_F(MoveFlow, APieceOnRowTenColumnThreeIsTakenLikeAnyOther)
{
    board.setUp({{"Image27", {10, 3}}, {"Image2", {1, 3}}});
    EXPECT_EQ(board.dropOnto("Image27", "Image2"), DropResult::Captured);
    EXPECT_EQ(board.sent.at(0), "blkred|Image2|Image27|1|3|10|3");
    EXPECT_EQ(board.tag("Image2"), 103);
}
