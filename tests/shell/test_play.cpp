// Playing through the main window: mouse drags on the board view,
// the datagrams the window sends, what it does with those it receives, the
// menu commands, chat and closing. Every test uses its own free UDP ports.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>

#include <algorithm>
#include <functional>
#include <utility>

#include "game/BoardLayout.h"
#include "net/protocol/ImageNames.h"
#include "net/protocol/Gbk.h"
#include "shell/NotificationSound.h"
#include "shell/TForm3.h"
#include "skin/frame/TSkinForm.h"
#include "skin/menu/TSkinCustomItem.h"
#include "ShellTestSupport.h"
#include "ui/DateTimeText.h"
#include "ui/MessageBox.h"

using namespace corvane::shell;
using namespace corvane::shell::testing;

namespace {

const QString GameLost = QStringLiteral("此局你输了，继续努力！");

std::string gbk(const std::string& utf8) { return corvane::protocol::utf8ToGbk(utf8); }

void clickButton(QWidget* button)
{
    sendMouse(button, QEvent::MouseButtonPress, {5, 5});
    sendMouse(button, QEvent::MouseButtonRelease, {5, 5});
}

// Every piece visible, draggable and on its starting point.
bool isStartingPosition(TForm1& form)
{
    for (corvane::game::PieceId id = 0; id < corvane::game::PieceCount; ++id) {
        const auto& piece = corvane::game::pieceInfo(id);
        const int number = corvane::protocol::pieceNumber(id);
        const BoardImage shown = image(form, number);
        const corvane::game::Point start = corvane::game::startPoint(piece);
        if (!shown.isVisible() || !draggable(form, number) || shown.tag() != piece.startCode ||
            shown.pos() != QPoint(corvane::game::pointLeft(start.column), corvane::game::pointTop(start.row)))
            return false;
    }
    return true;
}

// A window whose peer is a recording socket: what it sends can be read back
// byte for byte, and datagrams can be sent to it.
class WindowWithPeer : public ::testing::Test {
protected:
    void SetUp() override
    {
        localPort = freeUdpPort();
        connectForm(form, localPort, peer.port());
        form.notificationSound()->setMuted(true);
        form.show();
    }
    void receive(const std::string& bytes) { peer.send(bytes, localPort); }
    // Datagrams are handled in order: once this chat line shows, every
    // datagram sent before it has been handled.
    void waitForAllReceived()
    {
        receive("message|2|3|4|5|6|sentinel");
        ASSERT_TRUE(waitUntil([&] { return form.memo2()->toPlainText() == QStringLiteral("sentinel"); }));
    }

    RecordingPeer peer;
    TForm1 form;
    int localPort = 0;
};

// A window on one computer, sending every datagram to itself.
class HotSeat : public ::testing::Test {
protected:
    void SetUp() override
    {
        connectToItself(form);
        form.notificationSound()->setMuted(true);
        form.show();
    }
    // Drags by mouse and waits until the window's own message has come back
    // and handed the turn over: the moved side locked, the other draggable.
    void play(int piece, int over)
    {
        const bool black = piece <= 17;
        dragByMouse(form, piece, over);
        ASSERT_TRUE(waitUntil([&] {
            return allDraggable(form, black ? 2 : 18, black ? 17 : 33, false) &&
                   allDraggable(form, black ? 18 : 2, black ? 33 : 17, true);
        })) << "the turn did not pass after Image" << piece;
    }
    TForm1 form;
};

} // namespace

// --- moves and captures by mouse ---

TEST_F(WindowWithPeer, AMoveByMouseSendsTheExactBytesAndLocksEveryPiece)
{
    dragByMouse(form, 13, pointNumber(5, 1));  // black soldier 41 -> 51
    EXPECT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_EQ(form.position().isOccupied({4, 1}), 0);
    EXPECT_EQ(form.position().isOccupied({5, 1}), 1);
    EXPECT_TRUE(allDraggable(form, 2, 33, false));  // waiting for the peer
}

TEST_F(WindowWithPeer, AMoveFromRowTenCarriesTheRowAsTen)
{
    dragByMouse(form, 25, pointNumber(9, 1));  // red chariot 101 -> 91; red may open
    EXPECT_EQ(peer.next(), "redsky|Image25|Image106|10|1|9|1");
    EXPECT_EQ(image(form, 25).tag(), 91);
}

