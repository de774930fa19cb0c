#pragma once
// A board set up by hand: only these pieces, each on its point, both sides
// free to move.
#include <optional>
#include <utility>
#include <vector>

#include "game/Position.h"

namespace corvane::testing {

inline game::Position positionWithPieces(const std::vector<std::pair<game::PieceId, game::Point>>& pieces)
{
    std::array<std::optional<game::Point>, game::PieceCount> points{};
    std::array<std::uint8_t, game::Rows * game::Columns> occupancy{};
    for (const auto& [id, point] : pieces) {
        points[std::size_t(id)] = point;
        occupancy[std::size_t(game::Columns * (point.row - 1) + point.column - 1)] = 1;
    }
    return game::Position::restored(points, occupancy, true, true);
}

} // namespace corvane::testing
