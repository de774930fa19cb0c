// Prints a random legal game, one move a line, red first:
// "fromRow fromColumn toRow toColumn" (generals are never taken). Not a test:
// the moves tools/link-loss-namespaces.sh drags onto two windows.
//   link_random_game MOVES SEED
#include <cstdio>
#include <cstdlib>

#include "LinkHarness.h"

using namespace corvane;

int main(int argc, char** argv)
{
    const int moves = argc > 1 ? std::atoi(argv[1]) : 80;
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u);
    game::Position position;
    position.reset();
    for (int m = 0; m < moves; ++m) {
        const game::Side side = m % 2 == 0 ? game::Side::Red : game::Side::Black;
        std::vector<game::Point> to;
        const auto choices = test_support::legalMoves(position, side, &to);
        if (choices.empty())
            break;
        const std::size_t pick = std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random);
        game::Move move;
        move.piece = choices[pick].first;
        move.taken = choices[pick].second;
        move.from = position.piece(move.piece).point;
        move.to = move.onto = to[pick];
        move.passTurnFrom = side;
        position.apply(move);
        std::printf("%d %d %d %d\n", move.from.row, move.from.column, move.to.row, move.to.column);
    }
    return 0;
}
