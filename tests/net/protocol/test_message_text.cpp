// Composing and splitting game messages, and the fixed messages.
#include <gtest/gtest.h>

#include <string>

#include "net/protocol/Gbk.h"
#include "net/protocol/MessageText.h"

using namespace corvane::protocol;

TEST(ComposeMessage, TheWorkedExampleIsThirtyBytes)
{
    const std::string text = composeMessage(command::BlackMove, "Image13", "Image70", "4", "1", "5", "1");
    const unsigned char expected[] = {0x62, 0x6C, 0x6B, 0x73, 0x6B, 0x79, 0x7C, 0x49, 0x6D, 0x61,
                                      0x67, 0x65, 0x31, 0x33, 0x7C, 0x49, 0x6D, 0x61, 0x67, 0x65,
                                      0x37, 0x30, 0x7C, 0x34, 0x7C, 0x31, 0x7C, 0x35, 0x7C, 0x31};
    EXPECT_EQ(text, std::string(std::begin(expected), std::end(expected)));
    EXPECT_EQ(composeMessage(command::RedTakesBlack, "Image25", "Image2", "10", "1", "1", "1"),
              "redblk|Image25|Image2|10|1|1|1");
    EXPECT_EQ(composeMessage(command::RedTakesBlack, "Image25", "Image2", "10", "1", "1", "1").size(), 30u);
}

TEST(FixedMessages, HaveTheirExactBytes)
{
    EXPECT_EQ(RestartMessage, "chongxin|2|3|4|5|6|7");
    EXPECT_EQ(RestartMessage.size(), 20u);
    EXPECT_EQ(CloseMessage, "close|2|3|4|5|6|7");
    EXPECT_EQ(CloseMessage.size(), 17u);
    const std::string prefix = chatMessagePrefix();
    EXPECT_EQ(prefix.size(), 23u);
    EXPECT_EQ(prefix, std::string("message|2|3|4|5|6|") + "\xC0\xB4\xD7\xD4 ");
}

TEST(FixedMessages, AChatMessageCarriesDateTimeLineEndAndText)
{
    const std::string message = composeChatMessage("2026/12/7", "8:05:09", "你好|ok\r\nsecond");
    EXPECT_EQ(message, chatMessagePrefix() + "2026/12/7  8:05:09\r\n\xC4\xE3\xBA\xC3|ok\r\nsecond");

    // A typed text of 220 bytes: 23 + date + 2 + time + 2 + 220.
    const std::string typed(220, 'x');
    EXPECT_EQ(composeChatMessage("2026/12/7", "8:05:09", typed).size(), 23u + 9 + 2 + 7 + 2 + 220);
}

TEST(SplitMessage, GivesTheSevenFieldsOfAMove)
{
    const MessageFields fields = splitMessage("blksky|Image13|Image70|4|1|5|1");
    EXPECT_EQ(fields, (MessageFields{"blksky", "Image13", "Image70", "4", "1", "5", "1"}));
    EXPECT_EQ(splitMessage("redblk|Image25|Image2|10|1|1|1"),
              (MessageFields{"redblk", "Image25", "Image2", "10", "1", "1", "1"}));
}

TEST(SplitMessage, OnlyTheFirstSixBarsSplit)
{
    const MessageFields fields = splitMessage("message|2|3|4|5|6|a|b||c\r\nd|");
    EXPECT_EQ(fields[0], "message");
    EXPECT_EQ(fields[5], "6");
    EXPECT_EQ(fields[6], "a|b||c\r\nd|");
}

TEST(SplitMessage, MissingFieldsAreEmptyAndTheRestLandsInFieldSeven)
{
    EXPECT_EQ(splitMessage("close|"), (MessageFields{"close", "", "", "", "", "", ""}));
    EXPECT_EQ(splitMessage("close"), (MessageFields{"", "", "", "", "", "", "close"}));
    EXPECT_EQ(splitMessage("a|b|c"), (MessageFields{"a", "b", "", "", "", "", "c"}));
    EXPECT_EQ(splitMessage(""), (MessageFields{}));
    EXPECT_EQ(splitMessage("|"), (MessageFields{"", "", "", "", "", "", ""}));
    EXPECT_EQ(splitMessage("||||||||"), (MessageFields{"", "", "", "", "", "", "||"}));
}

TEST(SplitMessage, KeepsBytesThatAreNotText)
{
    const std::string raw("ab\0c|\xFF\x80|x", 9);
    const MessageFields fields = splitMessage(raw);
    EXPECT_EQ(fields[0], std::string("ab\0c", 4));
    EXPECT_EQ(fields[1], "\xFF\x80");
    EXPECT_EQ(fields[6], "x");
}

TEST(SplitMessage, ComposeThenSplitGivesTheFieldsBack)
{
    const MessageFields fields{"redsky", "Image25", "Image106", "10", "1", "9", "1"};
    const std::string text =
        composeMessage(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]);
    EXPECT_EQ(text, "redsky|Image25|Image106|10|1|9|1");
    EXPECT_EQ(splitMessage(text), fields);
}
