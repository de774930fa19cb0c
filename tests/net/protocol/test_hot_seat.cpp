// One computer with the stored settings: every message a window sends comes
// back to it, and the receive side hands the board to the other side.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "game/BoardReset.h"
#include "game/InMemoryBoard.h"
#include "game/MoveFlow.h"
#include "net/protocol/PeerMessageHandler.h"
#include "RecordingEffects.h"

using namespace corvane::game;
using corvane::protocol::PeerMessageHandler;
using corvane::test_support::InMemoryBoard;
using corvane::test_support::RecordingEffects;

namespace {

class HotSeat : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetBoard(board);
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

    bool anyDraggable(int first, int last)
    {
        for (int n = first; n <= last; ++n)
            if (board.image(imageName(n)).draggable())
                return true;
        return false;
    }

    bool allDraggable(int first, int last)
    {
        for (int n = first; n <= last; ++n)
            if (!board.image(imageName(n)).draggable())
                return false;
        return true;
    }

    InMemoryBoard board;
    RecordingEffects effects{board};
    PeerMessageHandler handler{board, effects};
    std::deque<std::string> inFlight;
};

} // namespace

TEST_F(HotSeat, MovesAlternateBetweenBlackAndRed)
{
    ASSERT_EQ(dropOnPoint(board, board.point(5, 1), board.image("Image13")), DropResult::Moved);
    EXPECT_FALSE(anyDraggable(2, 33));  // between the send and the return nothing moves
    deliver();
    EXPECT_FALSE(anyDraggable(2, 17));
    EXPECT_TRUE(allDraggable(18, 33));
    EXPECT_EQ(board.image("Image13").tag(), 51);

    ASSERT_EQ(dropOnPoint(board, board.point(6, 1), board.image("Image18")), DropResult::Moved);
    deliver();
    EXPECT_TRUE(allDraggable(2, 17));
    EXPECT_FALSE(anyDraggable(18, 33));

    // Black's soldier takes red's, face to face at the river.
    ASSERT_EQ(dropOnPiece(board, board.image("Image18"), board.image("Image13")), DropResult::Captured);
    deliver();
    EXPECT_FALSE(board.image("Image18").isVisible());
    EXPECT_EQ(board.image("Image13").tag(), 61);
    EXPECT_TRUE(allDraggable(18, 33));
    EXPECT_FALSE(anyDraggable(2, 17));
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(HotSeat, TakingAGeneralLocksBothSidesAndShowsTheLossInTheSameWindow)
{
    board.clearPieces();
    board.place("Image6", 1, 5);
    board.place("Image25", 10, 5);
    board.place("Image29", 10, 4);
    ASSERT_EQ(dropOnPiece(board, board.image("Image6"), board.image("Image25")), DropResult::GameOver);
    deliver();
    EXPECT_FALSE(anyDraggable(2, 33));
    EXPECT_EQ(effects.boxes, std::vector<std::string>{"此局你输了，继续努力！"});
    EXPECT_FALSE(board.image("Image6").isVisible());
    EXPECT_EQ(board.image("Image25").tag(), 15);
}
