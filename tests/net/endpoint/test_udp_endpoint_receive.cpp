// Arrival of datagrams: what OnDataReceived reports, what ReadDatagram
// copies out, and how queued, oversize and nested deliveries behave.
#include "EndpointTestSupport.h"

#include <QEventLoop>

#include <gtest/gtest.h>

using namespace endpoint_test;

TEST(UdpEndpointReceive, SendingToItselfDeliversExactlyTheBytesWithSenderAddressAndPort)
{
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);

    const QByteArray message("redsky|Image18|Image95|7|1|6|1");
    ByteStream stream = streamOf(message);
    EXPECT_TRUE(endpoint->SendDatagram(stream).ok());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].sender, endpoint.get());
    EXPECT_EQ(log[0].numberBytes, message.size());
    EXPECT_EQ(log[0].bytes, message);
    EXPECT_EQ(log[0].fromIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(log[0].port, endpoint->boundPort());
    EXPECT_EQ(endpoint->receivedCount(), message.size());
}

TEST(UdpEndpointReceive, ReadDatagramWritesAtThePositionRewindsAndCanBeRepeated)
{
    auto endpoint = makeSelfEndpoint();
    int notifications = 0;
    endpoint->OnDataReceived = [&](UdpEndpoint*, int, const QString&, int) { ++notifications; };
    ByteStream out = streamOf("abc");
    EXPECT_TRUE(endpoint->SendDatagram(out).ok());
    ASSERT_TRUE(waitUntil([&] { return notifications == 1; }));

    ByteStream stream = streamOf("0123456");
    stream.setPosition(2);
    endpoint->ReadDatagram(stream);
    EXPECT_EQ(stream.bytes(), QByteArray("01abc56"));
    EXPECT_EQ(stream.position(), 0);
    endpoint->ReadDatagram(stream); // again at position 0
    EXPECT_EQ(stream.bytes(), QByteArray("abcbc56"));
}

TEST(UdpEndpointReceive, ADatagramWithoutHandlerIsStillReadAndStaysReadable)
{
    auto endpoint = makeSelfEndpoint();
    ByteStream out = streamOf("nobody listens");
    EXPECT_TRUE(endpoint->SendDatagram(out).ok());
    ASSERT_TRUE(waitUntil([&] { return endpoint->receivedCount() == 14; }));
    ByteStream in;
    endpoint->ReadDatagram(in);
    EXPECT_EQ(in.bytes(), QByteArray("nobody listens"));
}

TEST(UdpEndpointReceive, AnEmptyDatagramIsReportedWithZeroBytes)
{
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    auto peer = makePeerSocket();
    peer->writeDatagram(QByteArray(), QHostAddress::LocalHost, endpoint->boundPort());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].numberBytes, 0);
    EXPECT_TRUE(log[0].bytes.isEmpty());
}

TEST(UdpEndpointReceive, DatagramsArrivingOneAtATimeAreAllDelivered)
{
    // The way turns pass on one computer: each move comes back to the
    // window that sent it, long after the one before was handled.
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    for (int i = 1; i <= 6; ++i) {
        ByteStream stream = streamOf(QByteArray("move ") + QByteArray::number(i));
        EXPECT_TRUE(endpoint->SendDatagram(stream).ok());
        ASSERT_TRUE(waitUntil([&] { return log.size() == std::size_t(i); })) << "move " << i;
        EXPECT_EQ(log.back().bytes, QByteArray("move ") + QByteArray::number(i));
        settle(20);
    }
}

TEST(UdpEndpointReceive, QueuedDatagramsAreDeliveredOneByOneInOrder)
{
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    auto peer = makePeerSocket();
    // All of them are queued before the endpoint gets a chance to read.
    for (int i = 0; i < 20; ++i)
        peer->writeDatagram(QByteArray("message ") + QByteArray::number(i), QHostAddress::LocalHost,
                            endpoint->boundPort());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 20; }));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(log[i].bytes, QByteArray("message ") + QByteArray::number(i));
    settle();
    EXPECT_EQ(log.size(), 20u);
}