TEST_F(WindowWithPeer, AnIllegalDropChangesNothingAndTheSameSideMayTryAgain)
{
    dragByMouse(form, 13, pointNumber(4, 2));  // a soldier cannot step sideways before the river
    EXPECT_FALSE(peer.hasPending());
    EXPECT_TRUE(isStartingPosition(form));
    dragByMouse(form, 13, pointNumber(5, 1));
    EXPECT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
}

TEST_F(WindowWithPeer, ReleasingAPieceOnItselfOrOffTheBoardDoesNothing)
{
    dragByMouse(form, 13, 13);  // a drop on its own image
    boardMouse(form, QEvent::MouseButtonPress, image(form, 13).geometry().center());
    boardMouse(form, QEvent::MouseButtonRelease, image(form, 13).pos() + QPoint(480, 200));  // over the chat panel
    EXPECT_FALSE(peer.hasPending());
    EXPECT_TRUE(isStartingPosition(form));
}

TEST_F(WindowWithPeer, ACannonCaptureByMouseHidesTheTakenPieceAndSendsBlkred)
{
    dragByMouse(form, 11, 26);  // black cannon 32 over the red cannon onto the red horse 102
    EXPECT_EQ(peer.next(), "blkred|Image11|Image26|3|2|10|2");
    EXPECT_FALSE(image(form, 26).isVisible());
    EXPECT_TRUE(standsOn(form, 11, 10, 2));
    EXPECT_EQ(form.position().isOccupied({3, 2}), 0);
    EXPECT_EQ(form.position().isOccupied({10, 2}), 1);
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
    // The hidden horse takes no drops: the cannon's image now gets them.
    BoardView* board = form.boardView();
    const auto target = board->dropTargetAt(image(form, 26).geometry().center() - board->pos());
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->piece, corvane::protocol::pieceOfNumber(11));
}

TEST_F(WindowWithPeer, AFailedMoveSendKeepsTheMoveAndLeavesThePiecesUnlocked)
{
    form.udpEndpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
    // The moved piece may be dragged on from its new point.
    form.udpEndpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    dragByMouse(form, 13, pointNumber(6, 1));
    EXPECT_EQ(peer.next(), "blksky|Image13|Image79|5|1|6|1");
}

// --- one computer ---

TEST_F(HotSeat, MovesAlternateBetweenBlackAndRedAtOneBoard)
{
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
    play(13, pointNumber(5, 1));  // black moves; black locked, red draggable
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    // Black cannot move twice: the press starts no drag.
    dragByMouse(form, 14, pointNumber(5, 3));
    EXPECT_TRUE(standsOn(form, 14, 4, 3));
    play(18, pointNumber(6, 1));  // red moves; red locked, black draggable
    EXPECT_TRUE(standsOn(form, 18, 6, 1));
    play(13, 18);  // black soldier takes the red soldier ahead of it
    EXPECT_FALSE(image(form, 18).isVisible());
    EXPECT_TRUE(standsOn(form, 13, 6, 1));
}

TEST_F(HotSeat, TakingAGeneralEndsTheGameWithTheLossBoxAndEverythingLocked)
{
    corvane::MessageBoxRecorder recorder;
    play(15, pointNumber(5, 5));  // black soldier 45 -> 55
    play(20, pointNumber(6, 5));  // red soldier 75 -> 65
    play(13, pointNumber(5, 1));  // black soldier 41 -> 51
    play(20, 15);                 // red soldier takes the black soldier on 55
    play(13, pointNumber(6, 1));  // black soldier across the river
    play(20, pointNumber(5, 4));  // red soldier steps aside: column 5 is open
    dragByMouse(form, 6, 29);     // the black general takes the red general along the column
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    EXPECT_EQ(recorder.boxes()[0].text, GameLost);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("信息"));
    EXPECT_EQ(recorder.boxes()[0].owner, &form);
    EXPECT_FALSE(image(form, 29).isVisible());
    EXPECT_TRUE(standsOn(form, 6, 10, 5));
    EXPECT_TRUE(allDraggable(form, 2, 33, false));

    // Restart after the end of the game: all pieces back and draggable, and
    // the restart notice that comes back resets once more.
    form.findChild<corvane::skin::TSkinItem*>(QStringLiteral("CustomItem1"))->execute();
    EXPECT_TRUE(isStartingPosition(form));
    ASSERT_TRUE(waitUntil([&] { return form.memo2()->toPlainText().endsWith(QStringLiteral("重新开始新棋局...")); }));
    EXPECT_TRUE(isStartingPosition(form));
    EXPECT_EQ(form.notificationSound()->playCount(), 1);
}

