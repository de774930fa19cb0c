// Flood: another process sends datagrams of mixed content (valid moves, chat
// lines and restarts; malformed, oversize and empty ones) to the real main
// window's port as fast as it can. The window must not crash, must apply
// every valid datagram that reaches it and nothing of the others, must stay
// responsive (a 10 ms probe timer keeps firing between the datagrams: the
// handler never holds the event loop for a burst of them) and must come back
// to the memory it had before the flood. The probe's lateness is printed as a
// figure (100 ms at the 99th percentile is the aim); it is not judged, as it
// measures how busy the machine is as much as the program.
//
// The notice storm: another process sends close notices and lost-game
// notices, alternately, as fast as it can, with a chat line and a move after
// every hundred. Each notice opens a modal box whose wait goes on handling
// datagrams; the window must stay alive with never more than one box open,
// apply the chat and the moves meanwhile, and come back to its memory.
//
//   flood_harness [--datagrams N]     the game side (default 200000); it starts
//                                     the sender itself and prints the figures
//   flood_harness --notices N         the game side of a storm of N notices
//   flood_harness --send PORT N       the sender (used by the game side)
//   flood_harness --send-notices PORT N
//
// Exit status 0 when every requirement holds, 1 otherwise.
#include <cstdlib>
#include <cstring>

#include "FloodHarness.h"
#include "ui/CorvaneApplication.h"

using namespace corvane;
using namespace corvane::flood;

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--send") == 0)
        return runSender(std::atoi(argv[2]), std::atoi(argv[3]), false);
    if (argc == 4 && std::strcmp(argv[1], "--send-notices") == 0)
        return runSender(std::atoi(argv[2]), std::atoi(argv[3]), true);
    int count = 200000;
    const bool notices = argc == 3 && std::strcmp(argv[1], "--notices") == 0;
    if (argc == 3 && (notices || std::strcmp(argv[1], "--datagrams") == 0))
        count = std::atoi(argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CorvaneApplication app(argc, argv);
    return notices ? runNoticeStorm(count) : runGame(count);
}
