// The link between two windows: discovery, the hot-seat board, what a V1.0
// peer sees, numbered moves and their repair, two first moves at once,
// restart and chat, and the lines the player reads.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "LinkHarness.h"
#include "RecordingEffects.h"
#include "TestBoard.h"
#include "net/protocol/MessageText.h"
#include "net/protocol/MoveText.h"

using namespace corvane;
using namespace corvane::protocol;
using corvane::game::Side;
using corvane::test_support::LinkedWindow;
using corvane::test_support::LinkHarness;
using corvane::test_support::TestBoard;

namespace {

std::string word(const std::string& bytes)
{
    return bytes.substr(0, bytes.find('|'));
}

// How many of `datagrams` carry the link word `linkWord`.
long carrying(const std::vector<std::string>& datagrams, std::string_view linkWord)
{
    return std::ranges::count_if(datagrams, [&](const std::string& d) { return word(d) == linkWord; });
}

bool drop(LinkedWindow& w, int row, int column, std::string_view piece)
{
    return game::dropOnPoint(w.position, w, TestBoard::id(piece), {row, column}) == game::DropResult::Moved;
}

// One window whose peer is itself: the stored settings.
class SelfHost : public LinkHost, public game::MoveOutlet {
public:
    SelfHost() { position.reset(); }
    bool sendDatagram(const std::string& bytes, SendMode) override
    {
        sent.push_back(bytes);
        inFlight.push_back(bytes);
        return true;
    }
    std::int64_t milliseconds() override { return now; }
    std::string peerAddress() override { return "127.0.0.1:1234:1234"; }
    void wakeUpAt(std::optional<std::int64_t> ms) override { wakeUp = ms; }
    void showChange(const game::Change&) override { }
    bool sendMove(const game::Move& move) override { return link.sendMove(move); }
    void deliver()
    {
        while (!inFlight.empty()) {
            const std::string bytes = inFlight.front();
            inFlight.pop_front();
            link.handleDatagram(bytes);
        }
    }

    game::Position position;
    test_support::RecordingEffects effects{position};
    PeerLink link{position, effects, *this, 42};
    std::vector<std::string> sent;
    std::deque<std::string> inFlight;
    std::optional<std::int64_t> wakeUp;
    std::int64_t now = 0;
};

} // namespace

TEST(PeerLink, AWindowThatHearsItsOwnHelloPlaysPureV1)
{
    SelfHost w;
    w.link.boardWasReset();
    w.deliver();
    EXPECT_FALSE(w.wakeUp) << "no hello is repeated at one board";
    w.sent.clear();
    ASSERT_EQ(game::dropOnPoint(w.position, w, TestBoard::id("Image13"), {5, 1}), game::DropResult::Moved);
    w.deliver();
    EXPECT_TRUE(w.position.mayMove(Side::Red));
    EXPECT_FALSE(w.position.mayMove(Side::Black));
    ASSERT_EQ(game::dropOnPoint(w.position, w, TestBoard::id("Image18"), {6, 1}), game::DropResult::Moved);
    w.deliver();
    EXPECT_TRUE(w.position.mayMove(Side::Black));
    EXPECT_EQ(w.sent, (std::vector<std::string>{"blksky|Image13|Image70|4|1|5|1", "redsky|Image18|Image79|7|1|6|1"}));
    // A stranger's hello and link messages change nothing at one board.
    w.link.handleDatagram("cvhello|0000000000000099|0|0|0|00000000|1");
    w.link.handleDatagram("cvmove|0|3|00000000|2|0|blksky|Image14|Image72|4|3|5|3");
    w.deliver();
    EXPECT_EQ(w.sent.size(), 2u);
    EXPECT_EQ(w.position.piece(TestBoard::id("Image14")).point, (game::Point{4, 3}));
    // After a restart the same first move is a new move, not a repeat.
    w.effects.resetBoard();
    w.link.boardWasReset();
    w.deliver();
    ASSERT_EQ(game::dropOnPoint(w.position, w, TestBoard::id("Image13"), {5, 1}), game::DropResult::Moved);
    w.deliver();
    EXPECT_TRUE(w.position.mayMove(Side::Red));
}

TEST(PeerLink, TwoCorvanesFindEachOtherAndNumberTheirMoves)
{
    LinkHarness net(1);
    net.start();
    EXPECT_FALSE(net.a.wakeUp) << "discovery is over";
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    net.runUntil(net.now + 100);
    EXPECT_EQ(net.b.received.back().rfind("cvmove|0|1|", 0), 0u) << net.b.received.back();
    EXPECT_TRUE(net.b.position.mayMove(Side::Black));
    EXPECT_FALSE(net.a.wakeUp) << "the move was acknowledged: nothing is resent";
    EXPECT_TRUE(net.sameBoards());
}

