// SendDatagram: the empty-stream check, resolving the peer, the failures
// and their texts, status reports and OnDataSend.
#include "EndpointTestSupport.h"

#include <gtest/gtest.h>

using namespace corvane::endpoint;

using namespace endpoint_test;

namespace {

// The text of the failure SendDatagram returns, with "general:" (an invalid
// stream) or "UDPSockError:" (the endpoint's own errors) in front, or "" when
// it succeeds.
QString sendOutcome(UdpEndpoint& endpoint, ByteStream& stream)
{
    const UdpResult result = endpoint.SendDatagram(stream);
    switch (result.kind()) {
    case UdpResult::Kind::None: return QString();
    case UdpResult::Kind::InvalidStream: return QStringLiteral("general:") + result.errorText();
    case UdpResult::Kind::SocketError: return QStringLiteral("UDPSockError:") + result.errorText();
    }
    return QString();
}

quint32 loopback()
{
    return QHostAddress(QHostAddress::LocalHost).toIPv4Address();
}

} // namespace

TEST(UdpEndpointSend, EmptyStreamWithoutHandlerFailsWithInvalidStreamAndSendsNothing)
{
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    int sends = 0;
    endpoint->OnDataSend = [&](UdpEndpoint*) { ++sends; };
    ByteStream empty;
    EXPECT_EQ(sendOutcome(*endpoint, empty), QStringLiteral("general:Invalid stream"));
    EXPECT_EQ(sends, 0);
    settle();
    EXPECT_TRUE(log.empty());
}

TEST(UdpEndpointSend, EmptyStreamHandlerThatFillsTheStreamAndSetsHandledLetsTheSendGoOn)
{
    auto endpoint = makeSelfEndpoint();
    std::vector<Received> log;
    recordInto(*endpoint, log);
    int calls = 0;
    ByteStream empty;
    endpoint->OnStreamInvalid = [&](bool& handled, ByteStream& stream) {
        ++calls;
        EXPECT_FALSE(handled);
        EXPECT_EQ(&stream, &empty);
        stream.write(QByteArray("filled in"));
        handled = true;
    };
    EXPECT_EQ(sendOutcome(*endpoint, empty), QString());
    EXPECT_EQ(calls, 1);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("filled in"));
}

TEST(UdpEndpointSend, EmptyStreamHandlerIsAskedOnceOnly)
{
    auto endpoint = makeSelfEndpoint();
    int calls = 0;
    ByteStream empty;

    endpoint->OnStreamInvalid = [&](bool& handled, ByteStream&) {
        ++calls;
        handled = true;
    };
    EXPECT_EQ(sendOutcome(*endpoint, empty), QStringLiteral("general:Invalid stream"));
    EXPECT_EQ(calls, 1);

    calls = 0;
    endpoint->OnStreamInvalid = [&](bool&, ByteStream& stream) {
        ++calls;
        stream.write("x");
    };
    EXPECT_EQ(sendOutcome(*endpoint, empty), QStringLiteral("general:Invalid stream"));
    EXPECT_EQ(calls, 1);
}

TEST(UdpEndpointSend, NullRemoteAddressForAllZeroOrEmptyHost)
{
    auto endpoint = makeSelfEndpoint();
    int sends = 0;
    endpoint->OnDataSend = [&](UdpEndpoint*) { ++sends; };
    for (const QString& host : {QStringLiteral("0.0.0.0"), QString()}) {
        endpoint->setRemoteHost(host);
        ByteStream stream = streamOf("close|2|3|4|5|6|7");
        EXPECT_EQ(sendOutcome(*endpoint, stream), QStringLiteral("UDPSockError:Null Remote Address"))
            << host.toStdString();
    }
    EXPECT_EQ(sends, 0);
}

TEST(UdpEndpointSend, StatusSendingDataIsReportedAtLevelTwoAndOnDataSendFollowsTheSend)
{
    auto endpoint = makeSelfEndpoint();
    QStringList order;
    endpoint->OnStatus = [&](UdpEndpoint* sender, const QString& status) {
        EXPECT_EQ(sender, endpoint.get());
        order << "status " + status;
    };
    endpoint->OnDataSend = [&](UdpEndpoint* sender) {
        EXPECT_EQ(sender, endpoint.get());
        order << QStringLiteral("sent");
    };

    ByteStream stream = streamOf("abc");
    EXPECT_TRUE(endpoint->SendDatagram(stream).ok()); // report level 1: no status
    EXPECT_EQ(order, QStringList({"sent"}));
    EXPECT_EQ(stream.position(), 3);
    EXPECT_EQ(endpoint->lastStatus(), QString());

    order.clear();
    endpoint->setReportLevel(2);
    EXPECT_TRUE(endpoint->SendDatagram(stream).ok());
    EXPECT_EQ(order, QStringList({"status Sending Data", "sent"}));
    EXPECT_EQ(endpoint->lastStatus(), QStringLiteral("Sending Data"));
}

