#include "DateTimeText.h"

#include <QLocale>

namespace corvane {

QString withoutTimeZone(const QString& format)
{
    // Also removes the longer zone fields ("tt", "ttt") newer Qt versions
    // know; quoted literal text is left alone.
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}

QString shortDateText(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime& time)
{
    return QLocale::system().toString(time, withoutTimeZone(QLocale::system().timeFormat(QLocale::LongFormat)));
}

} // namespace corvane
