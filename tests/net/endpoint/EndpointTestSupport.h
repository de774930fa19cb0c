#pragma once
// Shared helpers of the endpoint tests: letting the event loop run, a
// recording of received datagrams, a plain socket playing the other side,
// and an endpoint whose host look-ups are answered by the test instead of a
// resolver.
#include "net/endpoint/UdpEndpoint.h"
#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>
#include <QUdpSocket>
#include <QVariant>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace corvane::endpoint;

namespace endpoint_test {

using corvane::testing::waitUntil;

// Lets pending events run for a while (to show that nothing arrives).
inline void settle(int milliseconds = 150)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Received {
    QByteArray bytes;
    QString fromIP;
    int port = 0;
};

// Records every datagram the endpoint emits.
inline void recordInto(UdpEndpoint& endpoint, std::vector<Received>& log)
{
    QObject::connect(&endpoint, &UdpEndpoint::datagramReceived,
                     [&log](const QByteArray& bytes, const QString& ip, quint16 port) {
                         log.push_back({bytes, ip, port});
                     });
}

// An endpoint bound to a free port chosen by the system, sending to itself.
inline std::unique_ptr<UdpEndpoint> makeSelfEndpoint()
{
    auto endpoint = std::make_unique<UdpEndpoint>();
    endpoint->setRemoteHost(QStringLiteral("127.0.0.1"));
    endpoint->setLocalPort(0);
    endpoint->startReceiving();
    endpoint->setRemotePort(endpoint->boundPort());
    return endpoint;
}

// An endpoint sending to itself and the datagrams it has received.
class SelfEndpointTest : public ::testing::Test {
protected:
    void SetUp() override { recordInto(*endpoint, log); }

    std::unique_ptr<UdpEndpoint> endpoint = makeSelfEndpoint();
    std::vector<Received> log;
};

// The receive queue the kernel granted the endpoint's bound socket, in
// bytes as the kernel counts them (twice the size asked for), 0 while it is
// not bound.
inline int receiveQueueOf(const UdpEndpoint& endpoint)
{
    auto* socket = endpoint.findChild<QUdpSocket*>();
    if (!socket || socket->state() != QAbstractSocket::BoundState)
        return 0;
    return socket->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
}

// A plain socket on a free loopback port.
inline std::unique_ptr<QUdpSocket> makePeerSocket()
{
    auto socket = std::make_unique<QUdpSocket>();
    socket->bind(QHostAddress::LocalHost, 0);
    return socket;
}

// A port that was free a moment ago.
inline quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
}

// Host look-ups answered by the test: every name asked is recorded; answer
// gives the address for a name (nullopt: not found); the answer arrives
// after delayMs on the event loop, as a real one would. Without answer the
// real resolver is asked.
class ScriptedLookupEndpoint : public UdpEndpoint {
public:
    QStringList lookedUp;
    std::function<std::optional<quint32>(const QString&)> answer;
    int delayMs = 0;

protected:
    void startHostLookup(const QString& name, QObject* context, std::function<void(const QHostInfo&)> done) override
    {
        lookedUp << name;
        if (!answer) {
            UdpEndpoint::startHostLookup(name, context, std::move(done));
            return;
        }
        QHostInfo info;
        if (const auto address = answer(name))
            info.setAddresses({QHostAddress(*address)});
        else
            info.setError(QHostInfo::HostNotFound);
        QTimer::singleShot(delayMs, context, [info, done] { done(info); });
    }
};

} // namespace endpoint_test
