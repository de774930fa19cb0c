#include "game/BoardLayout.h"

#include "game/Point.h"

namespace corvane::game {

namespace {

constexpr std::array<PieceInfo, PieceCount> Pieces{{
    {"Image2", 2, Side::Black, PieceKind::Chariot, 11, "Image34"},
    {"Image3", 3, Side::Black, PieceKind::Horse, 12, "Image35"},
    {"Image4", 4, Side::Black, PieceKind::Elephant, 13, "Image36"},
    {"Image5", 5, Side::Black, PieceKind::Advisor, 14, "Image37"},
    {"Image6", 6, Side::Black, PieceKind::General, 15, "Image38"},
    {"Image7", 7, Side::Black, PieceKind::Advisor, 16, "Image39"},
    {"Image8", 8, Side::Black, PieceKind::Elephant, 17, "Image40"},
    {"Image9", 9, Side::Black, PieceKind::Horse, 18, "Image41"},
    {"Image10", 10, Side::Black, PieceKind::Chariot, 19, "Image42"},
    {"Image11", 11, Side::Black, PieceKind::Cannon, 32, "Image53"},
    {"Image12", 12, Side::Black, PieceKind::Cannon, 38, "Image59"},
    {"Image13", 13, Side::Black, PieceKind::Soldier, 41, "Image61"},
    {"Image14", 14, Side::Black, PieceKind::Soldier, 43, "Image63"},
    {"Image15", 15, Side::Black, PieceKind::Soldier, 45, "Image65"},
    {"Image16", 16, Side::Black, PieceKind::Soldier, 47, "Image67"},
    {"Image17", 17, Side::Black, PieceKind::Soldier, 49, "Image69"},
    {"Image18", 18, Side::Red, PieceKind::Soldier, 71, "Image88"},
    {"Image19", 19, Side::Red, PieceKind::Soldier, 73, "Image90"},
    {"Image20", 20, Side::Red, PieceKind::Soldier, 75, "Image92"},
    {"Image21", 21, Side::Red, PieceKind::Soldier, 77, "Image94"},
    {"Image22", 22, Side::Red, PieceKind::Soldier, 79, "Image96"},
    {"Image23", 23, Side::Red, PieceKind::Cannon, 82, "Image98"},
    {"Image24", 24, Side::Red, PieceKind::Cannon, 88, "Image104"},
    {"Image25", 25, Side::Red, PieceKind::Chariot, 101, "Image115"},
    {"Image26", 26, Side::Red, PieceKind::Horse, 102, "Image116"},
    {"Image27", 27, Side::Red, PieceKind::Elephant, 103, "Image117"},
    {"Image28", 28, Side::Red, PieceKind::Advisor, 104, "Image118"},
    {"Image29", 29, Side::Red, PieceKind::General, 105, "Image119"},
    {"Image30", 30, Side::Red, PieceKind::Advisor, 106, "Image120"},
    {"Image31", 31, Side::Red, PieceKind::Elephant, 107, "Image121"},
    {"Image32", 32, Side::Red, PieceKind::Horse, 108, "Image122"},
    {"Image33", 33, Side::Red, PieceKind::Chariot, 109, "Image123"},
}};

std::array<PointInfo, PointCount> makePointTable()
{
    std::array<PointInfo, PointCount> points;
    std::size_t i = 0;
    for (int row = 1; row <= 10; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const int number = pointImageNumber(row, column);
            points[i++] = PointInfo{imageName(number), number, row, column, Point{row, column}.code(),
                                    pointLeft(column), pointTop(row)};
        }
    }
    return points;
}

} // namespace

// The number in "Image<n>" written exactly so (no sign, no leading zero), or 0.
int exactImageNumber(std::string_view name)
{
    constexpr std::string_view prefix = "Image";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 3 || name.substr(0, prefix.size()) != prefix)
        return 0;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() == '0')
        return 0;
    int value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9')
            return 0;
        value = value * 10 + (ch - '0');
    }
    return value;
}

const std::array<PieceInfo, PieceCount>& pieceTable()
{
    return Pieces;
}

const PieceInfo* findPiece(std::string_view name)
{
    const int number = exactImageNumber(name);
    if (number < FirstPieceNumber || number > LastPieceNumber)
        return nullptr;
    return &Pieces[static_cast<std::size_t>(number - FirstPieceNumber)];
}

std::string imageName(int number)
{
    return "Image" + std::to_string(number);
}

std::string pointImageName(int row, int column)
{
    return imageName(pointImageNumber(row, column));
}

const std::array<PointInfo, PointCount>& pointTable()
{
    static const std::array<PointInfo, PointCount> points = makePointTable();
    return points;
}

const PointInfo* findPoint(std::string_view name)
{
    const int number = exactImageNumber(name);
    if (number < FirstPointNumber || number > LastPointNumber)
        return nullptr;
    return &pointTable()[static_cast<std::size_t>(number - FirstPointNumber)];
}

} // namespace corvane::game
