// PeerLink: receiving; what the player sends, discovery and the timers are
// in PeerLinkSending.cpp.
#include "net/protocol/PeerLink.h"

#include <algorithm>

#include "net/protocol/MessageText.h"
#include "net/protocol/MoveText.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::protocol {

namespace {

constexpr int ClassicMovesBeforeGivingUp = 2;

bool isBoardCommand(ReceivedCommand command)
{
    switch (command) {
    case ReceivedCommand::BlackMove:
    case ReceivedCommand::RedMove:
    case ReceivedCommand::BlackTakesRed:
    case ReceivedCommand::RedTakesBlack:
    case ReceivedCommand::BlackGeneralTaken:
    case ReceivedCommand::RedGeneralTaken: return true;
    default: return false;
    }
}

std::string_view wordOf(std::string_view bytes)
{
    return bytes.substr(0, bytes.find(FieldSeparator));
}

} // namespace

PeerLink::PeerLink(game::Position& position, ReceiveEffects& effects, LinkHost& host, std::uint64_t nonce,
                   bool extended)
    : m_position(position), m_effects(effects), m_host(host), m_handler(position, effects),
      m_nonce(nonce ? nonce : 1), m_extended(extended)
{ }

// --- receiving ---

void PeerLink::handleDatagram(std::string_view bytes)
{
    checkPeerAddress();
    if (m_extended && isLinkWord(bytes)) {
        if (const std::optional<LinkMessage> message = decodeLinkMessage(bytes))
            handleLink(*message);
    } else {
        handleClassic(bytes);
    }
    finish();
}

void PeerLink::handleClassic(std::string_view bytes)
{
    const std::string_view word = wordOf(bytes);
    // A peer that speaks link messages to us sent these before it knew us;
    // their link copies have come or will come, so a late copy must not
    // move a piece or wipe the game again.
    if (m_peerKnowsUs && m_peer == PeerKind::Corvane &&
        (word == command::Restart || PeerMessageHandler::isValidMove(bytes)))
        return;
    // A Corvane that has not heard of us yet, answering while our own move
    // is unacknowledged: its move may have been made without ours. Its link
    // copy, numbered, comes once it knows us; tell it now.
    if (m_peer == PeerKind::Corvane && m_pendingMove && PeerMessageHandler::isValidMove(bytes)) {
        sendHello(m_peerNonce);
        return;
    }

    const bool ownEcho = m_lastMoveMine && bytes == m_lastMoveText; // at one board, our move comes back
    if (word == command::Close && m_peer == PeerKind::Corvane) {
        // The peer's program is gone: nothing it has not taken is wanted any
        // more, and a program started there is a stranger until it says hello.
        forgetPeer();
    }
    const ReceivedCommand result = m_handler.handleDatagram(bytes);
    if (!isBoardCommand(result))
        return;
    m_classicSentAt.reset();
    if (ownEcho || m_peer == PeerKind::HotSeat)
        return;
    ++m_ply;
    m_lastMoveMine = false;
    m_lastMoveText = std::string(bytes);
    if (m_peer == PeerKind::Unknown && ++m_classicMoves >= ClassicMovesBeforeGivingUp) {
        m_peer = PeerKind::Classic;
        m_discoveryStart.reset();
    }
    if (m_peer == PeerKind::Corvane)
        sendAck(); // tells a Corvane that does not know us yet that we speak the link
}

void PeerLink::handleLink(const LinkMessage& message)
{
    if (message.word == LinkWord::Hello) {
        handleHello(message);
        return;
    }
    if (m_peer == PeerKind::HotSeat)
        return; // our datagrams come back to us: whoever else sends here is not our peer
    provePeer();
    m_peerKnowsUs = true;
    switch (message.word) {
    case LinkWord::Chat: handleChat(message); return;
    case LinkWord::ChatAck:
        std::erase_if(m_pendingChats, [&](const Resend& r) { return r.key == message.number; });
        return;
    default: break;
    }
    if (!followEpoch(message.epoch))
        return;
    switch (message.word) {
    case LinkWord::Restart: sendAck(); break;
    case LinkWord::Move: handleMove(message); break;
    case LinkWord::Ack: handleAck(message); break;
    case LinkWord::AskBoard: sendBoard(); break;
    case LinkWord::Board: handleBoard(message); break;
    default: break;
    }
}

void PeerLink::handleHello(const LinkMessage& message)
{
    if (message.nonce == m_nonce) {
        // Our own hello (an answer would carry the other's nonce): this
        // window sends to itself, whatever else has sent to it meanwhile.
        if (message.answered == 0 && m_peer != PeerKind::HotSeat) {
            forgetPeer();
            m_peer = PeerKind::HotSeat;
            m_discoveryStart.reset();
            m_classicSentAt.reset(); // our move comes back to us, not to a peer
        }
        return;
    }
    if (m_peer == PeerKind::HotSeat)
        return; // a stranger's hello: we play at one board and stay V1.0
    if (message.nonce != m_peerNonce) {
        // Another program on the other side (or the first we hear of).
        m_peerNonce = message.nonce;
        m_peerKnowsUs = false;
        m_shownChats.clear();
    }
    provePeer();
    if (message.answered == m_nonce)
        m_peerKnowsUs = true;
    if (message.answered == 0)
        sendHello(message.nonce);
    if (message.epoch > m_epoch) {
        restartFromPeer(message.epoch);
        if (message.ply > 0)
            askForBoard();
    } else if (message.epoch == m_epoch && m_ply == 0 && message.ply > 0) {
        askForBoard(); // we came late to a game in progress
    }
}

