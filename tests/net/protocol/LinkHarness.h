#pragma once
// Two windows' links on simulated time, joined by a relay that loses,
// doubles, delays and reorders datagrams with a seeded generator, and two
// players that move as soon as their board lets them. Nothing waits on a
// real clock: a game of 80 moves over a 30 % lossy link takes milliseconds.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "game/MoveFlow.h"
#include "game/MoveRules.h"
#include "game/Position.h"
#include "net/protocol/LinkMessage.h"
#include "net/protocol/PeerLink.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::test_support {

struct RelayFaults {
    double loss = 0;            // each datagram lost with this chance
    double duplication = 0;     // each delivered datagram doubled with this chance
    int maxDelayMs = 40;        // delay of each copy, 0..max (reorders)
    int lateCopyMs = 0;         // a doubled copy comes this much later at most
    std::int64_t outageFrom = -1; // everything sent in [from, from + length) is lost
    std::int64_t outageLength = 0;
};

class LinkHarness;

// One window: the position, what the player sees, the link and its host.
class LinkedWindow : public protocol::ReceiveEffects, public protocol::LinkHost, public game::MoveOutlet {
public:
    LinkedWindow(LinkHarness& net, int index, bool extended, std::uint64_t nonce);

    // ReceiveEffects
    void playNotificationSound() override { }
    void showInformation(const std::string& text) override { boxes.push_back(text); }
    void setReceivedText(const std::string& text) override { memo.push_back(text); }
    std::string currentDate() override { return "2026/12/7"; }
    std::string currentTime() override { return "8:05:09"; }
    void resetBoard() override
    {
        position.reset();
        link.boardWasReset();
    }
    void showChange(const game::Change&) override { }

    // LinkHost
    bool sendDatagram(const std::string& bytes, SendMode mode) override;
    std::int64_t milliseconds() override;
    std::string peerAddress() override { return address; }
    void wakeUpAt(std::optional<std::int64_t> ms) override { wakeUp = ms; }

    // MoveOutlet
    bool sendMove(const game::Move& move) override { return link.sendMove(move); }

    // The player's restart command.
    void restart()
    {
        if (link.sendRestart())
            resetBoard();
    }

    game::Position position;
    protocol::PeerLink link;
    std::string address = "peer";
    std::optional<std::int64_t> wakeUp;
    std::vector<std::string> sent;     // every datagram this window sent
    std::vector<std::string> received; // every datagram that reached this window
    std::vector<std::string> memo;
    std::vector<std::string> boxes;
    std::int64_t sentBytes = 0;
    int sentDatagrams = 0;

private:
    LinkHarness& m_net;
    int m_index;
};

class LinkHarness {
public:
    explicit LinkHarness(std::uint32_t seed, bool extendedA = true, bool extendedB = true)
        : m_random(seed), a(*this, 0, extendedA, 0x1111111111111111ULL * (seed % 15 + 1)),
          b(*this, 1, extendedB, 0x2222222222222222ULL ^ seed)
    { }

    RelayFaults faults;
    std::int64_t now = 0;

    void send(int from, const std::string& bytes)
    {
        const int to = 1 - from;
        if (faults.outageFrom >= 0 && now >= faults.outageFrom && now < faults.outageFrom + faults.outageLength)
            return;
        if (chance(faults.loss))
            return;
        schedule(to, bytes, delay(faults.maxDelayMs));
        if (chance(faults.duplication))
            schedule(to, bytes, delay(std::max(faults.maxDelayMs, faults.lateCopyMs)));
    }

    // Runs deliveries and timers up to `until`, or until `stop` holds.
    void runUntil(std::int64_t until, const std::function<bool()>& stop = {})
    {
        for (;;) {
            if (stop && stop())
                return;
            std::int64_t next = until;
            if (!m_flight.empty())
                next = std::min(next, m_flight.begin()->first.first);
            for (LinkedWindow* w : {&a, &b})
                if (w->wakeUp)
                    next = std::min(next, std::max(*w->wakeUp, now));
            if (next >= until && (m_flight.empty() || m_flight.begin()->first.first > until)) {
                now = std::max(now, until);
                return;
            }
            now = std::max(now, next);
            if (!m_flight.empty() && m_flight.begin()->first.first <= now) {
                const auto it = m_flight.begin();
                const auto [to, bytes] = it->second;
                m_flight.erase(it);
                LinkedWindow& w = to == 0 ? a : b;
                w.received.push_back(bytes);
                w.link.handleDatagram(bytes);
                continue;
            }
            for (LinkedWindow* w : {&a, &b})
                if (w->wakeUp && *w->wakeUp <= now) {
                    w->wakeUp.reset();
                    w->link.tick();
                }
        }
    }

    // Both boards reset, as at start-up, and given time to find each other.
    void start(std::int64_t settleMs = 3000)
    {
        a.resetBoard();
        b.resetBoard();
        runUntil(now + settleMs);
    }

    bool sameBoards() const { return protocol::positionDigest(a.position) == protocol::positionDigest(b.position); }

    std::mt19937& random() { return m_random; }

    LinkedWindow a;
    LinkedWindow b;

private:
    bool chance(double p) { return p > 0 && std::uniform_real_distribution<double>(0, 1)(m_random) < p; }
    std::int64_t delay(int maxMs) { return std::uniform_int_distribution<int>(0, maxMs)(m_random); }
    void schedule(int to, const std::string& bytes, std::int64_t after)
    {
        m_flight.emplace(std::make_pair(now + after, m_sequence++), std::make_pair(to, bytes));
    }

    std::mt19937 m_random;
    std::map<std::pair<std::int64_t, std::uint64_t>, std::pair<int, std::string>> m_flight;
    std::uint64_t m_sequence = 0;
};

