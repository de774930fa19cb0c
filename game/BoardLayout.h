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
    return 48 + 40 * (column - 1);
}
constexpr int pointTop(int row)
{
    return 32 + 40 * (row - 1);
}

} // namespace corvane::game
