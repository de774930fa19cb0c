#include "net/protocol/MessageValidation.h"

#include "game/BoardLayout.h"
#include "game/BoardState.h"
#include "game/PointCode.h"

#include <string>

namespace corvane::protocol {

namespace {

// The image the window finds under `name` (ignoring case, as the window's
// lookup does), provided that it is a piece image.
game::BoardImage* findPieceImage(game::BoardState& board, const std::string& name)
{
    game::BoardImage* image = board.findImage(name);
    return image && game::findPiece(image->name()) ? image : nullptr;
}

game::BoardImage* findPointImage(game::BoardState& board, const std::string& name)
{
    game::BoardImage* image = board.findImage(name);
    return image && game::findPoint(image->name()) ? image : nullptr;
}

} // namespace

std::optional<BoardChange> validateBoardChange(const MessageFields& fields, game::BoardState& board,
                                               bool targetIsPoint)
{
    const std::string& fromRow = fields[3];
    const std::string& fromColumn = fields[4];
    const std::string& toRow = fields[5];
    const std::string& toColumn = fields[6];
    if (!game::isRowText(fromRow) || !game::isColumnText(fromColumn) || !game::isRowText(toRow)
        || !game::isColumnText(toColumn))
        return std::nullopt;

    game::BoardImage* piece = findPieceImage(board, fields[1]);
    game::BoardImage* target = targetIsPoint ? findPointImage(board, fields[2]) : findPieceImage(board, fields[2]);
    if (!piece || !target)
        return std::nullopt;

    // The texts are checked digits of 1..10 and 1..9, so stoi cannot fail.
    return BoardChange{piece,
                       target,
                       std::stoi(fromRow),
                       std::stoi(fromColumn),
                       std::stoi(toRow),
                       std::stoi(toColumn),
                       game::joinPointCode(toRow, toColumn)};
}

} // namespace corvane::protocol
