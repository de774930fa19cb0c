#include "net/protocol/PeerMessageHandler.h"

#include "game/Position.h"
#include "net/protocol/Gbk.h"
#include "net/protocol/MoveText.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::protocol {

namespace {

struct BoardCommand {
    std::string_view word;
    ReceivedCommand result;
    MoveKind kind;
    game::Side mover; // whose pieces are locked (the other side's freed)
};

// The six commands that change the board, in the order field 1 is compared.
constexpr BoardCommand BoardCommands[] = {
    {command::BlackMove, ReceivedCommand::BlackMove, MoveKind::Move, game::Side::Black},
    {command::RedMove, ReceivedCommand::RedMove, MoveKind::Move, game::Side::Red},
    {command::BlackTakesRed, ReceivedCommand::BlackTakesRed, MoveKind::Capture, game::Side::Black},
    {command::RedTakesBlack, ReceivedCommand::RedTakesBlack, MoveKind::Capture, game::Side::Red},
    {command::BlackGeneralTaken, ReceivedCommand::BlackGeneralTaken, MoveKind::GeneralTaken, game::Side::Red},
    {command::RedGeneralTaken, ReceivedCommand::RedGeneralTaken, MoveKind::GeneralTaken, game::Side::Black},
};

const BoardCommand* boardCommand(std::string_view word)
{
    for (const BoardCommand& entry : BoardCommands)
        if (word == entry.word)
            return &entry;
    return nullptr;
}

} // namespace

bool PeerMessageHandler::isValidMove(std::string_view bytes)
{
    if (bytes.size() > MaxDatagramSize)
        return false;
    const MessageFields fields = splitMessage(bytes);
    const BoardCommand* entry = boardCommand(fields[0]);
    return entry && decodeMove(fields, entry->kind, entry->mover).has_value();
}

PeerMessageHandler::PeerMessageHandler(game::Position& position, ReceiveEffects& effects)
    : m_position(position), m_effects(effects)
{ }

ReceivedCommand PeerMessageHandler::handleDatagram(std::string_view bytes)
{
    if (bytes.size() > MaxDatagramSize)
        return ReceivedCommand::Discarded;
    const MessageFields fields = splitMessage(bytes);
    const std::string& word = fields[0];

    if (const BoardCommand* found = boardCommand(word)) {
        const BoardCommand& entry = *found;
        // Everything is checked before anything changes: a bad datagram is
        // discarded whole, lock switch included.
        const std::optional<game::Move> move = decodeMove(fields, entry.kind, entry.mover);
        if (!move)
            return ReceivedCommand::Discarded;
        if (bytes == m_lastMove)
            return ReceivedCommand::Repeated;
        m_lastMove = std::string(bytes);
        // On one computer the move is already on the board and only the
        // turn passes; between two computers this is the peer's move.
        const game::Change change = m_position.apply(*move);
        m_effects.showChange(change);
        if (change.gameOver)
            m_effects.showInformation(TextGameLost);
        return entry.result;
    }

    if (word == command::Restart) {
        m_lastMove.clear();
        m_effects.playNotificationSound();
        m_effects.resetBoard();
        m_effects.setReceivedText(std::string(TextRestartHeading) + m_effects.currentDate() + "  " +
                                  m_effects.currentTime() + "\r\n" + TextRestartNotice);
        return ReceivedCommand::Restart;
    }
    if (word == command::Chat) {
        m_effects.playNotificationSound();
        m_effects.setReceivedText(gbkToUtf8(fields[6]));
        return ReceivedCommand::Chat;
    }
    if (word == command::Close) {
        m_effects.showChange(m_position.lockBothSides());
        m_effects.showInformation(TextPeerLeft);
        return ReceivedCommand::Close;
    }
    return ReceivedCommand::Ignored;
}

} // namespace corvane::protocol
