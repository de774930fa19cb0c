#include "net/play/ConnectionSettings.h"

#include <limits>

#include "net/endpoint/TUdpEndpoint.h"
#include "ui/MessageBox.h"

namespace corvane::play {

ConvertError::ConvertError(const QString& text)
    : std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString())
{
}

int convertToInteger(const QString& text)
{
    qsizetype i = 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        ++i;
    if (i >= text.size())
        throw ConvertError(text);
    // Accumulate in 64 bits and stop at once past the 32-bit range, so a long
    // string of digits cannot overflow.
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            throw ConvertError(text);
        value = value * 10 + (c - u'0');
        if (value > limit)
            throw ConvertError(text);
    }
    return static_cast<int>(negative ? -value : value);
}

ApplyResult applyConnectionSettings(QWidget* dialog, TUdpEndpoint& endpoint, const QString& host,
                                    const QString& remotePort, const QString& localPort)
{
    if (host.isEmpty() || remotePort.isEmpty() || localPort.isEmpty()) {
        showMessageBox(dialog, QStringLiteral("请输入完整的信息，以便连接对方！"), QStringLiteral("连接提示"));
        return ApplyResult::MissingEntry;
    }
    endpoint.setRemoteHost(host);
    endpoint.setRemotePort(convertToInteger(remotePort));
    endpoint.setLocalPort(convertToInteger(localPort));
    return ApplyResult::Applied;
}

} // namespace corvane::play
