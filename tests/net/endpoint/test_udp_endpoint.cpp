// Properties, binding and re-binding, and failures to open a socket.
#include "EndpointTestSupport.h"

#include <QMetaProperty>
#include <QVariant>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <fstream>

#include <sys/resource.h>

using namespace endpoint_test;

TEST(UdpEndpointProperties, PublishedAsQtPropertiesInOrder)
{
    UdpEndpoint endpoint;
    const QMetaObject* meta = endpoint.metaObject();
    QStringList names;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        names << QString::fromLatin1(meta->property(i).name());
    EXPECT_EQ(names, QStringList({"RemoteHost", "RemotePort", "LocalPort", "ReportLevel"}));

    EXPECT_TRUE(endpoint.setProperty("RemoteHost", QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(endpoint.setProperty("RemotePort", 1234));
    EXPECT_TRUE(endpoint.setProperty("ReportLevel", 5));
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(endpoint.property("RemotePort").toInt(), 1234);
    EXPECT_EQ(endpoint.reportLevel(), 5);

    const quint16 port = freePort();
    EXPECT_TRUE(endpoint.setProperty("LocalPort", int(port)));
    EXPECT_EQ(endpoint.localPort(), port);
    EXPECT_EQ(endpoint.boundPort(), port);
}

TEST(UdpEndpointBinding, LocalPortWriteBindsAndStartingKeepsTheBinding)
{
    UdpEndpoint endpoint;
    const quint16 port = freePort();
    endpoint.setLocalPort(port);
    EXPECT_EQ(endpoint.boundPort(), port);
    // The start that follows the stored properties leaves the socket as it is.
    endpoint.startReceiving();
    EXPECT_EQ(endpoint.boundPort(), port);

    std::vector<Received> log;
    recordInto(endpoint, log);
    auto peer = makePeerSocket();
    peer->writeDatagram("hello", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("hello"));
    EXPECT_EQ(log[0].fromIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(log[0].port, peer->localPort());
}

TEST(UdpEndpointBinding, StartingAloneBindsAPortOfZeroToAFreePort)
{
    UdpEndpoint endpoint;
    EXPECT_EQ(endpoint.boundPort(), 0); // created, not bound
    endpoint.startReceiving();
    EXPECT_NE(endpoint.boundPort(), 0);
}

TEST(UdpEndpointBinding, OnlyTheLowSixteenBitsOfLocalPortAreBound)
{
    UdpEndpoint endpoint;
    const quint16 port = freePort();
    endpoint.setLocalPort(0x10000 + port);
    EXPECT_EQ(endpoint.localPort(), 0x10000 + port);
    EXPECT_EQ(endpoint.boundPort(), port);
}

TEST(UdpEndpointBinding, WritingTheSamePortReopensTheSocketAndDropsQueuedDatagrams)
{
    UdpEndpoint endpoint;
    std::vector<Received> log;
    recordInto(endpoint, log);
    const quint16 port = freePort();
    endpoint.setLocalPort(port);
    endpoint.startReceiving();

    auto peer = makePeerSocket();
    peer->writeDatagram("queued on the old socket", QHostAddress::LocalHost, port);
    endpoint.setLocalPort(port); // before the event loop had a chance to read it
    EXPECT_EQ(endpoint.boundPort(), port);
    settle();
    EXPECT_TRUE(log.empty());

    peer->writeDatagram("after", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("after"));
}

TEST(UdpEndpointBinding, MovingToAnotherPortReleasesTheOldOne)
{
    UdpEndpoint endpoint;
    std::vector<Received> log;
    recordInto(endpoint, log);
    endpoint.setLocalPort(0);
    const quint16 oldPort = endpoint.boundPort();
    ASSERT_NE(oldPort, 0);

    const quint16 newPort = freePort();
    endpoint.setLocalPort(newPort);
    EXPECT_EQ(endpoint.boundPort(), newPort);

    QUdpSocket takesOld;
    EXPECT_TRUE(takesOld.bind(QHostAddress::AnyIPv4, oldPort));

    auto peer = makePeerSocket();
    peer->writeDatagram("to the new port", QHostAddress::LocalHost, newPort);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("to the new port"));
}

TEST(UdpEndpointBinding, ATakenPortRaisesTheSystemsTextOnceAndReceivesNothing)
{
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0));
    const quint16 port = holder.localPort();

    UdpEndpoint second;
    QStringList statuses;
    second.setReportLevel(1000);
    QObject::connect(&second, &UdpEndpoint::statusChanged, [&](const QString& status) { statuses << status; });
    int errors = 0;
    QObject::connect(&second, &UdpEndpoint::errorOccurred, [&] { ++errors; });
    std::vector<Received> log;
    recordInto(second, log);

    const UdpResult bound = second.setLocalPort(port);
    EXPECT_EQ(bound.kind(), UdpResult::Kind::SocketError);
    EXPECT_EQ(bound.errorText(), QString::fromLocal8Bit(std::strerror(EADDRINUSE)));
    second.startReceiving(); // the second bind is not checked
    EXPECT_EQ(second.localPort(), port);
    EXPECT_EQ(second.boundPort(), 0);
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_EQ(errors, 0);

    auto peer = makePeerSocket();
    peer->writeDatagram("for the holder", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return holder.hasPendingDatagrams(); }));
    settle();
    EXPECT_TRUE(log.empty());
}