// Only the first show, the restart command and a received restart reset the
// board: every other way back onto the screen keeps the game as it stands.
TEST_F(HotSeat, ShowingTheWindowAgainKeepsPositionLocksAndReceivedText)
{
    play(13, pointNumber(5, 1));
    play(18, pointNumber(6, 1));
    play(13, 18);  // black takes: one piece hidden, red to move
    corvane::skin::TSkinForm* frame = form.skinForm();
    frame->setTrayAvailable([] { return true; });
    auto game = [&] {
        std::string states;
        for (int n = 2; n <= 33; ++n)
            states += draggable(form, n) ? 'A' : 'M';
        std::string position;
        for (int n = 2; n <= 33; ++n)
            position += std::to_string(image(form, n).tag()) + (image(form, n).isVisible() ? "v " : "h ");
        return states + position + form.memo2()->toPlainText().toStdString() + form.label1()->text().toStdString();
    };
    const std::string before = game();

    const std::pair<const char*, std::function<void()>> paths[] = {
        {"hide, show", [&] { form.hide(); form.show(); }},
        {"minimize, restore", [&] { frame->minimize(); frame->restore(); }},
        {"platform minimize, show normal", [&] { form.showMinimized(); form.showNormal(); }},
        {"roll up, unroll", [&] { frame->rollup(); frame->rollup(); }},
        {"maximize, restore", [&] { frame->maximize(); frame->restore(); }},
        {"tray, double click on the icon",
         [&] {
             frame->minimizeToTray();
             ASSERT_NE(frame->trayIcon(), nullptr);
             emit frame->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
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
    TForm1 black;
    TForm1 red;
    const int blackPort = freeUdpPort();
    const int redPort = freeUdpPort();
    connectForm(black, blackPort, redPort);
    connectForm(red, redPort, blackPort);
    black.show();
    red.show();
    corvane::MessageBoxRecorder recorder;

    // Each move locks the mover's window; the peer opens the other colour.
    auto playIn = [](TForm1& mover, TForm1& other, int piece, int over) {
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
    EXPECT_EQ(recorder.boxes()[0].owner, &red);  // the loser is told; the winner sees nothing
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
    black.CustomItem1Click();
    EXPECT_TRUE(isStartingPosition(black));
    ASSERT_TRUE(waitUntil([&] { return isStartingPosition(red); }));
    EXPECT_TRUE(red.memo2()->toPlainText().startsWith(QStringLiteral("系统消息  ")));
}

// --- restart and close ---

TEST_F(WindowWithPeer, RestartSendsTheNoticeThenResetsTheBoard)
{
    dragByMouse(form, 13, pointNumber(5, 1));
    EXPECT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    form.findChild<corvane::skin::TSkinItem*>(QStringLiteral("CustomItem1"))->execute();
    EXPECT_EQ(peer.next(), "chongxin|2|3|4|5|6|7");
    EXPECT_TRUE(isStartingPosition(form));
    EXPECT_EQ(form.position().isOccupied({4, 1}), 1);
    EXPECT_EQ(form.position().isOccupied({5, 1}), 0);
}

TEST_F(WindowWithPeer, AFailedRestartSendLeavesTheGameAsItWas)
{
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    form.udpEndpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    form.CustomItem1Click();
    EXPECT_EQ(recorder.boxes().size(), 1);
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
}

TEST_F(WindowWithPeer, AFailedRestartChosenFromTheMenuShowsTheErrorOnceAndLeavesTheGameAsItWas)
{
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    form.udpEndpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    // Chosen as from the open menu: the command runs from the posted click.
    form.findChild<corvane::skin::TSkinItem*>(QStringLiteral("CustomItem1"))->click();
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    settle();
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    // The reset after the notice did not run.
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
    EXPECT_FALSE(peer.hasPending());
}

TEST_F(WindowWithPeer, ARestartFromThePeerResetsPlaysTheSoundAndWritesTheNotice)
{
    dragByMouse(form, 11, 26);
    ASSERT_EQ(peer.next(), "blkred|Image11|Image26|3|2|10|2");
    form.memo2()->setPlainText(QStringLiteral("an earlier chat line"));
    receive("chongxin|2|3|4|5|6|7");
    ASSERT_TRUE(waitUntil([&] { return isStartingPosition(form); }));
    const QStringList lines = form.memo2()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("系统消息  ")));
    // The receiver's own date and time follow the heading.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("系统消息  ") + corvane::shortDateText(QDate::currentDate()) +
                                    QStringLiteral("  ")));
    EXPECT_EQ(lines[1], QStringLiteral("重新开始新棋局..."));
    EXPECT_EQ(form.notificationSound()->playCount(), 1);
    EXPECT_FALSE(peer.hasPending());  // the receiver sends nothing back
}

