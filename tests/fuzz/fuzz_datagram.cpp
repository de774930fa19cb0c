// Arbitrary bytes from the network, through split, validation and apply, on a
// board that starts from the reset position. One input may carry several
// datagrams, separated by the two bytes FF FF (never part of GBK text). Drops
// picked from the input then run the rules on whatever position resulted, and
// each message they send is received again, as on one computer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/BoardLayout.h"
#include "game/BoardReset.h"
#include "game/InMemoryBoard.h"
#include "game/MoveFlow.h"
#include "game/PointCode.h"
#include "net/protocol/PeerMessageHandler.h"
#include "net/protocol/ReceiveEffects.h"

namespace {

using namespace corvane;

class SilentEffects : public protocol::ReceiveEffects {
public:
    explicit SilentEffects(game::BoardState& board) : board_(board) {}
    void playNotificationSound() override {}
    void showInformation(const std::string&) override {}
    void setReceivedText(const std::string& text) override { memo_ = text; }
    std::string currentDate() override { return "2026/12/7"; }
    std::string currentTime() override { return "8:05:09"; }
    void resetBoard() override { game::resetBoard(board_); }

private:
    game::BoardState& board_;
    std::string memo_;
};

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// What must hold whatever a peer sent: only 0 and 1 in the grid, and every
// piece on a point of the board, at that point's place.
void checkBoard(test_support::InMemoryBoard& board)
{
    for (std::uint8_t cell : board.grid().cells())
        check(cell <= 1);
    for (const game::PieceInfo& info : game::pieceTable()) {
        auto& piece = board.image(info.name);
        const game::SplitPoint point = game::splitPointCode(piece.tag());
        check(point.isOnBoard());
        // Pieces only ever take the place of a point image or of another piece.
        const int column = (piece.left() - game::pointLeft(1)) / 40;
        const int row = (piece.top() - game::pointTop(1)) / 40;
        check(piece.left() == game::pointLeft(column + 1) && column >= 0 && column < 9);
        check(piece.top() == game::pointTop(row + 1) && row >= 0 && row < 10);
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
    test_support::InMemoryBoard board;
    game::resetBoard(board);
    SilentEffects effects(board);
    protocol::PeerMessageHandler handler(board, effects);

    for (std::string_view datagram : datagrams(input)) {
        handler.handleDatagram(datagram);
        checkBoard(board);
    }

    // A few drops chosen by the input, on the position the datagrams left.
    for (std::size_t k = 0; k < size && k < 8; ++k) {
        const int pieceNumber = game::FirstPieceNumber + data[k] % game::PieceCount;
        const int targetNumber = game::FirstPieceNumber + data[size - 1 - k] % (game::PieceCount + game::PointCount);
        auto& piece = board.image(game::imageName(pieceNumber));
        auto& target = board.image(game::imageName(targetNumber));
        board.sent.clear();
        if (targetNumber >= game::FirstPointNumber)
            game::dropOnPoint(board, target, piece);
        else
            game::dropOnPiece(board, target, piece);
        for (const std::string& message : board.sent)
            check(handler.handleDatagram(message) != protocol::ReceivedCommand::Discarded);
        checkBoard(board);
    }
    return 0;
}
