// The receive side: each command word applied to the board, and everything
// malformed discarded with the board untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Position.h"
#include "net/protocol/Gbk.h"
#include "net/protocol/MessageText.h"
#include "net/protocol/PeerMessageHandler.h"
#include "RecordingEffects.h"
#include "TestBoard.h"

using namespace corvane::protocol;
using corvane::game::Point;
using corvane::game::Position;
using corvane::game::Side;
using corvane::test_support::RecordingEffects;
using corvane::test_support::TestBoard;

namespace {

class Receiving : public ::testing::Test {
protected:
    ReceivedCommand receive(std::string_view bytes) { return handler.handleDatagram(bytes); }

    void expectMayMove(bool black, bool red)
    {
        EXPECT_EQ(board.position.mayMove(Side::Black), black);
        EXPECT_EQ(board.position.mayMove(Side::Red), red);
    }

    TestBoard board;
    Position& position = board.position;
    RecordingEffects effects{position};
    PeerMessageHandler handler{position, effects};
};

} // namespace

TEST_F(Receiving, BlackMoveLocksBlackUnlocksRedAndMovesThePiece)
{
    position.lockBothSides();
    EXPECT_EQ(receive("blksky|Image13|Image70|4|1|5|1"), ReceivedCommand::BlackMove);
    expectMayMove(false, true);
    EXPECT_EQ(board.tag("Image13"), 51);
    EXPECT_EQ(board.piece("Image13").place, (Point{5, 1}));
    EXPECT_EQ(board.occupied(4, 1), 0);
    EXPECT_EQ(board.occupied(5, 1), 1);
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(Receiving, RedMoveFromRowTenLocksRedUnlocksBlack)
{
    position.lockBothSides();
    EXPECT_EQ(receive("redsky|Image25|Image106|10|1|9|1"), ReceivedCommand::RedMove);
    expectMayMove(true, false);
    EXPECT_EQ(board.tag("Image25"), 91);
    EXPECT_EQ(board.piece("Image25").place, (Point{9, 1}));
    EXPECT_EQ(board.occupied(10, 1), 0);
    EXPECT_EQ(board.occupied(9, 1), 1);
}

TEST_F(Receiving, AMoveIntoRowTenGivesAThreeDigitCode)
{
    board.setUp({{"Image13", {9, 3}}});
    EXPECT_EQ(receive("blksky|Image13|Image117|9|3|10|3"), ReceivedCommand::BlackMove);
    EXPECT_EQ(board.tag("Image13"), 103);
    EXPECT_EQ(board.occupied(10, 3), 1);
}

TEST_F(Receiving, AnExactRepeatOfTheLastMoveIsIgnoredWholeUntilTheBoardIsReset)
{
    receive("blksky|Image13|Image70|4|1|5|1");
    position.lockBothSides(); // this board has answered
    const auto answered = position;
    // A late copy must not open black's pieces again.
    EXPECT_EQ(receive("blksky|Image13|Image70|4|1|5|1"), ReceivedCommand::Repeated);
    EXPECT_EQ(position, answered);
    // After a restart the same first move is a move again.
    receive(RestartMessage);
    EXPECT_EQ(receive("blksky|Image13|Image70|4|1|5|1"), ReceivedCommand::BlackMove);
    handler.forgetLastMove();
    EXPECT_EQ(receive("blksky|Image13|Image70|4|1|5|1"), ReceivedCommand::BlackMove);
}

TEST_F(Receiving, TheReceiverDoesNotJudgeTheRules)
{
    // A "move" no rule allows is applied as told: the peer's board is the judge.
    EXPECT_EQ(receive("blksky|Image2|Image83|1|1|6|5"), ReceivedCommand::BlackMove);
    EXPECT_EQ(board.tag("Image2"), 65);
}

TEST_F(Receiving, CaptureHidesTheTakenPieceAndPassesTheTurn)
{
    EXPECT_EQ(receive("redblk|Image25|Image2|10|1|1|1"), ReceivedCommand::RedTakesBlack);
    expectMayMove(true, false);
    EXPECT_FALSE(board.shown("Image2"));
    EXPECT_EQ(board.tag("Image25"), 11);
    EXPECT_EQ(board.piece("Image25").place, board.piece("Image2").place);
    EXPECT_EQ(board.occupied(10, 1), 0);
    EXPECT_EQ(board.occupied(1, 1), 1);
}

TEST_F(Receiving, CannonCaptureFromTheStartingPosition)
{
    EXPECT_EQ(receive("blkred|Image11|Image26|3|2|10|2"), ReceivedCommand::BlackTakesRed);
    expectMayMove(false, true);
    EXPECT_FALSE(board.shown("Image26"));
    EXPECT_EQ(board.tag("Image11"), 102);
    EXPECT_EQ(board.occupied(3, 2), 0);
    EXPECT_EQ(board.occupied(10, 2), 1);
}

TEST_F(Receiving, LosingTheGeneralChangesNoLockAndShowsTheLossOnce)
{
    EXPECT_EQ(receive("redjiangdead|Image2|Image29|1|5|10|5"), ReceivedCommand::RedGeneralTaken);
    EXPECT_FALSE(board.shown("Image29"));
    EXPECT_EQ(board.tag("Image2"), 105);
    expectMayMove(true, true);
    EXPECT_FALSE(effects.shown.at(0).turnChanged);
    EXPECT_TRUE(effects.shown.at(0).gameOver);
    EXPECT_TRUE(position.isOver());
    EXPECT_EQ(effects.boxes, std::vector<std::string>{"此局你输了，继续努力！"});

    EXPECT_EQ(receive("blkjiangdead|Image29|Image6|10|5|1|5"), ReceivedCommand::BlackGeneralTaken);
    EXPECT_FALSE(board.shown("Image6"));
    EXPECT_EQ(effects.boxes.size(), 2u);
}

TEST_F(Receiving, RestartPlaysTheSoundResetsAndWritesTheNotice)
{
    receive("redblk|Image25|Image2|10|1|1|1");
    effects.memo = "old text";
    EXPECT_EQ(receive("chongxin|2|3|4|5|6|7"), ReceivedCommand::Restart);
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"sound", "reset", "memo"}));
    EXPECT_EQ(effects.memo, "系统消息  2026/12/7  8:05:09\r\n重新开始新棋局...");
    Position fresh;
    fresh.reset();
    EXPECT_EQ(position, fresh);
}

