// Captures, one group per taking piece kind, for black taking red and red
// taking black.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "game/MoveRules.h"
#include "game/Position.h"
#include "net/protocol/ImageNames.h"
#include "support/PositionWithPieces.h"

using namespace corvane::game;

namespace {

// A position whose only occupied points are `occupied` (the rules read
// nothing else of it), and the id of the piece named `name` (-1 for none).
Position gridWith(const std::vector<std::pair<int, int>>& occupied)
{
    std::vector<std::pair<PieceId, Point>> pieces;
    for (auto [row, column] : occupied)
        pieces.push_back({0, Point{row, column}});
    return corvane::testing::positionWithPieces(pieces);
}

PieceId id(const char* name)
{
    return corvane::protocol::findPiece(name).value_or(-1);
}

// Black takes red: `taker` on `from` takes a red piece (`taken`) on `to`; both
// cells are occupied in the grid, together with `others`.
bool blackTakes(const char* taker, std::pair<int, int> from, std::pair<int, int> to,
                std::initializer_list<std::pair<int, int>> others = {}, const char* taken = "Image20")
{
    std::vector<std::pair<int, int>> occupied(others);
    occupied.push_back(from);
    occupied.push_back(to);
    return judgeCapture(gridWith(occupied), id(taker), id(taken), {from.first, from.second}, {to.first, to.second});
}

bool redTakes(const char* taker, std::pair<int, int> from, std::pair<int, int> to,
              std::initializer_list<std::pair<int, int>> others = {}, const char* taken = "Image15")
{
    std::vector<std::pair<int, int>> occupied(others);
    occupied.push_back(from);
    occupied.push_back(to);
    return judgeCapture(gridWith(occupied), id(taker), id(taken), {from.first, from.second}, {to.first, to.second});
}

} // namespace

TEST(ChariotCapture, TakesAlongAClearLineIncludingANeighbour)
{
    EXPECT_TRUE(blackTakes("Image2", {1, 1}, {2, 1}));
    EXPECT_TRUE(blackTakes("Image10", {1, 9}, {7, 9}));
    EXPECT_FALSE(blackTakes("Image10", {1, 9}, {7, 9}, {{4, 9}}));
    EXPECT_TRUE(blackTakes("Image2", {5, 1}, {5, 9}));
    EXPECT_FALSE(blackTakes("Image2", {5, 1}, {6, 2}));
    EXPECT_TRUE(redTakes("Image25", {10, 1}, {1, 1}));
    EXPECT_FALSE(redTakes("Image25", {10, 1}, {1, 1}, {{7, 1}}));
    EXPECT_TRUE(redTakes("Image33", {5, 9}, {5, 8}));
    EXPECT_FALSE(redTakes("Image33", {5, 9}, {5, 1}, {{5, 2}, {5, 5}}));
}

TEST(HorseCapture, TakesWhereTheLegIsEmpty)
{
    EXPECT_TRUE(blackTakes("Image3", {5, 5}, {7, 6}));
    EXPECT_FALSE(blackTakes("Image3", {5, 5}, {7, 6}, {{6, 5}}));
    EXPECT_TRUE(blackTakes("Image3", {5, 5}, {6, 7}, {{6, 5}})); // another direction, its leg empty
    EXPECT_TRUE(blackTakes("Image9", {9, 5}, {10, 7}));          // no region limit
    EXPECT_FALSE(blackTakes("Image9", {5, 5}, {6, 6}));
    EXPECT_TRUE(redTakes("Image26", {10, 2}, {8, 3}));
    EXPECT_FALSE(redTakes("Image26", {10, 2}, {8, 3}, {{9, 2}}));
    EXPECT_TRUE(redTakes("Image32", {2, 5}, {1, 3}));
    EXPECT_FALSE(redTakes("Image32", {2, 5}, {1, 3}, {{2, 4}}));
}

TEST(ElephantCapture, OnlyInItsOwnHalfWithTheEyeEmpty)
{
    EXPECT_TRUE(blackTakes("Image4", {3, 5}, {5, 3}));
    EXPECT_FALSE(blackTakes("Image4", {3, 5}, {5, 3}, {{4, 4}}));
    EXPECT_FALSE(blackTakes("Image8", {5, 7}, {7, 9})); // across the river
    EXPECT_TRUE(redTakes("Image27", {8, 5}, {6, 7}));
    EXPECT_FALSE(redTakes("Image27", {8, 5}, {6, 7}, {{7, 6}}));
    EXPECT_FALSE(redTakes("Image31", {6, 7}, {4, 5})); // across the river
}

TEST(AdvisorCapture, OnlyInsideItsPalace)
{
    EXPECT_TRUE(blackTakes("Image5", {1, 4}, {2, 5}));
    EXPECT_FALSE(blackTakes("Image7", {3, 6}, {4, 7}));
    EXPECT_FALSE(blackTakes("Image7", {2, 5}, {2, 6}));
    EXPECT_TRUE(redTakes("Image30", {10, 6}, {9, 5}));
    EXPECT_FALSE(redTakes("Image28", {8, 4}, {7, 3}));
}

