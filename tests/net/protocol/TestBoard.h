#pragma once
// A position with the window's side of a drop in memory: changes are counted,
// moves are encoded as the wire carries them and recorded (or the send fails
// on demand, as the UDP endpoint can). Pieces are named as on the wire.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game/MoveFlow.h"
#include "game/Position.h"
#include "net/protocol/MoveText.h"
#include "support/PositionWithPieces.h"

namespace corvane::test_support {

class TestBoard : public game::MoveOutlet {
public:
    TestBoard() { position.reset(); }

    void showChange(const game::Change&) override { ++changes; }
    bool sendMove(const game::Move& move) override
    {
        if (sendFails)
            return false;
        sent.push_back(protocol::encodeMove(move));
        if (onSend)
            onSend(sent.back());
        return true;
    }

    static game::PieceId id(std::string_view name)
    {
        const auto piece = protocol::pieceNamed(name);
        if (!piece)
            throw std::logic_error("no piece " + std::string(name));
        return *piece;
    }
    const game::Position::Piece& piece(std::string_view name) const { return position.piece(id(name)); }
    int tag(std::string_view name) const { return piece(name).point.code(); }
    bool shown(std::string_view name) const { return !piece(name).taken; }
    bool occupied(int row, int column) const { return position.isOccupied({row, column}); }

    // Nothing but these pieces on the board, both sides free to move.
    void setUp(std::vector<std::pair<std::string_view, game::Point>> pieces)
    {
        std::vector<std::pair<game::PieceId, game::Point>> ids;
        for (const auto& [name, point] : pieces)
            ids.push_back({id(name), point});
        position = corvane::testing::positionWithPieces(ids);
    }

    game::DropResult dropOn(int row, int column, std::string_view piece)
    {
        return game::dropOnPoint(position, *this, id(piece), {row, column});
    }
    game::DropResult dropOnto(std::string_view target, std::string_view piece)
    {
        return game::dropOnPiece(position, *this, id(piece), id(target));
    }

    bool anyMayMove() const { return position.mayMove(game::Side::Black) || position.mayMove(game::Side::Red); }
    bool bothMayMove() const { return position.mayMove(game::Side::Black) && position.mayMove(game::Side::Red); }

    game::Position position;
    int changes = 0;
    std::vector<std::string> sent;                  // every message sent, in order
    bool sendFails = false;                         // sendMove reports a failed send
    std::function<void(const std::string&)> onSend; // called after a successful send
};

} // namespace corvane::test_support
