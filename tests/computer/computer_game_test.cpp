// The computer's own game: the engine's notation, the judgement of what
// arrives (only the opponent's legal move in turn is applied), and the
// capture of a general the opponent leaves takeable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "computer/ComputerGame.h"
#include "computer/UciNotation.h"

using namespace corvane;
using computer::ComputerGame;
using computer::Received;

namespace {

// Red's opening moves, as a window sends them.
const std::string CentralCannon = "redsky|Image24|Image101|8|8|8|5";    // h3e3
const std::string CannonTakesHorse = "redblk|Image24|Image9|8|8|1|8";   // h3h10, over the black cannon
const std::string AdvisorUp = "redsky|Image28|Image110|10|4|9|5";       // d1e2
const std::string SoldierForward = "redsky|Image18|Image79|7|1|6|1";    // a4a5
const std::string GeneralSideways = "redsky|Image29|Image118|10|5|10|4"; // e1d1

} // namespace

TEST(UciNotation, SquaresAndMoves)
{
    struct Case {
        const char* text;
        bool valid;
        game::Point from, to;
    };
    const std::vector<Case> cases{
        {"h3e3", true, {8, 8}, {8, 5}},   {"b3b10", true, {8, 2}, {1, 2}}, {"a10a9", true, {1, 1}, {2, 1}},
        {"i1i10", true, {10, 9}, {1, 9}}, {"", false, {}, {}},            {"(none)", false, {}, {}},
        {"j1a1", false, {}, {}},          {"a0a1", false, {}, {}},        {"a11a1", false, {}, {}},
        {"a1a1x", false, {}, {}},         {"a01a1", false, {}, {}},       {"a1", false, {}, {}},
    };
    for (const Case& c : cases) {
        const auto move = computer::parseMove(c.text);
        ASSERT_EQ(move.has_value(), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(move->from, c.from) << c.text;
            EXPECT_EQ(move->to, c.to) << c.text;
            EXPECT_EQ(computer::moveText(c.from, c.to), c.text);
        }
    }
}

TEST(ComputerGame, AppliesOnlyTheOpponentsLegalMoveInTurn)
{
    struct Case {
        const char* what;
        std::vector<std::string> datagrams; // all but the last are applied first
        Received last;
        std::size_t moves; // plies the game holds afterwards
    };
    const std::vector<Case> cases{
        {"a move", {CentralCannon}, Received::OpponentMoved, 1},
        {"a capture over one screen", {CannonTakesHorse}, Received::OpponentMoved, 1},
        {"the same datagram again", {CentralCannon, CentralCannon}, Received::Discarded, 1},
        {"the computer's colour", {"blksky|Image11|Image56|3|2|3|5"}, Received::Discarded, 0},
        {"a chariot through its soldier", {"redsky|Image25|Image70|10|1|5|1"}, Received::Discarded, 0},
        {"a piece that is not on the from point", {"redsky|Image24|Image101|8|2|8|5"}, Received::Discarded, 0},
        {"a point name that is not the to point", {"redsky|Image24|Image100|8|8|8|5"}, Received::Discarded, 0},
        {"a move onto a piece", {"redsky|Image24|Image41|8|8|1|8"}, Received::Discarded, 0},
        {"a general's end for a horse", {"redjiangdead|Image24|Image9|8|8|1|8"}, Received::Discarded, 0},
        {"bad numbers", {"redsky|Image24|Image101|8|8|08|5"}, Received::Discarded, 0},
        {"too long", {CentralCannon + std::string(2048, ' ')}, Received::Discarded, 0},
        {"chat", {"message|2|3|4|5|6|hello|redsky"}, Received::Ignored, 0},
        {"no command", {""}, Received::Ignored, 0},
        {"a restart", {CentralCannon, "chongxin|2|3|4|5|6|7"}, Received::Restart, 0},
        {"close", {"close|"}, Received::Close, 0},
    };
    for (const Case& c : cases) {
        ComputerGame game(game::Side::Black);
        for (std::size_t i = 0; i + 1 < c.datagrams.size(); ++i)
            game.receive(c.datagrams[i]);
        const game::Position before = game.position();
        EXPECT_EQ(game.receive(c.datagrams.back()), c.last) << c.what;
        EXPECT_EQ(game.moves().size(), c.moves) << c.what;
        if (c.last == Received::Discarded)
            EXPECT_EQ(game.position(), before) << c.what;
    }
}

