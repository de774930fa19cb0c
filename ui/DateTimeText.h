#pragma once
// Date and time as this computer's locale writes them: the short date format
// and the time format with seconds, without a time-zone name.
#include <QDateTime>
#include <QString>

namespace corvane {

QString shortDateText(const QDate& date);
QString longTimeText(const QTime& time);

// shortDateText + two blanks + longTimeText, the header of chat lines and
// notices ("2026/12/7  10:05:33" in a Chinese locale).
QString dateTimeText(const QDateTime& when);
inline QString currentDateTimeText() { return dateTimeText(QDateTime::currentDateTime()); }

} // namespace corvane
