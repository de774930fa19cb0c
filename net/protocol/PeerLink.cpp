#include "net/protocol/PeerLink.h"

#include <algorithm>

#include "net/protocol/MessageText.h"
#include "net/protocol/MoveText.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::protocol {

namespace {

constexpr std::int64_t HelloEarlyInterval = 2000;  // while discovery is young
constexpr std::int64_t HelloEarlyPeriod = 30000;   // how long it is young
constexpr std::int64_t HelloLateInterval = 30000;  // afterwards
constexpr std::int64_t NoAnswerNotice = 5000;      // an unacknowledged move is told after this
constexpr std::int64_t ClassicSilentNotice = 60000;
constexpr std::int64_t BehindPatience = 3000;      // the peer's own resend should have come by then
constexpr int ClassicMovesBeforeGivingUp = 2;

// 1, 2, 4, 4 ... s after the first, second, third ... send.
std::int64_t resendDelay(int sends)
{
    return sends <= 1 ? 1000 : sends == 2 ? 2000 : 4000;
}

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
        // Our own hello: this window sends to itself.
        if (m_peer != PeerKind::Corvane) {
            m_peer = PeerKind::HotSeat;
            m_discoveryStart.reset();
        }
        return;
    }
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
            } else if (m_pendingMove) {
                runResend(*m_pendingMove, m_host.milliseconds());
            } else {
                sendQuiet(linkMove(m_ply, m_lastMoveText));
            }
            return;
        }
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
    m_lastMoveMine = false;
    m_lastMoveText.clear();
    m_handler.forgetLastMove();
    m_pendingMove.reset();
    m_pendingAsk.reset();
    m_behindSince.reset();
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

// --- sending ---

bool PeerLink::sendMove(const game::Move& move)
{
    checkPeerAddress();
    const std::string text = encodeMove(move);
    ++m_ply;
    m_lastMoveMine = true;
    m_lastMoveText = text;
    bool sent;
    if (m_peer == PeerKind::Corvane) {
        // Kept also when this send fails: the resends try again.
        m_pendingMove = resend(linkMove(m_ply, text), m_ply);
        m_pendingDigest = digest();
        const std::string bytes = m_pendingMove->bytes; // the send may run the link again
        sent = m_host.sendDatagram(bytes, LinkHost::SendMode::Reported);
    } else {
        sent = m_host.sendDatagram(text, LinkHost::SendMode::Reported);
        if (sent && m_peer != PeerKind::HotSeat)
            m_classicSentAt = m_host.milliseconds();
    }
    finish();
    return sent;
}

bool PeerLink::sendRestart()
{
    checkPeerAddress();
    finish();
    if (m_peer != PeerKind::Corvane)
        return m_host.sendDatagram(std::string(RestartMessage), LinkHost::SendMode::Reported);
    LinkMessage restart;
    restart.word = LinkWord::Restart;
    restart.epoch = m_epoch + 1;
    const std::string bytes = encodeLinkMessage(restart);
    if (!m_host.sendDatagram(bytes, LinkHost::SendMode::Reported))
        return false; // as in V1.0: no restart without its notice
    m_epoch = restart.epoch;
    m_pendingRestart = resend(bytes, m_epoch);
    finish();
    return true;
}

bool PeerLink::sendChat(const std::string& v1ChatMessage)
{
    checkPeerAddress();
    finish();
    if (m_peer != PeerKind::Corvane)
        return m_host.sendDatagram(v1ChatMessage, LinkHost::SendMode::Reported);
    LinkMessage chat;
    chat.word = LinkWord::Chat;
    chat.number = m_nextChatNumber;
    chat.payload = splitMessage(v1ChatMessage)[6];
    const std::string bytes = encodeLinkMessage(chat);
    if (!m_host.sendDatagram(bytes, LinkHost::SendMode::Reported))
        return false; // the line stays in the input box
    ++m_nextChatNumber;
    m_pendingChats.push_back(resend(bytes, chat.number));
    finish();
    return true;
}

