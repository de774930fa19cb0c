// The names of the window's pictures: pieces and points numbered as the wire
// names them, and found again from their names exactly.
#include <gtest/gtest.h>

#include "game/BoardLayout.h"
#include "net/protocol/ImageNames.h"

using namespace corvane;
using namespace corvane::protocol;

TEST(ImageNames, PointImagesAreNamedRowByRow)
{
    const std::pair<game::Point, const char*> named[] = {
        {{1, 1}, "Image34"},   {{1, 9}, "Image42"}, {{10, 1}, "Image115"},
        {{10, 9}, "Image123"}, {{5, 1}, "Image70"}, {{9, 1}, "Image106"},
    };
    for (const auto& [point, name] : named)
        EXPECT_EQ(imageName(pointNumber(point)), name);

    for (int row = 1; row <= game::Rows; ++row) {
        for (int column = 1; column <= game::Columns; ++column) {
            const game::Point point{row, column};
            EXPECT_EQ(findPoint(imageName(pointNumber(point))), point);
        }
    }
}

TEST(ImageNames, PiecesAreNamedInTableOrder)
{
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        EXPECT_EQ(findPiece(imageName(pieceNumber(id))), id);
        EXPECT_EQ(game::pieceInfo(id).side, pieceNumber(id) <= 17 ? game::Side::Black : game::Side::Red);
    }
    EXPECT_EQ(game::pieceInfo(*findPiece("Image6")).kind, game::PieceKind::General);
    EXPECT_EQ(game::pieceInfo(*findPiece("Image29")).kind, game::PieceKind::General);
    EXPECT_EQ(game::pieceInfo(*findPiece("Image23")).kind, game::PieceKind::Cannon);
    EXPECT_EQ(game::pieceInfo(*findPiece("Image26")).startCode, 102);
    EXPECT_EQ(game::pieceInfo(*findPiece("Image13")).startCode, 41);
}

TEST(ImageNames, NamesAreMatchedExactly)
{
    for (const char* name :
         {"image13", "IMAGE13", "Image013", "Image1", "Image34", "Image", "", "Image13 ", "Image+13", "Image-2"})
        EXPECT_EQ(findPiece(name), std::nullopt) << name;
    for (const char* name : {"image34", "Image33", "Image124", "Image034"})
        EXPECT_EQ(findPoint(name), std::nullopt) << name;
}
