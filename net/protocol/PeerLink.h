#pragma once
// The link between this window and its peer: what every datagram goes
// through, in and out, on top of the V1.0 receive side.
//
// Towards a peer that has not shown it is a Corvane (a V1.0 peer, or one not
// heard from yet) it sends exactly what V1.0 sends and never resends; the only
// addition is a hello, which a V1.0 receiver ignores. A window that receives
// its own hello is at one board (hot-seat) and stays pure V1.0.
//
// Towards a proven Corvane moves are numbered (epoch, ply) and carry a digest
// of the position; each is resent after 1, 2, 4, 4 ... s until acknowledged.
// A receiver applies the next ply only, drops copies, and repairs a gap or a
// digest mismatch by asking for the whole position. Restarts raise the epoch
// and chat lines are numbered; both are resent until acknowledged.
//
// The link is plain C++ and keeps no clock of its own: the host tells it the
// time and is told when the link next needs tick().

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "net/protocol/LinkMessage.h"
#include "net/protocol/PeerMessageHandler.h"

namespace corvane::protocol {

class ReceiveEffects;

class LinkHost {
public:
    // A send the player caused (a move, a restart, a chat line) reports its
    // failure to the player; the link's own sends (hellos, resends,
    // acknowledgements) fail silently and are tried again.
    enum class SendMode { Reported, Quiet };

    virtual ~LinkHost() = default;
    // Sends one datagram to the configured peer; false when it failed.
    virtual bool sendDatagram(const std::string& bytes, SendMode mode) = 0;
    // A monotonic clock in milliseconds.
    virtual std::int64_t milliseconds() = 0;
    // Where datagrams go and come from (host, ports): when it changes, the
    // peer is a stranger again.
    virtual std::string peerAddress() = 0;
    // tick() is due at `ms` (nothing: no timer needed).
    virtual void wakeUpAt(std::optional<std::int64_t> ms) = 0;
};

class PeerLink {
public:
    enum class PeerKind {
        Unknown, // not heard from: V1.0 messages, hellos
        HotSeat, // our own hello came back: pure V1.0
        Classic, // two moves of the peer in V1.0 form and no hello: pure V1.0
        Corvane, // the peer speaks the link messages
    };

    // `nonce` identifies this window (random, non-zero). `extended` false
    // makes a pure V1.0 window (no hello, no link message ever sent).
    PeerLink(game::Position& position, ReceiveEffects& effects, LinkHost& host, std::uint64_t nonce,
             bool extended = true);

    // Every datagram received, exactly as received.
    void handleDatagram(std::string_view bytes);

    // What the player did; each returns whether the send went out (when it
    // did not, the host has told the player why).
    bool sendMove(const game::Move& move);
    bool sendRestart();
    bool sendChat(const std::string& v1ChatMessage);

    // The owner's board reset ran (first show, restart, received restart).
    void boardWasReset();

    // Runs what is due: hellos, resends, the player's system lines.
    void tick();

    // Texts of the system lines in Memo2 (UTF-8).
    static constexpr const char* TextNoAnswer = "对方暂未应答，正在继续发送……";
    static constexpr const char* TextAnswered = "已与对方恢复联系，走棋已送达。";
    static constexpr const char* TextRepaired = "棋盘已与对方核对并更正。";
    static constexpr const char* TextClassicSilent = "对方一分钟未走棋，可能没有收到你的走棋。";

private:
    // One message resent until it is acknowledged.
    struct Resend {
        std::string bytes;
        std::uint32_t key = 0; // the ply, the epoch or the chat line's number
        std::int64_t firstSent = 0;
        std::int64_t due = 0;
        int sends = 1;
    };

    void handleLink(const LinkMessage& message);
    void handleHello(const LinkMessage& message);
    void handleClassic(std::string_view bytes);
    void handleMove(const LinkMessage& message);
    void handleAck(const LinkMessage& message);
    void handleBoard(const LinkMessage& message);
    void handleChat(const LinkMessage& message);
    // False when the message is of an older epoch (dropped); a newer one
    // restarts this board first.
    bool followEpoch(std::uint32_t epoch);

    void provePeer();
    void checkPeerAddress();
    void forgetPeer();
    void startDiscovery();
    void sendHello(std::uint64_t answered);
    void sendAck();
    void forgetMoves();
    void sendBoard();
    std::string boardMessage() const;
    void askForBoard();
    // `digest`: the acknowledger's position at `ply`, when it says.
    void acknowledgedUpTo(std::uint32_t ply, std::optional<std::uint32_t> digest);
    void restartFromPeer(std::uint32_t epoch);
    void systemLine(const char* text);
    void noteRepair();

    // Queues one of the link's own datagrams; finish() sends them.
    void sendQuiet(const std::string& bytes);
    Resend resend(std::string bytes, std::uint32_t key);
    void runResend(Resend& item, std::int64_t now);
    std::string linkMove(std::uint32_t ply, const std::string& text) const;
    LinkTurn turnForPeer() const;
    std::uint32_t digest() const;
    // Sends what is queued and tells the host when tick() is due next.
    void finish();

    game::Position& m_position;
    ReceiveEffects& m_effects;
    LinkHost& m_host;
    PeerMessageHandler m_handler;
    const std::uint64_t m_nonce;
    const bool m_extended;

    PeerKind m_peer = PeerKind::Unknown;
    std::string m_peerAddress;
    std::uint64_t m_peerNonce = 0;
    bool m_peerKnowsUs = false; // it sends us link messages: its V1.0 moves are stale copies
    int m_classicMoves = 0;     // the peer's V1.0 moves while it was unknown

    std::uint32_t m_epoch = 0;
    std::uint32_t m_ply = 0;
    std::string m_lastMoveText; // the move of ply m_ply, in V1.0 form
    bool m_lastMoveMine = false;

    std::optional<Resend> m_pendingMove;
    std::uint32_t m_pendingDigest = 0; // our position after the pending move
    std::optional<Resend> m_pendingRestart;
    std::optional<Resend> m_pendingAsk;
    std::vector<Resend> m_pendingChats;
    std::uint32_t m_nextChatNumber = 1;
    std::set<std::uint32_t> m_shownChats;

    std::optional<std::int64_t> m_discoveryStart;
    std::int64_t m_nextHello = 0;
    std::optional<std::int64_t> m_behindSince; // the peer acknowledged plies we have not seen
    std::optional<std::int64_t> m_classicSentAt; // our V1.0 move, unanswered since
    bool m_noAnswerShown = false;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> m_lastRepair; // (epoch, ply)
    std::vector<std::string> m_outbox;
};

} // namespace corvane::protocol
