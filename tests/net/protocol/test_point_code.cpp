// Point codes as the wire carries them: split into a row text and a column
// text by the length of the decimal text, and joined back.
#include <gtest/gtest.h>

#include <stdexcept>

#include "game/Point.h"
#include "net/protocol/PointCode.h"

using namespace corvane::protocol;

TEST(PointCode, SplitsByTheLengthOfTheDecimalText)
{
    const SplitPoint p103 = splitPointCode(103);
    EXPECT_EQ(p103.rowText, "10");
    EXPECT_EQ(p103.columnText, "3");
    EXPECT_EQ(p103.row, 10);
    EXPECT_EQ(p103.column, 3);
    EXPECT_TRUE(p103.isOnBoard());

    const SplitPoint p45 = splitPointCode(45);
    EXPECT_EQ(p45.rowText, "4");
    EXPECT_EQ(p45.columnText, "5");
    EXPECT_EQ(p45.row, 4);
    EXPECT_EQ(p45.column, 5);

    const SplitPoint p11 = splitPointCode(11);
    EXPECT_EQ(p11.rowText, "1");
    EXPECT_EQ(p11.columnText, "1");
}

TEST(PointCode, CodesThatNameNoPointAreNotOnTheBoard)
{
    // A tag never filled in, or anything else that is no point code.
    for (int code : {0, 5, 10, 20, 40, 100, 110, 111, 1000, -5, -45, 2147483647}) {
        EXPECT_FALSE(splitPointCode(code).isOnBoard()) << code;
    }
    EXPECT_EQ(splitPointCode(0).rowText, "0");
    EXPECT_EQ(splitPointCode(0).columnText, "");
    EXPECT_EQ(splitPointCode(1000).rowText, "10");
    EXPECT_EQ(splitPointCode(1000).columnText, "0");
}

TEST(PointCode, EveryPointCodeSplitsBackToItsRowAndColumn)
{
    for (int row = 1; row <= corvane::game::Rows; ++row) {
        for (int column = 1; column <= corvane::game::Columns; ++column) {
            const int code = corvane::game::Point{row, column}.code();
            const SplitPoint split = splitPointCode(code);
            ASSERT_TRUE(split.isOnBoard());
            EXPECT_EQ(split.row, row);
            EXPECT_EQ(split.column, column);
            EXPECT_EQ(joinPointCode(split.rowText, split.columnText), code);
        }
    }
}

TEST(PointCode, JoinConcatenatesTheTexts)
{
    EXPECT_EQ(joinPointCode("10", "9"), 109);
    EXPECT_EQ(joinPointCode("10", "3"), 103);
    EXPECT_EQ(joinPointCode("4", "5"), 45);
    EXPECT_THROW(joinPointCode("", ""), std::invalid_argument);
    EXPECT_THROW(joinPointCode("1a", "2"), std::invalid_argument);
    EXPECT_THROW(joinPointCode("+1", "2"), std::invalid_argument);
}

TEST(PointCode, RowAndColumnTextsAreCanonicalDigits)
{
    for (const char* row : {"1", "2", "5", "9", "10"})
        EXPECT_TRUE(isRowText(row)) << row;
    for (const char* row : {"", "0", "11", "01", "+1", "-1", " 1", "1 ", "a", "100", "010"})
        EXPECT_FALSE(isRowText(row)) << row;
    for (const char* column : {"1", "5", "9"})
        EXPECT_TRUE(isColumnText(column)) << column;
    for (const char* column : {"", "0", "10", "01", "+1", "x"})
        EXPECT_FALSE(isColumnText(column)) << column;
}
