// Chat sending without a window: the byte measure of the 220-byte limit, the
// wire form of the typed text, and what happens to the input on each outcome.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "net/play/ChatSender.h"
#include "net/protocol/Gbk.h"

using corvane::play::ChatResult;
using corvane::play::ChatSender;

namespace {
const corvane::play::ChatStamp stamp{"2026-12-07", "15:30:00"};
}

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
    ChatSender sender([&](const std::string& bytes) {
        sent = bytes;
        return true;
    });
    EXPECT_EQ(sender.send(input, stamp), ChatResult::Sent);
    const std::string prefix = corvane::protocol::utf8ToGbk("message|2|3|4|5|6|来自 2026-12-07  15:30:00");
    EXPECT_EQ(sent.compare(0, prefix.size(), prefix), 0);
    EXPECT_EQ(sent.substr(sent.size() - 8), "\r\na|b\r\nc");
    EXPECT_TRUE(input.toPlainText().isEmpty());
}

TEST(ChatSender, RefusesOverLongTextAndKeepsIt)
{
    QPlainTextEdit input;
    input.setPlainText(QString(111, QChar(u'字')));
    int sends = 0;
    ChatSender sender([&](const std::string&) { return ++sends > 0; });
    EXPECT_EQ(sender.send(input, stamp), ChatResult::TooLong);
    EXPECT_EQ(sends, 0);
    EXPECT_EQ(input.toPlainText().size(), 111);
}

TEST(ChatSender, EmptyInputDoesNothing)
{
    QPlainTextEdit input;
    int sends = 0;
    ChatSender sender([&](const std::string&) { return ++sends > 0; });
    EXPECT_EQ(sender.send(input, stamp), ChatResult::Empty);
    EXPECT_EQ(sends, 0);
}

TEST(ChatSender, AFailedSendKeepsTheLine)
{
    QPlainTextEdit input;
    input.setPlainText(QStringLiteral("不要丢"));
    ChatSender sender([](const std::string&) { return false; });
    EXPECT_EQ(sender.send(input, stamp), ChatResult::NotSent);
    EXPECT_EQ(input.toPlainText(), QStringLiteral("不要丢"));
}
