// A year run from a weather file: every readable hour run under the load, the rest noted.

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "epw_text.h"
#include "performance_curves.h"
#include "weather_year.h"

namespace veltrane {
namespace {

using namespace testing::epw;

WeatherYearSettings Settings(const LoadProfile& load = LoadProfile(100.0F)) {
    const DesignInputs design = DefaultDesignInputs();
    return {design, *TowerThroughDesign(design, 0.6F),
            FanControl{FanMode::kVariableSpeed, 78.0F, kDefaultMinimumAirFlow}, load};
}

/// 100 % everywhere but July's 16th hour, at half load.
LoadProfile JulyAfternoonAtHalf() {
    LoadProfileReader reader;
    std::size_t line = 1;
    for (int month = 1; month <= 12; ++month) {
        for (int hour = 1; hour <= 24; ++hour) {
            const std::string m = std::to_string(month);
            const std::string h = std::to_string(hour);
            const std::string load = month == 7 && hour == 16 ? "50" : "100";
            const std::vector<std::string_view> fields = {m, h, load};
            reader.AddRow(line++, fields);
        }
    }
    return *reader.Finish();
}

TEST(WeatherYear, shouldRunEveryReadableHourAndNoteTheRest) {
    std::istringstream in(Header() +                                       // lines 1-8
                          Record("1", "15", "13", "5", "1", "99500") +     // 9
                          Record("1", "15", "14", "99.9", "1", "99500") +  // 10
                          Record("7", "15", "15", "30", "31", "99500") +   // 11
                          Record("7", "15", "16", "32", "24", "99500") +   // 12
                          Record("7", "15", "17", "33", "23", "99000"));   // 13
    WeatherFileReader reader(in);
    ASSERT_EQ(reader.HeaderError(), "");
    const WeatherYearSettings settings = Settings(JulyAfternoonAtHalf());
    std::vector<std::size_t> linesRun;
    std::vector<std::string> problems;
    const WeatherYear year = RunWeatherYear(
        reader, settings,
        [&](const WeatherHourRun& hour) {
            linesRun.push_back(hour.record.line);
            EXPECT_EQ(hour.inputs[Input::kAtmosPress], hour.air.pressure);
            EXPECT_EQ(hour.inputs[Input::kWetBulb], hour.air.wetBulb);
            const float designRange = RowRange(settings.design);
            EXPECT_NEAR(
                static_cast<double>(RowRange(hour.inputs)),
                static_cast<double>(designRange) * static_cast<double>(hour.loadPercent) / 100.0,
                1e-4);
            EXPECT_EQ(hour.loadPercent, hour.record.hour == 16 ? 50.0F : 100.0F);
            EXPECT_NE(hour.run.outcome, FanOutcome::kNoOperatingPoint);
        },
        [&](const std::string& problem) { problems.push_back(problem); });

    EXPECT_EQ(linesRun, (std::vector<std::size_t>{9, 12, 13}));
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "line 10: dry bulb (field 7): missing (99.9)",
                  "line 11: dew point (field 8): above the dry bulb (31 C, dry bulb 30 C)"}));
    EXPECT_EQ(year.notes.recordsUnreadable, 1U);
    EXPECT_EQ(year.notes.recordsWithoutWetBulb, 1U);
    EXPECT_EQ(year.notes.HoursLeftOut(year.sums.Year()), 2.0);
    EXPECT_FALSE(year.notes.cancelled);
    EXPECT_EQ(year.sums.Month(1).hours, 1.0);
    EXPECT_EQ(year.sums.Month(7).hours, 2.0);
    EXPECT_EQ(year.sums.Year().hours, 3.0);
}

TEST(WeatherYear, shouldStopWhenANewerRunCancelsIt) {
    std::istringstream in(Header() + Record("1", "15", "13", "5", "1", "99500"));
    WeatherFileReader reader(in);
    const std::atomic<bool> cancel{true};
    int hours = 0;
    const WeatherYear year = RunWeatherYear(
        reader, Settings(), [&hours](const WeatherHourRun&) { ++hours; }, {}, &cancel);
    EXPECT_TRUE(year.notes.cancelled);
    EXPECT_EQ(hours, 0);
}

}  // namespace
}  // namespace veltrane
