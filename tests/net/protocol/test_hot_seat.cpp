// One computer with the stored settings: every message a window sends comes
// back to it, and the receive side hands the board to the other side.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "net/protocol/PeerMessageHandler.h"
#include "RecordingEffects.h"
#include "TestBoard.h"

using namespace corvane::game;
using corvane::protocol::PeerMessageHandler;
using corvane::test_support::RecordingEffects;
using corvane::test_support::TestBoard;

namespace {

class HotSeat : public ::testing::Test {
protected:
    void SetUp() override
    {
        board.onSend = [this](const std::string& bytes) { inFlight.push_back(bytes); };
    }

    // The endpoint delivers what was sent to itself once the handler is back
    // in the event loop.
    void deliver()
    {
        while (!inFlight.empty()) {
            const std::string bytes = inFlight.front();
            inFlight.pop_front();
            handler.handleDatagram(bytes);
        }
    }

    bool mayMove(Side side) const { return board.position.mayMove(side); }

    TestBoard board;
    RecordingEffects effects{board.position};
    PeerMessageHandler handler{board.position, effects};
    std::deque<std::string> inFlight;
};

} // namespace

TEST_F(HotSeat, MovesAlternateBetweenBlackAndRed)
{
    ASSERT_EQ(board.dropOn(5, 1, "Image13"), DropResult::Moved);
    EXPECT_FALSE(board.anyMayMove()); // between the send and the return nothing moves
    deliver();
    EXPECT_FALSE(mayMove(Side::Black));
    EXPECT_TRUE(mayMove(Side::Red));
    EXPECT_EQ(board.tag("Image13"), 51);

    ASSERT_EQ(board.dropOn(6, 1, "Image18"), DropResult::Moved);
    deliver();
    EXPECT_TRUE(mayMove(Side::Black));
    EXPECT_FALSE(mayMove(Side::Red));

    // Black's soldier takes red's, face to face at the river.
    ASSERT_EQ(board.dropOnto("Image18", "Image13"), DropResult::Captured);
    deliver();
    EXPECT_FALSE(board.shown("Image18"));
    EXPECT_EQ(board.tag("Image13"), 61);
    EXPECT_TRUE(mayMove(Side::Red));
    EXPECT_FALSE(mayMove(Side::Black));
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(HotSeat, TakingAGeneralLocksBothSidesAndShowsTheLossInTheSameWindow)
{
    board.setUp({{"Image6", {1, 5}}, {"Image25", {10, 5}}, {"Image29", {10, 4}}});
    ASSERT_EQ(board.dropOnto("Image6", "Image25"), DropResult::GameOver);
    deliver();
    EXPECT_FALSE(board.anyMayMove());
    EXPECT_EQ(effects.boxes, std::vector<std::string>{"此局你输了，继续努力！"});
    EXPECT_FALSE(board.shown("Image6"));
    EXPECT_EQ(board.tag("Image25"), 15);
}
