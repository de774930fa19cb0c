// The main window against the computer: with the computer on red, the
// window frees nothing until the computer's first move arrives, and the
// player's reply gets an answer (the real engine, level 1); a move that
// leaves the player's general takeable loses it, as a game between two
// windows ends (a stand-in engine plays the computer's moves).
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "computer/Engine.h"
#include "PlayTestSupport.h"
#include "shell/ComputerOpponent.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane;
using namespace corvane::shell::testing;

namespace {

bool sameBoards(const game::Position& window, const game::Position& computer)
{
    for (game::PieceId id = 0; id < game::PieceCount; ++id)
        if (window.piece(id).taken != computer.piece(id).taken ||
            (!window.piece(id).taken && window.piece(id).point != computer.piece(id).point))
            return false;
    return true;
}

class ComputerWindowTest : public ::testing::Test {
protected:
    void play(game::Side computerSide, const QString& engine)
    {
        connectToItself(form); // a port of its own: other tests hold the stored 1234 at the same time
        QString problem;
        opponent = shell::ComputerOpponent::create(form, computerSide, 1, engine, problem);
        ASSERT_TRUE(opponent) << problem.toStdString();
        computerPeer()->setMoveTimeMs(100);
        form.show();
    }
    computer::ComputerPeer* computerPeer() const { return opponent->findChild<computer::ComputerPeer*>(); }
    std::size_t plies() const { return computerPeer()->game().moves().size(); }

    MessageBoxRecorder boxes;
    shell::MainWindow form{shell::testing::silentSound()};
    shell::ComputerOpponent* opponent = nullptr; // the window's child
};

} // namespace

TEST_F(ComputerWindowTest, TheComputerOpensWithRedAndAnswersThePlayer)
{
    const QString engine = computer::Engine::defaultProgram();
    ASSERT_FALSE(engine.isEmpty()) << "tools/setup.sh installs fairy-stockfish";
    play(game::Side::Red, engine);
    EXPECT_TRUE(allDraggable(form, 2, 33, false)) << "black waits for red's first move";
    opponent->start();
    EXPECT_TRUE(receivedText(form)->toPlainText().endsWith(QStringLiteral("你的对手是电脑（执红，等级 1），请走黑棋。")));

    ASSERT_TRUE(waitUntil([&] { return plies() == 1 && allDraggable(form, 2, 17, true); }, 10000));
    EXPECT_TRUE(allDraggable(form, 18, 33, false));
    EXPECT_TRUE(sameBoards(form.position(), computerPeer()->game().position()));

    dragByMouse(form, 13, pointNumber(5, 1)); // a black soldier steps forward
    ASSERT_TRUE(waitUntil([&] { return plies() == 3 && allDraggable(form, 2, 17, true); }, 10000));
    EXPECT_TRUE(sameBoards(form.position(), computerPeer()->game().position()));
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(ComputerWindowTest, APlayersMoveIntoSightLosesTheGeneral)
{
    qputenv("STAND_IN_ANSWERS", "a10a9 a9d9"); // the black chariot comes to the open column d
    play(game::Side::Black, QStringLiteral(STAND_IN_ENGINE));
    EXPECT_TRUE(allDraggable(form, 2, 17, false));
    EXPECT_TRUE(allDraggable(form, 18, 33, true));
    opponent->start();
    const struct {
        int piece, row, column;
    } moves[] = {{28, 9, 5}, {18, 6, 1}, {29, 10, 4}}; // advisor up, a soldier, the general into the chariot's sight
    for (std::size_t i = 0; i < 3; ++i) {
        dragByMouse(form, moves[i].piece, pointNumber(moves[i].row, moves[i].column));
        ASSERT_TRUE(waitUntil([&] { return plies() == 2 * i + 2; }, 5000)) << "move " << i;
    }
    ASSERT_TRUE(waitUntil([&] { return boxes.boxes().size() == 1; }));
    qunsetenv("STAND_IN_ANSWERS");
    EXPECT_EQ(boxes.boxes()[0].text, GameLost);
    EXPECT_TRUE(form.position().piece(27).taken) << "Image29, red's general";
    EXPECT_TRUE(standsOn(form, 2, 10, 4));
    EXPECT_TRUE(form.position().isOver());
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
    EXPECT_FALSE(receivedText(form)->toPlainText().contains(computer::ComputerPeer::concedeText())) << "no engine asked";
}

TEST_F(ComputerWindowTest, WithoutTheEngineTheOrdinaryGameStarts)
{
    QString problem;
    EXPECT_EQ(shell::ComputerOpponent::create(form, game::Side::Black, 3, QString(), problem), nullptr);
    EXPECT_TRUE(problem.contains(QStringLiteral("apt install fairy-stockfish")));
    form.show();
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
    EXPECT_EQ(form.endpoint()->remotePort(), 1234);
}
