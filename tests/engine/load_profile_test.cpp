// The plant's load: a profile of 12 × 24 rows, and its refusals.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "load_profile.h"

namespace veltrane {
namespace {

using Row = std::vector<std::string>;

/// Every month-hour once, the load 50 + month + hour / 100 so that each slot tells itself apart.
std::vector<Row> WholeProfile() {
    std::vector<Row> rows = {{"Month", "Hour", "Load"}};
    for (int month = 1; month <= 12; ++month) {
        for (int hour = 1; hour <= 24; ++hour) {
            rows.push_back({std::to_string(month), std::to_string(hour),
                            std::to_string(50 + month) + "." + std::to_string(hour)});
        }
    }
    return rows;
}

LoadProfileReader ReadRows(const std::vector<Row>& rows) {
    LoadProfileReader reader;
    std::size_t line = 1;
    for (const Row& row : rows) {
        const std::vector<std::string_view> fields(row.begin(), row.end());
        reader.AddRow(line++, fields);
    }
    return reader;
}

TEST(LoadProfile, shouldGiveEachMonthHourItsOwnLoad) {
    LoadProfileReader reader = ReadRows(WholeProfile());
    const auto profile = reader.Finish();
    ASSERT_TRUE(profile.has_value()) << reader.Errors().front();
    EXPECT_EQ(profile->PercentAt(1, 1), 51.1F);
    EXPECT_EQ(profile->PercentAt(1, 24), 51.24F);
    EXPECT_EQ(profile->PercentAt(7, 15), 57.15F);
    EXPECT_EQ(profile->PercentAt(12, 24), 62.24F);
    EXPECT_EQ(profile->PercentAt(13, 1), 0.0F);
    EXPECT_EQ(profile->PercentAt(1, 0), 0.0F);
    EXPECT_EQ(LoadProfile(80.0F).PercentAt(6, 12), 80.0F);
}

TEST(LoadProfile, shouldRefuseRowsItCannotUse) {
    // Each case changes row 1 + `at` of the whole profile (line `at` + 2, after the captions).
    const struct {
        const char* name;
        std::size_t at;
        Row row;
        std::vector<std::string> errors;
    } kCases[] = {
        {"a load that is text",
         5,
         {"1", "6", "high"},
         {"line 7: Load \"high\" is not a number", "month 1 hour 6 has no load"}},
        {"no load",
         0,
         {"1", "1", "0"},
         {"line 2: Load \"0\": the load must be above 0 %", "month 1 hour 1 has no load"}},
        {"a month out of range",
         3,
         {"13", "4", "80"},
         {"line 5: Month \"13\" is not a whole number from 1 to 12", "month 1 hour 4 has no load"}},
        {"an hour counted from 0",
         0,
         {"1", "0", "80"},
         {"line 2: Hour \"0\" is not a whole number from 1 to 24 (the hour ending)",
          "month 1 hour 1 has no load"}},
        {"a duplicate",
         2,
         {"1", "2", "80"},
         {"line 4: month 1 hour 2 is given again (first on line 3)", "month 1 hour 3 has no load"}},
        {"a row of two fields",
         30,
         {"2", "7"},
         {"line 32: 2 fields; a load row has 3 (Month, Hour, Load)", "month 2 hour 7 has no load"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<Row> rows = WholeProfile();
        rows[1 + c.at] = c.row;
        LoadProfileReader reader = ReadRows(rows);
        EXPECT_FALSE(reader.Finish().has_value());
        EXPECT_EQ(reader.Errors(), c.errors);
    }
}

TEST(LoadProfile, shouldNameTheFirstMissingHourAndCountTheRest) {
    std::vector<Row> rows = WholeProfile();
    rows.resize(1 + 24 * 11 + 12);  // December's afternoon left off
    LoadProfileReader reader = ReadRows(rows);
    EXPECT_FALSE(reader.Finish().has_value());
    EXPECT_EQ(reader.Errors(), std::vector<std::string>{
                                   "month 12 hour 13 has no load, nor have 11 other month-hours "
                                   "(a profile gives all 12 × 24)"});
}

TEST(LoadProfile, shouldKeepTwentyErrorsAndCountTheRest) {
    std::vector<Row> rows(40, Row{"x", "1", "80"});
    LoadProfileReader reader = ReadRows(rows);
    EXPECT_FALSE(reader.Finish().has_value());
    EXPECT_EQ(reader.Errors().size(), kMostLoadProfileErrors);
    EXPECT_EQ(reader.ErrorCount(), 41U);  // the 40 rows and the missing month-hours
}

TEST(LoadProfile, shouldRefuseLoadsThatAreNotAboveZero) {
    EXPECT_EQ(LoadPercentProblem(75.0), "");
    EXPECT_EQ(LoadPercentProblem(0.0), "the load must be above 0 %");
    EXPECT_EQ(LoadPercentProblem(-10.0), "the load must be above 0 %");
    EXPECT_EQ(LoadPercentProblem(std::nan("")), "the load is not a number");
    EXPECT_EQ(LoadPercentProblem(1e40), "the load is too large");
}

}  // namespace
}  // namespace veltrane