TEST_F(WindowWithPeer, ClosingSendsTheCloseNoticeAndCloses)
{
    EXPECT_TRUE(form.close());
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowWithPeer, ExitFromTheMenuClosesTheSameWay)
{
    form.findChild<corvane::skin::TSkinItem*>(QStringLiteral("CustomItem7"))->execute();
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowWithPeer, AFailedCloseNoticeKeepsTheWindowOpenAndShowsTheError)
{
    form.udpEndpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    // Once the peer can be reached again, closing works.
    form.udpEndpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
}

TEST_F(WindowWithPeer, APeerNameThatDoesNotResolveFailsEverySendWithTheLookupError)
{
    // The settings accept any name; the failure comes with the next send.
    TForm3 settings(&form, form.udpEndpoint());
    settings.hostEdit()->setText(QStringLiteral("no-such-peer.invalid"));
    settings.remotePortEdit()->setText(QString::number(peer.port()));
    settings.localPortEdit()->setText(QString::number(localPort));
    settings.FlatButton1Click();
    ASSERT_EQ(form.udpEndpoint()->remoteHost(), QStringLiteral("no-such-peer.invalid"));

    corvane::MessageBoxRecorder recorder;
    form.memo1()->setPlainText(QStringLiteral("hello"));
    clickButton(form.sendButton());
    EXPECT_FALSE(form.close());
    ASSERT_EQ(recorder.boxes().size(), 2);
    for (const corvane::RecordedBox& box : recorder.boxes()) {
        EXPECT_EQ(box.icon, corvane::BoxIcon::Error);
        EXPECT_EQ(box.caption, QStringLiteral("Corvane"));
        EXPECT_EQ(box.text, QStringLiteral("Host Lookup Canceled."));
    }
    EXPECT_EQ(form.memo1()->toPlainText(), QStringLiteral("hello"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(peer.hasPending());
}

TEST_F(WindowWithPeer, ThePeersCloseNoticeLocksAllPiecesUntilARestart)
{
    corvane::MessageBoxRecorder recorder;
    receive("close|");  // only field 1 is read
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("对方已退出游戏！！！"));
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("信息"));
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Information);
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
    form.CustomItem1Click();
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
}

TEST_F(WindowWithPeer, AReceivedLossLeavesDragStatesAndShowsTheBoxPerDatagram)
{
    corvane::MessageBoxRecorder recorder;
    receive("redjiangdead|Image6|Image29|1|5|10|5");
    receive("redjiangdead|Image6|Image29|1|5|10|5");
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 2; }));
    EXPECT_EQ(recorder.boxes()[1].text, GameLost);
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
    EXPECT_FALSE(image(form, 29).isVisible());
    EXPECT_TRUE(standsOn(form, 6, 10, 5));
}

// A peer that repeats its notices, as fast as it likes: one notice box at a
// time, a different notice once the open one is closed, and moves and chat
// applied all the while.
TEST_F(WindowWithPeer, ACloseAndLossStormOpensOneNoticeBoxAtATimeAndPlayGoesOn)
{
    corvane::MessageBoxRecorder recorder;
    int open = 0;
    int deepest = 0;
    recorder.onShow = [&](const corvane::RecordedBox&) {
        deepest = std::max(deepest, ++open);
        if (recorder.boxes().size() == 1) {
            for (int i = 0; i < 100; ++i) {
                receive("close|2|3|4|5|6|7");
                receive("redjiangdead|Image6|Image29|1|5|10|5");
            }
            receive("blksky|Image13|Image70|4|1|5|1");
            waitForAllReceived();
        }
        --open;
    };
    receive("close|2|3|4|5|6|7");
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 2; }));
    settle();
    EXPECT_EQ(deepest, 1);
    ASSERT_EQ(recorder.boxes().size(), 2);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("对方已退出游戏！！！"));
    EXPECT_EQ(recorder.boxes()[1].text, GameLost);
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_FALSE(image(form, 29).isVisible());
    EXPECT_EQ(form.memo2()->toPlainText(), QStringLiteral("sentinel"));
}

