// The flood's sender process: the mixed datagrams of a flood and of a notice
// storm, sent as fast as the socket takes them; and reading its report.
#include "FloodHarness.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <vector>

#include "net/endpoint/UdpEndpoint.h"

using corvane::endpoint::UdpEndpoint;

namespace corvane::flood {

namespace {

// Datagram number i of the flood. A tenth of them each: chat lines, moves,
// random bytes, too few fields, bad names and numbers, oversize, empty,
// GBK chat, unknown commands; a restart now and then.
std::string floodDatagram(int i, std::mt19937& random)
{
    static const std::vector<std::string> badFields = {
        "blksky|Image13|Image70|4|1",
        "blksky|Image13|Image999|4|1|5|1",
        "redsky|Image25|Image106|11|1|9|1",
        "redsky|Image25|Image106|10|0|9|1",
        "blksky|Image13|Image70|4|1|5|10",
        "blksky|Image13|Image70|99999999999|1|5|1",
        "blksky|Image13|Image70|-1|1|5|1",
        "blksky|Image0|Image70|4|1|5|1",
        "blkred|Image2|Label1|1|1|2|1",
        "redblk|Image124|Image2|1|1|1|1",
        "blksky||Image70|4|1|5|1",
        "blksky|Image13|Image70|a|1|5|1",
        "|||||||||||||",
        "blksky|Image13|Image70|4|1|5|1|extra",
    };
    switch (i % 10) {
    case 0: return ChatPrefix + "flood " + std::to_string(i);
    case 1: return (i / 10) % 2 ? MoveBack : MoveForward;
    case 2: {
        if (i % 100 == 2)
            return Restart;
        std::string bytes(std::uniform_int_distribution<int>(1, 300)(random), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    }
    case 3:
    case 4: return badFields[std::uniform_int_distribution<std::size_t>(0, badFields.size() - 1)(random)];
    case 5: return ChatPrefix + std::string(std::uniform_int_distribution<int>(2049, 9000)(random), 'x');
    case 6: return {};
    case 7: return ChatPrefix + "\xC4\xE3\xBA\xC3 " + std::to_string(i); // "你好" in GBK
    case 8: return "hello|2|3|4|5|6|" + std::to_string(i);
    default: {
        // A valid message cut short and bent by a last byte that is no digit
        // (a digit could make it another valid move).
        std::string bytes = MoveForward;
        bytes.resize(std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random));
        char last = static_cast<char>(random());
        return bytes + ((last >= '0' && last <= '9') ? 'x' : last);
    }
    }
}

// Whether the game side can check datagram `bytes` as one that must be
// applied: chat lines short enough, the two moves and the restart.
bool isValid(const std::string& bytes)
{
    if (bytes.rfind(ChatPrefix, 0) == 0)
        return bytes.size() <= UdpEndpoint::MaximumDatagramSize && bytes.find('\r') == std::string::npos;
    return bytes == MoveForward || bytes == MoveBack || bytes == Restart;
}

const std::string CloseNotice = "close|2|3|4|5|6|7";
const std::string LossNotice = "redjiangdead|Image6|Image29|1|5|10|5"; // the red general taken

// Datagram number i of a notice storm of `count` notices: after every
// hundred notices a chat line and a move.
std::vector<std::string> stormDatagrams(int count)
{
    std::vector<std::string> datagrams;
    for (int i = 0; i < count; ++i) {
        datagrams.push_back(i % 2 ? LossNotice : CloseNotice);
        if (i % 100 == 99) {
            datagrams.push_back(ChatPrefix + "storm " + std::to_string(i));
            datagrams.push_back((i / 100) % 2 ? MoveBack : MoveForward);
        }
    }
    return datagrams;
}
} // namespace

// Sends the datagrams as fast as it can; prints how many went out and how
// many of them were valid ones.
int runSender(int port, int count, bool notices)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<quint16>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::mt19937 random(20261207);
    std::vector<std::string> storm = notices ? stormDatagrams(count) : std::vector<std::string>{};
    const int total = notices ? static_cast<int>(storm.size()) : count;
    int sent = 0;
    int valid = 0;
    for (int i = 0; i < total; ++i) {
        const std::string bytes = notices ? storm[i] : floodDatagram(i, random);
        if (::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) >= 0) {
            ++sent;
            valid += isValid(bytes);
        }
    }
    ::close(fd);
    std::printf("%d %d\n", sent, valid);
    return 0;
}

Sent readSent(QProcess& sender)
{
    const QList<QByteArray> numbers = sender.readAllStandardOutput().trimmed().split(' ');
    if (numbers.size() != 2)
        return {};
    return {numbers[0].toLong(), numbers[1].toLong()};
}

QStringList senderArguments(const char* mode, int port, int count)
{
    return {QString::fromLatin1(mode), QString::number(port), QString::number(count)};
}

} // namespace corvane::flood
