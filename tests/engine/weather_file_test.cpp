// The weather file reader on small files made for their edges, and on the Chicago typical year.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "epw_text.h"
#include "weather_file.h"
#include "weather_hour.h"

namespace veltrane {
namespace {

using namespace testing::epw;

struct ReadAll {
    std::vector<WeatherRecord> records;
    std::vector<std::string> errors;
};

ReadAll Read(WeatherFileReader& reader) {
    ReadAll all;
    WeatherRecord record;
    WeatherLineError error;
    for (;;) {
        const WeatherLineKind kind = reader.Next(record, error);
        if (kind == WeatherLineKind::kEnd) return all;
        if (kind == WeatherLineKind::kRecord) all.records.push_back(record);
        if (kind == WeatherLineKind::kLeftOut) all.errors.push_back(error.Message());
    }
}

TEST(WeatherFile, shouldReadTheSiteAndItsEvaporationDesignWetBulbs) {
    std::istringstream in(Header() + Record("1", "1", "1", "-12.2", "-16.1", "99500"));
    WeatherFileReader reader(in);
    ASSERT_EQ(reader.HeaderError(), "");
    const WeatherSite& site = reader.Header().site;
    EXPECT_EQ(site.name, "Test Site");
    EXPECT_EQ(site.region, "IL");
    EXPECT_EQ(site.country, "USA");
    EXPECT_EQ(site.latitude, 41.98);
    EXPECT_EQ(site.longitude, -87.92);
    EXPECT_EQ(site.elevation, 201.0);
    ASSERT_TRUE(reader.Header().evaporationWetBulbs.has_value());
    EXPECT_EQ(reader.Header().evaporationWetBulbs->percent04, 25.5);
    EXPECT_EQ(reader.Header().evaporationWetBulbs->percent1, 24.5);
    EXPECT_EQ(reader.Header().evaporationWetBulbs->percent2, 23.5);

    const ReadAll all = Read(reader);
    ASSERT_EQ(all.records.size(), 1U);
    const WeatherRecord& r = all.records[0];
    EXPECT_EQ(r.line, 9U);
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.day, 1);
    EXPECT_EQ(r.hour, 1);
    EXPECT_EQ(r.dryBulb, -12.2);
    EXPECT_EQ(r.dewPoint, -16.1);
    EXPECT_EQ(r.stationPressure, 99500.0);
}

TEST(WeatherFile, shouldGoWithoutDesignWetBulbsWhereTheFileHasNone) {
    std::istringstream in(kLocation + "DESIGN CONDITIONS,0\r\n" + kMiddleHeader + DataPeriods(1));
    WeatherFileReader reader(in);
    EXPECT_EQ(reader.HeaderError(), "");
    EXPECT_FALSE(reader.Header().evaporationWetBulbs.has_value());
}

TEST(WeatherFile, shouldRefuseWhatIsNotAWeatherFile) {
    const struct {
        std::string text;
        std::string error;
    } kCases[] = {
        {"", "not a weather file: it is empty (an EPW file opens with a LOCATION line)"},
        {"P,Twb,Tdb\n14.7,78,95\n",
         "not a weather file: line 1 is not a LOCATION line (an EPW file opens with one)"},
        {kLocation + DataPeriods(0),
         "line 2: DATA PERIODS: records an hour (field 3) \"0\" is not a whole number from 1 to "
         "60"},
        {kLocation + "DATA PERIODS,1,four,Data\n",
         "line 2: DATA PERIODS: records an hour (field 3) \"four\" is not a whole number from 1 "
         "to 60"},
    };
    for (const auto& c : kCases) {
        std::istringstream in(c.text.empty() ? c.text
                                             : c.text + Record("1", "1", "1", "5", "1", "99500"));
        WeatherFileReader reader(in);
        EXPECT_EQ(reader.HeaderError(), c.error);
        WeatherRecord record;
        WeatherLineError error;
        EXPECT_EQ(reader.Next(record, error), WeatherLineKind::kEnd);
    }
}

TEST(WeatherFile, shouldLeaveOutUnusableRecordsNamingTheLineAndField) {
    std::istringstream in(Header() +                                           // lines 1-8
                          Record("1", "1", "1", "99.9", "-16.1", "99500") +    // 9
                          Record("1", "1", "2", "-12.2", "99.9", "99500") +    // 10
                          Record("1", "1", "3", "-12.2", "-16.1", "999999") +  // 11
                          Record("1", "1", "4", "warm", "-16.1", "99500") +    // 12
                          "1999,1,1,5,0,?9,-12.2,-16.1\n" +                    // 13
                          Record("13", "1", "6", "-12.2", "-16.1", "99500") +  // 14
                          Record("2", "30", "7", "-12.2", "-16.1", "99500") +  // 15
                          Record("1", "1", "0", "-12.2", "-16.1", "99500") +   // 16
                          Record("1", "1", "9", "-80", "-16.1", "99500") +     // 17
                          "\n" +                                               // 18
                          Record("1", "1", "10", "-12.2", "-16.1", "99500"));  // 19
    WeatherFileReader reader(in);
    const ReadAll all = Read(reader);
    const std::vector<std::string> expected = {
        "line 9: dry bulb (field 7): missing (99.9)",
        "line 10: dew point (field 8): missing (99.9)",
        "line 11: station pressure (field 10): missing (999999)",
        "line 12: dry bulb (field 7): \"warm\" is not a number",
        "line 13: record: 8 fields; a record needs at least 10",
        "line 14: month (field 2): 13 is not from 1 to 12",
        "line 15: day (field 3): 30 is not from 1 to 29",
        "line 16: hour (field 4): 0 is not from 1 to 24",
        "line 17: dry bulb (field 7): -80 is outside the format's range",
    };
    EXPECT_EQ(all.errors, expected);
    ASSERT_EQ(all.records.size(), 1U);
    EXPECT_EQ(all.records[0].line, 19U);
    EXPECT_EQ(reader.Tally().records, 1U);
    EXPECT_EQ(reader.Tally().recordsLeftOut, 9U);
    EXPECT_EQ(reader.Tally().hoursLeftOut, 9.0);
    EXPECT_TRUE(reader.Tally().ShortOfAYear());
}

/// A file of whole days from 1 January, `recordsPerHour` records an hour, with or without
/// 29 February.
std::string Days(int days, int recordsPerHour, bool leap) {
    constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::string text = Header(recordsPerHour);
    int month = 1;
    int day = 1;
    for (int d = 0; d < days; ++d) {
        for (int hour = 1; hour <= 24; ++hour) {
            for (int r = 0; r < recordsPerHour; ++r) {
                text += Record(std::to_string(month), std::to_string(day), std::to_string(hour),
                               "10", "5", "100000");
            }
        }
        const int monthDays = kDaysInMonth[month - 1] + (leap && month == 2 ? 1 : 0);
        if (++day > monthDays) {
            day = 1;
            ++month;
        }
    }
    return text;
}

TEST(WeatherFile, shouldCountAYearItsLeapYearAndAShortFile) {
    const struct {
        const char* name;
        int days;
        int recordsPerHour;
        bool leap;
        std::size_t records;
        double hours;
        bool leapYear;
        bool shortOfAYear;
    } kCases[] = {
        {"a year", 365, 1, false, 8760, 8760.0, false, false},
        {"a leap year", 366, 1, true, 8784, 8784.0, true, false},
        {"a leap year's first 365 days", 365, 1, true, 8760, 8760.0, true, true},
        {"a week", 7, 1, false, 168, 168.0, false, true},
        {"a week of quarter hours", 7, 4, false, 672, 168.0, false, true},
        {"a year of half hours", 365, 2, false, 17520, 8760.0, false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(Days(c.days, c.recordsPerHour, c.leap));
        WeatherFileReader reader(in);
        const ReadAll all = Read(reader);
        EXPECT_TRUE(all.errors.empty());
        EXPECT_EQ(all.records.size(), c.records);
        EXPECT_NEAR(reader.Tally().hours, c.hours, 1e-9);
        EXPECT_EQ(all.records.back().hours, 1.0 / c.recordsPerHour);
        EXPECT_EQ(reader.Tally().leapYear, c.leapYear);
        EXPECT_EQ(reader.Tally().ShortOfAYear(), c.shortOfAYear);
    }
}

TEST(WeatherFile, shouldReadChicagosTypicalYearWhole) {
    std::ifstream in(VELTRANE_EXAMPLES_DIR "/chicago-ohare-tmy3.epw", std::ios::binary);
    ASSERT_TRUE(in) << "examples/chicago-ohare-tmy3.epw";
    WeatherFileReader reader(in);
    ASSERT_EQ(reader.HeaderError(), "");
    EXPECT_EQ(reader.Header().site.name, "Chicago Ohare Intl Ap");
    EXPECT_EQ(reader.Header().site.elevation, 201.0);
    ASSERT_TRUE(reader.Header().evaporationWetBulbs.has_value());
    EXPECT_EQ(reader.Header().evaporationWetBulbs->percent04, 25.5);

    float lowest = 1000.0F;
    float highest = -1000.0F;
    WeatherRecord record;
    WeatherLineError error;
    WeatherLineKind kind;
    while ((kind = reader.Next(record, error)) != WeatherLineKind::kEnd) {
        ASSERT_EQ(kind, WeatherLineKind::kRecord) << error.Message();
        const HourAirConversion conversion = AirOfRecord(record);
        ASSERT_EQ(conversion.outcome, WetBulbOutcome::kSolved) << record.line;
        lowest = std::min(lowest, conversion.air.wetBulb);
        highest = std::max(highest, conversion.air.wetBulb);
    }
    EXPECT_EQ(reader.Tally().records, 8760U);
    EXPECT_FALSE(reader.Tally().ShortOfAYear());
    // The year's lowest and highest wet bulbs, °F, by the independent solution of
    // wet_bulb_reference.py over every hour of the file.
    EXPECT_NEAR(static_cast<double>(lowest), -10.3008, 0.01);
    EXPECT_NEAR(static_cast<double>(highest), 80.3881, 0.01);
}

}  // namespace
}  // namespace veltrane
