#pragma once
// UdpEndpoint: the program's only network component. It holds one datagram
// socket bound to localPort() on every interface, IPv6 and IPv4 alike (never
// connected), sends each datagram whole to remoteHost():remotePort(), and
// emits datagramReceived() with the bytes of each datagram that arrives.
//
// Everything runs on the thread of the event loop. Readiness is turned into
// posted events, one datagram read and emitted per event, and the next event
// is posted before the signal goes out: a slot that opens a modal message
// box therefore still receives the following datagrams inside the box's own
// event loop. A send that has to look up a host name keeps processing events
// until the answer is there.
//
// How an owner sets it up, in this order (the order the stored properties
// of the main window are applied in):
//
//     auto* endpoint = new UdpEndpoint(this);
//     endpoint->setRemoteHost("127.0.0.1");
//     endpoint->setRemotePort(1234);
//     if (UdpResult bound = endpoint->setLocalPort(1234); !bound)   // opens a new socket and binds it
//         tellTheUser(bound.errorText());                          // e.g. "Address already in use"
//     connect(endpoint, &UdpEndpoint::datagramReceived, this, &Owner::applyDatagram);
//     endpoint->startReceiving();   // the socket is already bound; this only starts notifications
//
// Failures of sendDatagram() and of setLocalPort() are returned to the
// caller as values (UdpResult: the kind and the message text); the endpoint
// never raises and shows nothing itself. Its owner decides what the user
// sees.
#include "UdpResult.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>

#include <functional>
#include <memory>
#include <optional>

class QHostInfo;

namespace corvane::endpoint {

class UdpEndpoint : public QObject {
    Q_OBJECT
    // The names the stored layout of the main window gives these properties.
    Q_PROPERTY(QString RemoteHost READ remoteHost WRITE setRemoteHost)
    Q_PROPERTY(int RemotePort READ remotePort WRITE setRemotePort)
    Q_PROPERTY(int LocalPort READ localPort WRITE setLocalPort)
    Q_PROPERTY(int ReportLevel READ reportLevel WRITE setReportLevel)

public:
    // Datagrams longer than this are discarded on arrival (no game message
    // comes near it).
    static constexpr int MaximumDatagramSize = 2048;
    // The receive queue each bound socket asks for (the kernel's limit,
    // net.core.rmem_max, may grant less).
    static constexpr int WantedReceiveQueue = 4 * 1024 * 1024;

    // Opens the socket (not bound yet). When the system cannot open a
    // socket, the endpoint stays without one until setLocalPort() opens it.
    explicit UdpEndpoint(QObject* parent = nullptr);
    ~UdpEndpoint() override;

    // Peer: a dotted IPv4 address, an IPv6 address or a host name (any
    // length; its first IPv4 address, else its first IPv6 one). Default empty.
    QString remoteHost() const { return m_remoteHost; }
    void setRemoteHost(const QString& host) { m_remoteHost = host; }

    // Peer's UDP port; its low 16 bits are used. Default 0.
    int remotePort() const { return m_remotePort; }
    void setRemotePort(int port) { m_remotePort = port; }

    // Port to bind; its low 16 bits are used, 0 lets the system choose.
    // Writing it, even with the value it already has, closes the socket,
    // opens a new one and binds it (datagrams queued on the old socket are
    // lost). Returns a socket error when no socket can be opened; the port
    // then keeps its old value. Returns a socket error with the system's
    // text ("Address already in use") when the port cannot be bound; the
    // port is then set and the socket stays open, unbound. Default 0.
    int localPort() const { return m_localPort; }
    UdpResult setLocalPort(int port);

    // A status of level L is emitted through statusChanged() only when
    // L <= reportLevel(). Default 1.
    int reportLevel() const { return m_reportLevel; }
    void setReportLevel(int level) { m_reportLevel = level; }

    // Binds the socket to localPort() if it is not bound yet and starts the
    // readiness notifications. Call once after the properties are set. A
    // failed bind here is not reported.
    void startReceiving();

    // Sends the bytes as one datagram to remoteHost():remotePort(). Returns
    // the failure "Invalid stream" (EmptyDatagram) for no bytes, and the
    // socket errors "Null Remote Address" for a peer of 0.0.0.0 (or an
    // empty remoteHost()) and "Host Lookup Canceled" for a name that does
    // not resolve. A failed send on a resolved address is silent. When a
    // slot run during a host lookup destroys the endpoint, the send ends
    // with "Host Lookup Canceled" without touching the endpoint again.
    [[nodiscard]] UdpResult sendDatagram(const QByteArray& datagram);

    // The port the socket is bound to, 0 while it is not bound.
    quint16 boundPort() const;

signals:
    // A datagram of at most MaximumDatagramSize bytes has arrived. The
    // sender's IPv4 address is dotted (also when it arrives mapped into
    // IPv6), an IPv6 one in its usual text.
    void datagramReceived(const QByteArray& datagram, const QString& senderAddress, quint16 senderPort);
    // A status report of a level within reportLevel().
    void statusChanged(const QString& status);
    // The system could not open a socket: its error number (errno) and the
    // text setLocalPort() returns.
    void errorOccurred(int errorNumber, const QString& text);
    // The system answered a datagram sent from here with "port unreachable":
    // no program listens on the peer's port (the peer's game is not running).
    void peerUnreachable();

protected:
    // Starts an asynchronous lookup of name and calls done with the answer
    // on this thread, unless context has been destroyed by then. Tests
    // override it to answer without a resolver.
    virtual void startHostLookup(const QString& name, QObject* context, std::function<void(const QHostInfo&)> done);

    bool event(QEvent* event) override;

private:
    void report(int level, const QString& text);
    UdpResult socketOpenFailure(int errorNumber);
    UdpResult openSocket();
    std::optional<QString> bindSocket(); // the system's text when the bind failed
    void setReceiveBuffer();
    void closeSocket();
    void postReadiness();
    void receiveOne();
    // The peer's address (0 for none), or the failure of its lookup.
    struct Resolved {
        std::optional<QHostAddress> address; // empty while the name did not resolve
        UdpResult result;
        bool endpointGone = false; // a slot destroyed the endpoint meanwhile
    };
    Resolved resolvePeer();
    Resolved lookUp(const QString& name);

    QString m_remoteHost;
    int m_remotePort = 0;
    int m_localPort = 0;
    int m_reportLevel = 1;

    std::unique_ptr<QUdpSocket> m_socket; // a child of the endpoint as well
    bool m_readinessPosted = false;
    QByteArray m_arrival; // where each datagram lands first, whatever its length
};

} // namespace corvane::endpoint
