// The chat through the main window: what a line sends, the length limit,
// failed sends, received lines and the notification sound. Every test uses
// its own free UDP ports.
#include "PlayTestSupport.h"

#include "support/MessageBoxRecorder.h"

using namespace corvane::shell;
using namespace corvane::shell::testing;

TEST_F(WindowWithPeer, AChatLineWithBarAndLineEndGoesOutWholeAndClearsTheInput)
{
    chatInput(form)->setPlainText(QStringLiteral("你好|peer\nsecond line"));
    clickButton(sendButton(form));
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
    EXPECT_TRUE(chatInput(form)->toPlainText().isEmpty());
    EXPECT_TRUE(receivedText(form)->toPlainText().isEmpty()); // the sender does not show its own line
}

TEST_F(WindowWithPeer, AnEmptyChatLineSendsNothing)
{
    corvane::MessageBoxRecorder recorder;
    clickButton(sendButton(form));
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
        {QString(218, QLatin1Char('a')) + QLatin1Char('\n'), true}, // a line end counts 2
        {QString(219, QLatin1Char('a')) + QLatin1Char('\n'), false},
    };
    for (const auto& c : cases) {
        recorder.clear();
        chatInput(form)->setPlainText(c.text);
        clickButton(sendButton(form));
        if (c.accepted) {
            EXPECT_FALSE(peer.next().empty()) << c.text.size();
            EXPECT_TRUE(chatInput(form)->toPlainText().isEmpty());
            EXPECT_TRUE(recorder.boxes().isEmpty());
        } else {
            ASSERT_EQ(recorder.boxes().size(), 1) << c.text.size();
            EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("你输入的字符长度超过了范围，请减短信息长度。"));
            EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("超出范围"));
            EXPECT_EQ(recorder.boxes()[0].owner, &form);
            EXPECT_EQ(chatInput(form)->toPlainText(), c.text); // kept for shortening
            EXPECT_FALSE(peer.hasPending());
        }
    }
}

TEST_F(WindowWithPeer, ALineWithCharactersGbkCannotCarryIsRefusedNamingThem)
{
    corvane::MessageBoxRecorder recorder;
    chatInput(form)->setPlainText(QStringLiteral("好棋😀"));
    clickButton(sendButton(form));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_TRUE(recorder.boxes()[0].text.contains(QStringLiteral("😀")));
    EXPECT_EQ(recorder.boxes()[0].owner, &form);
    EXPECT_EQ(chatInput(form)->toPlainText(), QStringLiteral("好棋😀"));
    EXPECT_FALSE(peer.hasPending());
}

// After a click on the send button, sent or refused, the next line is typed
// into the input box.
TEST_F(WindowWithPeer, TheInputBoxHasTheFocusAgainAfterSending)
{
    corvane::MessageBoxRecorder recorder;
    for (const QString& line : {QStringLiteral("第一句"), QString(111, QChar(u'中'))}) {
        chatInput(form)->setPlainText(line);
        sendButton(form)->setFocus(); // where a click leaves it
        clickButton(sendButton(form));
        EXPECT_EQ(form.focusWidget(), chatInput(form)) << line.size();
    }
    EXPECT_EQ(recorder.boxes().size(), 1);
}

TEST_F(WindowWithPeer, AFailedChatSendKeepsTheLineInTheInput)
{
    form.endpoint()->setRemoteHost(QStringLiteral("0.0.0.0"));
    chatInput(form)->setPlainText(QStringLiteral("稍后再发"));
    corvane::MessageBoxRecorder recorder;
    clickButton(sendButton(form));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(chatInput(form)->toPlainText(), QStringLiteral("稍后再发"));
    // Sent again once the peer is reachable.
    form.endpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    clickButton(sendButton(form));
    EXPECT_FALSE(peer.next().empty());
    EXPECT_TRUE(chatInput(form)->toPlainText().isEmpty());
}

TEST_F(WindowWithPeer, AReceivedChatLineReplacesTheTextAndPlaysTheSound)
{
    receive(gbk("message|2|3|4|5|6|来自 2026/12/7  10:05:33\r\n第一|行\r\nline two"));
    ASSERT_TRUE(waitUntil([&] { return !receivedText(form)->toPlainText().isEmpty(); }));
    EXPECT_EQ(receivedText(form)->toPlainText(), QStringLiteral("来自 2026/12/7  10:05:33\n第一|行\nline two"));
    EXPECT_EQ(*soundPlays, 1);
    receive(gbk("message|2|3|4|5|6|来自 2026/12/7  10:06:00\r\n第二"));
    ASSERT_TRUE(waitUntil([&] { return receivedText(form)->toPlainText().endsWith(QStringLiteral("第二")); }));
    EXPECT_EQ(receivedText(form)->toPlainText(), QStringLiteral("来自 2026/12/7  10:06:00\n第二"));
    EXPECT_EQ(*soundPlays, 2);
}

TEST(OneComputerChat, AChatLineComesBackToTheSameWindow)
{
    MainWindow form{silentSound()};
    connectToItself(form);
    form.show();
    chatInput(form)->setPlainText(QStringLiteral("自己|看\n"));
    form.sendChatLine();
    ASSERT_TRUE(waitUntil([&] { return !receivedText(form)->toPlainText().isEmpty(); }));
    const QString shown = receivedText(form)->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("来自 ")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\n自己|看\n")));
}

TEST(Sound, PlayingWithTheRealPlayerNeverStopsTheGame)
{
    // Whatever audio the machine has (often none in a test run), a received
    // chat line is shown and the window goes on.
    MainWindow form;
    connectToItself(form);
    form.show();
    chatInput(form)->setPlainText(QStringLiteral("叮"));
    form.sendChatLine();
    ASSERT_TRUE(waitUntil([&] { return receivedText(form)->toPlainText().endsWith(QStringLiteral("叮")); }));
}
