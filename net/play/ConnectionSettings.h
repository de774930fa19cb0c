#pragma once
// Applying the connection settings dialog: the peer's host and port and the
// local port go into the endpoint, in that order. The dialog's widgets only
// supply the three texts, so any edit controls can sit in front of this; what
// the user is told about the outcome is the caller's to show.

#include <QString>
#include <optional>

namespace corvane::endpoint {
class UdpEndpoint;
}

namespace corvane::play {

// Reads a port box's text as a decimal 32-bit signed integer: an optional
// minus sign and decimal digits, nothing before or after them (no blanks, no
// plus sign, no hexadecimal forms). Empty when the text is not such a number
// or the value does not fit.
std::optional<int> convertToInteger(const QString& text);

// The framework's conversion failure: "'%s' is not a valid integer value".
QString conversionErrorText(const QString& text);

// The hint for a box left empty, and the caption of its box.
inline QString missingEntryText()
{
    return QStringLiteral("请输入完整的信息，以便连接对方！");
}
inline QString missingEntryCaption()
{
    return QStringLiteral("连接提示");
}

enum class ApplyResult {
    MissingEntry, // a box was empty: nothing changed
    Failed,       // a conversion or the socket failed: errorText says why
    Applied,      // all three values are set; the dialog closes
};

struct ApplyOutcome {
    ApplyResult result = ApplyResult::Applied;
    QString errorText; // for Failed: the text of the default error box
};

// FlatButton1Click's work. An empty box (blanks count as content) changes
// nothing. Otherwise sets RemoteHost to the host text exactly as typed,
// RemotePort, then LocalPort (which re-creates the socket). At a conversion
// or socket failure it stops; what was set before it stays set.
ApplyOutcome applyConnectionSettings(endpoint::UdpEndpoint& endpoint, const QString& host, const QString& remotePort,
                                     const QString& localPort);

} // namespace corvane::play
