#pragma once
// The outcome of an endpoint operation that can fail: success, or the kind
// of failure and the message text the default error box shows for it. The
// endpoint reports failures only this way, so nothing it does unwinds
// through the event loop that called it.
#include <QString>

#include <utility>

namespace corvane::endpoint {

class UdpResult {
public:
    enum class Kind {
        None,          // the operation succeeded
        EmptyDatagram, // a general failure: there was nothing to send
        SocketError,   // the endpoint's own failures (socket, bind, address, lookup)
    };

    UdpResult() = default;
    static UdpResult failure(Kind kind, QString text) { return UdpResult(kind, std::move(text)); }
    static UdpResult socketError(QString text) { return failure(Kind::SocketError, std::move(text)); }

    bool ok() const { return m_kind == Kind::None; }
    explicit operator bool() const { return ok(); }
    Kind kind() const { return m_kind; }
    // The message, e.g. "Host Lookup Canceled"; empty on success.
    const QString& errorText() const { return m_text; }

private:
    UdpResult(Kind kind, QString text) : m_kind(kind), m_text(std::move(text)) { }

    Kind m_kind = Kind::None;
    QString m_text;
};

} // namespace corvane::endpoint
