#include "DateTimeText.h"

#include <QLocale>

namespace corvane {

namespace {

// The locale's long time format without its time-zone field ("t", and the
// longer forms some Qt versions know), leaving quoted literal text alone,
// then without the blanks the removal leaves at either end or doubled.
QString timeFormatWithoutZone()
{
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
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

} // namespace

QString shortDateText(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime& time)
{
    return QLocale::system().toString(time, timeFormatWithoutZone());
}

QString dateTimeText(const QDateTime& when)
{
    return shortDateText(when.date()) + QStringLiteral("  ") + longTimeText(when.time());
}

} // namespace corvane