TEST(UdpEndpointReceive, OversizeDatagramsAreDiscardedAndTheNextOneStillArrives)
{
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();

    peer->writeDatagram("before", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));

    peer->writeDatagram(QByteArray(2049, 'x'), QHostAddress::LocalHost, port);
    peer->writeDatagram(QByteArray(60000, 'y'), QHostAddress::LocalHost, port);
    settle();
    EXPECT_EQ(log.size(), 1u);
    // The datagram before the discarded ones is still the one to copy out.
    ByteStream stream;
    endpoint->ReadDatagram(stream);
    EXPECT_EQ(stream.bytes(), QByteArray("before"));

    const QByteArray fullBuffer(UdpEndpoint::ReceiveBufferSize, 'z');
    peer->writeDatagram(QByteArray(5000, 'w'), QHostAddress::LocalHost, port);
    peer->writeDatagram(fullBuffer, QHostAddress::LocalHost, port);
    peer->writeDatagram("after", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 3; }));
    EXPECT_EQ(log[1].numberBytes, UdpEndpoint::ReceiveBufferSize);
    EXPECT_EQ(log[1].bytes, fullBuffer);
    EXPECT_EQ(log[2].bytes, QByteArray("after"));
}

TEST(UdpEndpointReceive, AHandlerWaitingInANestedEventLoopStillGetsTheNextDatagram)
{
    auto endpoint = makeSelfEndpoint();
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    QStringList events;
    bool secondSeenInsideFirst = false;

    endpoint->OnDataReceived = [&](UdpEndpoint* sender, int n, const QString&, int) {
        ByteStream stream;
        sender->ReadDatagram(stream);
        const QString text = QString::fromLatin1(stream.read(n));
        events << "begin " + text;
        if (text == QLatin1String("first")) {
            // What a modal message box does: a local event loop until it is closed.
            peer->writeDatagram("second", QHostAddress::LocalHost, port);
            QEventLoop box;
            QTimer closeBox;
            QObject::connect(&closeBox, &QTimer::timeout, &box, [&] {
                if (events.contains(QStringLiteral("end second")))
                    box.quit();
            });
            closeBox.start(5);
            QTimer::singleShot(5000, &box, &QEventLoop::quit);
            box.exec();
            secondSeenInsideFirst = events.contains(QStringLiteral("end second"));
        }
        events << "end " + text;
    };

    peer->writeDatagram("first", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return events.size() == 4; }));
    EXPECT_TRUE(secondSeenInsideFirst);
    EXPECT_EQ(events, QStringList({"begin first", "begin second", "end second", "end first"}));
}

TEST(UdpEndpointReceive, AHandlerThatReopensTheSocketLosesOnlyTheQueuedDatagrams)
{
    auto endpoint = makeSelfEndpoint();
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    QList<QByteArray> seen;
    endpoint->OnDataReceived = [&](UdpEndpoint* sender, int n, const QString&, int) {
        ByteStream stream;
        sender->ReadDatagram(stream);
        seen << stream.read(n);
        if (seen.size() == 1)
            sender->setLocalPort(port);
    };
    for (const char* text : {"one", "two", "three"})
        peer->writeDatagram(text, QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return !seen.isEmpty(); }));
    settle();
    EXPECT_EQ(seen, QList<QByteArray>({"one"}));
    peer->writeDatagram("four", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen.last(), QByteArray("four"));
}

TEST(UdpEndpointReceive, TwoEndpointsPointedAtEachOtherTalkBothWays)
{
    // Two windows of a game between two computers, here on one loopback.
    UdpEndpoint red;
    UdpEndpoint black;
    red.setLocalPort(0);
    black.setLocalPort(0);
    red.setRemoteHost(QStringLiteral("127.0.0.1"));
    black.setRemoteHost(QStringLiteral("127.0.0.1"));
    red.setRemotePort(black.boundPort());
    black.setRemotePort(red.boundPort());
    red.Loaded();
    black.Loaded();
    std::vector<Received> atRed;
    std::vector<Received> atBlack;
    recordInto(red, atRed);
    recordInto(black, atBlack);

    ByteStream move = streamOf("redsky|Image18|Image95|7|1|6|1");
    EXPECT_TRUE(red.SendDatagram(move).ok());
    ASSERT_TRUE(waitUntil([&] { return atBlack.size() == 1; }));
    EXPECT_EQ(atBlack[0].bytes, QByteArray("redsky|Image18|Image95|7|1|6|1"));
    EXPECT_EQ(atBlack[0].port, red.boundPort());
    EXPECT_EQ(atBlack[0].sender, &black);

    ByteStream answer = streamOf("blksky|Image2|Image44|4|1|5|1");
    EXPECT_TRUE(black.SendDatagram(answer).ok());
    ASSERT_TRUE(waitUntil([&] { return atRed.size() == 1; }));
    EXPECT_EQ(atRed[0].bytes, QByteArray("blksky|Image2|Image44|4|1|5|1"));
    EXPECT_EQ(atRed[0].port, black.boundPort());
    EXPECT_TRUE(atBlack.size() == 1);
}
