#pragma once
// The names the window gives its pictures, which the wire carries: "Image" and
// a number. The 32 piece pictures Image2..Image33 follow the piece ids (black
// Image2..Image17, red Image18..Image33); the 90 invisible point pictures
// Image34..Image123, which receive drops onto empty points, go row by row.

#include <optional>
#include <string>
#include <string_view>

#include "game/Point.h"

namespace corvane::protocol {

constexpr int FirstPieceNumber = 2; // Image2
constexpr int LastPieceNumber = 33; // Image33
constexpr int FirstBlackPieceNumber = 2;
constexpr int FirstRedPieceNumber = 18;
constexpr int FirstPointNumber = 34; // Image34, row 1 column 1
constexpr int LastPointNumber = 123; // Image123, row 10 column 9

// The picture number of a piece, and the piece of a number in
// FirstPieceNumber..LastPieceNumber.
constexpr int pieceNumber(game::PieceId piece)
{
    return FirstPieceNumber + piece;
}
constexpr game::PieceId pieceOfNumber(int number)
{
    return number - FirstPieceNumber;
}

// The picture number of a point: 34 + 9 * (row - 1) + (column - 1); and the
// point of a number in FirstPointNumber..LastPointNumber.
constexpr int pointNumber(game::Point point)
{
    return FirstPointNumber + game::Columns * (point.row - 1) + (point.column - 1);
}
constexpr game::Point pointOfNumber(int number)
{
    const int index = number - FirstPointNumber;
    return game::Point{index / game::Columns + 1, index % game::Columns + 1};
}

// "Image" followed by the decimal number.
std::string imageName(int number);

// The number in "Image<n>" written exactly so (no sign, no leading zero), or 0.
int exactImageNumber(std::string_view name);

// The piece or point whose picture is named exactly `name`, or nothing.
std::optional<game::PieceId> findPiece(std::string_view name);
std::optional<game::Point> findPoint(std::string_view name);

} // namespace corvane::protocol
