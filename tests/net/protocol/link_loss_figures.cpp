// Prints stalls and divergences of two windows over a seeded lossy relay,
// with the link (two Corvanes) and without it (two V1.0 windows), and the
// bytes a move costs. Not a test: the figures for the protocol page.
//   link_loss_figures [games] [moves]
#include <cstdio>
#include <cstdlib>

#include "LinkHarness.h"

using namespace corvane::test_support;

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 20;
    const int moves = argc > 2 ? std::atoi(argv[2]) : 80;
    struct Row {
        const char* link;
        double loss;
        double duplication;
        int lateCopyMs;
        bool outage;
    };
    const Row rows[] = {
        {"clean", 0, 0, 0, false},
        {"1 % loss", 0.01, 0, 0, false},
        {"5 % loss", 0.05, 0, 0, false},
        {"10 % loss", 0.10, 0, 0, false},
        {"30 % loss", 0.30, 0, 0, false},
        {"5 % doubled, late copies (3 s)", 0, 0.05, 3000, false},
        {"10 % loss, 5 % doubled, late copies", 0.10, 0.05, 3000, false},
        {"3 s outage over a move", 0, 0, 0, true},
    };
    std::printf("| Link | Peers | Moves tried | Delivered | Stalls | Games diverged | Repairs | Bytes per move |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows) {
        for (bool extended : {false, true}) {
            LinkHarness net(1234, extended, extended);
            net.faults.loss = row.loss;
            net.faults.duplication = row.duplication;
            net.faults.lateCopyMs = row.lateCopyMs;
            const auto outage = [&](int) {
                if (row.outage) {
                    net.faults.outageFrom = net.now + 3000 + (net.now / 7) % 5000;
                    net.faults.outageLength = 3000;
                }
            };
            const GameTally t = playGames(net, games, moves, 300, 60000, outage);
            std::printf("| %s | %s | %d | %d | %d | %d of %d | %d | %.1f |\n", row.link,
                        extended ? "two Corvanes" : "two V1.0", t.movesTried, t.movesDelivered(), t.stalls,
                        t.divergences, games, t.repairs,
                        t.movesTried ? double(t.bytes) / t.movesTried : 0.0);
        }
    }
    return 0;
}
