#include "UdpEndpoint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QPointer>
#include <QUdpSocket>
#include <QVariant>

#include <memory>

#include <cerrno>
#include <cstring>

#include <linux/errqueue.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane::endpoint {

namespace {

// The event that stands for "the socket is readable": one of them is posted
// per datagram to read, so that each datagram is handled in its own turn of
// whichever event loop is running at the time.
const QEvent::Type ReadinessEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The levels of the status reports: a report goes out when its level is at
// most the report level (1 unless set, so none does).
constexpr int SendStatusLevel = 2;
constexpr int SetupStatusLevel = 8;
constexpr int ErrorCheckStatusLevel = 16;

// Room for the largest datagram IPv4 can carry (65,507 bytes of payload).
constexpr qsizetype ArrivalBufferSize = 65536;

QString dottedText(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((address >> 24) & 0xFF)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

// The name's first IPv4 address (what a peer of the first version listens
// on), else its first IPv6 address.
std::optional<QHostAddress> peerAddressOf(const QHostInfo& info)
{
    if (info.error() != QHostInfo::NoError)
        return std::nullopt;
    const QList<QHostAddress> addresses = info.addresses();
    for (const QHostAddress& address : addresses)
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    for (const QHostAddress& address : addresses)
        if (address.protocol() == QAbstractSocket::IPv6Protocol)
            return address;
    return std::nullopt;
}

// A sender's address as text: dotted for IPv4 (also when it arrives mapped
// into IPv6), the IPv6 text otherwise.
QString senderText(const QHostAddress& sender)
{
    bool isIPv4 = false;
    const quint32 address = sender.toIPv4Address(&isIPv4);
    return isIPv4 ? dottedText(address) : sender.toString();
}

void setOption(int descriptor, int level, int name, int value)
{
    ::setsockopt(descriptor, level, name, &value, sizeof value);
}

// Whether the socket's error queue held a "port unreachable" from the ICMP
// of either family; empties the queue.
bool drainPortUnreachable(int descriptor)
{
    bool unreachable = false;
    for (;;) {
        char control[512];
        msghdr message{};
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        if (::recvmsg(descriptor, &message, MSG_ERRQUEUE | MSG_DONTWAIT) < 0)
            return unreachable;
        for (cmsghdr* entry = CMSG_FIRSTHDR(&message); entry; entry = CMSG_NXTHDR(&message, entry)) {
            if (!((entry->cmsg_level == SOL_IP && entry->cmsg_type == IP_RECVERR) ||
                  (entry->cmsg_level == SOL_IPV6 && entry->cmsg_type == IPV6_RECVERR)))
                continue;
            sock_extended_err error{};
            std::memcpy(&error, CMSG_DATA(entry), sizeof error);
            if (error.ee_errno == ECONNREFUSED)
                unreachable = true;
        }
    }
}

// The system's own text for a failed bind.
QString systemBindErrorText(QAbstractSocket::SocketError error, const QString& qtText)
{
    switch (error) {
    case QAbstractSocket::AddressInUseError: return QString::fromLocal8Bit(std::strerror(EADDRINUSE));
    case QAbstractSocket::SocketAccessError: return QString::fromLocal8Bit(std::strerror(EACCES));
    case QAbstractSocket::SocketAddressNotAvailableError: return QString::fromLocal8Bit(std::strerror(EADDRNOTAVAIL));
    default: return qtText;
    }
}

} // namespace

UdpEndpoint::UdpEndpoint(QObject* parent) : QObject(parent)
{
    report(SetupStatusLevel, QStringLiteral("Initializing Winsock"));
    // The socket is opened here but bound only by setLocalPort() or
    // startReceiving(); a failure to open it is told by the next
    // setLocalPort().
    (void)openSocket();
}

UdpEndpoint::~UdpEndpoint()
{
    closeSocket();
}

void UdpEndpoint::report(int level, const QString& text)
{
    if (level <= m_reportLevel)
        emit statusChanged(text);
}

// Runs after the system refused to open a socket; errorNumber is the
// system's error number (errno), 0 when it gave none.
UdpResult UdpEndpoint::socketOpenFailure(int errorNumber)
{
    report(ErrorCheckStatusLevel, QStringLiteral("Checking Error In Error Manager"));
    const QString text =
        QStringLiteral("Unknown Error No. ") + (errorNumber == 0 ? QString() : QString::number(errorNumber));
    report(SetupStatusLevel, QStringLiteral("Looking Up Error Message") + text);
    emit errorOccurred(errorNumber, text);
    return UdpResult::socketError(text);
}

UdpResult UdpEndpoint::openSocket()
{
    // The descriptor is opened by hand so that a failure to open it can be
    // told apart from a failure to bind (only the first one is an error).
    // Linux never lingers on closing a datagram socket, so no option is set.
    // One dual-stack socket serves IPv6 peers and, through IPv4-mapped
    // addresses, every IPv4 peer; without IPv6 in the system, IPv4 alone.
    int descriptor = ::socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (descriptor >= 0)
        setOption(descriptor, IPPROTO_IPV6, IPV6_V6ONLY, 0);
    else
        descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return socketOpenFailure(errno);
    // The system's "port unreachable" answers are kept for the endpoint to
    // read (an unconnected socket drops them otherwise).
    setOption(descriptor, SOL_IP, IP_RECVERR, 1);
    setOption(descriptor, SOL_IPV6, IPV6_RECVERR, 1);
    // A child of the endpoint, so that it can be found among its children.
    auto socket = std::make_unique<QUdpSocket>(this);
    if (!socket->setSocketDescriptor(descriptor, QAbstractSocket::UnconnectedState)) {
        ::close(descriptor);
        return socketOpenFailure(0);
    }
    m_socket = std::move(socket);
    return {};
}

void UdpEndpoint::closeSocket()
{
    if (!m_socket)
        return;
    // Deleted at once, not later: the port must be free for the new socket.
    // Nothing of the socket's own is on the stack here, because datagrams
    // are read from posted events of the endpoint, not from its signals.
    m_socket->disconnect(this);
    m_socket->close();
    m_socket.reset();
}

UdpResult UdpEndpoint::setLocalPort(int port)
{
    closeSocket();
    // Without a socket the port is not stored.
    if (UdpResult opened = openSocket(); !opened)
        return opened;
    m_localPort = port;
    // This bind is the one that counts: a port another program holds leaves
    // the game deaf, and its datagrams would reach the other program, so the
    // player is told. The socket is still set up as far as it can be.
    const std::optional<QString> failure = bindSocket();
    startReceiving();
    if (failure)
        return UdpResult::socketError(*failure);
    return {};
}

std::optional<QString> UdpEndpoint::bindSocket()
{
    if (!m_socket || m_socket->state() != QAbstractSocket::UnconnectedState)
        return std::nullopt;
    if (m_socket->bind(QHostAddress::Any, static_cast<quint16>(m_localPort & 0xFFFF),
                       QAbstractSocket::DontShareAddress)) {
        setReceiveBuffer();
        return std::nullopt;
    }
    return systemBindErrorText(m_socket->error(), m_socket->errorString());
}

void UdpEndpoint::setReceiveBuffer()
{
    // Datagrams queue in the kernel while a slot runs; with the system's
    // default queue (some 200 kB) a burst of junk a few milliseconds long
    // pushes real moves out. The kernel grants at most its limit
    // (net.core.rmem_max; only a privileged program may exceed it, and the
    // game asks for no privilege) and doubles what it grants for its own
    // bookkeeping.
    m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, WantedReceiveQueue);
}

