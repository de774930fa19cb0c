#pragma once
// The position: where each of the 32 pieces stands, which are taken, which
// side may move, whether the game is over, and which points are occupied.
// It is the one truth of the game; the window only shows it. Everything that
// changes it goes through apply(), which returns what changed, so a local drop
// and a received message change the board the same way.
//
// A piece has two points that agree in every game a sound peer plays: `point`,
// where the rules and the wire say it stands, and `place`, the point it is
// drawn on. A received message is applied as told (the peer's board is the
// judge), so a peer may name a target point that differs from its to-fields;
// the piece is then drawn on the one and stands on the other, and the
// occupancy follows the fields alone, exactly as the peer's own board does.

#include <array>
#include <cstdint>
#include <optional>

#include "game/BoardLayout.h"
#include "game/Point.h"

namespace corvane::game {

// One move or capture to apply.
struct Move {
    PieceId piece = 0;
    Point from;                       // the occupancy cell it leaves
    Point to;                         // where it stands afterwards
    Point onto;                       // a move: the point it is drawn on (a local drop: `to`)
    std::optional<PieceId> taken;     // a capture: the piece taken; the taker is drawn at its place
    std::optional<Side> passTurnFrom; // this side is locked and the other may move
    bool endsGame = false;            // a general was taken: the game is over
};

// What an apply (or a reset, or a lock) changed, for the view to show.
struct Change {
    std::optional<PieceId> moved;
    Point fromPlace;              // where the moved piece was drawn before
    Point toPlace;                // where it is drawn now
    std::optional<PieceId> taken; // hidden by this change
    bool turnChanged = false;     // which sides may move changed
    bool gameOver = false;        // this change ended the game
    bool everything = false;      // a reset: show the whole position again
};

class Position {
public:
    struct Piece {
        Point point;
        Point place;
        bool taken = false;
        bool operator==(const Piece&) const = default;
    };

    // The starting position with both sides locked, as before the first reset.
    Position();

    // A position as another board holds it: each piece on its point (drawn
    // there too) or taken (nothing), the occupancy as given, and which sides
    // may move. The game is over when a general is taken.
    static Position restored(const std::array<std::optional<Point>, PieceCount>& points,
                             const std::array<std::uint8_t, Rows * Columns>& occupancy, bool blackMayMove,
                             bool redMayMove);

    // Every piece back on its starting point and shown, both sides free to
    // move, the game not over. Either side may make the first move.
    Change reset();

    // Applies `move` as told: no rule is judged here.
    Change apply(const Move& move);

    // Both sides locked: after a move has been sent, or the peer has left.
    Change lockBothSides();
    // Only `side` may move: a game against the computer after a reset.
    Change letOnlyMove(Side side);

    const Piece& piece(PieceId id) const { return m_pieces[static_cast<std::size_t>(id)]; }
    bool isOccupied(Point point) const { return m_occupied[cellIndex(point)] != 0; }
    // The shown piece standing on `point`, if any.
    std::optional<PieceId> pieceAt(Point point) const;
    bool mayMove(Side side) const { return side == Side::Black ? m_blackMayMove : m_redMayMove; }
    bool isOver() const { return m_over; }

    // 90 bytes row by row, 1 where a piece stands.
    const std::array<std::uint8_t, Rows * Columns>& occupancy() const { return m_occupied; }

    bool operator==(const Position&) const = default;

private:
    static std::size_t cellIndex(Point point)
    {
        return static_cast<std::size_t>(Columns * (point.row - 1) + (point.column - 1));
    }
    bool setMayMove(bool black, bool red);

    std::array<Piece, PieceCount> m_pieces{};
    std::array<std::uint8_t, Rows * Columns> m_occupied{};
    bool m_blackMayMove = false;
    bool m_redMayMove = false;
    bool m_over = false;
};

} // namespace corvane::game