// A burst of datagrams waits in the kernel while a slot runs: each bound
// socket asks for a queue of its own size, which the kernel grants up to its
// limit (and reports doubled).
TEST(UdpEndpointBinding, EachBoundSocketAsksTheKernelForALargeReceiveQueue)
{
    std::ifstream limitFile("/proc/sys/net/core/rmem_max");
    long limit = 0;
    ASSERT_TRUE(limitFile >> limit);
    const long granted = 2 * std::min<long>(UdpEndpoint::WantedReceiveQueue, limit);

    UdpEndpoint endpoint;
    EXPECT_EQ(receiveQueueOf(endpoint), 0);
    endpoint.setLocalPort(freePort());
    EXPECT_EQ(receiveQueueOf(endpoint), granted);
    endpoint.setLocalPort(freePort()); // a new socket asks again
    EXPECT_EQ(receiveQueueOf(endpoint), granted);
    UdpEndpoint startedAlone;
    startedAlone.startReceiving();
    EXPECT_EQ(receiveQueueOf(startedAlone), granted);
}

// Opening a socket fails when the process may not open another descriptor.
class NoDescriptorsLeft {
public:
    NoDescriptorsLeft()
    {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_NOFILE, &none);
    }
    ~NoDescriptorsLeft() { setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved{};
};

TEST(UdpEndpointSocketErrors, AFailedSocketOpenRaisesTheErrorNumberAndKeepsTheOldPort)
{
    UdpEndpoint endpoint;
    const quint16 port = freePort();
    endpoint.setLocalPort(port);
    endpoint.setReportLevel(16);
    QStringList statuses;
    QObject::connect(&endpoint, &UdpEndpoint::statusChanged, [&](const QString& status) { statuses << status; });
    QString errorText;
    int errorNumber = -1;
    QObject::connect(&endpoint, &UdpEndpoint::errorOccurred, [&](int number, const QString& text) {
        errorNumber = number;
        errorText = text;
    });

    // Nothing but the call itself runs under the limit (sanitizers need
    // descriptors of their own to inspect objects).
    UdpResult reopened;
    {
        NoDescriptorsLeft limit;
        reopened = endpoint.setLocalPort(port + 1);
    }
    const QString expected = QStringLiteral("Unknown Error No. %1").arg(EMFILE);
    EXPECT_EQ(reopened.kind(), UdpResult::Kind::SocketError);
    EXPECT_EQ(reopened.errorText(), expected);
    EXPECT_EQ(errorNumber, EMFILE);
    EXPECT_EQ(errorText, expected);
    EXPECT_EQ(statuses, QStringList({"Checking Error In Error Manager", "Looking Up Error Message" + expected}));
    EXPECT_EQ(endpoint.localPort(), port);
    EXPECT_EQ(endpoint.boundPort(), 0); // the old socket was closed first

    // Without a socket a send is silent, and the next LocalPort write recovers.
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    endpoint.setRemotePort(port);
    EXPECT_TRUE(endpoint.sendDatagram("x").ok());
    endpoint.setLocalPort(port);
    EXPECT_EQ(endpoint.boundPort(), port);
}

TEST(UdpEndpointSocketErrors, AnEndpointCreatedWithoutSocketStaysUnboundUntilALocalPortWrite)
{
    std::optional<UdpEndpoint> endpoint;
    {
        NoDescriptorsLeft limit;
        endpoint.emplace();
    }
    endpoint->startReceiving();
    EXPECT_EQ(endpoint->boundPort(), 0);
    const quint16 port = freePort();
    EXPECT_TRUE(endpoint->setLocalPort(port).ok());
    EXPECT_EQ(endpoint->boundPort(), port);
}
