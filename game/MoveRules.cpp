#include "game/MoveRules.h"

#include <algorithm>
#include <cstdlib>

#include "game/BoardState.h"

namespace corvane::game {

namespace {

// The two points of one judgement and the grid they are judged on.
struct Step {
    int fromRow;
    int fromColumn;
    int toRow;
    int toColumn;
    const OccupancyGrid& grid;

    int dr() const { return toRow - fromRow; }
    int dc() const { return toColumn - fromColumn; }
    bool empty(int row, int column) const { return grid.at(row, column) == 0; }
};

// Number of occupied points strictly between the two points of a straight
// step along a row or a column (the caller has checked that it is straight).
int piecesBetween(const Step& s)
{
    int count = 0;
    if (s.dc() == 0) {
        const int low = std::min(s.fromRow, s.toRow);
        const int high = std::max(s.fromRow, s.toRow);
        for (int row = low + 1; row < high; ++row)
            count += s.empty(row, s.fromColumn) ? 0 : 1;
    } else {
        const int low = std::min(s.fromColumn, s.toColumn);
        const int high = std::max(s.fromColumn, s.toColumn);
        for (int column = low + 1; column < high; ++column)
            count += s.empty(s.fromRow, column) ? 0 : 1;
    }
    return count;
}

bool isStraight(const Step& s)
{
    return (s.dr() == 0) != (s.dc() == 0);
}

// Chariot, and the cannon's move onto an empty point: along a row or column,
// nothing strictly between.
bool chariotRule(const Step& s)
{
    return isStraight(s) && piecesBetween(s) == 0;
}

bool horseRule(const Step& s)
{
    const int dr = s.dr();
    const int dc = s.dc();
    if (std::abs(dr) == 2 && std::abs(dc) == 1)
        return s.empty(s.fromRow + dr / 2, s.fromColumn);
    if (std::abs(dr) == 1 && std::abs(dc) == 2)
        return s.empty(s.fromRow, s.fromColumn + dc / 2);
    return false;
}

bool elephantRule(Side side, const Step& s)
{
    const bool ownHalf = side == Side::Black ? s.toRow <= 5 : s.toRow >= 6;
    return ownHalf && std::abs(s.dr()) == 2 && std::abs(s.dc()) == 2
           && s.empty(s.fromRow + s.dr() / 2, s.fromColumn + s.dc() / 2);
}

bool inOwnPalace(Side side, int row, int column)
{
    const bool palaceRows = side == Side::Black ? row <= 3 : row >= 8;
    return palaceRows && column >= 4 && column <= 6;
}

bool advisorRule(Side side, const Step& s)
{
    return std::abs(s.dr()) == 1 && std::abs(s.dc()) == 1 && inOwnPalace(side, s.toRow, s.toColumn);
}

bool generalStepRule(Side side, const Step& s)
{
    return std::abs(s.dr()) + std::abs(s.dc()) == 1 && inOwnPalace(side, s.toRow, s.toColumn);
}

bool soldierRule(Side side, const Step& s)
{
    if (side == Side::Black) {
        const bool forward = s.dr() == 1 && s.dc() == 0 && s.toRow >= 4;
        const bool sideways = s.dr() == 0 && std::abs(s.dc()) == 1 && s.toRow >= 6;
        return forward || sideways;
    }
    const bool forward = s.dr() == -1 && s.dc() == 0 && s.toRow <= 7;
    const bool sideways = s.dr() == 0 && std::abs(s.dc()) == 1 && s.toRow <= 5;
    return forward || sideways;
}

// The cannon takes over exactly one piece (the screen), never a neighbour.
bool cannonCaptureRule(const Step& s)
{
    const bool farEnough = std::abs(s.dr()) >= 2 || std::abs(s.dc()) >= 2;
    return isStraight(s) && farEnough && piecesBetween(s) == 1;
}

// A general takes the opposing general along an open column, looking towards
// the opponent's side, five or more rows away.
bool generalFacingRule(Side side, std::string_view takenName, const Step& s)
{
    const std::string_view opposingGeneral = side == Side::Black ? RedGeneralName : BlackGeneralName;
    const bool towardsOpponent = side == Side::Black ? s.dr() >= 5 : s.dr() <= -5;
    return takenName == opposingGeneral && s.dc() == 0 && towardsOpponent && piecesBetween(s) == 0;
}

bool onBoard(const Step& s)
{
    return OccupancyGrid::contains(s.fromRow, s.fromColumn) && OccupancyGrid::contains(s.toRow, s.toColumn);
}

} // namespace

bool judgeMove(std::string_view pieceName, int fromRow, int fromColumn, int toRow, int toColumn,
               const OccupancyGrid& grid)
{
    const PieceInfo* piece = findPiece(pieceName);
    const Step s{fromRow, fromColumn, toRow, toColumn, grid};
    if (!piece || !onBoard(s))
        return false;
    switch (piece->kind) {
    case PieceKind::Chariot:
    case PieceKind::Cannon:
        return chariotRule(s);
    case PieceKind::Horse:
        return horseRule(s);
    case PieceKind::Elephant:
        return elephantRule(piece->side, s);
    case PieceKind::Advisor:
        return advisorRule(piece->side, s);
    case PieceKind::General:
        return generalStepRule(piece->side, s);
    case PieceKind::Soldier:
        return soldierRule(piece->side, s);
    }
    return false;
}

bool judgeCapture(Side takingSide, std::string_view takerName, std::string_view takenName, int fromRow,
                  int fromColumn, int toRow, int toColumn, const OccupancyGrid& grid)
{
    const PieceInfo* taker = findPiece(takerName);
    const Step s{fromRow, fromColumn, toRow, toColumn, grid};
    if (!taker || taker->side != takingSide || !onBoard(s))
        return false;
    switch (taker->kind) {
    case PieceKind::Chariot:
        return chariotRule(s);
    case PieceKind::Horse:
        return horseRule(s);
    case PieceKind::Elephant:
        return elephantRule(takingSide, s);
    case PieceKind::Advisor:
        return advisorRule(takingSide, s);
    case PieceKind::General:
        return generalStepRule(takingSide, s) || generalFacingRule(takingSide, takenName, s);
    case PieceKind::Cannon:
        return cannonCaptureRule(s);
    case PieceKind::Soldier:
        return soldierRule(takingSide, s);
    }
    return false;
}

} // namespace corvane::game
