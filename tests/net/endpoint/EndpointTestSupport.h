#pragma once
// Shared helpers of the endpoint tests: waiting with the event loop running,
// a plain socket playing the other side, and an endpoint whose host look-ups
// are answered by the test instead of a resolver.
#include "net/endpoint/UdpEndpoint.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace corvane::endpoint;

namespace endpoint_test {

// Runs the event loop until done() holds or a generous deadline passes.
inline bool waitUntil(const std::function<bool()>& done, int milliseconds = 5000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Lets pending events run for a while (to show that nothing arrives).
inline void settle(int milliseconds = 150)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Received {
    int numberBytes = 0;
    QString fromIP;
    int port = 0;
    QByteArray bytes;
    UdpEndpoint* sender = nullptr;
};

// Records every datagram the endpoint reports, copying it out the way the
// receive side does: ReadDatagram into a fresh stream.
inline void recordInto(UdpEndpoint& endpoint, std::vector<Received>& log)
{
    endpoint.OnDataReceived = [&endpoint, &log](UdpEndpoint* sender, int n, const QString& ip, int port) {
        ByteStream stream;
        endpoint.ReadDatagram(stream);
        log.push_back({n, ip, port, stream.read(n), sender});
    };
}

// An endpoint bound to a free port chosen by the system, sending to itself.
inline std::unique_ptr<UdpEndpoint> makeSelfEndpoint()
{
    auto endpoint = std::make_unique<UdpEndpoint>();
    endpoint->setRemoteHost(QStringLiteral("127.0.0.1"));
    endpoint->setLocalPort(0);
    endpoint->Loaded();
    endpoint->setRemotePort(endpoint->boundPort());
    return endpoint;
}

inline ByteStream streamOf(const QByteArray& bytes)
{
    ByteStream stream;
    stream.write(bytes);
    return stream;
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
