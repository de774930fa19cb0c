#include "game/Position.h"

namespace corvane::game {

Position::Position()
{
    reset();
    setMayMove(false, false);
}

Position Position::restored(const std::array<std::optional<Point>, PieceCount>& points,
                            const std::array<std::uint8_t, Rows * Columns>& occupancy, bool blackMayMove,
                            bool redMayMove)
{
    Position position;
    position.m_occupied = occupancy;
    for (std::size_t i = 0; i < position.m_pieces.size(); ++i) {
        Piece& piece = position.m_pieces[i];
        if (points[i]) {
            piece = Piece{*points[i], *points[i], false};
        } else {
            // A taken piece keeps a point of the board, as one taken in play does.
            const Point start = startPoint(pieceTable()[i]);
            piece = Piece{start, start, true};
            if (pieceTable()[i].kind == PieceKind::General)
                position.m_over = true;
        }
    }
    position.setMayMove(blackMayMove, redMayMove);
    return position;
}

Change Position::reset()
{
    m_occupied.fill(0);
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        const Point start = startPoint(pieceTable()[i]);
        m_pieces[i] = Piece{start, start, false};
        m_occupied[cellIndex(start)] = 1;
    }
    setMayMove(true, true);
    m_over = false;
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
    Piece& mover = m_pieces[static_cast<std::size_t>(move.piece)];
    change.moved = move.piece;
    change.fromPlace = mover.place;
    if (move.taken) {
        // Hidden first: the taker then takes the taken piece's place.
        Piece& taken = m_pieces[static_cast<std::size_t>(*move.taken)];
        taken.taken = true;
        change.taken = move.taken;
        mover.place = taken.place;
    } else {
        mover.place = move.onto;
    }
    mover.point = move.to;
    m_occupied[cellIndex(move.from)] = 0;
    m_occupied[cellIndex(move.to)] = 1;
    change.toPlace = mover.place;
    if (move.endsGame) {
        m_over = true;
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

Change Position::letOnlyMove(Side side)
{
    Change change;
    change.turnChanged = setMayMove(side == Side::Black, side == Side::Red);
    return change;
}

std::optional<PieceId> Position::pieceAt(Point point) const
{
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        if (!m_pieces[i].taken && m_pieces[i].point == point)
            return static_cast<PieceId>(i);
    }
    return std::nullopt;
}

bool Position::setMayMove(bool black, bool red)
{
    const bool changed = black != m_blackMayMove || red != m_redMayMove;
    m_blackMayMove = black;
    m_redMayMove = red;
    return changed;
}

} // namespace corvane::game