bool PeerLink::followEpoch(std::uint32_t epoch)
{
    if (epoch < m_epoch)
        return false;
    if (epoch > m_epoch)
        restartFromPeer(epoch);
    m_pendingRestart.reset(); // the peer is in our epoch: it has our restart
    return true;
}

void PeerLink::restartFromPeer(std::uint32_t epoch)
{
    m_epoch = epoch;
    m_pendingRestart.reset();
    // Exactly what a received "chongxin" does: the sound, the reset (which
    // comes back to boardWasReset) and the notice.
    m_handler.handleDatagram(RestartMessage);
}

void PeerLink::handleMove(const LinkMessage& message)
{
    acknowledgedUpTo(message.ack, std::nullopt); // the peer moved after it
    if (message.ply <= m_ply) {
        if (message.ply == m_ply && m_lastMoveMine && message.payload != m_lastMoveText) {
            // Both moved at this ply (both boards were open): the text that
            // sorts first stands; the other side takes the winner's position.
            if (message.payload < m_lastMoveText) {
                m_pendingMove.reset();
                askForBoard();
            } else {
                // The loser will ask for our position: it is on its way, and
                // it is what we resend until the loser acknowledges it.
                sendBoard();
                if (m_pendingMove)
                    m_pendingMove->bytes = boardMessage();
            }
            return;
        }
        if (m_pendingMove && m_pendingMove->key == message.ply + 1)
            sendQuiet(m_pendingMove->bytes); // the copy says our answer has not arrived: it carries the ack
        else
            sendAck(); // a copy: its acknowledgement was lost or is on its way
        return;
    }
    if (message.ply > m_ply + 1 || !PeerMessageHandler::isValidMove(message.payload)) {
        askForBoard();
        return;
    }
    m_pendingMove.reset(); // the peer answered our move, so it has it
    ++m_ply;
    m_lastMoveMine = false;
    m_lastMoveText = message.payload;
    m_behindSince.reset();
    m_handler.forgetLastMove(); // the ply says it is new
    const std::uint32_t epoch = m_epoch;
    const std::uint32_t ply = m_ply;
    // A lost game's box waits for the player, and datagrams are handled
    // meanwhile (copies of this move are acknowledged then).
    m_handler.handleDatagram(message.payload);
    if (m_epoch != epoch || m_ply != ply)
        return; // the game went on inside the box's wait
    if (digest() != message.digest) {
        m_effects.showChange(m_position.lockBothSides());
        askForBoard();
        return;
    }
    sendAck();
}

void PeerLink::handleAck(const LinkMessage& message)
{
    // An acknowledgement of our own ply must show our position: the peer
    // may hold a move of its own at that ply (both moved at once), which
    // is settled when our resend reaches it. A peer that applied our move
    // onto another position finds that out itself and asks for ours.
    acknowledgedUpTo(message.ply, message.digest);
    if (message.ply > m_ply && !m_behindSince)
        m_behindSince = m_host.milliseconds();
}

void PeerLink::handleBoard(const LinkMessage& message)
{
    if (message.ply < m_ply || (!m_pendingAsk && message.ply == m_ply && message.digest == digest())) {
        if (message.ply == m_ply)
            sendAck();
        return;
    }
    const std::optional<game::Position> position = decodeBoardText(message.payload, message.turn);
    if (!position || positionDigest(*position) != message.digest)
        return;
    m_position = *position;
    game::Change change;
    change.everything = true;
    change.turnChanged = true;
    m_effects.showChange(change);
    m_ply = message.ply;
    forgetMoves();
    noteRepair();
    sendAck();
}

void PeerLink::handleChat(const LinkMessage& message)
{
    if (m_shownChats.insert(message.number).second)
        m_handler.handleDatagram(composeMessage(command::Chat, "2", "3", "4", "5", "6", message.payload));
    LinkMessage ack;
    ack.word = LinkWord::ChatAck;
    ack.number = message.number;
    sendQuiet(encodeLinkMessage(ack));
}

void PeerLink::acknowledgedUpTo(std::uint32_t ply, std::optional<std::uint32_t> digest)
{
    if (!m_pendingMove || m_pendingMove->key > ply)
        return;
    if (ply == m_pendingMove->key && digest && *digest != m_pendingDigest)
        return;
    m_pendingMove.reset();
    if (m_noAnswerShown) {
        m_noAnswerShown = false;
        systemLine(TextAnswered);
    }
}

} // namespace corvane::protocol
