#include "computer/UciNotation.h"

#include <array>

#include "game/BoardLayout.h"
#include "game/Position.h"

namespace corvane::computer {

namespace {

std::optional<game::Point> parseSquare(std::string_view text)
{
    if (text.size() < 2 || text.size() > 3 || text[0] < 'a' || text[0] > 'i')
        return std::nullopt;
    const std::string_view rank = text.substr(1);
    if (rank[0] < '1' || rank[0] > '9')
        return std::nullopt;
    int number = rank[0] - '0';
    if (rank.size() == 2) {
        if (rank != "10")
            return std::nullopt;
        number = 10;
    }
    return game::Point{game::Rows + 1 - number, text[0] - 'a' + 1};
}

char fenLetter(game::PieceId id)
{
    static constexpr std::array<char, 7> Letters{'r', 'n', 'b', 'a', 'k', 'c', 'p'};
    const game::PieceInfo& info = game::pieceInfo(id);
    const char letter = Letters[static_cast<std::size_t>(info.kind)];
    return info.side == game::Side::Red ? static_cast<char>(letter - 'a' + 'A') : letter;
}

} // namespace

std::string squareText(game::Point point)
{
    return std::string(1, static_cast<char>('a' + point.column - 1)) + std::to_string(game::Rows + 1 - point.row);
}

std::string moveText(game::Point from, game::Point to)
{
    return squareText(from) + squareText(to);
}

std::optional<UciMove> parseMove(std::string_view text)
{
    // The second square starts at the second letter.
    for (std::size_t split = 2; split <= 3 && split < text.size(); ++split) {
        if (text[split] < 'a' || text[split] > 'i')
            continue;
        const auto from = parseSquare(text.substr(0, split));
        const auto to = parseSquare(text.substr(split));
        if (from && to)
            return UciMove{*from, *to};
    }
    return std::nullopt;
}

std::string boardFen(const game::Position& position, bool redToMove)
{
    std::string fen;
    for (int row = 1; row <= game::Rows; ++row) {
        int empty = 0;
        for (int column = 1; column <= game::Columns; ++column) {
            const std::optional<game::PieceId> piece = position.pieceAt({row, column});
            if (!piece) {
                ++empty;
                continue;
            }
            if (empty > 0)
                fen += std::to_string(empty);
            empty = 0;
            fen += fenLetter(*piece);
        }
        if (empty > 0)
            fen += std::to_string(empty);
        if (row < game::Rows)
            fen += '/';
    }
    fen += redToMove ? " w" : " b";
    return fen;
}

} // namespace corvane::computer