TEST_F(Receiving, ChatReplacesTheReceivedTextDecodedFromGbk)
{
    EXPECT_EQ(receive(composeChatMessage("2026/12/7", "8:05:09", "第一|行")), ReceivedCommand::Chat);
    EXPECT_EQ(effects.memo, "来自 2026/12/7  8:05:09\r\n第一|行");
    receive(composeChatMessage("2026/12/7", "8:05:10", "第二"));
    EXPECT_EQ(effects.memo, "来自 2026/12/7  8:05:10\r\n第二");
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"sound", "memo", "sound", "memo"}));
}

TEST_F(Receiving, CloseLocksEverythingAndTellsTheUser)
{
    EXPECT_EQ(receive("close|2|3|4|5|6|7"), ReceivedCommand::Close);
    expectMayMove(false, false);
    EXPECT_EQ(effects.boxes, std::vector<std::string>{"对方已退出游戏！！！"});

    // A later restart from the peer opens the board again.
    receive("chongxin|2|3|4|5|6|7");
    expectMayMove(true, true);
}

TEST_F(Receiving, CloseWithOnlyTheWordAndABarCloses)
{
    EXPECT_EQ(receive("close|"), ReceivedCommand::Close);
    expectMayMove(false, false);
}

TEST_F(Receiving, CommandWordsNeedABarAndTheirExactCase)
{
    const auto before = position;
    for (const char* text : {"close", "Close|", "CLOSE|2|3|4|5|6|7", "Chongxin|2|3|4|5|6|7", "chongxin",
                             "Blksky|Image13|Image70|4|1|5|1", " close|", "close |", "hello|world", "message"}) {
        EXPECT_EQ(receive(text), ReceivedCommand::Ignored) << text;
    }
    EXPECT_TRUE(effects.calls.empty());
    EXPECT_EQ(position, before);
}

