#include "net/play/ConnectionSettings.h"

#include <limits>

#include "net/endpoint/UdpEndpoint.h"

namespace corvane::play {

QString conversionErrorText(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

std::optional<int> convertToInteger(const QString& text)
{
    qsizetype i = 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        ++i;
    if (i >= text.size())
        return std::nullopt;
    // Accumulate in 64 bits and stop at once past the 32-bit range, so a long
    // string of digits cannot overflow.
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

ApplyOutcome applyConnectionSettings(endpoint::UdpEndpoint& endpoint, const QString& host, const QString& remotePort,
                                     const QString& localPort)
{
    if (host.isEmpty() || remotePort.isEmpty() || localPort.isEmpty())
        return {ApplyResult::MissingEntry, {}};
    endpoint.setRemoteHost(host);
    const std::optional<int> peerPort = convertToInteger(remotePort);
    if (!peerPort)
        return {ApplyResult::Failed, conversionErrorText(remotePort)};
    endpoint.setRemotePort(*peerPort);
    const std::optional<int> ownPort = convertToInteger(localPort);
    if (!ownPort)
        return {ApplyResult::Failed, conversionErrorText(localPort)};
    if (const endpoint::UdpResult bound = endpoint.setLocalPort(*ownPort); !bound)
        return {ApplyResult::Failed, bound.errorText()};
    return {ApplyResult::Applied, {}};
}

} // namespace corvane::play
