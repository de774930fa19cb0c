#include "game/MoveFlow.h"

#include "game/MoveRules.h"
#include "game/Position.h"

namespace corvane::game {

namespace {

bool isShownPiece(const Position& position, PieceId id)
{
    return id >= 0 && id < PieceCount && !position.piece(id).taken;
}

void applyAndSend(Position& position, MoveOutlet& outlet, const Move& move)
{
    outlet.showChange(position.apply(move));
    outlet.sendMove(move);
    outlet.showChange(position.lockBothSides());
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
    applyAndSend(position, outlet, move);
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
    applyAndSend(position, outlet, move);
    return move.endsGame ? DropResult::GameOver : DropResult::Captured;
}

} // namespace corvane::game
