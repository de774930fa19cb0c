// Moves onto an empty point, one group per piece kind, both sides.
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
Position gridWith(std::initializer_list<std::pair<int, int>> occupied)
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

bool move(const char* piece, std::pair<int, int> from, std::pair<int, int> to, const Position& grid)
{
    return judgeMove(grid, id(piece), {from.first, from.second}, {to.first, to.second});
}

} // namespace

TEST(ChariotMove, AlongAClearColumnOrRow)
{
    for (const char* chariot : {"Image2", "Image10", "Image25", "Image33"}) {
        const Position grid = gridWith({{1, 1}, {3, 1}});
        EXPECT_TRUE(move(chariot, {1, 1}, {2, 1}, grid)) << chariot;
        EXPECT_FALSE(move(chariot, {1, 1}, {4, 1}, grid)) << chariot;
        EXPECT_TRUE(move(chariot, {1, 1}, {4, 1}, gridWith({{1, 1}}))) << chariot;
        EXPECT_TRUE(move(chariot, {5, 5}, {5, 1}, gridWith({{5, 5}}))) << chariot;
        EXPECT_TRUE(move(chariot, {5, 5}, {5, 9}, gridWith({{5, 5}}))) << chariot;
        EXPECT_TRUE(move(chariot, {10, 5}, {1, 5}, gridWith({{10, 5}}))) << chariot;
        EXPECT_FALSE(move(chariot, {5, 5}, {5, 1}, gridWith({{5, 5}, {5, 2}}))) << chariot;
        EXPECT_FALSE(move(chariot, {5, 5}, {5, 9}, gridWith({{5, 5}, {5, 8}}))) << chariot;
        EXPECT_FALSE(move(chariot, {10, 5}, {1, 5}, gridWith({{10, 5}, {2, 5}}))) << chariot;
        EXPECT_TRUE(move(chariot, {5, 5}, {4, 5}, gridWith({{5, 5}, {3, 5}}))) << chariot;
    }
}

TEST(ChariotMove, NeverDiagonallyNorOntoItsOwnPoint)
{
    const Position grid = gridWith({{5, 5}});
    EXPECT_FALSE(move("Image2", {5, 5}, {6, 6}, grid));
    EXPECT_FALSE(move("Image33", {5, 5}, {7, 8}, grid));
    EXPECT_FALSE(move("Image25", {5, 5}, {5, 5}, grid));
}

TEST(HorseMove, LShapeWithAnEmptyLeg)
{
    for (const char* horse : {"Image3", "Image9", "Image26", "Image32"}) {
        const Position blockedDown = gridWith({{1, 2}, {2, 2}});
        EXPECT_FALSE(move(horse, {1, 2}, {3, 1}, blockedDown)) << horse;
        EXPECT_FALSE(move(horse, {1, 2}, {3, 3}, blockedDown)) << horse;
        EXPECT_TRUE(move(horse, {1, 2}, {2, 4}, blockedDown)) << horse;
        EXPECT_FALSE(move(horse, {1, 2}, {2, 4}, gridWith({{1, 2}, {1, 3}}))) << horse;

        const Position open = gridWith({{5, 5}});
        for (auto [dr, dc] : {std::pair{2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2}, {-1, 2}, {1, -2}, {-1, -2}})
            EXPECT_TRUE(move(horse, {5, 5}, {5 + dr, 5 + dc}, open)) << horse << " " << dr << "," << dc;
        for (auto [dr, dc] : {std::pair{1, 1}, {2, 2}, {0, 1}, {2, 0}, {3, 1}, {0, 0}})
            EXPECT_FALSE(move(horse, {5, 5}, {5 + dr, 5 + dc}, open)) << horse << " " << dr << "," << dc;

        // Each leg blocks only its own two targets.
        EXPECT_FALSE(move(horse, {5, 5}, {3, 4}, gridWith({{5, 5}, {4, 5}}))) << horse;
        EXPECT_TRUE(move(horse, {5, 5}, {7, 4}, gridWith({{5, 5}, {4, 5}}))) << horse;
        EXPECT_FALSE(move(horse, {5, 5}, {4, 3}, gridWith({{5, 5}, {5, 4}}))) << horse;
        EXPECT_FALSE(move(horse, {5, 5}, {6, 7}, gridWith({{5, 5}, {5, 6}}))) << horse;
        EXPECT_FALSE(move(horse, {5, 5}, {7, 6}, gridWith({{5, 5}, {6, 5}}))) << horse;
    }
}

TEST(HorseMove, HasNoRegionLimit)
{
    EXPECT_TRUE(move("Image3", {4, 3}, {6, 4}, gridWith({{4, 3}})));
    EXPECT_TRUE(move("Image26", {7, 3}, {5, 4}, gridWith({{7, 3}})));
}

