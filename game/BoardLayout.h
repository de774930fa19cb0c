#pragma once
// The fixed make-up of the board: the 32 piece images Image2..Image33 with
// their side, kind and starting point, and the 90 invisible point images
// Image34..Image123, one per point, that receive drops onto empty points.

#include <array>
#include <string>
#include <string_view>

#include "game/Point.h"

namespace corvane::game {

enum class Side { Black, Red };
enum class PieceKind { Chariot, Horse, Elephant, Advisor, General, Cannon, Soldier };

constexpr int FirstPieceNumber = 2;    // Image2
constexpr int LastPieceNumber = 33;    // Image33
constexpr int FirstBlackPieceNumber = 2;
constexpr int LastBlackPieceNumber = 17;
constexpr int FirstRedPieceNumber = 18;
constexpr int LastRedPieceNumber = 33;
constexpr int FirstPointNumber = 34;   // Image34, row 1 column 1
constexpr int LastPointNumber = 123;   // Image123, row 10 column 9
constexpr int PieceCount = 32;
constexpr int PointCount = 90;

// Piece and point images are 33 x 33 pixels.
constexpr int ImageSize = 33;

constexpr std::string_view BlackGeneralName = "Image6";
constexpr std::string_view RedGeneralName = "Image29";

struct PieceInfo {
    std::string_view name;            // component name, e.g. "Image13"
    int number;                       // 13
    Side side;
    PieceKind kind;
    int startCode;                    // point code of its starting point, e.g. 41
    std::string_view startPointImage; // point image it starts on, e.g. "Image61"
};

// All 32 pieces in the order Image2..Image33; a piece's id is its index here.
const std::array<PieceInfo, PieceCount>& pieceTable();
inline const PieceInfo& pieceInfo(PieceId id) { return pieceTable()[static_cast<std::size_t>(id)]; }

constexpr Point pointOfCode(int code) { return Point{code / 10, code % 10}; }
constexpr Point startPoint(const PieceInfo& piece) { return pointOfCode(piece.startCode); }

// The piece whose component name is exactly `name` (the rules dispatch on
// exact names), or nullptr when `name` is no piece image's name.
const PieceInfo* findPiece(std::string_view name);

// "Image" followed by the decimal number.
std::string imageName(int number);

struct PointInfo {
    std::string name;  // "Image" + (34 + 9*(row-1) + (column-1))
    int number;
    int row;
    int column;
    int code;          // row * 10 + column
    int left;          // 48 + 40*(column-1), in the main window's client area
    int top;           // 32 + 40*(row-1)
};

// Image number of the point image of row, column (1..10, 1..9).
constexpr int pointImageNumber(int row, int column) { return 34 + 9 * (row - 1) + (column - 1); }
std::string pointImageName(int row, int column);

// The number in "Image<n>" written exactly so (no sign, no leading zero), or 0.
int exactImageNumber(std::string_view name);
constexpr int pointLeft(int column) { return 48 + 40 * (column - 1); }
constexpr int pointTop(int row) { return 32 + 40 * (row - 1); }

// All 90 point images row by row (Image34..Image123).
const std::array<PointInfo, PointCount>& pointTable();

// The point image whose component name is exactly `name`, or nullptr.
const PointInfo* findPoint(std::string_view name);

} // namespace corvane::game
