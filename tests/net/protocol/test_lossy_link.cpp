// Two Corvanes over a relay that loses, doubles, delays and reorders
// datagrams (seeded): play never stalls and the boards never differ, from a
// clean link to 30 % loss, with late copies and a 3 s outage.
#include <gtest/gtest.h>

#include "LinkHarness.h"

using corvane::test_support::GameTally;
using corvane::test_support::LinkHarness;
using corvane::test_support::playGames;

namespace {

struct LossCase {
    const char* what;
    double loss;
    double duplication;
    int lateCopyMs;
    bool outage;
};

} // namespace

TEST(LossyLink, NoStallAndNoDivergenceAtAnyLossRate)
{
    const LossCase cases[] = {
        {"clean", 0, 0, 0, false},
        {"1 % loss, 5 % doubled", 0.01, 0.05, 0, false},
        {"10 % loss, 5 % doubled, late copies", 0.10, 0.05, 3000, false},
        {"30 % loss, 5 % doubled, late copies", 0.30, 0.05, 3000, false},
        {"a 3 s outage over a move, late copies", 0.01, 0.05, 3000, true},
    };
    std::uint32_t seed = 100;
    for (const LossCase& c : cases) {
        SCOPED_TRACE(c.what);
        LinkHarness net(++seed);
        net.faults.loss = c.loss;
        net.faults.duplication = c.duplication;
        net.faults.lateCopyMs = c.lateCopyMs;
        // The outage starts somewhere in each game's first moves.
        const auto outage = [&](int) {
            if (c.outage) {
                net.faults.outageFrom = net.now + 3000 + (net.now / 7) % 5000;
                net.faults.outageLength = 3000;
            }
        };
        const GameTally tally = playGames(net, 6, 80, 300, 60000, outage);
        EXPECT_EQ(tally.stalls, 0);
        EXPECT_EQ(tally.divergences, 0);
        EXPECT_GE(tally.movesTried, 6 * 70) << "the games ran their length";
    }
}