void UdpEndpoint::startReceiving()
{
    if (!m_socket)
        return;
    // Binding an already bound socket would only fail, so it is not tried.
    // The bind here is the second, harmless one: it is not reported, and
    // the socket of a failed bind stays unbound.
    bindSocket();
    connect(m_socket.get(), &QUdpSocket::readyRead, this, &UdpEndpoint::postReadiness, Qt::UniqueConnection);
    // Datagrams that arrived before notifications started are read as well.
    if (m_socket->state() == QAbstractSocket::BoundState && m_socket->hasPendingDatagrams())
        postReadiness();
}

quint16 UdpEndpoint::boundPort() const
{
    if (!m_socket || m_socket->state() != QAbstractSocket::BoundState)
        return 0;
    return m_socket->localPort();
}

void UdpEndpoint::postReadiness()
{
    if (m_readinessPosted)
        return;
    m_readinessPosted = true;
    QCoreApplication::postEvent(this, new QEvent(ReadinessEvent));
}

bool UdpEndpoint::event(QEvent* event)
{
    if (event->type() != ReadinessEvent)
        return QObject::event(event);
    m_readinessPosted = false;
    // datagramReceived() goes out from here, straight from Qt's event dispatch.
    receiveOne();
    return true;
}

void UdpEndpoint::receiveOne()
{
    if (!m_socket || m_socket->state() != QAbstractSocket::BoundState)
        return;

    // Every notification ends in a read, also when nothing turns out to be
    // pending: the socket watches for readiness again only after a read.
    // The read goes into a buffer that holds the largest possible datagram,
    // so a datagram is never cut and its real length is known.
    if (drainPortUnreachable(int(m_socket->socketDescriptor())))
        emit peerUnreachable();
    if (m_arrival.isEmpty())
        m_arrival.resize(ArrivalBufferSize);
    QHostAddress sender;
    quint16 senderPort = 0;
    const qint64 count = m_socket->readDatagram(m_arrival.data(), m_arrival.size(), &sender, &senderPort);
    if (count < 0)
        return;

    // The next datagram gets its own event before this one is handed out:
    // a slot that waits in a modal box still lets the next one in.
    if (m_socket->hasPendingDatagrams())
        postReadiness();

    // Too long for any game message: dropped.
    if (count > MaximumDatagramSize)
        return;
    emit datagramReceived(m_arrival.left(count), senderText(sender), senderPort);
}

