#include "net/protocol/PeerMessageHandler.h"

#include "game/BoardLayout.h"
#include "game/BoardState.h"
#include "game/MoveFlow.h"
#include "net/protocol/Gbk.h"
#include "net/protocol/MessageValidation.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::protocol {

namespace {

using game::BoardImage;
using game::BoardState;
using game::DragMode;

void setSideDragMode(BoardState& board, game::Side side, DragMode mode)
{
    const int first = side == game::Side::Black ? game::FirstBlackPieceNumber : game::FirstRedPieceNumber;
    const int last = side == game::Side::Black ? game::LastBlackPieceNumber : game::LastRedPieceNumber;
    for (int n = first; n <= last; ++n) {
        if (BoardImage* piece = board.findImage(game::imageName(n)))
            piece->setDragMode(mode);
    }
}

// The side that just moved is locked and the other may move.
void passTurn(BoardState& board, game::Side moved)
{
    const game::Side other = moved == game::Side::Black ? game::Side::Red : game::Side::Black;
    setSideDragMode(board, moved, DragMode::Manual);
    setSideDragMode(board, other, DragMode::Automatic);
}

void applyMove(BoardState& board, const BoardChange& change)
{
    change.piece->setLeft(change.target->left());
    change.piece->setTop(change.target->top());
    change.piece->setTag(change.toCode);
    board.grid().set(change.fromRow, change.fromColumn, 0);
    board.grid().set(change.toRow, change.toColumn, 1);
}

void applyCapture(BoardState& board, const BoardChange& change)
{
    change.target->setVisible(false);
    applyMove(board, change);
}

enum class Action { Move, Capture, GeneralTaken };

struct BoardCommand {
    std::string_view word;
    ReceivedCommand result;
    Action action;
    game::Side mover;  // whose pieces are locked (the other side's unlocked)
};

// The six commands that change the board, in the order field 1 is compared.
constexpr BoardCommand BoardCommands[] = {
    {command::BlackMove, ReceivedCommand::BlackMove, Action::Move, game::Side::Black},
    {command::RedMove, ReceivedCommand::RedMove, Action::Move, game::Side::Red},
    {command::BlackTakesRed, ReceivedCommand::BlackTakesRed, Action::Capture, game::Side::Black},
    {command::RedTakesBlack, ReceivedCommand::RedTakesBlack, Action::Capture, game::Side::Red},
    {command::BlackGeneralTaken, ReceivedCommand::BlackGeneralTaken, Action::GeneralTaken, game::Side::Red},
    {command::RedGeneralTaken, ReceivedCommand::RedGeneralTaken, Action::GeneralTaken, game::Side::Black},
};

} // namespace

PeerMessageHandler::PeerMessageHandler(game::BoardState& board, ReceiveEffects& effects)
    : board_(board), effects_(effects)
{
}

ReceivedCommand PeerMessageHandler::handleDatagram(std::string_view bytes)
{
    if (bytes.size() > MaxDatagramSize)
        return ReceivedCommand::Discarded;
    const MessageFields fields = splitMessage(bytes);
    const std::string& word = fields[0];

    for (const BoardCommand& entry : BoardCommands) {
        if (word != entry.word)
            continue;
        // Everything is checked before anything changes: a bad datagram is
        // discarded whole, lock switch included.
        const auto change = validateBoardChange(fields, board_, entry.action == Action::Move);
        if (!change)
            return ReceivedCommand::Discarded;
        switch (entry.action) {
        case Action::Move:
            passTurn(board_, entry.mover);
            applyMove(board_, *change);
            break;
        case Action::Capture:
            passTurn(board_, entry.mover);
            applyCapture(board_, *change);
            break;
        case Action::GeneralTaken:
            // No lock changes: both windows stay locked until a restart.
            applyCapture(board_, *change);
            effects_.showInformation(TextGameLost);
            break;
        }
        return entry.result;
    }

    if (word == command::Restart) {
        effects_.playNotificationSound();
        effects_.resetBoard();
        effects_.setReceivedText(std::string(TextRestartHeading) + effects_.currentDate() + "  "
                                 + effects_.currentTime() + "\r\n" + TextRestartNotice);
        return ReceivedCommand::Restart;
    }
    if (word == command::Chat) {
        effects_.playNotificationSound();
        effects_.setReceivedText(gbkToUtf8(fields[6]));
        return ReceivedCommand::Chat;
    }
    if (word == command::Close) {
        game::lockAllPieces(board_);
        effects_.showInformation(TextPeerLeft);
        return ReceivedCommand::Close;
    }
    return ReceivedCommand::Ignored;
}

} // namespace corvane::protocol
