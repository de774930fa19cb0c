// The main window's restart and close, and what it does with what a peer
// sends: notices, storms of them, malformed datagrams and moves. Every test
// uses its own free UDP ports.
#include "PlayTestSupport.h"

#include "shell/ConnectionDialog.h"
#include "ui/DateTimeText.h"
#include "skin/menu/SkinMenuItem.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane::shell;
using namespace corvane::shell::testing;

// --- restart and close ---

TEST_F(WindowWithPeer, RestartSendsTheNoticeThenResetsTheBoard)
{
    dragByMouse(form, 13, pointNumber(5, 1));
    EXPECT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    emit form.findChild<corvane::skin::SkinMenuItem*>(QStringLiteral("CustomItem1"))->triggered();
    EXPECT_EQ(peer.next(), "chongxin|2|3|4|5|6|7");
    EXPECT_TRUE(isStartingPosition(form));
    EXPECT_EQ(form.position().isOccupied({4, 1}), 1);
    EXPECT_EQ(form.position().isOccupied({5, 1}), 0);
}

TEST_F(WindowWithPeer, AFailedRestartSendLeavesTheGameAsItWas)
{
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    form.endpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    form.restartGame();
    EXPECT_EQ(recorder.boxes().size(), 1);
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
}

TEST_F(WindowWithPeer, AFailedRestartChosenFromTheMenuShowsTheErrorOnceAndLeavesTheGameAsItWas)
{
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_EQ(peer.next(), "blksky|Image13|Image70|4|1|5|1");
    form.endpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    // Chosen as from the open menu: the command runs from the posted click.
    emit form.findChild<corvane::skin::SkinMenuItem*>(QStringLiteral("CustomItem1"))->click();
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
    receivedText(form)->setPlainText(QStringLiteral("an earlier chat line"));
    receive("chongxin|2|3|4|5|6|7");
    ASSERT_TRUE(waitUntil([&] { return isStartingPosition(form); }));
    const QStringList lines = receivedText(form)->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("系统消息  ")));
    // The receiver's own date and time follow the heading.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("系统消息  ") + corvane::shortDateText(QDate::currentDate()) +
                                    QStringLiteral("  ")));
    EXPECT_EQ(lines[1], QStringLiteral("重新开始新棋局..."));
    EXPECT_EQ(*soundPlays, 1);
    EXPECT_FALSE(peer.hasPending()); // the receiver sends nothing back
}

// The peer's program is not running: its system answers "port unreachable",
// and the player reads so among the system lines; the pieces stay locked.
TEST_F(WindowWithPeer, APeerWhosePortIsClosedIsToldInTheReceivedText)
{
    form.endpoint()->setRemotePort(freeUdpPort());
    dragByMouse(form, 13, pointNumber(5, 1));
    ASSERT_TRUE(waitUntil([&] { return !receivedText(form)->toPlainText().isEmpty(); }));
    const QStringList lines = receivedText(form)->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("系统消息  ") + corvane::shortDateText(QDate::currentDate())));
    EXPECT_EQ(lines[1], QStringLiteral("对方没有运行游戏，请确认对方已启动…"));
    EXPECT_TRUE(standsOn(form, 13, 5, 1));
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
}

TEST_F(WindowWithPeer, ClosingSendsTheCloseNoticeAndCloses)
{
    EXPECT_TRUE(form.close());
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowWithPeer, ExitFromTheMenuClosesTheSameWay)
{
    emit form.findChild<corvane::skin::SkinMenuItem*>(QStringLiteral("CustomItem7"))->triggered();
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowWithPeer, AFailedCloseNoticeKeepsTheWindowOpenAndShowsTheError)
{
    form.endpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    corvane::MessageBoxRecorder recorder;
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    // Once the peer can be reached again, closing works.
    form.endpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
}

TEST_F(WindowWithPeer, APeerNameThatDoesNotResolveFailsEverySendWithTheLookupError)
{
    // The settings accept any name; the failure comes with the next send.
    ConnectionDialog settings(&form, form.endpoint());
    hostEdit(settings)->setText(QStringLiteral("no-such-peer.invalid"));
    remotePortEdit(settings)->setText(QString::number(peer.port()));
    localPortEdit(settings)->setText(QString::number(localPort));
    settings.connectToPeer();
    ASSERT_EQ(form.endpoint()->remoteHost(), QStringLiteral("no-such-peer.invalid"));

    corvane::MessageBoxRecorder recorder;
    chatInput(form)->setPlainText(QStringLiteral("hello"));
    clickButton(sendButton(form));
    EXPECT_FALSE(form.close());
    ASSERT_EQ(recorder.boxes().size(), 2);
    for (const corvane::RecordedBox& box : recorder.boxes()) {
        EXPECT_EQ(box.icon, corvane::BoxIcon::Error);
        EXPECT_EQ(box.caption, QStringLiteral("Corvane"));
        EXPECT_EQ(box.text, QStringLiteral("Host Lookup Canceled."));
    }
    EXPECT_EQ(chatInput(form)->toPlainText(), QStringLiteral("hello"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(peer.hasPending());
}

TEST_F(WindowWithPeer, ThePeersCloseNoticeLocksAllPiecesUntilARestart)
{
    corvane::MessageBoxRecorder recorder;
    receive("close|"); // only field 1 is read
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("对方已退出游戏！！！"));
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("信息"));
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Information);
    EXPECT_TRUE(allDraggable(form, 2, 33, false));
    form.restartGame();
    EXPECT_TRUE(allDraggable(form, 2, 33, true));
}

TEST_F(WindowWithPeer, AReceivedLossLeavesDragStatesAndACopyOfItIsIgnored)
{
    corvane::MessageBoxRecorder recorder;
    receive("redjiangdead|Image6|Image29|1|5|10|5");
    receive("redjiangdead|Image6|Image29|1|5|10|5");
    waitForAllReceived();
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, GameLost);
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
    EXPECT_EQ(receivedText(form)->toPlainText(), QStringLiteral("sentinel"));
}

// --- what a peer may send ---

TEST_F(WindowWithPeer, MalformedAndEmptyDatagramsChangeNothing)
{
    corvane::MessageBoxRecorder recorder;
    const std::string junk[] = {
        "",
        "|||||||",
        "close",                           // no "|": field 1 is empty
        "Close|2|3|4|5|6|7",               // command words are case-sensitive
        "blksky|Image99|Image70|4|1|5|1",  // no such image
        "blksky|Image13|Image70|4|1|11|1", // row outside the board
        "blksky|Image13|Image70|4|1|5|0",  // column outside the board
        "blksky|Image13|Image2|4|1|5|1",   // a move onto a piece image
        "blkred|Image13|Image70|4|1|5|1",  // a capture of a point image
        "redsky|Image25|Image106|-1|1|9|1",
        "blksky|Image13|Image70|4|1|5|1" + std::string(3000, 'x'), // longer than any message
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
