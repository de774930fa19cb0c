#pragma once
// Date and time as this computer's locale writes them: the short date format
// and the time format with seconds, without a time-zone name.
#include <QDateTime>
#include <QString>

namespace corvane {

QString shortDateText(const QDate& date);
// The time is written with the locale's long time format minus its time-zone field.
QString longTimeText(const QTime& time);

// A Qt time format without its time-zone fields ("t" outside quotes) and
// without the blanks that leaves behind: "h:mm:ss AP t" gives "h:mm:ss AP".
QString withoutTimeZone(const QString& timeFormat);

} // namespace corvane