// --- what a peer may send ---

TEST_F(WindowWithPeer, MalformedAndEmptyDatagramsChangeNothing)
{
    corvane::MessageBoxRecorder recorder;
    const std::string junk[] = {
        "",
        "|||||||",
        "close",                               // no "|": field 1 is empty
        "Close|2|3|4|5|6|7",                   // command words are case-sensitive
        "blksky|Image99|Image70|4|1|5|1",      // no such image
        "blksky|Image13|Image70|4|1|11|1",     // row outside the board
        "blksky|Image13|Image70|4|1|5|0",      // column outside the board
        "blksky|Image13|Image2|4|1|5|1",       // a move onto a piece image
        "blkred|Image13|Image70|4|1|5|1",      // a capture of a point image
        "redsky|Image25|Image106|-1|1|9|1",
        "blksky|Image13|Image70|4|1|5|1" + std::string(3000, 'x'),  // longer than any message
        std::string("\xff\xfe|\x81|\x80\x80|||"),
    };
    for (const std::string& datagram : junk)
        receive(datagram);
    waitForAllReceived();
    EXPECT_TRUE(isStartingPosition(form));
    EXPECT_TRUE(recorder.boxes().isEmpty());
    // The grid still holds exactly the starting position.
    int occupied = 0;
    for (auto cell : form.position().occupancy())
        occupied += cell;
    EXPECT_EQ(occupied, 32);
}

TEST_F(WindowWithPeer, ReceivedMovesAreAppliedAsToldAndPassTheTurn)
{
    receive("blksky|Image13|Image70|4|1|5|1");
    ASSERT_TRUE(waitUntil([&] { return standsOn(form, 13, 5, 1); }));
    EXPECT_TRUE(allDraggable(form, 2, 17, false));
    EXPECT_TRUE(allDraggable(form, 18, 33, true));
    receive("redsky|Image25|Image106|10|1|9|1");
    ASSERT_TRUE(waitUntil([&] { return standsOn(form, 25, 9, 1); }));
    EXPECT_TRUE(allDraggable(form, 2, 17, true));
    EXPECT_TRUE(allDraggable(form, 18, 33, false));
    EXPECT_EQ(form.position().isOccupied({10, 1}), 0);
    EXPECT_EQ(form.position().isOccupied({9, 1}), 1);
}

// --- chat ---

TEST_F(WindowWithPeer, AChatLineWithBarAndLineEndGoesOutWholeAndClearsTheInput)
{
    form.memo1()->setPlainText(QStringLiteral("你好|peer\nsecond line"));
    clickButton(form.sendButton());
    const std::string sent = peer.next();
    const std::string prefix = gbk("message|2|3|4|5|6|来自 ");
    const std::string text = gbk("你好|peer\r\nsecond line");
    ASSERT_GT(sent.size(), prefix.size() + text.size());
    EXPECT_EQ(sent.substr(0, prefix.size()), prefix);
    EXPECT_EQ(sent.substr(sent.size() - text.size()), text);
    // Between them: date, two blanks, time, CR LF.
    const std::string header = sent.substr(prefix.size(), sent.size() - prefix.size() - text.size());
    EXPECT_NE(header.find("  "), std::string::npos);
    EXPECT_EQ(header.substr(header.size() - 2), "\r\n");
    EXPECT_TRUE(form.memo1()->toPlainText().isEmpty());
    EXPECT_TRUE(form.memo2()->toPlainText().isEmpty());  // the sender does not show its own line
}

TEST_F(WindowWithPeer, AnEmptyChatLineSendsNothing)
{
    corvane::MessageBoxRecorder recorder;
    clickButton(form.sendButton());
    EXPECT_FALSE(peer.hasPending());
    EXPECT_TRUE(recorder.boxes().isEmpty());
}

