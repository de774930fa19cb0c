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
    const auto send = [&](const std::string& bytes) {
        sent = bytes;
        return true;
    };
    EXPECT_EQ(ChatSender::send(input, stamp, send), ChatResult::Sent);
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
    const auto send = [&](const std::string&) { return ++sends > 0; };
    EXPECT_EQ(ChatSender::send(input, stamp, send), ChatResult::TooLong);
    EXPECT_EQ(sends, 0);
    EXPECT_EQ(input.toPlainText().size(), 111);
}

// What GBK cannot carry is refused, named each once; a "?" typed as such and
// every Chinese character GBK has are sendable.
TEST(ChatSender, RefusesCharactersGbkCannotCarryAndNamesThem)
{
    const struct {
        QString typed;
        QString unsendable;
    } cases[] = {
        {QStringLiteral("你好? 「象棋」 €"), QString()},
        {QStringLiteral("好棋😀😀!"), QStringLiteral("😀")},
        {QStringLiteral("𠀀字 مرحبا"), QStringLiteral("𠀀مرحبا")},
    };
    for (const auto& c : cases) {
        QPlainTextEdit input;
        input.setPlainText(c.typed);
        int sends = 0;
        const auto send = [&](const std::string&) { return ++sends > 0; };
        EXPECT_EQ(ChatSender::unsendable(c.typed), c.unsendable) << c.typed.toStdString();
        EXPECT_EQ(ChatSender::send(input, stamp, send), c.unsendable.isEmpty() ? ChatResult::Sent : ChatResult::NotGbk);
        EXPECT_EQ(sends, c.unsendable.isEmpty() ? 1 : 0);
        EXPECT_EQ(input.toPlainText(), c.unsendable.isEmpty() ? QString() : c.typed);
    }
}

TEST(ChatSender, EmptyInputDoesNothing)
{
    QPlainTextEdit input;
    int sends = 0;
    const auto send = [&](const std::string&) { return ++sends > 0; };
    EXPECT_EQ(ChatSender::send(input, stamp, send), ChatResult::Empty);
    EXPECT_EQ(sends, 0);
}

TEST(ChatSender, AFailedSendKeepsTheLine)
{
    QPlainTextEdit input;
    input.setPlainText(QStringLiteral("不要丢"));
    const auto send = [](const std::string&) { return false; };
    EXPECT_EQ(ChatSender::send(input, stamp, send), ChatResult::NotSent);
    EXPECT_EQ(input.toPlainText(), QStringLiteral("不要丢"));
}
