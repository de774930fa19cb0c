#include "net/protocol/MoveText.h"

#include <string>

#include "net/protocol/ImageNames.h"
#include "net/protocol/PointCode.h"

namespace corvane::protocol {

namespace {

// `name` with its "Image" prefix, if it has one in any letter case, written
// as the board writes it: the peer's lookup ignores letter case.
std::string foldedPrefix(std::string_view name)
{
    constexpr std::string_view prefix = "Image";
    const auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
    std::string folded(name);
    for (std::size_t i = 0; i < prefix.size() && i < folded.size(); ++i)
        if (lower(folded[i]) == lower(prefix[i]))
            folded[i] = prefix[i];
    return folded;
}

// A row or column text that passed isRowText / isColumnText.
int textValue(std::string_view text)
{
    int value = 0;
    for (char ch : text)
        value = value * 10 + (ch - '0');
    return value;
}

std::string_view commandWord(const game::Move& move)
{
    const bool black = game::pieceInfo(move.piece).side == game::Side::Black;
    if (!move.taken)
        return black ? command::BlackMove : command::RedMove;
    // A taken general is named by the side that lost it.
    if (move.endsGame)
        return black ? command::RedGeneralTaken : command::BlackGeneralTaken;
    return black ? command::BlackTakesRed : command::RedTakesBlack;
}

} // namespace

std::string pieceName(game::PieceId piece)
{
    return imageName(pieceNumber(piece));
}

std::string pointName(game::Point point)
{
    return imageName(pointNumber(point));
}

std::optional<game::PieceId> pieceNamed(std::string_view name)
{
    return findPiece(foldedPrefix(name));
}

std::optional<game::Point> pointNamed(std::string_view name)
{
    return findPoint(foldedPrefix(name));
}

std::string encodeMove(const game::Move& move)
{
    const SplitPoint from = splitPointCode(move.from.code());
    const SplitPoint to = splitPointCode(move.to.code());
    const std::string target = move.taken ? pieceName(*move.taken) : pointName(move.onto);
    return composeMessage(commandWord(move), pieceName(move.piece), target, from.rowText, from.columnText, to.rowText,
                          to.columnText);
}

std::optional<game::Move> decodeMove(const MessageFields& fields, MoveKind kind, game::Side mover)
{
    const std::string& fromRow = fields[3];
    const std::string& fromColumn = fields[4];
    const std::string& toRow = fields[5];
    const std::string& toColumn = fields[6];
    if (!isRowText(fromRow) || !isColumnText(fromColumn) || !isRowText(toRow) || !isColumnText(toColumn))
        return std::nullopt;

    const std::optional<game::PieceId> piece = pieceNamed(fields[1]);
    if (!piece)
        return std::nullopt;
    game::Move move;
    move.piece = *piece;
    move.from = game::Point{textValue(fromRow), textValue(fromColumn)};
    // The point joined from the two texts: "10" and "3" give 103, row 10.
    move.to = game::pointOfCode(joinPointCode(toRow, toColumn));
    if (kind == MoveKind::Move) {
        const std::optional<game::Point> onto = pointNamed(fields[2]);
        if (!onto)
            return std::nullopt;
        move.onto = *onto;
    } else {
        move.taken = pieceNamed(fields[2]);
        if (!move.taken)
            return std::nullopt;
        move.onto = move.to;
    }
    if (kind == MoveKind::GeneralTaken)
        move.endsGame = true; // no lock changes: both windows stay locked until a restart
    else
        move.passTurnFrom = mover;
    return move;
}

} // namespace corvane::protocol
