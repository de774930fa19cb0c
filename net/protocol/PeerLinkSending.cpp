// PeerLink: what the player sends, discovery, resends and the time-driven
// lines; receiving is in PeerLink.cpp.
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
constexpr std::int64_t BehindPatience = 8000;      // the peer's own resends (1, 3, 7 s) should have come by then

// 1, 2, 4, 4 ... s after the first, second, third ... send.
std::int64_t resendDelay(int sends)
{
    return sends <= 1 ? 1000 : sends == 2 ? 2000 : 4000;
}

} // namespace

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

// What the link knows of the moves since the last reset or installed
// position: the last move of each side and what waits for an answer.
void PeerLink::forgetMoves()
{
    m_lastMoveMine = false;
    m_lastMoveText.clear();
    m_handler.forgetLastMove();
    m_pendingMove.reset();
    m_pendingAsk.reset();
    m_behindSince.reset();
}

void PeerLink::boardWasReset()
{
    checkPeerAddress();
    m_ply = 0;
    forgetMoves();
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
    forgetPeer();
    startDiscovery();
}

void PeerLink::forgetPeer()
{
    m_peer = PeerKind::Unknown;
    m_peerNonce = 0;
    m_peerKnowsUs = false;
    m_classicMoves = 0;
    m_pendingMove.reset();
    m_pendingRestart.reset();
    m_pendingAsk.reset();
    m_pendingChats.clear();
    m_noAnswerShown = false;
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
    sendQuiet(boardMessage());
    noteRepair();
}

std::string PeerLink::boardMessage() const
{
    LinkMessage board;
    board.word = LinkWord::Board;
    board.epoch = m_epoch;
    board.ply = m_ply;
    board.digest = digest();
    board.turn = turnForPeer();
    board.payload = encodeBoardText(m_position);
    return encodeLinkMessage(board);
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
    systemLine(TextRepaired);
}

} // namespace corvane::protocol