TEST(ElephantMove, TwoDiagonallyWithAnEmptyEyeInItsOwnHalf)
{
    EXPECT_TRUE(move("Image4", {1, 3}, {3, 5}, gridWith({{1, 3}})));
    EXPECT_FALSE(move("Image4", {1, 3}, {3, 5}, gridWith({{1, 3}, {2, 4}})));
    EXPECT_TRUE(move("Image8", {3, 5}, {5, 7}, gridWith({{3, 5}})));
    EXPECT_TRUE(move("Image8", {3, 5}, {1, 3}, gridWith({{3, 5}})));
    EXPECT_FALSE(move("Image8", {3, 5}, {1, 3}, gridWith({{3, 5}, {2, 4}})));
    EXPECT_FALSE(move("Image4", {5, 3}, {7, 5}, gridWith({{5, 3}}))); // across the river
    EXPECT_FALSE(move("Image4", {4, 3}, {6, 5}, gridWith({{4, 3}}))); // just across
    EXPECT_FALSE(move("Image4", {1, 3}, {2, 4}, gridWith({{1, 3}})));
    EXPECT_FALSE(move("Image4", {1, 3}, {3, 3}, gridWith({{1, 3}})));

    EXPECT_TRUE(move("Image27", {10, 3}, {8, 5}, gridWith({{10, 3}})));
    EXPECT_FALSE(move("Image27", {10, 3}, {8, 5}, gridWith({{10, 3}, {9, 4}})));
    EXPECT_TRUE(move("Image31", {8, 5}, {10, 7}, gridWith({{8, 5}})));
    EXPECT_TRUE(move("Image31", {8, 5}, {6, 3}, gridWith({{8, 5}})));
    EXPECT_FALSE(move("Image31", {6, 3}, {4, 5}, gridWith({{6, 3}}))); // across the river
    EXPECT_FALSE(move("Image31", {7, 3}, {5, 5}, gridWith({{7, 3}}))); // just across
    EXPECT_FALSE(move("Image27", {6, 3}, {4, 1}, gridWith({{6, 3}, {5, 2}})));
}

TEST(AdvisorMove, OneDiagonalStepInsideItsPalace)
{
    EXPECT_TRUE(move("Image5", {1, 4}, {2, 5}, gridWith({{1, 4}})));
    EXPECT_TRUE(move("Image7", {2, 5}, {3, 6}, gridWith({{2, 5}})));
    EXPECT_TRUE(move("Image7", {2, 5}, {3, 4}, gridWith({{2, 5}})));
    EXPECT_TRUE(move("Image5", {2, 5}, {1, 6}, gridWith({{2, 5}})));
    EXPECT_FALSE(move("Image5", {3, 4}, {4, 5}, gridWith({{3, 4}}))); // out of the palace rows
    EXPECT_FALSE(move("Image5", {2, 4}, {3, 3}, gridWith({{2, 4}}))); // out of the palace columns
    EXPECT_FALSE(move("Image5", {1, 4}, {1, 5}, gridWith({{1, 4}}))); // straight
    EXPECT_FALSE(move("Image5", {1, 4}, {3, 6}, gridWith({{1, 4}}))); // two steps

    EXPECT_TRUE(move("Image28", {10, 4}, {9, 5}, gridWith({{10, 4}})));
    EXPECT_TRUE(move("Image30", {9, 5}, {8, 4}, gridWith({{9, 5}})));
    EXPECT_FALSE(move("Image30", {8, 4}, {7, 5}, gridWith({{8, 4}}))); // red advisor onto row 7
    EXPECT_FALSE(move("Image28", {9, 6}, {10, 7}, gridWith({{9, 6}})));
    EXPECT_FALSE(move("Image28", {10, 4}, {9, 4}, gridWith({{10, 4}})));
}

TEST(GeneralMove, OneStepAlongARowOrColumnInsideItsPalace)
{
    const Position grid = gridWith({{1, 5}});
    EXPECT_TRUE(move("Image6", {1, 5}, {1, 4}, grid));
    EXPECT_TRUE(move("Image6", {1, 5}, {1, 6}, grid));
    EXPECT_TRUE(move("Image6", {1, 5}, {2, 5}, grid));
    EXPECT_FALSE(move("Image6", {1, 5}, {2, 6}, grid)); // diagonal
    EXPECT_FALSE(move("Image6", {1, 5}, {3, 5}, grid)); // two steps
    EXPECT_FALSE(move("Image6", {3, 5}, {4, 5}, gridWith({{3, 5}})));
    EXPECT_FALSE(move("Image6", {2, 4}, {2, 3}, gridWith({{2, 4}})));

    EXPECT_TRUE(move("Image29", {10, 5}, {9, 5}, gridWith({{10, 5}})));
    EXPECT_TRUE(move("Image29", {9, 5}, {9, 6}, gridWith({{9, 5}})));
    EXPECT_FALSE(move("Image29", {8, 5}, {7, 5}, gridWith({{8, 5}})));
    EXPECT_FALSE(move("Image29", {8, 6}, {8, 7}, gridWith({{8, 6}})));
    EXPECT_FALSE(move("Image29", {10, 5}, {9, 4}, gridWith({{10, 5}})));
}

