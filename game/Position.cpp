#include "game/Position.h"

namespace corvane::game {

Position::Position()
{
    reset();
    setMayMove(false, false);
}

Position Position::withPieces(const std::vector<std::pair<PieceId, Point>>& pieces)
{
    Position position;
    position.setMayMove(true, true);
    position.occupied_.fill(0);
    for (Piece& piece : position.pieces_)
        piece.taken = true;
    for (const auto& [id, point] : pieces) {
        position.pieces_[static_cast<std::size_t>(id)] = Piece{point, point, false};
        position.occupied_[cellIndex(point)] = 1;
    }
    return position;
}

Change Position::reset()
{
    occupied_.fill(0);
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const Point start = startPoint(pieceTable()[i]);
        pieces_[i] = Piece{start, start, false};
        occupied_[cellIndex(start)] = 1;
    }
    setMayMove(true, true);
    over_ = false;
    Change change;
    change.everything = true;
    change.turnChanged = true;
    return change;
}

Change Position::apply(const Move& move)
{
    Change change;
    if (move.passTurnFrom) {
        const bool blackMoved = *move.passTurnFrom == Side::Black;
        change.turnChanged = setMayMove(!blackMoved, blackMoved);
    }
    Piece& mover = pieces_[static_cast<std::size_t>(move.piece)];
    change.moved = move.piece;
    change.fromPlace = mover.place;
    if (move.taken) {
        // Hidden first: the taker then takes the taken piece's place.
        Piece& taken = pieces_[static_cast<std::size_t>(*move.taken)];
        taken.taken = true;
        change.taken = move.taken;
        mover.place = taken.place;
    } else {
        mover.place = move.onto;
    }
    mover.point = move.to;
    occupied_[cellIndex(move.from)] = 0;
    occupied_[cellIndex(move.to)] = 1;
    change.toPlace = mover.place;
    if (move.endsGame) {
        over_ = true;
        change.gameOver = true;
    }
    return change;
}

Change Position::lockBothSides()
{
    Change change;
    change.turnChanged = setMayMove(false, false);
    return change;
}

std::optional<PieceId> Position::pieceAt(Point point) const
{
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (!pieces_[i].taken && pieces_[i].point == point)
            return static_cast<PieceId>(i);
    }
    return std::nullopt;
}

bool Position::setMayMove(bool black, bool red)
{
    const bool changed = black != blackMayMove_ || red != redMayMove_;
    blackMayMove_ = black;
    redMayMove_ = red;
    return changed;
}

} // namespace corvane::game
