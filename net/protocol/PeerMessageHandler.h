#pragma once
// The receive side of network play, the body of UdpEndpoint1DataReceived: one
// datagram's bytes are split into the seven fields and the command in field 1
// is applied to the position (moves, captures, the lock switch that passes the
// turn) or passed on to the window (restart, chat, close, a lost game).

#include <string>
#include <string_view>

namespace corvane::game {
class Position;
}

namespace corvane::protocol {

class ReceiveEffects;

enum class ReceivedCommand {
    Ignored,           // no command word (or an unknown one): nothing happened
    Discarded,         // oversize, or a move/capture with bad names or numbers: nothing happened
    Repeated,          // an exact copy of the peer's move applied last: nothing happened
    BlackMove,         // "blksky"
    RedMove,           // "redsky"
    BlackTakesRed,     // "blkred"
    RedTakesBlack,     // "redblk"
    BlackGeneralTaken, // "blkjiangdead"
    RedGeneralTaken,   // "redjiangdead"
    Restart,           // "chongxin"
    Chat,              // "message"
    Close,             // "close"
};

class PeerMessageHandler {
public:
    PeerMessageHandler(game::Position& position, ReceiveEffects& effects);

    // Applies one received datagram (its GBK bytes, exactly as received). Safe
    // to call again from inside ReceiveEffects::showInformation. Exceptions of
    // ReceiveEffects propagate.
    ReceivedCommand handleDatagram(std::string_view bytes);

    // The board was reset or replaced: the next move may repeat the text of
    // the one applied last.
    void forgetLastMove() { m_lastMove.clear(); }

    // Whether `bytes` is a move or capture this handler would apply.
    static bool isValidMove(std::string_view bytes);

private:
    game::Position& m_position;
    ReceiveEffects& m_effects;
    // The move or capture applied last, as received. A late or doubled copy
    // of it would switch the locks again and let the other side move twice;
    // two consecutive moves of one side never have the same text.
    std::string m_lastMove;
};

} // namespace corvane::protocol