void PeerLink::boardWasReset()
{
    checkPeerAddress();
    m_ply = 0;
    m_lastMoveMine = false;
    m_lastMoveText.clear();
    m_handler.forgetLastMove();
    m_pendingMove.reset();
    m_pendingAsk.reset();
    m_behindSince.reset();
    m_classicSentAt.reset();
    m_noAnswerShown = false;
    if (m_peer != PeerKind::Corvane)
        startDiscovery();
    finish();
}

void PeerLink::startDiscovery()
{
    if (!m_extended)
        return;
    if (m_peer == PeerKind::HotSeat)
        m_peer = PeerKind::Unknown; // the settings may have changed: ask again
    if (m_peer == PeerKind::Classic)
        return;
    m_discoveryStart = m_host.milliseconds();
    m_nextHello = *m_discoveryStart + HelloEarlyInterval;
    sendHello(0);
}

void PeerLink::provePeer()
{
    if (m_peer == PeerKind::Corvane)
        return;
    m_peer = PeerKind::Corvane;
    m_discoveryStart.reset();
    m_classicSentAt.reset();
    // Our last move went in V1.0 form: send it again in link form (a copy
    // the peer already has is only acknowledged).
    if (m_lastMoveMine && m_ply > 0 && !m_pendingMove) {
        m_pendingMove = resend(linkMove(m_ply, m_lastMoveText), m_ply);
        m_pendingDigest = digest();
        sendQuiet(m_pendingMove->bytes);
    }
}

void PeerLink::checkPeerAddress()
{
    const std::string address = m_host.peerAddress();
    if (address == m_peerAddress)
        return;
    const bool first = m_peerAddress.empty();
    m_peerAddress = address;
    if (first)
        return;
    // Another peer: whatever we knew of the old one does not hold.
    m_peer = PeerKind::Unknown;
    m_peerNonce = 0;
    m_peerKnowsUs = false;
    m_classicMoves = 0;
    m_pendingMove.reset();
    m_pendingRestart.reset();
    m_pendingAsk.reset();
    m_pendingChats.clear();
    startDiscovery();
}

void PeerLink::sendHello(std::uint64_t answered)
{
    LinkMessage hello;
    hello.word = LinkWord::Hello;
    hello.nonce = m_nonce;
    hello.answered = answered;
    hello.epoch = m_epoch;
    hello.ply = m_ply;
    hello.digest = digest();
    sendQuiet(encodeLinkMessage(hello));
}

void PeerLink::sendAck()
{
    LinkMessage ack;
    ack.word = LinkWord::Ack;
    ack.epoch = m_epoch;
    ack.ply = m_ply;
    ack.digest = digest();
    sendQuiet(encodeLinkMessage(ack));
}

void PeerLink::sendBoard()
{
    LinkMessage board;
    board.word = LinkWord::Board;
    board.epoch = m_epoch;
    board.ply = m_ply;
    board.digest = digest();
    board.turn = turnForPeer();
    board.payload = encodeBoardText(m_position);
    sendQuiet(encodeLinkMessage(board));
    noteRepair();
}

void PeerLink::askForBoard()
{
    if (m_pendingAsk && m_pendingAsk->key == m_ply)
        return; // already asking
    LinkMessage ask;
    ask.word = LinkWord::AskBoard;
    ask.epoch = m_epoch;
    ask.ply = m_ply;
    m_pendingAsk = resend(encodeLinkMessage(ask), m_ply);
    sendQuiet(m_pendingAsk->bytes);
}

void PeerLink::sendQuiet(const std::string& bytes)
{
    m_outbox.push_back(bytes);
}

PeerLink::Resend PeerLink::resend(std::string bytes, std::uint32_t key)
{
    const std::int64_t now = m_host.milliseconds();
    return Resend{std::move(bytes), key, now, now + resendDelay(1), 1};
}

void PeerLink::runResend(Resend& item, std::int64_t now)
{
    sendQuiet(item.bytes);
    ++item.sends;
    item.due = now + resendDelay(item.sends);
}

