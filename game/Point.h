#pragma once
// A point of the board and the id of a piece: the two words the position, the
// rules and the move flow speak in.

namespace corvane::game {

constexpr int Rows = 10;
constexpr int Columns = 9;

// Row 1..10 from black's side (the top), column 1..9 from the left.
struct Point {
    int row = 0;
    int column = 0;

    // row * 10 + column: 11..99 for rows 1..9, 101..109 for row 10.
    constexpr int code() const { return row * 10 + column; }
    constexpr bool isOnBoard() const { return row >= 1 && row <= Rows && column >= 1 && column <= Columns; }
    constexpr bool operator==(const Point&) const = default;
};

// The index of a piece in pieceTable(): 0..31, black first.
using PieceId = int;

} // namespace corvane::game