TEST_F(Receiving, MalformedMovesAreDiscardedWithTheBoardUntouched)
{
    position.lockBothSides();
    const auto before = position;
    const std::string malformed[] = {
        "blksky|Image13|Image70|0|1|5|1",     // row 0
        "blksky|Image13|Image70|4|1|11|1",    // row 11
        "blksky|Image13|Image70|4|0|5|1",     // column 0
        "blksky|Image13|Image70|4|1|5|10",    // column 10
        "blksky|Image13|Image70|4|1|+5|1",    // a sign
        "blksky|Image13|Image70|4|1|5|a",     // not digits
        "blksky|Image13|Image70|4|1|05|1",    // a leading zero
        "blksky|Image13|Image70|4|1| 5|1",    // a blank
        "blksky|Image13|Image70|4|1|5|",      // empty column
        "blksky|Image13|Image70|4|1|5",       // a field missing
        "blksky|Image13|Image70|4|1|5|1|",    // field 7 with a bar
        "blksky|Image13|Image70|4|1|5|1\r\n", // field 7 with a line end
        "blksky|Image13|Image70|4|1|99999999999999999999|1",
        "blksky|Image1|Image70|4|1|5|1",   // the board picture is no piece
        "blksky|Image200|Image70|4|1|5|1", // no such image
        "blksky|Image34|Image70|4|1|5|1",  // a point image cannot move
        "blksky|Image13|Image20|4|1|5|1",  // a move must end on a point image
        "blksky||Image70|4|1|5|1",
        "blksky|Image13||4|1|5|1",
        "blkred|Image11|Image98|3|2|8|2", // a capture must name a piece image
        "redblk|Image25|Image200|10|1|1|1",
        "redjiangdead|Image2|Image29|1|5|0|5",
        "blkjiangdead|Image29|Image6|10|5|1|",
        "blksky|Image13|Image70|4|1|5|1" + std::string(2048, ' '), // too long
    };
    for (const std::string& text : malformed)
        EXPECT_EQ(receive(text), ReceivedCommand::Discarded) << text;
    EXPECT_EQ(position, before);
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(Receiving, EmptyAndBarOnlyDatagramsDoNothing)
{
    const auto before = position;
    EXPECT_EQ(receive(""), ReceivedCommand::Ignored);
    EXPECT_EQ(receive("|"), ReceivedCommand::Ignored);
    EXPECT_EQ(receive("||||||"), ReceivedCommand::Ignored);
    EXPECT_EQ(receive(std::string(100, '|')), ReceivedCommand::Ignored);
    EXPECT_EQ(position, before);
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(Receiving, DatagramsUpToTheBufferSizeAreAcceptedLongerOnesNot)
{
    std::string chat = chatMessagePrefix();
    chat += std::string(MaxDatagramSize - chat.size(), 'x');
    EXPECT_EQ(receive(chat), ReceivedCommand::Chat);
    EXPECT_EQ(receive(chat + "x"), ReceivedCommand::Discarded);
    EXPECT_EQ(effects.calls.size(), 2u);
}

TEST_F(Receiving, NamesAreFoundIgnoringCaseAsTheWindowFindsThem)
{
    EXPECT_EQ(receive("blksky|image13|IMAGE70|4|1|5|1"), ReceivedCommand::BlackMove);
    EXPECT_EQ(board.tag("Image13"), 51);
}

TEST_F(Receiving, ADatagramArrivingWhileABoxIsOpenIsAppliedAtOnce)
{
    effects.whileBoxOpen = [this] {
        effects.whileBoxOpen = nullptr;
        EXPECT_EQ(receive("chongxin|2|3|4|5|6|7"), ReceivedCommand::Restart);
    };
    EXPECT_EQ(receive("close|2|3|4|5|6|7"), ReceivedCommand::Close);
    // The restart inside the box's wait made everything draggable again.
    expectMayMove(true, true);
}

TEST_F(Receiving, ChatWithBytesThatAreNotGbkStillShows)
{
    EXPECT_EQ(receive("message|2|3|4|5|6|\xFF\xC0"), ReceivedCommand::Chat);
    EXPECT_EQ(effects.memo, "\xEF\xBF\xBD\xEF\xBF\xBD");
}
