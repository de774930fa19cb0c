#pragma once
// Applying the connection settings dialog: the peer's host and port and the
// local port go into the endpoint, in that order. The dialog's widgets only
// supply the three texts, so any edit controls can sit in front of this.

#include <QString>
#include <stdexcept>

class QWidget;
class TUdpEndpoint;

namespace corvane::play {

// The framework's conversion failure: "'%s' is not a valid integer value".
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString& text);
};

// Reads a port box's text as a decimal 32-bit signed integer: an optional
// minus sign and decimal digits, nothing before or after them (no blanks, no
// plus sign, no hexadecimal forms). Throws ConvertError otherwise, and when
// the value does not fit.
int convertToInteger(const QString& text);

enum class ApplyResult {
    MissingEntry,  // a box was empty: the "连接提示" box was shown, nothing changed
    Applied,       // all three values are set; the dialog closes
};

// FlatButton1Click. An empty box (blanks count as content) shows the
// "请输入完整的信息，以便连接对方！" box owned by `dialog`. Otherwise sets
// RemoteHost to the host text exactly as typed, RemotePort, then LocalPort
// (which re-creates the socket). A conversion or socket failure throws; what
// was set before it stays set.
ApplyResult applyConnectionSettings(QWidget* dialog, TUdpEndpoint& endpoint, const QString& host,
                                    const QString& remotePort, const QString& localPort);

} // namespace corvane::play
