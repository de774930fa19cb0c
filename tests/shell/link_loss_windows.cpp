// Two main windows playing each other over real UDP on this host, moves
// dropped by mouse, for the loss figures of docs/PROTOCOL.md. Not a test:
// run it in a network namespace whose nftables rules lose datagrams, e.g.
//   unshare -n sh -c 'ip link set lo up; nft -f loss.nft; link_loss_windows 3 80'
// and with a rule that drops every datagram beginning "cv" to see the V1.0
// behaviour (the windows never find each other). Prints one line of figures.
//   link_loss_windows [games] [moves] [stall seconds]
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "net/protocol/LinkHarness.h"
#include "shell/BoardProbe.h"
#include "ShellTestSupport.h"

using namespace corvane;
using namespace corvane::shell;
using namespace corvane::shell::testing;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::atoi(argv[1]) : 3;
    const int moves = argc > 2 ? std::atoi(argv[2]) : 80;
    const int stallMs = (argc > 3 ? std::atoi(argv[3]) : 20) * 1000;

    MainWindow red;
    MainWindow black;
    connectForm(red, 41001, 41002);
    connectForm(black, 41002, 41001);
    red.show();
    black.show();
    // Each repair shows its line to the player.
    int repairs = 0;
    for (MainWindow* window : {&red, &black})
        QObject::connect(receivedText(*window), &QPlainTextEdit::textChanged, [&repairs, window] {
            repairs +=
                receivedText(*window)->toPlainText().endsWith(QString::fromUtf8(protocol::PeerLink::TextRepaired));
        });
    settle(3000); // discovery

    std::mt19937 players(7);
    int tried = 0, stalls = 0, diverged = 0;
    const auto same = [&] {
        return protocol::positionDigest(red.position()) == protocol::positionDigest(black.position());
    };
    for (int g = 0; g < games; ++g) {
        if (g > 0) {
            red.restartGame();
            const auto fresh = protocol::positionDigest(game::Position());
            if (!waitUntil([&] { return same() && protocol::positionDigest(black.position()) == fresh; }, 20000))
                black.resetBoard(); // the restart was lost: the player restarts too
        }
        bool stalled = false, differed = false;
        for (int m = 0; m < moves; ++m) {
            const game::Side side = m % 2 == 0 ? game::Side::Red : game::Side::Black;
            const game::Side otherSide = m % 2 == 0 ? game::Side::Black : game::Side::Red;
            MainWindow& mover = side == game::Side::Red ? red : black;
            MainWindow& other = side == game::Side::Red ? black : red;
            if (!waitUntil([&] { return mover.position().mayMove(side); }, stallMs)) {
                ++stalls;
                stalled = true;
                break;
            }
            settle(300);
            const bool peerWaits =
                !other.position().mayMove(game::Side::Red) && !other.position().mayMove(game::Side::Black);
            if (!mover.position().mayMove(otherSide) && peerWaits && !same())
                differed = true;
            std::vector<game::Point> to;
            const auto choices = test_support::legalMoves(mover.position(), side, &to);
            if (choices.empty())
                break;
            const std::size_t pick = std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(players);
            const auto& [piece, taken] = choices[pick];
            ++tried;
            dragByMouse(mover, protocol::pieceNumber(piece),
                        taken ? protocol::pieceNumber(*taken) : pointNumber(to[pick].row, to[pick].column));
        }
        waitUntil(same, 20000); // the last move's way to the peer
        settle(500);
        if (!stalled && !same())
            differed = true;
        diverged += differed ? 1 : 0;
    }
    std::printf("games %d moves tried %d delivered %d stalls %d games diverged %d repairs %d\n", games, tried,
                tried - stalls, stalls, diverged, repairs);
    return 0;
}
