// The title line's date and time in the user's locale.
#include <gtest/gtest.h>

#include <QTimeZone>

#include "report_test_support.h"
#include "report_timestamp.h"

namespace veltrane {
namespace {

TEST(ReportTimestamp, shouldWriteTheGeneralDateAndTimeOfTheLocale) {
    struct Case {
        QLocale locale;
        QDateTime moment;
        QString expected;
    };
    const QDateTime morning(QDate(2007, 1, 2), QTime(9, 8, 7));
    const QList<Case> cases{
        {QLocale(QLocale::English, QLocale::UnitedStates), testing::PiDay(),
         "3/14/1999 2:05:09 PM"},
        {QLocale(QLocale::English, QLocale::UnitedStates), morning, "1/2/2007 9:08:07 AM"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), testing::PiDay(),
         "14/03/1999 14:05:09"},
        {QLocale(QLocale::German, QLocale::Germany), testing::PiDay(), "14.03.1999 14:05:09"},
        {QLocale(QLocale::German, QLocale::Germany), morning, "02.01.2007 09:08:07"},
        {QLocale(QLocale::French, QLocale::France), testing::PiDay(), "14/03/1999 14:05:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        EXPECT_EQ(ReportTimestamp(c.moment, c.locale), c.expected);
    }
}

// Every locale: a four-digit year, and no time-zone name left over from the long time format.
TEST(ReportTimestamp, shouldGiveEveryLocaleAFourDigitYearAndNoTimeZone) {
    const QDateTime moment(QDate(1999, 3, 14), QTime(14, 5, 9), QTimeZone::utc());
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& locale : locales) {
        const QString text = ReportTimestamp(moment, locale);
        const QString year = locale.toString(1999).remove(locale.groupSeparator());
        EXPECT_TRUE(text.contains(year))
            << locale.name().toStdString() << ": " << text.toStdString();
        EXPECT_FALSE(text.contains(u"UTC"))
            << locale.name().toStdString() << ": " << text.toStdString();
        EXPECT_FALSE(text.endsWith(u' ') || text.endsWith(u',') || text.endsWith(u"()"))
            << locale.name().toStdString() << ": " << text.toStdString();
    }
}

}  // namespace
}  // namespace veltrane
