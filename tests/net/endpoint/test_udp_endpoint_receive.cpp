// Arrival of datagrams: what datagramReceived() carries, and how queued,
// oversize and nested deliveries behave.
#include "EndpointTestSupport.h"

#include <QEventLoop>

#include <gtest/gtest.h>

using namespace endpoint_test;

using UdpEndpointReceive = SelfEndpointTest;

TEST_F(UdpEndpointReceive, SendingToItselfDeliversExactlyTheBytesWithSenderAddressAndPort)
{
    const QByteArray message("redsky|Image18|Image95|7|1|6|1");
    EXPECT_TRUE(endpoint->sendDatagram(message).ok());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, message);
    EXPECT_EQ(log[0].fromIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(log[0].port, endpoint->boundPort());
}

TEST_F(UdpEndpointReceive, AnEmptyDatagramIsReportedWithZeroBytes)
{
    auto peer = makePeerSocket();
    peer->writeDatagram(QByteArray(), QHostAddress::LocalHost, endpoint->boundPort());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_TRUE(log[0].bytes.isEmpty());
}

TEST_F(UdpEndpointReceive, DatagramsArrivingOneAtATimeAreAllDelivered)
{
    // The way turns pass on one computer: each move comes back to the
    // window that sent it, long after the one before was handled.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(endpoint->sendDatagram(QByteArray("move ") + QByteArray::number(i)).ok());
        ASSERT_TRUE(waitUntil([&] { return log.size() == std::size_t(i); })) << "move " << i;
        EXPECT_EQ(log.back().bytes, QByteArray("move ") + QByteArray::number(i));
        settle(20);
    }
}

TEST_F(UdpEndpointReceive, QueuedDatagramsAreDeliveredOneByOneInOrder)
{
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

TEST_F(UdpEndpointReceive, OversizeDatagramsAreDiscardedAndTheNextOneStillArrives)
{
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    const QByteArray longest(UdpEndpoint::MaximumDatagramSize, 'z');
    peer->writeDatagram(QByteArray(UdpEndpoint::MaximumDatagramSize + 1, 'x'), QHostAddress::LocalHost, port);
    peer->writeDatagram(QByteArray(60000, 'y'), QHostAddress::LocalHost, port);
    peer->writeDatagram(longest, QHostAddress::LocalHost, port);
    peer->writeDatagram("after", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log[0].bytes, longest);
    EXPECT_EQ(log[1].bytes, QByteArray("after"));
}

TEST(UdpEndpointNestedReceive, ASlotWaitingInANestedEventLoopStillGetsTheNextDatagram)
{
    auto endpoint = makeSelfEndpoint();
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    QStringList events;
    bool secondSeenInsideFirst = false;

    QObject::connect(endpoint.get(), &UdpEndpoint::datagramReceived, [&](const QByteArray& bytes) {
        const QString text = QString::fromLatin1(bytes);
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
    });

    peer->writeDatagram("first", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return events.size() == 4; }));
    EXPECT_TRUE(secondSeenInsideFirst);
    EXPECT_EQ(events, QStringList({"begin first", "begin second", "end second", "end first"}));
}

TEST(UdpEndpointNestedReceive, ASlotThatReopensTheSocketLosesOnlyTheQueuedDatagrams)
{
    auto endpoint = makeSelfEndpoint();
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    QList<QByteArray> seen;
    QObject::connect(endpoint.get(), &UdpEndpoint::datagramReceived, [&](const QByteArray& bytes) {
        seen << bytes;
        if (seen.size() == 1)
            endpoint->setLocalPort(port);
    });
    for (const char* text : {"one", "two", "three"})
        peer->writeDatagram(text, QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return !seen.isEmpty(); }));
    settle();
    EXPECT_EQ(seen, QList<QByteArray>({"one"}));
    peer->writeDatagram("four", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen.last(), QByteArray("four"));
}

TEST(UdpEndpointNestedReceive, TwoEndpointsPointedAtEachOtherTalkBothWays)
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
    red.startReceiving();
    black.startReceiving();
    std::vector<Received> atRed;
    std::vector<Received> atBlack;
    recordInto(red, atRed);
    recordInto(black, atBlack);

    EXPECT_TRUE(red.sendDatagram("redsky|Image18|Image95|7|1|6|1").ok());
    ASSERT_TRUE(waitUntil([&] { return atBlack.size() == 1; }));
    EXPECT_EQ(atBlack[0].bytes, QByteArray("redsky|Image18|Image95|7|1|6|1"));
    EXPECT_EQ(atBlack[0].port, red.boundPort());

    EXPECT_TRUE(black.sendDatagram("blksky|Image2|Image44|4|1|5|1").ok());
    ASSERT_TRUE(waitUntil([&] { return atRed.size() == 1; }));
    EXPECT_EQ(atRed[0].bytes, QByteArray("blksky|Image2|Image44|4|1|5|1"));
    EXPECT_EQ(atRed[0].port, black.boundPort());
    EXPECT_EQ(atBlack.size(), 1u);
}