TEST(ComputerGame, TellsTheEngineTheGameAndTakesOnlyItsLegalAnswers)
{
    ComputerGame game(game::Side::Black);
    EXPECT_FALSE(game.moveFromEngine("h8e8")) << "not the computer's turn";
    ASSERT_EQ(game.receive(CentralCannon), Received::OpponentMoved);
    EXPECT_EQ(game.engineCommand(), "position fen " + std::string(computer::StartFen) + " moves h3e3");
    EXPECT_FALSE(game.moveFromEngine("(none)"));
    EXPECT_FALSE(game.moveFromEngine("a10a5")) << "through its own soldier";
    EXPECT_FALSE(game.moveFromEngine("e3e4")) << "a red piece";
    const auto answer = game.moveFromEngine("h8e8");
    ASSERT_TRUE(answer);
    EXPECT_EQ(game.play(*answer), "blksky|Image12|Image56|3|8|3|5");
    EXPECT_EQ(game.sideToMove(), game::Side::Red);
    EXPECT_FALSE(game.generalCapture());
}

TEST(ComputerGame, TakesTheGeneralThePlayerLeavesTakeable)
{
    ComputerGame game(game::Side::Black);
    const auto reply = [&game](const char* move) { return game.play(*game.moveFromEngine(move)); };
    ASSERT_EQ(game.receive(AdvisorUp), Received::OpponentMoved);
    reply("a10a9");
    ASSERT_EQ(game.receive(SoldierForward), Received::OpponentMoved);
    reply("a9d9"); // the chariot looks down the open column d
    EXPECT_FALSE(game.generalCapture());
    ASSERT_EQ(game.receive(GeneralSideways), Received::OpponentMoved); // into its sight: legal here
    const auto capture = game.generalCapture();
    ASSERT_TRUE(capture);
    EXPECT_EQ(game.play(*capture), "redjiangdead|Image2|Image29|2|4|10|4"); // red's general is taken
    EXPECT_TRUE(game.isOver());
    EXPECT_EQ(game.receive(CentralCannon), Received::Discarded);
}

TEST(ComputerGame, LosesWhenTheOpponentTakesItsGeneral)
{
    // The same game with the colours' roles turned: the computer plays red,
    // and its moves here are given, the last one leaving its general open.
    ComputerGame game(game::Side::Red);
    const auto play = [&game](const char* move) { return game.play(*game.moveFromEngine(move)); };
    EXPECT_EQ(game.receive("blksky|Image2|Image43|1|1|2|1"), Received::Discarded) << "red moves first";
    play("d1e2");
    ASSERT_EQ(game.receive("blksky|Image2|Image43|1|1|2|1"), Received::OpponentMoved);
    play("a4a5");
    ASSERT_EQ(game.receive("blksky|Image2|Image46|2|1|2|4"), Received::OpponentMoved);
    play("e1d1");
    EXPECT_EQ(game.receive("blkred|Image2|Image29|2|4|10|4"), Received::Discarded) << "a general's end is its own word";
    EXPECT_EQ(game.receive("blkjiangdead|Image2|Image29|2|4|10|4"), Received::Discarded) << "the word of red's taking";
    EXPECT_EQ(game.receive("redjiangdead|Image2|Image29|2|4|10|4"), Received::ComputerLost);
    EXPECT_TRUE(game.isOver());
    EXPECT_FALSE(game.isComputerToMove());
}
