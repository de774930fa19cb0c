#include "game/MoveRules.h"

#include <algorithm>
#include <cstdlib>

#include "game/Position.h"

namespace corvane::game {

namespace {

// The two points of one judgement and the position they are judged on.
struct Step {
    int fromRow;
    int fromColumn;
    int toRow;
    int toColumn;
    const Position& position;

    int dr() const { return toRow - fromRow; }
    int dc() const { return toColumn - fromColumn; }
    bool empty(int row, int column) const { return !position.isOccupied(Point{row, column}); }
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
    return ownHalf && std::abs(s.dr()) == 2 && std::abs(s.dc()) == 2 &&
           s.empty(s.fromRow + s.dr() / 2, s.fromColumn + s.dc() / 2);
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
bool generalFacingRule(Side side, const PieceInfo& taken, const Step& s)
{
    const bool opposingGeneral = taken.kind == PieceKind::General && taken.side != side;
    const bool towardsOpponent = side == Side::Black ? s.dr() >= 5 : s.dr() <= -5;
    return opposingGeneral && s.dc() == 0 && towardsOpponent && piecesBetween(s) == 0;
}

bool onBoard(const Step& s)
{
    return Point{s.fromRow, s.fromColumn}.isOnBoard() && Point{s.toRow, s.toColumn}.isOnBoard();
}

bool isPiece(PieceId id)
{
    return id >= 0 && id < PieceCount;
}

} // namespace

bool judgeMove(const Position& position, PieceId mover, Point from, Point to)
{
    const Step s{from.row, from.column, to.row, to.column, position};
    if (!isPiece(mover) || !onBoard(s))
        return false;
    const PieceInfo* piece = &pieceInfo(mover);
    switch (piece->kind) {
    case PieceKind::Chariot:
    case PieceKind::Cannon: return chariotRule(s);
    case PieceKind::Horse: return horseRule(s);
    case PieceKind::Elephant: return elephantRule(piece->side, s);
    case PieceKind::Advisor: return advisorRule(piece->side, s);
    case PieceKind::General: return generalStepRule(piece->side, s);
    case PieceKind::Soldier: return soldierRule(piece->side, s);
    }
    return false;
}

bool judgeCapture(const Position& position, PieceId taker, PieceId taken, Point from, Point to)
{
    const Step s{from.row, from.column, to.row, to.column, position};
    if (!isPiece(taker) || !isPiece(taken) || !onBoard(s))
        return false;
    const Side takingSide = pieceInfo(taker).side;
    if (pieceInfo(taken).side == takingSide)
        return false;
    switch (pieceInfo(taker).kind) {
    case PieceKind::Chariot: return chariotRule(s);
    case PieceKind::Horse: return horseRule(s);
    case PieceKind::Elephant: return elephantRule(takingSide, s);
    case PieceKind::Advisor: return advisorRule(takingSide, s);
    case PieceKind::General:
        return generalStepRule(takingSide, s) || generalFacingRule(takingSide, pieceInfo(taken), s);
    case PieceKind::Cannon: return cannonCaptureRule(s);
    case PieceKind::Soldier: return soldierRule(takingSide, s);
    }
    return false;
}

} // namespace corvane::game
