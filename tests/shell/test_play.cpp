// Playing through the main window by mouse on the board view: the datagrams
// a move or capture sends, play at one board, and two windows playing each
// other. Every test uses its own free UDP ports.
#include "PlayTestSupport.h"

#include <QLabel>
#include <QSystemTrayIcon>

#include <functional>
#include <utility>

#include "skin/frame/SkinForm.h"
#include "skin/menu/SkinMenuItem.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane::shell;
using namespace corvane::shell::testing;

// --- moves and captures by mouse ---

TEST_F(WindowWithPeer, AMoveByMouseSendsTheExactBytesAndLocksEveryPiece)
{
    dragByMouse(form, 13, pointNumber(5, 1)); // black soldier 41 -> 51
    EXPECT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_EQ(form.position().isOccupied({4, 1}), 0);
    EXPECT_EQ(form.position().isOccupied({5, 1}), 1);
    EXPECT_TRUE(allDraggable(form, 2, 33, false)); // waiting for the peer
}

TEST_F(WindowWithPeer, AMoveFromRowTenCarriesTheRowAsTen)
{
    dragByMouse(form, 25, pointNumber(9, 1)); // red chariot 101 -> 91; red may open
    EXPECT_EQ(peer.next(), "redsky|Image25|Image106|10|1|9|1");
    EXPECT_EQ(image(form, 25).tag(), 91);
}

TEST_F(WindowWithPeer, AnIllegalDropChangesNothingAndTheSameSideMayTryAgain)
{
    dragByMouse(form, 13, pointNumber(4, 2)); // a soldier cannot step sideways before the river
    EXPECT_FALSE(peer.hasPending());
    EXPECT_TRUE(isStartingPosition(form));
    dragByMouse(form, 13, pointNumber(5, 1));
    EXPECT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
}

TEST_F(WindowWithPeer, ReleasingAPieceOnItselfOrOffTheBoardDoesNothing)
{
    dragByMouse(form, 13, 13); // a drop on its own image
    boardMouse(form, QEvent::MouseButtonPress, image(form, 13).geometry().center());
    boardMouse(form, QEvent::MouseButtonRelease, image(form, 13).pos() + QPoint(480, 200)); // over the chat panel
    EXPECT_FALSE(peer.hasPending());
    EXPECT_TRUE(isStartingPosition(form));
}

TEST_F(WindowWithPeer, ACannonCaptureByMouseHidesTheTakenPieceAndSendsBlkred)
{
    dragByMouse(form, 11, 26); // black cannon 32 over the red cannon onto the red horse 102
    EXPECT_EQ(peer.next(), "blkred|Image11|Image26|3|2|10|2");
    EXPECT_FALSE(image(form, 26).isVisible());
    EXPECT_TRUE(standsOn(form, 11, 10, 2));
    EXPECT_EQ(form.position().isOccupied({3, 2}), 0);
    EXPECT_EQ(form.position().isOccupied({10, 2}), 1);
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
    // The hidden horse takes no drops: the cannon's image now gets them.
    BoardView* board = boardView(form);
    const auto target = board->dropTargetAt(image(form, 26).geometry().center() - board->pos());
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->piece, corvane::protocol::pieceOfNumber(11));
}

TEST_F(WindowWithPeer, AFailedMoveSendKeepsTheMoveAndLeavesThePiecesUnlocked)
{
    form.endpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
    // The moved piece may be dragged on from its new point.
    form.endpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    dragByMouse(form, 13, pointNumber(6, 1));
    EXPECT_EQ(peer.next(), "blksky|Image13|Image79|5|1|6|1");
}

// --- one computer ---

TEST_F(HotSeat, MovesAlternateBetweenBlackAndRedAtOneBoard)
{
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
    play(13, pointNumber(5, 1)); // black moves; black locked, red draggable
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    // Black cannot move twice: the press starts no drag.
    dragByMouse(form, 14, pointNumber(5, 3));
    EXPECT_TRUE(standsOn(form, 14, 4, 3));
    play(18, pointNumber(6, 1)); // red moves; red locked, black draggable
    EXPECT_TRUE(standsOn(form, 18, 6, 1));
    play(13, 18); // black soldier takes the red soldier ahead of it
    EXPECT_FALSE(image(form, 18).isVisible());
    EXPECT_TRUE(standsOn(form, 13, 6, 1));
}