TEST(UdpEndpointSend, TheWholeStreamGoesOutFromItsStartWhateverItsPositionOrSize)
{
    UdpEndpoint endpoint;
    endpoint.setLocalPort(0);
    auto peer = makePeerSocket();
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    endpoint.setRemotePort(0x10000 + peer->localPort()); // only the low 16 bits count

    ByteStream stream = streamOf("message|2|3|4|5|6|x");
    stream.setPosition(4);
    EXPECT_TRUE(endpoint.SendDatagram(stream).ok());
    ASSERT_TRUE(waitUntil([&] { return peer->hasPendingDatagrams(); }));
    QByteArray got(100, '\0');
    got.resize(peer->readDatagram(got.data(), got.size()));
    EXPECT_EQ(got, QByteArray("message|2|3|4|5|6|x"));

    // Longer than the receive buffer of any endpoint: still sent whole, never cut.
    ByteStream big = streamOf(QByteArray(3000, 'b'));
    EXPECT_TRUE(endpoint.SendDatagram(big).ok());
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
    ByteStream first = streamOf("one");
    ByteStream second = streamOf("two");
    EXPECT_TRUE(endpoint->SendDatagram(first).ok());
    EXPECT_TRUE(endpoint->SendDatagram(second).ok());
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
    ByteStream stream = streamOf("x");
    EXPECT_TRUE(endpoint.SendDatagram(stream).ok());
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
    int sends = 0;
    endpoint.OnDataSend = [&](UdpEndpoint*) { ++sends; };
    ByteStream stream = streamOf("x");
    EXPECT_EQ(sendOutcome(endpoint, stream), QStringLiteral("UDPSockError:Host Lookup Canceled"));
    EXPECT_EQ(endpoint.lookedUp.size(), 1);
    EXPECT_EQ(sends, 0);
}

TEST(UdpEndpointSend, OnInvalidHostThatSetsHandledGetsOneMoreLookupWithTheSameName)
{
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.setRemotePort(endpoint.boundPort());
    endpoint.setRemoteHost(QStringLiteral("no such peer.invalid"));
    int calls = 0;
    endpoint.OnInvalidHost = [&](bool& handled) {
        ++calls;
        EXPECT_FALSE(handled);
        handled = true;
        // Does not change the name of the retry.
        endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    };
    ByteStream stream = streamOf("x");
    EXPECT_EQ(sendOutcome(endpoint, stream), QStringLiteral("UDPSockError:Host Lookup Canceled"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(endpoint.lookedUp, QStringList({"no such peer.invalid", "no such peer.invalid"}));
}

TEST(UdpEndpointSend, OnInvalidHostThatLeavesHandledFalseEndsAfterOneLookup)
{
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.setRemoteHost(QStringLiteral("peer.invalid"));
    endpoint.answer = [](const QString&) { return std::optional<quint32>(); };
    int calls = 0;
    endpoint.OnInvalidHost = [&](bool&) { ++calls; };
    ByteStream stream = streamOf("x");
    EXPECT_EQ(sendOutcome(endpoint, stream), QStringLiteral("UDPSockError:Host Lookup Canceled"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(endpoint.lookedUp.size(), 1);
}

TEST(UdpEndpointSend, TheRetryCanSucceed)
{
    ScriptedLookupEndpoint endpoint;
    endpoint.setLocalPort(0);
    endpoint.setRemotePort(endpoint.boundPort());
    endpoint.setRemoteHost(QStringLiteral("flaky.invalid"));
    int asked = 0;
    endpoint.answer = [&](const QString&) {
        return ++asked == 1 ? std::optional<quint32>() : std::optional<quint32>(loopback());
    };
    endpoint.OnInvalidHost = [](bool& handled) { handled = true; };
    std::vector<Received> log;
    recordInto(endpoint, log);
    ByteStream stream = streamOf("second time lucky");
    EXPECT_EQ(sendOutcome(endpoint, stream), QString());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 1; }));
    EXPECT_EQ(log[0].bytes, QByteArray("second time lucky"));
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
    ByteStream stream = streamOf("far away");
    EXPECT_EQ(sendOutcome(endpoint, stream), QString());
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
    endpoint.Loaded();
    endpoint.setRemotePort(endpoint.boundPort());
    std::vector<Received> log;
    recordInto(endpoint, log);
    endpoint.setRemoteHost(QStringLiteral("::1"));
    ByteStream stream = streamOf("chongxin|2|3|4|5|6|7");
    EXPECT_EQ(sendOutcome(endpoint, stream), QString());
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
    ByteStream lost = streamOf("message|2|3|4|5|6|lost");
    EXPECT_EQ(sendOutcome(*endpoint, lost), QString());
    ASSERT_TRUE(waitUntil([&] { return unreachable == 1; }));

    endpoint->setRemotePort(ownPort);
    ByteStream back = streamOf("back");
    EXPECT_EQ(sendOutcome(*endpoint, back), QString());
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
    endpoint.OnDataReceived = [&](UdpEndpoint* sender, int n, const QString&, int) {
        ByteStream stream;
        sender->ReadDatagram(stream);
        order << "received " + QString::fromLatin1(stream.read(n));
    };
    auto peer = makePeerSocket();
    peer->writeDatagram("meanwhile", QHostAddress::LocalHost, port);

    ByteStream stream = streamOf("mine");
    EXPECT_TRUE(endpoint.SendDatagram(stream).ok());
    order << QStringLiteral("send returned");
    ASSERT_TRUE(waitUntil([&] { return order.size() == 3; })) << order.join(", ").toStdString();
    EXPECT_EQ(order, QStringList({"received meanwhile", "send returned", "received mine"}));
}

TEST(UdpEndpointSend, DestroyingTheEndpointDuringTheLookupCancelsTheSend)
{
    auto* endpoint = new ScriptedLookupEndpoint;
    endpoint->setLocalPort(0);
    endpoint->setRemoteHost(QStringLiteral("slow.invalid"));
    endpoint->answer = [](const QString&) { return std::optional<quint32>(loopback()); };
    endpoint->delayMs = 200;
    QTimer::singleShot(20, [endpoint] { delete endpoint; });
    ByteStream stream = streamOf("x");
    EXPECT_EQ(sendOutcome(*endpoint, stream), QStringLiteral("UDPSockError:Host Lookup Canceled"));
}
