#include "game/MoveFlow.h"

#include "game/MoveRules.h"
#include "game/Position.h"

namespace corvane::game {

namespace {

bool isShownPiece(const Position& position, PieceId id)
{
    return id >= 0 && id < PieceCount && !position.piece(id).taken;
}

// False when the send failed: the move stays made and nothing is locked.
bool applyAndSend(Position& position, MoveOutlet& outlet, const Move& move)
{
    outlet.showChange(position.apply(move));
    if (!outlet.sendMove(move))
        return false;
    outlet.showChange(position.lockBothSides());
    return true;
}

} // namespace

DropResult dropOnPoint(Position& position, MoveOutlet& outlet, PieceId piece, Point point)
{
    if (!isShownPiece(position, piece) || !point.isOnBoard())
        return DropResult::Rejected;
    Move move;
    move.piece = piece;
    move.from = position.piece(piece).point;
    move.to = point;
    move.onto = point;
    if (!judgeMove(position, piece, move.from, move.to))
        return DropResult::Rejected;
    if (!applyAndSend(position, outlet, move))
        return DropResult::NotSent;
    return DropResult::Moved;
}

DropResult dropOnPiece(Position& position, MoveOutlet& outlet, PieceId piece, PieceId target)
{
    if (piece == target || !isShownPiece(position, piece) || !isShownPiece(position, target))
        return DropResult::Rejected;
    Move move;
    move.piece = piece;
    move.from = position.piece(piece).point;
    move.to = position.piece(target).point;
    move.onto = move.to;
    move.taken = target;
    if (!judgeCapture(position, piece, target, move.from, move.to))
        return DropResult::Rejected;
    move.endsGame = pieceInfo(target).kind == PieceKind::General;
    if (!applyAndSend(position, outlet, move))
        return DropResult::NotSent;
    return move.endsGame ? DropResult::GameOver : DropResult::Captured;
}

} // namespace corvane::game