TEST_F(HotSeat, TakingAGeneralEndsTheGameWithTheLossBoxAndEverythingLocked)
{
    corvane::MessageBoxRecorder recorder;
    play(15, pointNumber(5, 5)); // black soldier 45 -> 55
    play(20, pointNumber(6, 5)); // red soldier 75 -> 65
    play(13, pointNumber(5, 1)); // black soldier 41 -> 51
    play(20, 15);                // red soldier takes the black soldier on 55
    play(13, pointNumber(6, 1)); // black soldier across the river
    play(20, pointNumber(5, 4)); // red soldier steps aside: column 5 is open
    dragByMouse(form, 6, 29);    // the black general takes the red general along the column
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    EXPECT_EQ(recorder.boxes()[0].text, GameLost);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("信息"));
    EXPECT_EQ(recorder.boxes()[0].owner, &form);
    EXPECT_FALSE(image(form, 29).isVisible());
    EXPECT_TRUE(standsOn(form, 6, 10, 5));
    EXPECT_TRUE(allDraggable(form, 2, 33, false));

    // Restart after the end of the game: all pieces back and draggable, and
    // the restart notice that comes back resets once more.
    emit form.findChild<corvane::skin::SkinMenuItem*>(QStringLiteral("CustomItem1"))->triggered();
    EXPECT_TRUE(isStartingPosition(form));
    ASSERT_TRUE(waitUntil([&] { return receivedText(form)->toPlainText().endsWith(QStringLiteral("重新开始新棋局...")); }));
    EXPECT_TRUE(isStartingPosition(form));
    EXPECT_EQ(*soundPlays, 1);
}

// Only the first show, the restart command and a received restart reset the
// board: every other way back onto the screen keeps the game as it stands.
TEST_F(HotSeat, ShowingTheWindowAgainKeepsPositionLocksAndReceivedText)
{
    play(13, pointNumber(5, 1));
    play(18, pointNumber(6, 1));
    play(13, 18); // black takes: one piece hidden, red to move
    corvane::skin::SkinForm* frame = windowFrame(form);
    frame->setTrayAvailable([] { return true; });
    auto game = [&] {
        std::string states;
        for (int n = 2; n <= 33; ++n)
            states += draggable(form, n) ? 'A' : 'M';
        std::string position;
        for (int n = 2; n <= 33; ++n)
            position += std::to_string(image(form, n).tag()) + (image(form, n).isVisible() ? "v " : "h ");
        return states + position + receivedText(form)->toPlainText().toStdString() + receivedLabel(form)->text().toStdString();
    };
    const std::string before = game();

    const std::pair<const char*, std::function<void()>> paths[] = {
        {"hide, show",
         [&] {
             form.hide();
             form.show();
         }},
        {"minimize, restore",
         [&] {
             frame->minimize();
             frame->restore();
         }},
        {"platform minimize, show normal",
         [&] {
             form.showMinimized();
             form.showNormal();
         }},
        {"roll up, unroll",
         [&] {
             frame->rollup();
             frame->rollup();
         }},
        {"maximize, restore",
         [&] {
             frame->maximize();
             frame->restore();
         }},
        {"tray, double click on the icon",
         [&] {
             frame->minimizeToTray();
             auto* trayIcon = form.findChild<QSystemTrayIcon*>();
             ASSERT_NE(trayIcon, nullptr);
             emit trayIcon->activated(QSystemTrayIcon::DoubleClick);
         }},
    };
    for (const auto& [name, hideAndShow] : paths) {
        hideAndShow();
        settle(50);
        EXPECT_TRUE(form.isVisible()) << name;
        EXPECT_EQ(game(), before) << name;
    }
}

// --- two windows in one process ---