TEST(PeerLink, AV1PeerGetsOnlyHellosItIgnoresAndPlaysAsWithAV1Peer)
{
    // The same players over the same relay: once against a Corvane that
    // knows the link, once between two V1.0 windows.
    const auto play = [](bool extendedA) {
        LinkHarness net(5, extendedA, false);
        // Copies that come before the answer: all a V1.0 pair survives.
        net.faults.duplication = 0.2;
        net.faults.lateCopyMs = 250;
        const auto tally = test_support::playGames(net, 3, 40);
        EXPECT_EQ(tally.stalls, 0);
        EXPECT_EQ(tally.divergences, 0) << "late copies move nothing twice";
        for (const std::string& d : net.b.received)
            EXPECT_TRUE(!isLinkWord(d) || word(d) == command::LinkHello) << d;
        return net.a.position;
    };
    EXPECT_EQ(play(true), play(false));
}

TEST(PeerLink, AMoveSentBeforeDiscoveryIsSentAgainInLinkForm)
{
    LinkHarness net(2);
    net.faults.loss = 1; // the hellos and the V1.0 move are lost
    net.a.resetBoard();
    net.b.resetBoard();
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    net.runUntil(1500);
    net.faults.loss = 0;
    net.runUntil(8000);
    EXPECT_GE(carrying(net.a.sent, command::LinkMove), 1);
    EXPECT_TRUE(net.sameBoards());
    EXPECT_TRUE(net.b.position.mayMove(Side::Black));
    EXPECT_FALSE(net.b.position.mayMove(Side::Red));
}

TEST(PeerLink, LostMovesAndAnswersAreResentAndCopiesMoveNothing)
{
    LinkHarness net(3);
    net.start();
    net.faults.loss = 1;
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    net.runUntil(net.now + 6000); // resent at 1, 3 s ... all lost; the player is told at 5 s
    EXPECT_EQ(net.a.memo.back().substr(net.a.memo.back().find('\n') + 1), PeerLink::TextNoAnswer);
    net.faults.loss = 0;
    net.faults.duplication = 1;
    net.faults.lateCopyMs = 2500;
    net.runUntil(net.now + 5000);
    EXPECT_EQ(net.a.memo.back().substr(net.a.memo.back().find('\n') + 1), PeerLink::TextAnswered);
    EXPECT_TRUE(net.b.position.mayMove(Side::Black));
    ASSERT_TRUE(drop(net.b, 5, 1, "Image13"));
    net.runUntil(net.now + 5000); // late copies of both moves arrive after the answer
    EXPECT_TRUE(net.a.position.mayMove(Side::Red));
    EXPECT_FALSE(net.a.position.mayMove(Side::Black));
    EXPECT_FALSE(net.b.position.mayMove(Side::Black));
    EXPECT_TRUE(net.sameBoards());
    EXPECT_EQ(carrying(net.a.sent, command::LinkBoard) + carrying(net.b.sent, command::LinkBoard), 0) << "no repair";
}

TEST(PeerLink, TwoFirstMovesAtOnceKeepTheOneThatSortsFirst)
{
    LinkHarness net(4);
    net.start();
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18")); // redsky|...
    ASSERT_TRUE(drop(net.b, 5, 1, "Image13")); // blksky|... sorts first
    net.runUntil(net.now + 5000);
    EXPECT_TRUE(net.sameBoards());
    EXPECT_EQ(net.a.position.piece(TestBoard::id("Image13")).point, (game::Point{5, 1}));
    EXPECT_EQ(net.a.position.piece(TestBoard::id("Image18")).point, (game::Point{7, 1}));
    EXPECT_TRUE(net.a.position.mayMove(Side::Red)) << "the loser plays the other colour";
    EXPECT_FALSE(net.a.position.mayMove(Side::Black));
    EXPECT_FALSE(net.b.position.mayMove(Side::Red));
    EXPECT_FALSE(net.b.position.mayMove(Side::Black));
    EXPECT_EQ(net.a.memo.back().substr(net.a.memo.back().find('\n') + 1), PeerLink::TextRepaired);
    EXPECT_EQ(net.b.memo.back().substr(net.b.memo.back().find('\n') + 1), PeerLink::TextRepaired);
}

