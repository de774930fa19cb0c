// The receive side: each command word applied to the board, and everything
// malformed discarded with the board untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/BoardLayout.h"
#include "game/BoardReset.h"
#include "game/InMemoryBoard.h"
#include "net/protocol/Gbk.h"
#include "net/protocol/MessageText.h"
#include "net/protocol/PeerMessageHandler.h"
#include "RecordingEffects.h"

using namespace corvane::protocol;
using corvane::game::DragMode;
using corvane::game::imageName;
using corvane::test_support::InMemoryBoard;
using corvane::test_support::RecordingEffects;

namespace {

class Receiving : public ::testing::Test {
protected:
    void SetUp() override { corvane::game::resetBoard(board); }

    ReceivedCommand receive(std::string_view bytes) { return handler.handleDatagram(bytes); }

    // Draggable state of Image<first>..Image<last>, all equal to `draggable`.
    void expectDraggable(int first, int last, bool draggable)
    {
        for (int n = first; n <= last; ++n)
            EXPECT_EQ(board.image(imageName(n)).draggable(), draggable) << n;
    }

    InMemoryBoard board;
    RecordingEffects effects{board};
    PeerMessageHandler handler{board, effects};
};

} // namespace

TEST_F(Receiving, BlackMoveLocksBlackUnlocksRedAndMovesThePiece)
{
    board.setAllDragModes(DragMode::Manual);
    EXPECT_EQ(receive("blksky|Image13|Image70|4|1|5|1"), ReceivedCommand::BlackMove);
    expectDraggable(2, 17, false);
    expectDraggable(18, 33, true);
    auto& soldier = board.image("Image13");
    EXPECT_EQ(soldier.tag(), 51);
    EXPECT_EQ(soldier.left(), 48);
    EXPECT_EQ(soldier.top(), 32 + 40 * 4);
    EXPECT_EQ(board.grid().at(4, 1), 0);
    EXPECT_EQ(board.grid().at(5, 1), 1);
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(Receiving, RedMoveFromRowTenLocksRedUnlocksBlack)
{
    board.setAllDragModes(DragMode::Manual);
    EXPECT_EQ(receive("redsky|Image25|Image106|10|1|9|1"), ReceivedCommand::RedMove);
    expectDraggable(2, 17, true);
    expectDraggable(18, 33, false);
    EXPECT_EQ(board.image("Image25").tag(), 91);
    EXPECT_EQ(board.image("Image25").top(), board.image("Image106").top());
    EXPECT_EQ(board.grid().at(10, 1), 0);
    EXPECT_EQ(board.grid().at(9, 1), 1);
}

TEST_F(Receiving, AMoveIntoRowTenGivesAThreeDigitCode)
{
    board.place("Image13", 9, 3);
    EXPECT_EQ(receive("blksky|Image13|Image117|9|3|10|3"), ReceivedCommand::BlackMove);
    EXPECT_EQ(board.image("Image13").tag(), 103);
    EXPECT_EQ(board.grid().at(10, 3), 1);
}

TEST_F(Receiving, ApplyingTheSameMoveTwiceOnlyRepeatsTheLockSwitch)
{
    receive("blksky|Image13|Image70|4|1|5|1");
    const auto once = board.snapshot();
    board.setAllDragModes(DragMode::Manual);
    receive("blksky|Image13|Image70|4|1|5|1");
    EXPECT_EQ(board.snapshot(), once);
}

TEST_F(Receiving, TheReceiverDoesNotJudgeTheRules)
{
    // A "move" no rule allows is applied as told: the peer's board is the judge.
    EXPECT_EQ(receive("blksky|Image2|Image83|1|1|6|5"), ReceivedCommand::BlackMove);
    EXPECT_EQ(board.image("Image2").tag(), 65);
}

TEST_F(Receiving, CaptureHidesTheTakenPieceAndPassesTheTurn)
{
    EXPECT_EQ(receive("redblk|Image25|Image2|10|1|1|1"), ReceivedCommand::RedTakesBlack);
    expectDraggable(2, 17, true);
    expectDraggable(18, 33, false);
    EXPECT_FALSE(board.image("Image2").isVisible());
    EXPECT_EQ(board.image("Image25").tag(), 11);
    EXPECT_EQ(board.image("Image25").left(), board.image("Image2").left());
    EXPECT_EQ(board.image("Image25").top(), board.image("Image2").top());
    EXPECT_EQ(board.grid().at(10, 1), 0);
    EXPECT_EQ(board.grid().at(1, 1), 1);
}

TEST_F(Receiving, CannonCaptureFromTheStartingPosition)
{
    EXPECT_EQ(receive("blkred|Image11|Image26|3|2|10|2"), ReceivedCommand::BlackTakesRed);
    expectDraggable(2, 17, false);
    expectDraggable(18, 33, true);
    EXPECT_FALSE(board.image("Image26").isVisible());
    EXPECT_EQ(board.image("Image11").tag(), 102);
    EXPECT_EQ(board.grid().at(3, 2), 0);
    EXPECT_EQ(board.grid().at(10, 2), 1);
}

TEST_F(Receiving, LosingTheGeneralChangesNoLockAndShowsTheLossOnce)
{
    board.image("Image5").setDragMode(DragMode::Manual);
    board.image("Image30").setDragMode(DragMode::Manual);
    const auto modesBefore = board.snapshot();
    EXPECT_EQ(receive("redjiangdead|Image2|Image29|1|5|10|5"), ReceivedCommand::RedGeneralTaken);
    EXPECT_FALSE(board.image("Image29").isVisible());
    EXPECT_EQ(board.image("Image2").tag(), 105);
    for (int n = 2; n <= 33; ++n)
        EXPECT_EQ(board.image(imageName(n)).dragMode(), std::get<4>(modesBefore.images.at(imageName(n)))) << n;
    EXPECT_EQ(effects.boxes, std::vector<std::string>{"此局你输了，继续努力！"});

    EXPECT_EQ(receive("blkjiangdead|Image29|Image6|10|5|1|5"), ReceivedCommand::BlackGeneralTaken);
    EXPECT_FALSE(board.image("Image6").isVisible());
    EXPECT_EQ(effects.boxes.size(), 2u);
}

TEST_F(Receiving, RestartPlaysTheSoundResetsAndWritesTheNotice)
{
    receive("redblk|Image25|Image2|10|1|1|1");
    effects.memo = "old text";
    EXPECT_EQ(receive("chongxin|2|3|4|5|6|7"), ReceivedCommand::Restart);
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"sound", "reset", "memo"}));
    EXPECT_EQ(effects.memo, "系统消息  2026/12/7  8:05:09\r\n重新开始新棋局...");
    InMemoryBoard fresh;
    corvane::game::resetBoard(fresh);
    EXPECT_EQ(board.snapshot(), fresh.snapshot());
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
    expectDraggable(2, 33, false);
    EXPECT_EQ(effects.boxes, std::vector<std::string>{"对方已退出游戏！！！"});

    // A later restart from the peer opens the board again.
    receive("chongxin|2|3|4|5|6|7");
    expectDraggable(2, 33, true);
}

