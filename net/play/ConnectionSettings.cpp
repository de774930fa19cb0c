#include "net/play/ConnectionSettings.h"

#include <limits>

#include "net/endpoint/TUdpEndpoint.h"
#include "ui/MessageBox.h"

namespace corvane::play {

ConvertError::ConvertError(const QString& text)
    : std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString())
{
}

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

int convertToInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        throw ConvertError(text);
    // Accumulate in 64 bits and stop at once past the 32-bit range, so a long
    // string of digits cannot overflow.
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0)
            throw ConvertError(text);
        value = value * base + digit;
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
