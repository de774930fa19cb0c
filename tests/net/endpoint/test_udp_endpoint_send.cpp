// sendDatagram(): the empty-datagram check, resolving the peer, the failures
// and their texts, and status reports.
#include "EndpointTestSupport.h"

#include <gtest/gtest.h>

using namespace corvane::endpoint;

using namespace endpoint_test;

namespace {

// The text of the failure sendDatagram() returns, with "general:" (an empty
// datagram) or "UDPSockError:" (the endpoint's own errors) in front, or "" when
// it succeeds.
QString sendOutcome(UdpEndpoint& endpoint, const QByteArray& datagram)
{
    const UdpResult result = endpoint.sendDatagram(datagram);
    switch (result.kind()) {
    case UdpResult::Kind::None: return QString();
    case UdpResult::Kind::EmptyDatagram: return QStringLiteral("general:") + result.errorText();
    case UdpResult::Kind::SocketError: return QStringLiteral("UDPSockError:") + result.errorText();
    }
    return QString();
}

quint32 loopback()
{
    return QHostAddress(QHostAddress::LocalHost).toIPv4Address();
}

} // namespace

using UdpEndpointSendToItself = SelfEndpointTest;

TEST_F(UdpEndpointSendToItself, AnEmptyDatagramFailsWithInvalidStreamAndSendsNothing)
{
    EXPECT_EQ(sendOutcome(*endpoint, QByteArray()), QStringLiteral("general:Invalid stream"));
    settle();
    EXPECT_TRUE(log.empty());
}

TEST_F(UdpEndpointSendToItself, NullRemoteAddressForAllZeroOrEmptyHost)
{
    for (const QString& host : {QStringLiteral("0.0.0.0"), QString()}) {
        endpoint->setRemoteHost(host);
        EXPECT_EQ(sendOutcome(*endpoint, "close|2|3|4|5|6|7"), QStringLiteral("UDPSockError:Null Remote Address"))
            << host.toStdString();
    }
    settle();
    EXPECT_TRUE(log.empty());
}

TEST_F(UdpEndpointSendToItself, StatusSendingDataIsReportedAtLevelTwo)
{
    QStringList statuses;
    QObject::connect(endpoint.get(), &UdpEndpoint::statusChanged, [&](const QString& status) { statuses << status; });
    EXPECT_TRUE(endpoint->sendDatagram("abc").ok()); // report level 1: no status
    EXPECT_TRUE(statuses.isEmpty());
    endpoint->setReportLevel(2);
    EXPECT_TRUE(endpoint->sendDatagram("abc").ok());
    EXPECT_EQ(statuses, QStringList({"Sending Data"}));
}

TEST(UdpEndpointSend, TheWholeDatagramGoesOutWhateverItsSize)
{
    UdpEndpoint endpoint;
    endpoint.setLocalPort(0);
    auto peer = makePeerSocket();
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    endpoint.setRemotePort(0x10000 + peer->localPort()); // only the low 16 bits count

    EXPECT_TRUE(endpoint.sendDatagram("message|2|3|4|5|6|x").ok());
    ASSERT_TRUE(waitUntil([&] { return peer->hasPendingDatagrams(); }));
    QByteArray got(100, '\0');
    got.resize(peer->readDatagram(got.data(), got.size()));
    EXPECT_EQ(got, QByteArray("message|2|3|4|5|6|x"));

    // Longer than the receive buffer of any endpoint: still sent whole, never cut.
    EXPECT_TRUE(endpoint.sendDatagram(QByteArray(3000, 'b')).ok());
    ASSERT_TRUE(waitUntil([&] { return peer->hasPendingDatagrams(); }));
    EXPECT_EQ(peer->pendingDatagramSize(), 3000);
}

TEST(UdpEndpointSend, AHostNameIsLookedUpForEverySend)
{
    auto endpoint = std::make_unique<ScriptedLookupEndpoint>();
    endpoint->setLocalPort(0);
    endpoint->setRemotePort(endpoint->boundPort());
    endpoint->setRemoteHost(QStringLiteral("localhost")); // answered from the hosts file
    std::vector<Received> log;
    recordInto(*endpoint, log);
    EXPECT_TRUE(endpoint->sendDatagram("one").ok());
    EXPECT_TRUE(endpoint->sendDatagram("two").ok());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log[0].bytes, QByteArray("one"));
    EXPECT_EQ(log[1].bytes, QByteArray("two"));
    EXPECT_EQ(endpoint->lookedUp, QStringList({"localhost", "localhost"}));
}

TEST(UdpEndpointSend, ADottedAddressIsNotLookedUp)
{
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.setRemotePort(endpoint.boundPort());
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(endpoint.sendDatagram("x").ok());
    EXPECT_TRUE(endpoint.lookedUp.isEmpty());
}