TEST(GeneralMove, FacingTheOtherGeneralIsAllowed)
{
    // Only the generals in column 5: the step that opens the column is accepted.
    EXPECT_TRUE(move("Image6", {1, 4}, {1, 5}, gridWith({{1, 4}, {10, 5}})));
    EXPECT_TRUE(move("Image29", {10, 6}, {10, 5}, gridWith({{10, 6}, {1, 5}})));
}

TEST(CannonMove, MovesLikeAChariotAndNeverJumps)
{
    for (const char* cannon : {"Image11", "Image12", "Image23", "Image24"}) {
        EXPECT_FALSE(move(cannon, {3, 2}, {5, 2}, gridWith({{3, 2}, {4, 2}}))) << cannon;
        EXPECT_TRUE(move(cannon, {3, 2}, {5, 2}, gridWith({{3, 2}}))) << cannon;
        EXPECT_TRUE(move(cannon, {3, 2}, {3, 1}, gridWith({{3, 2}}))) << cannon;
        EXPECT_TRUE(move(cannon, {3, 2}, {3, 8}, gridWith({{3, 2}}))) << cannon;
        EXPECT_FALSE(move(cannon, {3, 2}, {3, 9}, gridWith({{3, 2}, {3, 8}}))) << cannon;
        EXPECT_FALSE(move(cannon, {3, 2}, {4, 3}, gridWith({{3, 2}}))) << cannon;
    }
}

TEST(SoldierMove, BlackGoesStraightDownUntilAcrossTheRiver)
{
    EXPECT_FALSE(move("Image13", {4, 1}, {4, 2}, gridWith({{4, 1}})));
    EXPECT_TRUE(move("Image13", {4, 1}, {5, 1}, gridWith({{4, 1}})));
    EXPECT_TRUE(move("Image13", {5, 1}, {6, 1}, gridWith({{5, 1}})));
    EXPECT_FALSE(move("Image13", {5, 1}, {5, 2}, gridWith({{5, 1}})));
    EXPECT_TRUE(move("Image13", {6, 1}, {6, 2}, gridWith({{6, 1}})));
    EXPECT_FALSE(move("Image13", {6, 1}, {5, 1}, gridWith({{6, 1}}))); // backwards
    EXPECT_TRUE(move("Image17", {6, 9}, {6, 8}, gridWith({{6, 9}})));
    EXPECT_FALSE(move("Image17", {6, 9}, {7, 8}, gridWith({{6, 9}}))); // diagonal
    EXPECT_FALSE(move("Image15", {4, 5}, {6, 5}, gridWith({{4, 5}}))); // two steps
    EXPECT_TRUE(move("Image15", {10, 5}, {10, 4}, gridWith({{10, 5}})));
    EXPECT_FALSE(move("Image15", {10, 5}, {9, 5}, gridWith({{10, 5}})));
}

TEST(SoldierMove, RedGoesStraightUpUntilAcrossTheRiver)
{
    EXPECT_TRUE(move("Image22", {5, 9}, {5, 8}, gridWith({{5, 9}})));
    EXPECT_TRUE(move("Image22", {5, 9}, {4, 9}, gridWith({{5, 9}})));
    EXPECT_FALSE(move("Image22", {5, 9}, {6, 9}, gridWith({{5, 9}}))); // backwards
    EXPECT_FALSE(move("Image19", {7, 3}, {7, 4}, gridWith({{7, 3}})));
    EXPECT_TRUE(move("Image19", {7, 3}, {6, 3}, gridWith({{7, 3}})));
    EXPECT_FALSE(move("Image19", {6, 3}, {6, 4}, gridWith({{6, 3}})));
    EXPECT_TRUE(move("Image19", {6, 3}, {5, 3}, gridWith({{6, 3}})));
    EXPECT_TRUE(move("Image18", {1, 1}, {1, 2}, gridWith({{1, 1}})));
    EXPECT_FALSE(move("Image18", {1, 1}, {2, 1}, gridWith({{1, 1}})));
}

TEST(MoveRules, NamesThatAreNoPieceAreRejected)
{
    const Position grid = gridWith({{5, 5}});
    for (const char* name : {"Image34", "Image1", "image25", "", "Image250"})
        EXPECT_FALSE(move(name, {5, 5}, {5, 6}, grid)) << name;
}

TEST(MoveRules, PointsOffTheBoardAreRejectedWithoutReadingTheGrid)
{
    const Position grid = gridWith({{1, 1}});
    EXPECT_FALSE(move("Image2", {1, 1}, {0, 1}, grid));
    EXPECT_FALSE(move("Image2", {1, 1}, {1, 10}, grid));
    EXPECT_FALSE(move("Image25", {11, 1}, {10, 1}, grid));
}
