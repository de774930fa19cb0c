#pragma once
// What the parts of the flood harness share: the datagrams both sides know,
// the sender process and what it reports, and the three modes main() runs.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

#include "shell/MainWindow.h"

namespace corvane::flood {

// Under AddressSanitizer freed memory waits in a quarantine, so the resident
// size cannot come back; LeakSanitizer judges leaks there instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryCanBeJudged = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool MemoryCanBeJudged = false;
#else
constexpr bool MemoryCanBeJudged = true;
#endif
#else
constexpr bool MemoryCanBeJudged = true;
#endif

inline const std::string ChatPrefix = "message|2|3|4|5|6|";
inline const std::string MoveForward = "blksky|Image13|Image70|4|1|5|1"; // black soldier 41 -> 51
inline const std::string MoveBack = "blksky|Image13|Image61|5|1|4|1";    // and back
inline const std::string Restart = "chongxin|2|3|4|5|6|7";

// What the sender process reports: datagrams sent (-1 when it reported
// nothing), and how many of them must be applied.
struct Sent {
    long all = -1;
    long valid = 0;
};

Sent readSent(QProcess& sender);
QStringList senderArguments(const char* mode, int port, int count);

// Shows the muted main window on a free loopback port, sending to itself, and
// lets it settle; returns the port.
int showOnFreePort(shell::MainWindow& form);

// The receive queue the kernel granted the window's bound socket, in bytes
// as the kernel counts them (twice the size asked for).
int receiveQueueOf(shell::MainWindow& form);

// Sends a chat line from here until the window shows it: every datagram sent
// before it has then been handled.
bool drain(shell::MainWindow& form, int port, const QString& line);

// The sender: sends `count` flood datagrams (or a storm of `count` notices)
// to `port` on loopback as fast as it can and prints what it sent.
int runSender(int port, int count, bool notices);
// The game side of a flood of `count` datagrams, and of a notice storm.
int runGame(int count);
int runNoticeStorm(int count);

} // namespace corvane::flood
