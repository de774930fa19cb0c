#pragma once
// Helpers for the main-window tests: free UDP ports, waiting for datagrams
// while the event loop runs, a peer that records what the window sends, and
// mouse presses and releases on the board view the way the window system
// delivers them (BoardProbe.h).

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <functional>
#include <deque>
#include <string>
#include <vector>

#include "net/endpoint/UdpEndpoint.h"
#include "shell/BoardProbe.h"
#include "shell/MainWindow.h"
#include "support/WaitUntil.h"

namespace corvane::shell::testing {

// A port nobody holds at the moment of asking.
inline int freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

using corvane::testing::waitUntil;

// Lets the event loop run for a short while, for checks that nothing comes.
inline void settle(int milliseconds = 150)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A peer on loopback that keeps every datagram it receives and can send.
class RecordingPeer {
public:
    RecordingPeer() { m_socket.bind(QHostAddress::LocalHost, 0); }
    int port() const { return m_socket.localPort(); }

    // Waits for the next datagram and returns its bytes ("" on time-out).
    // Like a V1.0 peer, it passes over the hellos a Corvane sends to find
    // out whether its peer is a Corvane too.
    std::string next()
    {
        if (!waitUntil([this] { return collect(); }))
            return {};
        const std::string bytes = m_arrived.front();
        m_arrived.pop_front();
        return bytes;
    }
    bool hasPending()
    {
        settle();
        return collect();
    }
    void send(const std::string& bytes, int port)
    {
        m_socket.writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), QHostAddress::LocalHost,
                               static_cast<quint16>(port));
    }

private:
    // Reads what has come, hellos left out; whether anything else waits.
    bool collect()
    {
        while (m_socket.hasPendingDatagrams()) {
            const QByteArray data = m_socket.receiveDatagram().data();
            if (!data.startsWith("cvhello|"))
                m_arrived.emplace_back(data.constData(), static_cast<std::size_t>(data.size()));
        }
        return !m_arrived.empty();
    }

    QUdpSocket m_socket;
    std::deque<std::string> m_arrived;
};

// Points the window's endpoint at `remotePort` and binds it to `localPort`.
inline void connectForm(MainWindow& form, int localPort, int remotePort)
{
    form.endpoint()->setRemoteHost(QStringLiteral("127.0.0.1"));
    form.endpoint()->setRemotePort(remotePort);
    form.endpoint()->setLocalPort(localPort);
}

// One computer: the window sends to its own port.
inline void connectToItself(MainWindow& form)
{
    const int port = freeUdpPort();
    connectForm(form, port, port);
}

inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint local = {16, 16})
{
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// True when every piece Image<first>..Image<last> has the given drag state.
inline bool allDraggable(MainWindow& form, int first, int last, bool expected)
{
    for (int n = first; n <= last; ++n)
        if (draggable(form, n) != expected)
            return false;
    return true;
}

} // namespace corvane::shell::testing
