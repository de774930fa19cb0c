#include "game/MoveFlow.h"

#include "game/BoardLayout.h"
#include "game/BoardState.h"
#include "game/GameMessage.h"
#include "game/MoveRules.h"
#include "game/PointCode.h"

namespace corvane::game {

namespace {

// Moves `piece` onto the place of `destination` and records it in the grid
// and in the piece's tag, in the order the peer's board does the same.
void placeOnBoard(BoardState& board, BoardImage& piece, const BoardImage& destination, const SplitPoint& from,
                  const SplitPoint& to)
{
    piece.setLeft(destination.left());
    piece.setTop(destination.top());
    board.grid().set(from.row, from.column, 0);
    board.grid().set(to.row, to.column, 1);
    piece.setTag(joinPointCode(to.rowText, to.columnText));
}

std::string boardMessage(std::string_view word, const BoardImage& piece, const BoardImage& target,
                         const SplitPoint& from, const SplitPoint& to)
{
    return composeMessage(word, piece.name(), target.name(), from.rowText, from.columnText, to.rowText,
                          to.columnText);
}

// Black takes red (takingSide Black, in Image18DragDrop) or red takes black.
DropResult capture(BoardState& board, Side takingSide, BoardImage& target, BoardImage& piece)
{
    if (&target == &piece || !target.isVisible() || !piece.isVisible())
        return DropResult::Rejected;
    const PieceInfo* taken = findPiece(target.name());
    if (!taken || taken->side == takingSide)
        return DropResult::Rejected;

    const SplitPoint from = splitPointCode(piece.tag());
    const SplitPoint to = splitPointCode(target.tag());
    if (!from.isOnBoard() || !to.isOnBoard())
        return DropResult::Rejected;
    if (!judgeCapture(takingSide, piece.name(), target.name(), from.row, from.column, to.row, to.column, board.grid()))
        return DropResult::Rejected;

    placeOnBoard(board, piece, target, from, to);
    target.setVisible(false);

    const bool generalTaken = taken->kind == PieceKind::General;
    std::string_view word;
    if (takingSide == Side::Black)
        word = generalTaken ? command::RedGeneralTaken : command::BlackTakesRed;
    else
        word = generalTaken ? command::BlackGeneralTaken : command::RedTakesBlack;
    board.sendMessage(boardMessage(word, piece, target, from, to));
    lockAllPieces(board);
    return generalTaken ? DropResult::GameOver : DropResult::Captured;
}

} // namespace

DropResult dropOnPoint(BoardState& board, BoardImage& point, BoardImage& piece)
{
    const PieceInfo* info = findPiece(piece.name());
    if (!info || !findPoint(point.name()) || !piece.isVisible())
        return DropResult::Rejected;

    // The texts are split before anything moves: they are what the message carries.
    const SplitPoint from = splitPointCode(piece.tag());
    const SplitPoint to = splitPointCode(point.tag());
    if (!from.isOnBoard() || !to.isOnBoard())
        return DropResult::Rejected;
    if (!judgeMove(info->name, from.row, from.column, to.row, to.column, board.grid()))
        return DropResult::Rejected;

    placeOnBoard(board, piece, point, from, to);
    const std::string_view word = info->side == Side::Black ? command::BlackMove : command::RedMove;
    board.sendMessage(boardMessage(word, piece, point, from, to));
    lockAllPieces(board);
    return DropResult::Moved;
}

DropResult dropOnRedPiece(BoardState& board, BoardImage& target, BoardImage& piece)
{
    return capture(board, Side::Black, target, piece);
}

DropResult dropOnBlackPiece(BoardState& board, BoardImage& target, BoardImage& piece)
{
    return capture(board, Side::Red, target, piece);
}

DropResult dropOnPiece(BoardState& board, BoardImage& target, BoardImage& piece)
{
    const PieceInfo* info = findPiece(target.name());
    if (!info)
        return DropResult::Rejected;
    return info->side == Side::Red ? dropOnRedPiece(board, target, piece) : dropOnBlackPiece(board, target, piece);
}

void lockAllPieces(BoardState& board)
{
    for (int n = FirstPieceNumber; n <= LastPieceNumber; ++n) {
        if (BoardImage* piece = board.findImage(imageName(n)))
            piece->setDragMode(DragMode::Manual);
    }
}

} // namespace corvane::game