TEST(PeerLink, ADivergedBoardIsRepairedByTheWholePosition)
{
    LinkHarness net(6);
    net.start();
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    net.runUntil(net.now + 200);
    // Something outside the link changed b's board (a stray V1.0 datagram).
    net.b.position.apply(game::Move{TestBoard::id("Image2"), {1, 1}, {2, 1}, {2, 1}, {}, {}, false});
    ASSERT_TRUE(drop(net.b, 5, 1, "Image13"));
    net.runUntil(net.now + 3000);
    EXPECT_TRUE(net.sameBoards());
    EXPECT_EQ(net.a.position.piece(TestBoard::id("Image2")).point, (game::Point{2, 1})) << "the mover's board stands";
    EXPECT_TRUE(net.a.position.mayMove(Side::Red));
    EXPECT_EQ(net.a.memo.back().substr(net.a.memo.back().find('\n') + 1), PeerLink::TextRepaired);
}

TEST(PeerLink, ARestartOvertakenByTheNextMoveStillWipesTheGameFirst)
{
    LinkHarness net(7);
    net.start();
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    net.runUntil(net.now + 200);
    ASSERT_TRUE(drop(net.b, 5, 1, "Image13"));
    net.runUntil(net.now + 200);
    net.faults.loss = 1; // the restart is lost; its resend comes after the move
    net.a.restart();
    net.faults.loss = 0;
    ASSERT_TRUE(drop(net.a, 6, 3, "Image19"));
    net.runUntil(net.now + 3000);
    EXPECT_EQ(net.b.sent.back().rfind("cvack|1|1|", 0), 0u) << "b acknowledged the first move of the new game";
    EXPECT_EQ(net.b.position.piece(TestBoard::id("Image13")).point, (game::Point{4, 1})) << "the old game is gone";
    EXPECT_EQ(net.b.position.piece(TestBoard::id("Image19")).point, (game::Point{6, 3}));
    EXPECT_TRUE(net.sameBoards());
    EXPECT_TRUE(net.b.position.mayMove(Side::Black));
}

TEST(PeerLink, ChatLinesAreResentUntilAcknowledgedAndShownOnce)
{
    LinkHarness net(8);
    net.start();
    net.faults.duplication = 1;
    net.faults.lateCopyMs = 1500;
    net.faults.loss = 0.5;
    for (const char* text : {"one", "two", "three"})
        ASSERT_TRUE(net.a.link.sendChat(composeChatMessage("2026/12/7", "8:05:09", text)));
    net.runUntil(net.now + 30000);
    std::vector<std::string> shown;
    for (const std::string& m : net.b.memo)
        shown.push_back(m.substr(m.find('\n') + 1));
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"one", "three", "two"}));
    EXPECT_EQ(net.b.memo.front().rfind("来自 2026/12/7  8:05:09\r\n", 0), 0u);
    EXPECT_FALSE(net.a.wakeUp) << "nothing left to resend";
}

TEST(PeerLink, AV1PeerThatDoesNotAnswerForAMinuteIsToldOnceAndNothingIsResent)
{
    LinkHarness net(9, true, false);
    net.start();
    net.faults.loss = 1;
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    const std::size_t sent = net.a.sent.size();
    net.runUntil(net.now + 59000);
    EXPECT_TRUE(net.a.memo.empty());
    net.runUntil(net.now + 2000);
    ASSERT_EQ(net.a.memo.size(), 1u);
    EXPECT_EQ(net.a.memo.back().substr(net.a.memo.back().find('\n') + 1), PeerLink::TextClassicSilent);
    for (std::size_t i = sent; i < net.a.sent.size(); ++i)
        EXPECT_EQ(word(net.a.sent[i]), command::LinkHello) << "nothing is resent to a V1.0 peer";
}

TEST(PeerLink, AfterThePeersCloseNoticeNothingIsResentUntilAHelloComes)
{
    LinkHarness net(10);
    net.start();
    net.faults.loss = 1;
    ASSERT_TRUE(drop(net.a, 6, 1, "Image18"));
    net.a.link.handleDatagram(CloseMessage);
    EXPECT_FALSE(net.a.wakeUp) << "no resend, no hello before the next reset";
    EXPECT_EQ(net.a.boxes, (std::vector<std::string>{TextPeerLeft}));
    // The peer's program starts again and finds us: our move goes to it.
    const long moves = carrying(net.a.sent, command::LinkMove);
    net.a.link.handleDatagram("cvhello|0000000000000099|0|0|0|00000000|1");
    EXPECT_EQ(carrying(net.a.sent, command::LinkMove), moves + 1);
}
