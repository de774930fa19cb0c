// Chat sending without a window: the byte measure of the 220-byte limit, the
// wire form of the typed text, and what happens to the input on each outcome.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <stdexcept>

#include "net/play/ChatSender.h"
#include "net/protocol/Gbk.h"
#include "ui/MessageBox.h"

using corvane::play::ChatResult;
using corvane::play::ChatSender;

TEST(ChatSender, CountsGbkBytesWithTwoForEachLineEnd)
{
    EXPECT_EQ(ChatSender::gbkLength(QStringLiteral("abc")), 3);
    EXPECT_EQ(ChatSender::gbkLength(QStringLiteral("中文")), 4);
    EXPECT_EQ(ChatSender::gbkLength(QStringLiteral("a\nb")), 4);
    EXPECT_EQ(ChatSender::gbkLength(QStringLiteral("a\r\nb")), 4);
    EXPECT_EQ(ChatSender::wireText(QStringLiteral("x\ny\n")), "x\r\ny\r\n");
}

TEST(ChatSender, SendsTheComposedMessageAndClearsTheInput)
{
    QPlainTextEdit input;
    input.setPlainText(QStringLiteral("a|b\nc"));
    std::string sent;
    ChatSender sender(nullptr, [&](const std::string& bytes) { sent = bytes; });
    EXPECT_EQ(sender.send(input), ChatResult::Sent);
    const std::string prefix = corvane::protocol::utf8ToGbk("message|2|3|4|5|6|来自 ");
    EXPECT_EQ(sent.compare(0, prefix.size(), prefix), 0);
    EXPECT_EQ(sent.substr(sent.size() - 8), "\r\na|b\r\nc");
    EXPECT_TRUE(input.toPlainText().isEmpty());
}

TEST(ChatSender, RefusesOverLongTextWithTheBoxAndKeepsIt)
{
    QPlainTextEdit input;
    input.setPlainText(QString(111, QChar(u'字')));
    int sends = 0;
    ChatSender sender(&input, [&](const std::string&) { ++sends; });
    corvane::MessageBoxRecorder recorder;
    EXPECT_EQ(sender.send(input), ChatResult::TooLong);
    EXPECT_EQ(sends, 0);
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("超出范围"));
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Information);
    EXPECT_EQ(input.toPlainText().size(), 111);
}

TEST(ChatSender, EmptyInputDoesNothing)
{
    QPlainTextEdit input;
    int sends = 0;
    ChatSender sender(nullptr, [&](const std::string&) { ++sends; });
    corvane::MessageBoxRecorder recorder;
    EXPECT_EQ(sender.send(input), ChatResult::Empty);
    EXPECT_EQ(sends, 0);
    EXPECT_TRUE(recorder.boxes().isEmpty());
}

TEST(ChatSender, AFailedSendKeepsTheLine)
{
    QPlainTextEdit input;
    input.setPlainText(QStringLiteral("不要丢"));
    ChatSender sender(nullptr, [](const std::string&) { throw std::runtime_error("Host Lookup Canceled"); });
    EXPECT_THROW(sender.send(input), std::runtime_error);
    EXPECT_EQ(input.toPlainText(), QStringLiteral("不要丢"));
}
