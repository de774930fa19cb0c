// Arbitrary bytes at the computer's port, through its judgement of each
// datagram, with engine answers taken from the input. One input carries
// several parts separated by FF FF: the first byte picks the computer's
// colour; each part is a datagram, and a part that begins with "@" is an
// engine answer instead. Whatever arrives, the computer's position must stay
// one the game's rules could have reached: moves alternate, and every
// piece stands on the board.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "computer/ComputerGame.h"

namespace {

using namespace corvane;

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkGame(const computer::ComputerGame& game, std::size_t plies)
{
    check(game.moves().size() == plies);
    check(game.sideToMove() == (plies % 2 == 0 ? game::Side::Red : game::Side::Black));
    for (std::uint8_t cell : game.position().occupancy())
        check(cell <= 1);
    for (game::PieceId id = 0; id < game::PieceCount; ++id)
        check(game.position().piece(id).point.isOnBoard());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    computer::ComputerGame game(data[0] % 2 ? game::Side::Red : game::Side::Black);
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::size_t plies = 0;
    for (;;) {
        const std::size_t separator = input.find("\xFF\xFF");
        const std::string_view part = input.substr(0, separator);
        if (part.starts_with('@')) {
            if (const auto move = game.moveFromEngine(part.substr(1))) {
                game.play(*move);
                ++plies;
            }
        } else {
            switch (game.receive(part)) {
            case computer::Received::OpponentMoved:
            case computer::Received::ComputerLost: ++plies; break;
            case computer::Received::Restart: plies = 0; break;
            default: break;
            }
        }
        checkGame(game, plies);
        if (const auto capture = game.generalCapture()) {
            check(game.play(*capture).find("jiangdead|") != std::string::npos);
            ++plies;
            check(game.isOver());
        }
        check(game.engineCommand().starts_with("position fen "));
        if (separator == std::string_view::npos)
            break;
        input.remove_prefix(separator + 2);
    }
    return 0;
}