inline LinkedWindow::LinkedWindow(LinkHarness& net, int index, bool extended, std::uint64_t nonce)
    : link(position, *this, *this, nonce, extended), m_net(net), m_index(index)
{ }

inline bool LinkedWindow::sendDatagram(const std::string& bytes, SendMode)
{
    sentBytes += static_cast<std::int64_t>(bytes.size());
    ++sentDatagrams;
    sent.push_back(bytes);
    m_net.send(m_index, bytes);
    return true;
}

inline std::int64_t LinkedWindow::milliseconds()
{
    return m_net.now;
}

// Every legal move and capture of `side` on `position`, generals never taken
// (so that a game runs its full length).
inline std::vector<std::pair<game::PieceId, std::optional<game::PieceId>>> legalMoves(const game::Position& position,
                                                                                       game::Side side,
                                                                                       std::vector<game::Point>* to)
{
    std::vector<std::pair<game::PieceId, std::optional<game::PieceId>>> moves;
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        if (position.piece(id).taken || game::pieceInfo(id).side != side)
            continue;
        const game::Point from = position.piece(id).point;
        for (int row = 1; row <= game::Rows; ++row)
            for (int column = 1; column <= game::Columns; ++column) {
                const game::Point point{row, column};
                const std::optional<game::PieceId> there = position.pieceAt(point);
                if (!there) {
                    if (game::judgeMove(position, id, from, point)) {
                        moves.push_back({id, std::nullopt});
                        to->push_back(point);
                    }
                } else if (game::pieceInfo(*there).kind != game::PieceKind::General &&
                           game::judgeCapture(position, id, *there, from, point)) {
                    moves.push_back({id, there});
                    to->push_back(point);
                }
            }
    }
    return moves;
}

// Makes one random legal move of `side` in `window`; false when there is none.
inline bool playRandomMove(LinkedWindow& window, game::Side side, std::mt19937& random)
{
    std::vector<game::Point> to;
    const auto moves = legalMoves(window.position, side, &to);
    if (moves.empty())
        return false;
    const std::size_t pick = std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random);
    const auto& [piece, taken] = moves[pick];
    if (taken)
        game::dropOnPiece(window.position, window, piece, *taken);
    else
        game::dropOnPoint(window.position, window, piece, to[pick]);
    return true;
}

// What a series of games over one relay came to.
struct GameTally {
    int movesTried = 0;
    int stalls = 0;      // play stopped for good (only a restart would go on)
    int divergences = 0; // games that went on while the boards differed
    int repairs = 0;     // as each window told its player
    std::int64_t bytes = 0;
    int movesDelivered() const { return movesTried - stalls; }
};

// Plays `games` games of up to `moves` moves: window a plays red, b black;
// each player moves `thinkMs` after its board lets it. Play that does not go
// on for `stallMs` is a stall: it is counted and the next game starts (as the
// players would restart). A player whose turn comes while the peer waits
// must see the peer's board; and after each game the boards must be equal.
inline GameTally playGames(LinkHarness& net, int games, int moves, std::int64_t thinkMs = 300,
                           std::int64_t stallMs = 60000, const std::function<void(int game)>& beforeGame = {})
{
    GameTally tally;
    std::mt19937 players(7);
    for (int g = 0; g < games; ++g) {
        if (beforeGame)
            beforeGame(g);
        if (g == 0) {
            net.start();
        } else {
            // The next game: red's player restarts. A V1.0 restart may be
            // lost; the players then restart until both boards are fresh.
            net.a.restart();
            const auto fresh = [&net, start = protocol::positionDigest(game::Position())] {
                return protocol::positionDigest(net.b.position) == start && net.sameBoards();
            };
            // Two Corvanes (a has heard the link from b): the restart is
            // resent until it arrives.
            const bool linked = std::ranges::any_of(net.a.received, protocol::isLinkWord);
            net.runUntil(net.now + (linked ? 300000 : 20000), fresh);
            if (!fresh())
                net.b.resetBoard();
        }
        bool diverged = false;
        bool stalled = false;
        for (int m = 0; m < moves; ++m) {
            const game::Side side = m % 2 == 0 ? game::Side::Red : game::Side::Black;
            LinkedWindow& mover = side == game::Side::Red ? net.a : net.b;
            LinkedWindow& other = side == game::Side::Red ? net.b : net.a;
            net.runUntil(net.now + stallMs, [&] { return mover.position.mayMove(side); });
            if (!mover.position.mayMove(side)) {
                ++tally.stalls; // a stalled game's boards differ by the lost move: told apart
                stalled = true;
                break;
            }
            net.runUntil(net.now + thinkMs);
            // The mover got the turn from the peer's move, and the peer waits.
            const bool answering =
                !mover.position.mayMove(side == game::Side::Red ? game::Side::Black : game::Side::Red);
            const bool peerWaits = !other.position.mayMove(game::Side::Red) && !other.position.mayMove(game::Side::Black);
            if (answering && peerWaits && !net.sameBoards())
                diverged = true;
            ++tally.movesTried;
            if (!playRandomMove(mover, side, players))
                break;
        }
        // The last move's way to the peer.
        net.runUntil(net.now + 20000);
        if (!stalled && !net.sameBoards())
            diverged = true;
        tally.divergences += diverged ? 1 : 0;
    }
    for (const LinkedWindow* w : {&net.a, &net.b})
        tally.repairs += static_cast<int>(std::ranges::count_if(
            w->memo, [](const std::string& line) { return line.ends_with(protocol::PeerLink::TextRepaired); }));
    tally.bytes = net.a.sentBytes + net.b.sentBytes;
    return tally;
}

} // namespace corvane::test_support
