// Arbitrary bytes as link messages, through the codec and through a peer
// link that believes its peer is a Corvane. One input may carry several
// datagrams, separated by FF FF; the byte before each separator advances the
// link's clock. Whatever arrives: a decoded message encodes back to bytes
// that decode to it again, the board stays a board, and nothing crashes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/BoardLayout.h"
#include "game/Position.h"
#include "net/protocol/LinkMessage.h"
#include "net/protocol/PeerLink.h"
#include "net/protocol/ReceiveEffects.h"

namespace {

using namespace corvane;

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

class QuietWindow : public protocol::ReceiveEffects, public protocol::LinkHost {
public:
    void playNotificationSound() override { }
    void showInformation(const std::string&) override { }
    void setReceivedText(const std::string&) override { }
    std::string currentDate() override { return "2026/12/7"; }
    std::string currentTime() override { return "8:05:09"; }
    void resetBoard() override
    {
        position.reset();
        if (link)
            link->boardWasReset();
    }
    void showChange(const game::Change&) override { }
    bool sendDatagram(const std::string& bytes, SendMode) override
    {
        check(bytes.size() <= 2048);
        // What the link sends, its peer can read.
        check(!protocol::isLinkWord(bytes) || protocol::decodeLinkMessage(bytes).has_value());
        return true;
    }
    std::int64_t milliseconds() override { return now; }
    std::string peerAddress() override { return "peer"; }
    void wakeUpAt(std::optional<std::int64_t>) override { }

    game::Position position;
    protocol::PeerLink* link = nullptr;
    std::int64_t now = 0;
};

void checkBoard(const game::Position& position)
{
    for (std::uint8_t cell : position.occupancy())
        check(cell <= 1);
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        check(position.piece(id).point.isOnBoard());
        check(position.piece(id).place.isOnBoard());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    QuietWindow window;
    protocol::PeerLink link(window.position, window, window, 7);
    window.link = &link;
    window.resetBoard();
    // A hello from a peer first, so that the link speaks the link.
    link.handleDatagram("cvhello|00000000000000aa|0|0|0|00000000|1");

    for (;;) {
        const std::size_t separator = input.find("\xFF\xFF");
        const std::string_view datagram = input.substr(0, separator);
        if (const auto message = protocol::decodeLinkMessage(datagram)) {
            const std::string again = protocol::encodeLinkMessage(*message);
            check(protocol::decodeLinkMessage(again) == message);
        }
        link.handleDatagram(datagram);
        checkBoard(window.position);
        if (separator == std::string_view::npos)
            break;
        window.now += datagram.empty() ? 1 : static_cast<std::uint8_t>(datagram.back()) * 100;
        link.tick();
        input.remove_prefix(separator + 2);
    }
    return 0;
}