std::string PeerLink::linkMove(std::uint32_t ply, const std::string& text) const
{
    LinkMessage move;
    move.word = LinkWord::Move;
    move.epoch = m_epoch;
    move.ply = ply;
    move.digest = digest();
    move.ack = ply - 1;
    move.payload = text;
    return encodeLinkMessage(move);
}

LinkTurn PeerLink::turnForPeer() const
{
    if (m_position.isOver())
        return LinkTurn::None;
    if (m_ply == 0)
        return LinkTurn::Both;
    if (!m_lastMoveMine)
        return LinkTurn::None; // the peer moved last: it waits for us
    return m_lastMoveText.starts_with("blk") ? LinkTurn::Red : LinkTurn::Black;
}

std::uint32_t PeerLink::digest() const
{
    return positionDigest(m_position);
}

// --- time ---

void PeerLink::tick()
{
    const std::int64_t now = m_host.milliseconds();
    if (m_discoveryStart && now >= m_nextHello) {
        sendHello(0);
        m_nextHello = now + (now - *m_discoveryStart < HelloEarlyPeriod ? HelloEarlyInterval : HelloLateInterval);
    }
    for (std::optional<Resend>* item : {&m_pendingMove, &m_pendingRestart, &m_pendingAsk})
        if (*item && now >= (*item)->due)
            runResend(**item, now);
    for (Resend& chat : m_pendingChats)
        if (now >= chat.due)
            runResend(chat, now);

    const std::optional<Resend>& waiting = m_pendingMove ? m_pendingMove : m_pendingRestart;
    if (waiting && !m_noAnswerShown && now - waiting->firstSent >= NoAnswerNotice) {
        m_noAnswerShown = true;
        systemLine(TextNoAnswer);
    }
    if (m_classicSentAt && now - *m_classicSentAt >= ClassicSilentNotice) {
        m_classicSentAt.reset();
        systemLine(TextClassicSilent);
    }
    if (m_behindSince && now - *m_behindSince >= BehindPatience) {
        m_behindSince.reset();
        askForBoard();
    }
    finish();
}

void PeerLink::finish()
{
    // Sent last, when the link's state is whole: a send may wait for a host
    // lookup, and datagrams handled meanwhile run the link again.
    while (!m_outbox.empty()) {
        const std::vector<std::string> batch = std::move(m_outbox);
        m_outbox.clear();
        for (const std::string& bytes : batch)
            m_host.sendDatagram(bytes, LinkHost::SendMode::Quiet);
    }

    std::optional<std::int64_t> next;
    auto consider = [&next](std::int64_t at) { next = next ? std::min(*next, at) : at; };
    if (m_discoveryStart)
        consider(m_nextHello);
    for (const std::optional<Resend>* item : {&m_pendingMove, &m_pendingRestart, &m_pendingAsk})
        if (*item)
            consider((*item)->due);
    for (const Resend& chat : m_pendingChats)
        consider(chat.due);
    const std::optional<Resend>& waiting = m_pendingMove ? m_pendingMove : m_pendingRestart;
    if (waiting && !m_noAnswerShown)
        consider(waiting->firstSent + NoAnswerNotice);
    if (m_classicSentAt)
        consider(*m_classicSentAt + ClassicSilentNotice);
    if (m_behindSince)
        consider(*m_behindSince + BehindPatience);
    m_host.wakeUpAt(next);
}

void PeerLink::systemLine(const char* text)
{
    m_effects.setReceivedText(std::string(TextRestartHeading) + m_effects.currentDate() + "  " +
                              m_effects.currentTime() + "\r\n" + text);
}

void PeerLink::noteRepair()
{
    const std::pair<std::uint32_t, std::uint32_t> at{m_epoch, m_ply};
    if (m_lastRepair == at)
        return; // one line for one repair, however often it is asked for
    m_lastRepair = at;
    ++m_repairs;
    systemLine(TextRepaired);
}

} // namespace corvane::protocol