UdpResult UdpEndpoint::sendDatagram(const QByteArray& datagram)
{
    if (datagram.isEmpty())
        return UdpResult::failure(UdpResult::Kind::EmptyDatagram, QStringLiteral("Invalid stream"));

    const Resolved peer = resolvePeer();
    if (peer.endpointGone || !peer.result)
        return peer.result; // nothing of the endpoint is touched any more
    const QHostAddress address = peer.address.value_or(QHostAddress());
    if (address.isNull() || address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6)
        return UdpResult::socketError(QStringLiteral("Null Remote Address"));

    report(SendStatusLevel, QStringLiteral("Sending Data"));
    const auto port = static_cast<quint16>(m_remotePort & 0xFFFF);

    // The result is not looked at: a datagram that cannot be sent is lost
    // silently, like one that gets lost on the way.
    if (m_socket) {
        // An unreachable notice still queued would fail this send: it is
        // told now, and the datagram goes out.
        if (drainPortUnreachable(int(m_socket->socketDescriptor())))
            emit peerUnreachable();
        m_socket->writeDatagram(datagram, address, port);
    }
    return {};
}

// The peer's address, a null address for "no address". Done afresh for
// every send; nothing is cached.
UdpEndpoint::Resolved UdpEndpoint::resolvePeer()
{
    // The whole name is used, however long it is.
    const QString name = m_remoteHost;
    if (name.isEmpty())
        return {QHostAddress(), {}};

    // A dotted IPv4 address or an IPv6 address needs no lookup.
    QHostAddress literal;
    if (literal.setAddress(name) && literal.protocol() != QAbstractSocket::UnknownNetworkLayerProtocol)
        return {literal, {}};

    return lookUp(name);
}

// Looks the name up and waits for the answer in a local event loop, which
// keeps handling every other event of the program meanwhile (there is no
// time-out). The answer is kept per call, so a second send started from a
// slot during the wait cannot take this send's answer.
UdpEndpoint::Resolved UdpEndpoint::lookUp(const QString& name)
{
    QPointer<UdpEndpoint> self(this);
    QEventLoop wait;
    bool answered = false;
    std::optional<QHostAddress> address;
    startHostLookup(name, &wait, [&](const QHostInfo& info) {
        answered = true;
        address = peerAddressOf(info);
        wait.quit();
    });
    if (!answered)
        wait.exec();
    // A name that does not resolve, an endpoint destroyed by a slot during
    // the wait, or an application that is quitting: the send cannot go on.
    if (!self || !answered || !address)
        return {std::nullopt, UdpResult::socketError(QStringLiteral("Host Lookup Canceled")), !self};
    return {address, {}};
}

void UdpEndpoint::startHostLookup(const QString& name, QObject* context, std::function<void(const QHostInfo&)> done)
{
    QHostInfo::lookupHost(name, context, std::move(done));
}

} // namespace corvane::endpoint
