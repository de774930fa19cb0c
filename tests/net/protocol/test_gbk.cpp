// GBK (code page 936) conversion: byte-exact vectors both ways.
#include <gtest/gtest.h>

#include <string>

#include "net/protocol/Gbk.h"

using namespace corvane::protocol;

namespace {

std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

} // namespace

TEST(Gbk, EncodesTheChatPrefixWordInFiveBytes)
{
    EXPECT_EQ(utf8ToGbk("来自 "), bytes({0xC0, 0xB4, 0xD7, 0xD4, 0x20}));
}

TEST(Gbk, EncodesTheReceiveSideTexts)
{
    EXPECT_EQ(utf8ToGbk("信息"), bytes({0xD0, 0xC5, 0xCF, 0xA2}));
    EXPECT_EQ(utf8ToGbk("此局你输了，继续努力！"),
              bytes({0xB4, 0xCB, 0xBE, 0xD6, 0xC4, 0xE3, 0xCA, 0xE4, 0xC1, 0xCB, 0xA3,
                     0xAC, 0xBC, 0xCC, 0xD0, 0xF8, 0xC5, 0xAC, 0xC1, 0xA6, 0xA3, 0xA1}));
    EXPECT_EQ(utf8ToGbk("系统消息").size(), 8u);
}

TEST(Gbk, KeepsAsciiAndLineEndsAsTheyAre)
{
    EXPECT_EQ(utf8ToGbk("abc|1\r\n"), "abc|1\r\n");
    EXPECT_EQ(gbkToUtf8("abc|1\r\n"), "abc|1\r\n");
    EXPECT_EQ(utf8ToGbk(""), "");
    EXPECT_EQ(gbkToUtf8(""), "");
    EXPECT_EQ(utf8ToGbk(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Gbk, DecodesBackToTheSameText)
{
    const std::string text = "来自 2026/12/7  8:05:09\r\n你好|世界 ok";
    EXPECT_EQ(gbkToUtf8(utf8ToGbk(text)), text);
    EXPECT_EQ(gbkToUtf8(bytes({0xC0, 0xB4, 0xD7, 0xD4, 0x20})), "来自 ");
}

TEST(Gbk, ACharacterGbkLacksBecomesOneQuestionMark)
{
    EXPECT_EQ(utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(utf8ToGbk("a\xFF"
                        "b"),
              "a?b");                        // not UTF-8 at all
    EXPECT_EQ(utf8ToGbk("a\xE6\x9D"), "a?"); // cut off in the middle of a character
}

TEST(Gbk, BytesThatAreNotGbkDecodeToTheReplacementCharacter)
{
    EXPECT_EQ(gbkToUtf8(bytes({'a', 0xFF, 'b'})), "a\xEF\xBF\xBD"
                                                  "b");
    EXPECT_EQ(gbkToUtf8(bytes({'a', 0xC0})), "a\xEF\xBF\xBD"); // a lead byte at the very end
}

TEST(Gbk, LongTextsConvertWhole)
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "棋";
    const std::string gbk = utf8ToGbk(text);
    EXPECT_EQ(gbk.size(), 4000u);
    EXPECT_EQ(gbkToUtf8(gbk), text);
}
