#pragma once
// The fixed make-up of the board: the 32 pieces with their side, kind and
// starting point, and where each point of the board is drawn.

#include <array>
#include <cstddef>

#include "game/Point.h"

namespace corvane::game {

enum class Side { Black, Red };
enum class PieceKind { Chariot, Horse, Elephant, Advisor, General, Cannon, Soldier };

constexpr int PieceCount = 32;
constexpr int PointCount = 90;

// Pieces and the squares that receive drops are 33 x 33 pixels.
constexpr int ImageSize = 33;

// The board picture, and the board view that shows it, in pixels.
constexpr int BoardPictureWidth = 632;
constexpr int BoardPictureHeight = 434;

// Neighbouring points are PointPitch pixels apart; the square of row 1,
// column 1 has its top left corner at (FirstPointLeft, FirstPointTop).
constexpr int PointPitch = 40;
constexpr int FirstPointLeft = 48;
constexpr int FirstPointTop = 32;

struct PieceInfo {
    Side side;
    PieceKind kind;
    int startCode; // point code of its starting point, e.g. 41
};

// All 32 pieces, black first; a piece's id is its index here.
const std::array<PieceInfo, PieceCount>& pieceTable();
inline const PieceInfo& pieceInfo(PieceId id)
{
    return pieceTable()[static_cast<std::size_t>(id)];
}

constexpr Point pointOfCode(int code)
{
    return Point{code / 10, code % 10};
}
constexpr Point startPoint(const PieceInfo& piece)
{
    return pointOfCode(piece.startCode);
}

// The top left corner of a point's square in the main window's client area.
constexpr int pointLeft(int column)
{
    return FirstPointLeft + PointPitch * (column - 1);
}
constexpr int pointTop(int row)
{
    return FirstPointTop + PointPitch * (row - 1);
}

// A point's place in row order, 0..PointCount - 1: row 1 first, each row
// from column 1.
constexpr int pointIndex(const Point& point)
{
    return (point.row - 1) * Columns + (point.column - 1);
}
static_assert(pointIndex(Point{Rows, Columns}) == PointCount - 1);

} // namespace corvane::game