TEST(UdpEndpointSend, AnUnresolvableNameFailsWithHostLookupCanceled)
{
    // Qt refuses a name with blanks before asking any resolver, so nothing
    // leaves the machine.
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.setRemotePort(endpoint.boundPort());
    endpoint.setRemoteHost(QStringLiteral("no such peer.invalid"));
    std::vector<Received> log;
    recordInto(endpoint, log);
    EXPECT_EQ(sendOutcome(endpoint, "x"), QStringLiteral("UDPSockError:Host Lookup Canceled"));
    EXPECT_EQ(endpoint.lookedUp.size(), 1);
    settle();
    EXPECT_TRUE(log.empty());
}

TEST(UdpEndpointSend, ANameLongerThan127CharactersIsLookedUpWhole)
{
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.setRemotePort(endpoint.boundPort());
    // Four labels of 60 characters: 244 characters; only the whole name resolves.
    const QString longName =
        QString(60, 'a') + "." + QString(60, 'b') + "." + QString(60, 'c') + "." + QString(60, 'd') + ".invalid";
    endpoint.setRemoteHost(longName);
    endpoint.answer = [&](const QString& name) {
        return name == longName ? std::optional<quint32>(loopback()) : std::optional<quint32>();
    };
    std::vector<Received> log;
    recordInto(endpoint, log);
    EXPECT_EQ(sendOutcome(endpoint, "far away"), QString());
    EXPECT_EQ(endpoint.lookedUp, QStringList({longName}));
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
}

// An IPv6 peer needs no lookup and is reached through the socket that serves
// IPv4 peers; its datagrams come back from its IPv6 address.
TEST(UdpEndpointSend, AnIPv6PeerIsReachedThroughTheDualStackSocket)
{
    if (!QUdpSocket().bind(QHostAddress::LocalHostIPv6, 0))
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.startReceiving();
    endpoint.setRemotePort(endpoint.boundPort());
    std::vector<Received> log;
    recordInto(endpoint, log);
    endpoint.setRemoteHost(QStringLiteral("::1"));
    EXPECT_EQ(sendOutcome(endpoint, "chongxin|2|3|4|5|6|7"), QString());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("chongxin|2|3|4|5|6|7"));
    EXPECT_EQ(log[0].fromIP, QStringLiteral("::1"));
    EXPECT_TRUE(endpoint.lookedUp.isEmpty());
}

// A peer whose port nobody listens on: the system's "port unreachable" is
// told once, and the endpoint goes on sending and receiving.
TEST(UdpEndpointSend, APortNobodyListensOnIsToldAsUnreachable)
{
    auto endpoint = makeSelfEndpoint();
    const int ownPort = endpoint->remotePort();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    int unreachable = 0;
    QObject::connect(endpoint.get(), &UdpEndpoint::peerUnreachable, [&] { ++unreachable; });

    endpoint->setRemotePort(freePort());
    EXPECT_EQ(sendOutcome(*endpoint, "message|2|3|4|5|6|lost"), QString());
    ASSERT_TRUE(waitUntil([&] { return unreachable == 1; }));

    endpoint->setRemotePort(ownPort);
    EXPECT_EQ(sendOutcome(*endpoint, "back"), QString());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("back"));
    EXPECT_EQ(log[0].fromIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(unreachable, 1);
}

TEST(UdpEndpointSend, DatagramsAreHandledWhileASendWaitsForItsLookup)
{
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    const quint16 port = endpoint.boundPort();
    endpoint.setRemotePort(port);
    endpoint.setRemoteHost(QStringLiteral("slow.invalid"));
    endpoint.answer = [](const QString&) { return std::optional<quint32>(loopback()); };
    endpoint.delayMs = 300;
    QStringList order;
    QObject::connect(&endpoint, &UdpEndpoint::datagramReceived,
                     [&](const QByteArray& bytes) { order << "received " + QString::fromLatin1(bytes); });
    auto peer = makePeerSocket();
    peer->writeDatagram("meanwhile", QHostAddress::LocalHost, port);

    EXPECT_TRUE(endpoint.sendDatagram("mine").ok());
    order << QStringLiteral("send returned");
    ASSERT_TRUE(waitUntil([&] { return order.size() == 3; })) << order.join(", ").toStdString();
    EXPECT_EQ(order, QStringList({"received meanwhile", "send returned", "received mine"}));
}

TEST(UdpEndpointSend, DestroyingTheEndpointDuringTheLookupCancelsTheSend)
{
    auto endpoint = std::make_unique<ScriptedLookupEndpoint>();
    ScriptedLookupEndpoint& sending = *endpoint;
    endpoint->setLocalPort(0);
    endpoint->setRemoteHost(QStringLiteral("slow.invalid"));
    endpoint->answer = [](const QString&) { return std::optional<quint32>(loopback()); };
    endpoint->delayMs = 200;
    QTimer::singleShot(20, [&endpoint] { endpoint.reset(); });
    EXPECT_EQ(sendOutcome(sending, "x"), QStringLiteral("UDPSockError:Host Lookup Canceled"));
}