TEST_F(WindowWithPeer, TwoHundredTwentyBytesAreSentTwoHundredTwentyOneRefused)
{
    corvane::MessageBoxRecorder recorder;
    const struct {
        QString text;
        bool accepted;
    } cases[] = {
        {QString(110, QChar(u'中')), true},
        {QString(111, QChar(u'中')), false},
        {QString(220, QLatin1Char('a')), true},
        {QString(221, QLatin1Char('a')), false},
        {QString(218, QLatin1Char('a')) + QLatin1Char('\n'), true},   // a line end counts 2
        {QString(219, QLatin1Char('a')) + QLatin1Char('\n'), false},
    };
    for (const auto& c : cases) {
        recorder.clear();
        form.memo1()->setPlainText(c.text);
        clickButton(form.sendButton());
        if (c.accepted) {
            EXPECT_FALSE(peer.next().empty()) << c.text.size();
            EXPECT_TRUE(form.memo1()->toPlainText().isEmpty());
            EXPECT_TRUE(recorder.boxes().isEmpty());
        } else {
            ASSERT_EQ(recorder.boxes().size(), 1) << c.text.size();
            EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("你输入的字符长度超过了范围，请减短信息长度。"));
            EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("超出范围"));
            EXPECT_EQ(recorder.boxes()[0].owner, &form);
            EXPECT_EQ(form.memo1()->toPlainText(), c.text);  // kept for shortening
            EXPECT_FALSE(peer.hasPending());
        }
    }
}

TEST_F(WindowWithPeer, AFailedChatSendKeepsTheLineInTheInput)
{
    form.udpEndpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    form.memo1()->setPlainText(QStringLiteral("稍后再发"));
    corvane::MessageBoxRecorder recorder;
    clickButton(form.sendButton());
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(form.memo1()->toPlainText(), QStringLiteral("稍后再发"));
    // Sent again once the peer is reachable.
    form.udpEndpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    clickButton(form.sendButton());
    EXPECT_FALSE(peer.next().empty());
    EXPECT_TRUE(form.memo1()->toPlainText().isEmpty());
}

TEST_F(WindowWithPeer, AReceivedChatLineReplacesTheTextAndPlaysTheSound)
{
    receive(gbk("message|2|3|4|5|6|来自 2026/12/7  10:05:33\r\n第一|行\r\nline two"));
    ASSERT_TRUE(waitUntil([&] { return !form.memo2()->toPlainText().isEmpty(); }));
    EXPECT_EQ(form.memo2()->toPlainText(), QStringLiteral("来自 2026/12/7  10:05:33\n第一|行\nline two"));
    EXPECT_EQ(form.notificationSound()->playCount(), 1);
    receive(gbk("message|2|3|4|5|6|来自 2026/12/7  10:06:00\r\n第二"));
    ASSERT_TRUE(waitUntil([&] { return form.memo2()->toPlainText().endsWith(QStringLiteral("第二")); }));
    EXPECT_EQ(form.memo2()->toPlainText(), QStringLiteral("来自 2026/12/7  10:06:00\n第二"));
    EXPECT_EQ(form.notificationSound()->playCount(), 2);
}

TEST(OneComputerChat, AChatLineComesBackToTheSameWindow)
{
    TForm1 form;
    connectToItself(form);
    form.notificationSound()->setMuted(true);
    form.show();
    form.memo1()->setPlainText(QStringLiteral("自己|看\n"));
    form.SkinButton1Click();
    ASSERT_TRUE(waitUntil([&] { return !form.memo2()->toPlainText().isEmpty(); }));
    const QString shown = form.memo2()->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("来自 ")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\n自己|看\n")));
}

TEST(Sound, PlayingWithTheRealPlayerNeverStopsTheGame)
{
    // Whatever audio the machine has (often none in a test run), a received
    // chat line is shown and the window goes on.
    TForm1 form;
    connectToItself(form);
    form.show();
    form.memo1()->setPlainText(QStringLiteral("叮"));
    form.SkinButton1Click();
    ASSERT_TRUE(waitUntil([&] { return form.memo2()->toPlainText().endsWith(QStringLiteral("叮")); }));
    EXPECT_EQ(form.notificationSound()->playCount(), 1);
}
