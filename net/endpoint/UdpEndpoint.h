#pragma once
// UdpEndpoint: the program's only network component. It holds one datagram
// socket bound to LocalPort on every interface, IPv6 and IPv4 alike (never
// connected), sends the whole content of a memory stream as one datagram to
// RemoteHost:RemotePort, and reports each datagram that arrives through
// OnDataReceived, from which the handler copies the bytes out with
// ReadDatagram.
//
// Everything runs on the thread of the event loop. Readiness is turned into
// posted events, one datagram read and dispatched per event, and the next
// event is posted before the handler runs: a handler that opens a modal
// message box therefore still receives the following datagrams inside the
// box's own event loop. A send that has to look up a host name keeps
// processing events until the answer is there.
//
// How an owner sets it up, in this order (the order the stored properties
// of the main window are applied in):
//
//     auto* endpoint = new UdpEndpoint(this);
//     endpoint->setObjectName("UdpEndpoint1");
//     endpoint->setRemoteHost("127.0.0.1");
//     endpoint->setRemotePort(1234);
//     if (UdpResult bound = endpoint->setLocalPort(1234); !bound)   // opens a new socket and binds it
//         tellTheUser(bound.errorText());                          // e.g. "Address already in use"
//     endpoint->setReportLevel(1);
//     endpoint->OnDataReceived = [this](UdpEndpoint*, int n, const QString& ip, int port) { ... };
//     endpoint->Loaded();             // the socket is already bound; this only starts notifications
//
// Failures of SendDatagram and of LocalPort writes are returned to the
// caller as values (UdpResult: the kind and the message text); the endpoint
// never raises and shows nothing itself. Its owner decides what the user
// sees. OnDataReceived handlers report their own failures the same way:
// the endpoint does not catch what they might raise.
#include "ByteStream.h"
#include "UdpResult.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QHostInfo;
class QUdpSocket;

namespace corvane::endpoint {

class UdpEndpoint : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString RemoteHost READ remoteHost WRITE setRemoteHost)
    Q_PROPERTY(int RemotePort READ remotePort WRITE setRemotePort)
    Q_PROPERTY(int LocalPort READ localPort WRITE setLocalPort)
    Q_PROPERTY(int ReportLevel READ reportLevel WRITE setReportLevel)

public:
    using ReceiveHandler = std::function<void(UdpEndpoint* sender, int numberBytes, const QString& fromIP, int port)>;
    using NotifyHandler = std::function<void(UdpEndpoint* sender)>;
    using StatusHandler = std::function<void(UdpEndpoint* sender, const QString& status)>;
    using DecisionHandler = std::function<void(bool& handled)>;
    using StreamCheckHandler = std::function<void(bool& handled, ByteStream& stream)>;
    using BufferCheckHandler = std::function<void(bool& handled, QByteArray& buff, int& length)>;
    using ErrorHandler = std::function<void(UdpEndpoint* sender, quint16 errorNumber, const QString& text)>;

    // Datagrams longer than this are discarded on arrival (no game message
    // comes near it).
    static constexpr int ReceiveBufferSize = 2048;

    // Opens the socket (not bound yet). When the system cannot open a
    // socket, creationResult() says so and the endpoint stays without one
    // until a LocalPort write opens it.
    explicit UdpEndpoint(QObject* owner = nullptr);
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
    // lost). Returns a socket error when no socket can be opened; LocalPort
    // then keeps its old value. Returns a socket error with the system's text
    // ("Address already in use") when the port cannot be bound; LocalPort is
    // then set and the socket stays open, unbound. Default 0.
    int localPort() const { return m_localPort; }
    UdpResult setLocalPort(int port);

    // A status of level L is reported through OnStatus only when L <= ReportLevel. Default 1.
    int reportLevel() const { return m_reportLevel; }
    void setReportLevel(int level) { m_reportLevel = level; }

    // Binds the socket to LocalPort if it is not bound yet and starts the
    // readiness notifications. Call once after the properties are set. A
    // failed bind here is not reported.
    void Loaded();

    // Sends the whole stream as one datagram to RemoteHost:RemotePort; the
    // stream's position ends at its end. Returns the failure "Invalid
    // stream" (InvalidStream) for an empty stream nobody fixed, and the
    // socket errors "Null Remote Address" for a peer of 0.0.0.0 (or an empty
    // RemoteHost) and "Host Lookup Canceled" for a name that does not
    // resolve. A failed send on a resolved address is silent. When a handler
    // run during a host lookup destroys the endpoint, the send ends with
    // "Host Lookup Canceled" without touching the endpoint again.
    [[nodiscard]] UdpResult SendDatagram(ByteStream& stream);

    // Writes the bytes of the datagram received last at the stream's current
    // position, then rewinds the stream to 0. Valid until the next datagram
    // is read.
    void ReadDatagram(ByteStream& stream) const;

    // Bytes in the datagram received last.
    int receivedCount() const { return m_receivedCount; }
    // The port the socket is bound to, 0 while it is not bound.
    quint16 boundPort() const;
    // The receive queue the kernel granted the bound socket, in bytes as the
    // kernel counts them (twice the size asked for), 0 while it is not bound.
    int receiveQueueSize() const;
    // The receive queue each bound socket asks for (the kernel's limit,
    // net.core.rmem_max, may grant less).
    static constexpr int WantedReceiveQueue = 4 * 1024 * 1024;
    // How opening the socket in the constructor went.
    const UdpResult& creationResult() const { return m_creationResult; }
    // The last system error number seen by the error check, and the last status reported.
    int lastError() const { return m_lastError; }
    QString lastStatus() const { return m_lastStatus; }

    // Events. Sender is always this endpoint.
    ReceiveHandler OnDataReceived;      // a datagram has been read
    NotifyHandler OnDataSend;        // after each send
    StatusHandler OnStatus;             // status report (see ReportLevel)
    DecisionHandler OnInvalidHost;    // the host name did not resolve; set handled to try once more
    StreamCheckHandler OnStreamInvalid; // the stream to send is empty; set handled to look at its size once more
    BufferCheckHandler OnBufferInvalid;   // kept for completeness; nothing raises it
    ErrorHandler OnError;         // not a published event: called before a socket error is returned

signals:
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
    UdpResult checkSocketError(int errorNumber);
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
        bool endpointGone = false; // a handler destroyed the endpoint meanwhile
    };
    Resolved resolvePeer();
    Resolved lookUpOnce(const QString& name);

    QString m_remoteHost;
    int m_remotePort = 0;
    int m_localPort = 0;
    int m_reportLevel = 1;

    QUdpSocket* m_socket = nullptr;
    bool m_ready = false;
    bool m_readinessPosted = false;
    std::array<char, ReceiveBufferSize> m_receiveBuffer{};
    QByteArray m_arrival; // where each datagram lands first, whatever its length
    int m_receivedCount = 0;
    int m_lastError = 0;
    QString m_lastStatus;
    UdpResult m_creationResult;
};

} // namespace corvane::endpoint
