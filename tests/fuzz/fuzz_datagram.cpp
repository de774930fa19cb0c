// Arbitrary bytes from the network, through split, decoding and apply, on a
// position that starts from the reset. One input may carry several
// datagrams, separated by the two bytes FF FF (never part of GBK text). Drops
// picked from the input then run the rules on whatever position resulted, and
// each message they send is received again, as on one computer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/BoardLayout.h"
#include "game/MoveFlow.h"
#include "net/protocol/PeerMessageHandler.h"
#include "net/protocol/ReceiveEffects.h"
#include "net/protocol/TestBoard.h"

namespace {

using namespace corvane;

class SilentEffects : public protocol::ReceiveEffects {
public:
    explicit SilentEffects(game::Position& position) : m_position(position) { }
    void playNotificationSound() override { }
    void showInformation(const std::string&) override { }
    void setReceivedText(const std::string& text) override { m_memo = text; }
    std::string currentDate() override { return "2026/12/7"; }
    std::string currentTime() override { return "8:05:09"; }
    void resetBoard() override { m_position.reset(); }
    void showChange(const game::Change&) override { }

private:
    game::Position& m_position;
    std::string m_memo;
};

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// What must hold whatever a peer sent: only 0 and 1 in the occupancy, and
// every piece standing on and drawn at a point of the board.
void checkBoard(const game::Position& position)
{
    for (std::uint8_t cell : position.occupancy())
        check(cell <= 1);
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        check(position.piece(id).point.isOnBoard());
        check(position.piece(id).place.isOnBoard());
    }
}

std::vector<std::string_view> datagrams(std::string_view input)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t separator = input.find("\xFF\xFF");
        if (separator == std::string_view::npos) {
            parts.push_back(input);
            return parts;
        }
        parts.push_back(input.substr(0, separator));
        input.remove_prefix(separator + 2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    test_support::TestBoard board;
    game::Position& position = board.position;
    SilentEffects effects(position);
    protocol::PeerMessageHandler handler(position, effects);

    for (std::string_view datagram : datagrams(input)) {
        handler.handleDatagram(datagram);
        checkBoard(position);
    }

    // A few drops chosen by the input, on the position the datagrams left.
    for (std::size_t k = 0; k < size && k < 8; ++k) {
        const game::PieceId piece = data[k] % game::PieceCount;
        const int target = data[size - 1 - k] % (game::PieceCount + game::PointCount);
        board.sent.clear();
        if (target >= game::PieceCount) {
            const game::Point point{(target - game::PieceCount) / game::Columns + 1,
                                    (target - game::PieceCount) % game::Columns + 1};
            game::dropOnPoint(position, board, piece, point);
        } else {
            game::dropOnPiece(position, board, piece, target);
        }
        for (const std::string& message : board.sent)
            check(handler.handleDatagram(message) != protocol::ReceivedCommand::Discarded);
        checkBoard(position);
    }
    return 0;
}