TEST(TwoWindows, PlayAShortGameToATakenGeneral)
{
    MainWindow black;
    MainWindow red;
    const int blackPort = freeUdpPort();
    const int redPort = freeUdpPort();
    connectForm(black, blackPort, redPort);
    connectForm(red, redPort, blackPort);
    black.show();
    red.show();
    corvane::MessageBoxRecorder recorder;

    // Each move locks the mover's window; the peer opens the other colour.
    auto playIn = [](MainWindow& mover, MainWindow& other, int piece, int over) {
        const bool isBlack = piece <= 17;
        dragByMouse(mover, piece, over);
        ASSERT_TRUE(allDraggable(mover, 2, 33, false));
        ASSERT_TRUE(waitUntil([&] {
            return allDraggable(other, isBlack ? 2 : 18, isBlack ? 17 : 33, false) &&
                   allDraggable(other, isBlack ? 18 : 2, isBlack ? 33 : 17, true);
        }));
    };
    playIn(black, red, 15, pointNumber(5, 5));
    // The window that moved black stays locked until red answers.
    EXPECT_TRUE(allDraggable(black, 2, 33, false));
    EXPECT_TRUE(standsOn(red, 15, 5, 5));
    playIn(red, black, 20, pointNumber(6, 5));
    playIn(black, red, 13, pointNumber(5, 1));
    playIn(red, black, 20, 15);
    EXPECT_FALSE(image(black, 15).isVisible());
    playIn(black, red, 13, pointNumber(6, 1));
    playIn(red, black, 20, pointNumber(5, 4));
    dragByMouse(black, 6, 29);
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    EXPECT_EQ(recorder.boxes()[0].text, GameLost);
    EXPECT_EQ(recorder.boxes()[0].owner, &red); // the loser is told; the winner sees nothing
    EXPECT_FALSE(image(red, 29).isVisible());
    EXPECT_TRUE(standsOn(red, 6, 10, 5));
    EXPECT_TRUE(allDraggable(black, 2, 33, false));
    EXPECT_TRUE(allDraggable(red, 2, 33, false));
    // Both boards show the same position.
    for (int n = 2; n <= 33; ++n) {
        EXPECT_EQ(image(black, n).pos(), image(red, n).pos()) << n;
        EXPECT_EQ(image(black, n).isVisible(), image(red, n).isVisible()) << n;
    }
    EXPECT_EQ(black.position().occupancy(), red.position().occupancy());

    // Restarting from one side resets both.
    black.restartGame();
    EXPECT_TRUE(isStartingPosition(black));
    ASSERT_TRUE(waitUntil([&] { return isStartingPosition(red); }));
    EXPECT_TRUE(receivedText(red)->toPlainText().startsWith(QStringLiteral("系统消息  ")));
}

// Between two windows, a relay that loses the first numbered move it
// carries: the move is sent again, and both boards agree.
TEST(TwoWindows, AMoveLostOnTheWayIsSentAgainAndBothBoardsAgree)
{
    struct Relay {
        QUdpSocket socket;
        int target = 0;
        int movesToLose = 1;
        int answeredHellos = 0; // each proves that its sender speaks the link to its peer
        int acks = 0;
        void pump()
        {
            while (socket.hasPendingDatagrams()) {
                const QByteArray data = socket.receiveDatagram().data();
                if (data.startsWith("cvmove|") && movesToLose > 0 && movesToLose--)
                    continue;
                answeredHellos += data.startsWith("cvhello|") && data.split('|').value(2) != "0";
                acks += data.startsWith("cvack|");
                socket.writeDatagram(data, QHostAddress::LocalHost, static_cast<quint16>(target));
            }
        }
    };
    MainWindow black;
    MainWindow red;
    Relay toBlack;
    Relay toRed;
    toBlack.socket.bind(QHostAddress::LocalHost, 0);
    toRed.socket.bind(QHostAddress::LocalHost, 0);
    toBlack.target = freeUdpPort();
    toRed.target = freeUdpPort();
    connectForm(black, toBlack.target, toRed.socket.localPort());
    connectForm(red, toRed.target, toBlack.socket.localPort());
    black.show();
    red.show();
    auto through = [&](const std::function<bool()>& done) {
        return waitUntil([&] {
            toBlack.pump();
            toRed.pump();
            return done();
        });
    };
    ASSERT_TRUE(through([&] { return toBlack.answeredHellos > 0 && toRed.answeredHellos > 0; }));
    settle(); // the last answer reaches its window

    dragByMouse(black, 15, pointNumber(5, 5));
    ASSERT_TRUE(through([&] { return standsOn(red, 15, 5, 5); })) << "the resend arrived";
    EXPECT_EQ(toRed.movesToLose, 0);
    EXPECT_TRUE(allDraggable(red, 2, 17, false));
    EXPECT_TRUE(allDraggable(red, 18, 33, true));
    ASSERT_TRUE(through([&] { return toBlack.acks > 0; })) << "red acknowledged the move";
    EXPECT_EQ(black.position().occupancy(), red.position().occupancy());
    for (corvane::game::PieceId id = 0; id < corvane::game::PieceCount; ++id)
        EXPECT_EQ(black.position().piece(id), red.position().piece(id)) << id;
}