TEST(GeneralCapture, OneStepInsideItsPalace)
{
    EXPECT_TRUE(blackTakes("Image6", {1, 5}, {2, 5}));
    EXPECT_TRUE(blackTakes("Image6", {2, 5}, {2, 4}));
    EXPECT_FALSE(blackTakes("Image6", {3, 5}, {4, 5}));
    EXPECT_FALSE(blackTakes("Image6", {1, 5}, {2, 6}));
    EXPECT_TRUE(redTakes("Image29", {10, 5}, {9, 5}));
    EXPECT_FALSE(redTakes("Image29", {8, 6}, {8, 7}));
}

TEST(GeneralCapture, TakesTheOtherGeneralAlongAnOpenColumn)
{
    EXPECT_TRUE(blackTakes("Image6", {1, 5}, {10, 5}, {}, "Image29"));
    EXPECT_TRUE(blackTakes("Image6", {3, 4}, {8, 4}, {}, "Image29")); // exactly five rows
    EXPECT_FALSE(blackTakes("Image6", {1, 5}, {10, 5}, {{7, 5}}, "Image29"));
    EXPECT_FALSE(blackTakes("Image6", {1, 5}, {10, 5}, {}, "Image25")); // only the general that way
    EXPECT_FALSE(blackTakes("Image6", {1, 5}, {10, 6}, {}, "Image29"));
    EXPECT_FALSE(blackTakes("Image6", {3, 5}, {7, 5}, {}, "Image29")); // four rows are not enough

    EXPECT_TRUE(redTakes("Image29", {10, 5}, {1, 5}, {}, "Image6"));
    EXPECT_TRUE(redTakes("Image29", {8, 6}, {3, 6}, {}, "Image6"));
    EXPECT_FALSE(redTakes("Image29", {10, 5}, {1, 5}, {{2, 5}}, "Image6"));
    EXPECT_FALSE(redTakes("Image29", {10, 5}, {1, 5}, {}, "Image15"));
    EXPECT_FALSE(redTakes("Image29", {7, 5}, {3, 5}, {}, "Image6"));
    // Looking the wrong way: the red general cannot take downwards.
    EXPECT_FALSE(redTakes("Image29", {3, 5}, {8, 5}, {}, "Image6"));
}

TEST(CannonCapture, TakesOverExactlyOneScreen)
{
    EXPECT_TRUE(blackTakes("Image11", {3, 2}, {10, 2}, {{8, 2}}, "Image26"));
    EXPECT_FALSE(blackTakes("Image11", {3, 2}, {10, 2}, {}, "Image26"));
    EXPECT_FALSE(blackTakes("Image11", {3, 2}, {10, 2}, {{5, 2}, {8, 2}}, "Image26"));
    EXPECT_TRUE(blackTakes("Image12", {3, 8}, {3, 1}, {{3, 4}}));
    EXPECT_FALSE(blackTakes("Image12", {3, 8}, {3, 7}));           // a neighbour
    EXPECT_FALSE(blackTakes("Image12", {3, 8}, {5, 6}, {{4, 7}})); // not along a line

    EXPECT_TRUE(redTakes("Image23", {8, 2}, {1, 2}, {{3, 2}}, "Image3"));
    EXPECT_FALSE(redTakes("Image23", {8, 2}, {1, 2}, {}, "Image3"));
    EXPECT_FALSE(redTakes("Image24", {8, 8}, {1, 8}, {{3, 8}, {4, 8}}));
    EXPECT_TRUE(redTakes("Image24", {5, 1}, {5, 9}, {{5, 5}}));
    EXPECT_FALSE(redTakes("Image24", {5, 1}, {5, 2}));
}

TEST(SoldierCapture, BlackTakesAheadAndSidewaysOnlyAcrossTheRiver)
{
    EXPECT_TRUE(blackTakes("Image13", {4, 1}, {5, 1}));
    EXPECT_FALSE(blackTakes("Image13", {5, 1}, {5, 2}));
    EXPECT_TRUE(blackTakes("Image13", {5, 1}, {6, 1}));
    EXPECT_TRUE(blackTakes("Image14", {6, 3}, {6, 4}));
    EXPECT_TRUE(blackTakes("Image14", {6, 3}, {6, 2}));
    EXPECT_FALSE(blackTakes("Image14", {6, 3}, {5, 3})); // backwards
    EXPECT_FALSE(blackTakes("Image14", {6, 3}, {7, 4}));
}

TEST(SoldierCapture, RedTakesAheadAndSidewaysOnlyAcrossTheRiver)
{
    EXPECT_TRUE(redTakes("Image18", {7, 1}, {6, 1}));
    EXPECT_FALSE(redTakes("Image18", {6, 1}, {6, 2}));
    EXPECT_TRUE(redTakes("Image18", {6, 1}, {5, 1}));
    EXPECT_TRUE(redTakes("Image20", {5, 5}, {5, 4}));
    EXPECT_FALSE(redTakes("Image20", {5, 5}, {6, 5})); // backwards
}

TEST(CaptureRules, OnlyPiecesOfTheTakingSideTake)
{
    // A piece never takes one of its own side, and only pieces take.
    EXPECT_FALSE(blackTakes("Image25", {10, 1}, {9, 1}));
    EXPECT_FALSE(redTakes("Image2", {1, 1}, {2, 1}));
    EXPECT_FALSE(blackTakes("Image34", {1, 1}, {2, 1}));
    EXPECT_FALSE(redTakes("image25", {10, 1}, {9, 1}));
}