TEST_F(Receiving, CloseWithOnlyTheWordAndABarCloses)
{
    EXPECT_EQ(receive("close|"), ReceivedCommand::Close);
    expectDraggable(2, 33, false);
}

TEST_F(Receiving, CommandWordsNeedABarAndTheirExactCase)
{
    const auto before = board.snapshot();
    for (const char* text : {"close", "Close|", "CLOSE|2|3|4|5|6|7", "Chongxin|2|3|4|5|6|7", "chongxin",
                             "Blksky|Image13|Image70|4|1|5|1", " close|", "close |", "hello|world", "message"}) {
        EXPECT_EQ(receive(text), ReceivedCommand::Ignored) << text;
    }
    EXPECT_TRUE(effects.calls.empty());
    EXPECT_EQ(board.snapshot(), before);
}

TEST_F(Receiving, MalformedMovesAreDiscardedWithTheBoardUntouched)
{
    board.image("Image13").setDragMode(DragMode::Manual);
    const auto before = board.snapshot();
    const std::string malformed[] = {
        "blksky|Image13|Image70|0|1|5|1",       // row 0
        "blksky|Image13|Image70|4|1|11|1",      // row 11
        "blksky|Image13|Image70|4|0|5|1",       // column 0
        "blksky|Image13|Image70|4|1|5|10",      // column 10
        "blksky|Image13|Image70|4|1|+5|1",      // a sign
        "blksky|Image13|Image70|4|1|5|a",       // not digits
        "blksky|Image13|Image70|4|1|05|1",      // a leading zero
        "blksky|Image13|Image70|4|1| 5|1",      // a blank
        "blksky|Image13|Image70|4|1|5|",        // empty column
        "blksky|Image13|Image70|4|1|5",         // a field missing
        "blksky|Image13|Image70|4|1|5|1|",      // field 7 with a bar
        "blksky|Image13|Image70|4|1|5|1\r\n",   // field 7 with a line end
        "blksky|Image13|Image70|4|1|99999999999999999999|1",
        "blksky|Image1|Image70|4|1|5|1",        // the board picture is no piece
        "blksky|Image200|Image70|4|1|5|1",      // no such image
        "blksky|Image34|Image70|4|1|5|1",       // a point image cannot move
        "blksky|Image13|Image20|4|1|5|1",       // a move must end on a point image
        "blksky||Image70|4|1|5|1",
        "blksky|Image13||4|1|5|1",
        "blkred|Image11|Image98|3|2|8|2",       // a capture must name a piece image
        "redblk|Image25|Image200|10|1|1|1",
        "redjiangdead|Image2|Image29|1|5|0|5",
        "blkjiangdead|Image29|Image6|10|5|1|",
        "blksky|Image13|Image70|4|1|5|1" + std::string(2048, ' '),  // too long
    };
    for (const std::string& text : malformed)
        EXPECT_EQ(receive(text), ReceivedCommand::Discarded) << text;
    EXPECT_EQ(board.snapshot(), before);
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(Receiving, EmptyAndBarOnlyDatagramsDoNothing)
{
    const auto before = board.snapshot();
    EXPECT_EQ(receive(""), ReceivedCommand::Ignored);
    EXPECT_EQ(receive("|"), ReceivedCommand::Ignored);
    EXPECT_EQ(receive("||||||"), ReceivedCommand::Ignored);
    EXPECT_EQ(receive(std::string(100, '|')), ReceivedCommand::Ignored);
    EXPECT_EQ(board.snapshot(), before);
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
    EXPECT_EQ(board.image("Image13").tag(), 51);
}

TEST_F(Receiving, AMissingImageIsNeverTouched)
{
    board.removeImage("Image70");
    const auto before = board.snapshot();
    EXPECT_EQ(receive("blksky|Image13|Image70|4|1|5|1"), ReceivedCommand::Discarded);
    EXPECT_EQ(board.snapshot(), before);

    // Locking skips what is not there.
    board.removeImage("Image20");
    EXPECT_EQ(receive("close|"), ReceivedCommand::Close);
}

TEST_F(Receiving, ADatagramArrivingWhileABoxIsOpenIsAppliedAtOnce)
{
    effects.whileBoxOpen = [this] {
        effects.whileBoxOpen = nullptr;
        EXPECT_EQ(receive("chongxin|2|3|4|5|6|7"), ReceivedCommand::Restart);
    };
    EXPECT_EQ(receive("close|2|3|4|5|6|7"), ReceivedCommand::Close);
    // The restart inside the box's wait made everything draggable again.
    expectDraggable(2, 33, true);
}

TEST_F(Receiving, ChatWithBytesThatAreNotGbkStillShows)
{
    EXPECT_EQ(receive("message|2|3|4|5|6|\xFF\xC0"), ReceivedCommand::Chat);
    EXPECT_EQ(effects.memo, "\xEF\xBF\xBD\xEF\xBF\xBD");
}
