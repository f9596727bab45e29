#pragma once
// The date and time on the report's title line, in the user's locale.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace veltrane {

/// The date-and-time format of the title line. US English: exactly "M/d/yyyy h:mm:ss AP"
/// ("3/14/1999 2:05:09 PM"). Any other locale: its short date with the year in four digits, a
/// space, and its long time without the time-zone name ("14.03.1999 14:05:09" in German).
QString ReportTimestampFormat(const QLocale& locale);

/// `moment` written in `locale` by ReportTimestampFormat.
QString ReportTimestamp(const QDateTime& moment, const QLocale& locale);

}  // namespace veltrane
