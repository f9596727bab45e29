// --weather against the batch rows: the year's totals equal those of the same hours written as
// rows and rated again, and the month rows add up to the hours' totals, so that the weather year
// and the rest of the tool agree hour for hour.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "byte_source.h"
#include "calculator_main.h"
#include "csv_reader.h"

namespace veltrane::cli {
namespace {

const std::string kChicago = std::string(VELTRANE_EXAMPLES) + "/chicago-ohare-tmy3.epw";
const std::string kShort = std::string(VELTRANE_CLI_FIXTURES) + "/weather_short.epw";

struct Table {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    [[nodiscard]] std::size_t Column(const std::string& name) const {
        for (std::size_t k = 0; k < header.size(); ++k)
            if (header[k] == name) return k;
        ADD_FAILURE() << "no column " << name;
        return 0;
    }
    /// A number of the row under --raw, which writes no grouping.
    [[nodiscard]] double Number(const std::vector<std::string>& row,
                                const std::string& name) const {
        const std::string& text = row.at(Column(name));
        double value = 0.0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        EXPECT_EQ(result.ptr, text.data() + text.size()) << name << ": " << text;
        return value;
    }
};

Table RunToTable(const std::vector<std::string>& arguments, int expectedStatus) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunCalculator(views, stdin, out, err), expectedStatus);
    std::rewind(out);
    FileSource source(out);
    CsvReader reader(source);
    CsvRecord record;
    Table table;
    while (reader.Next(record)) {
        std::vector<std::string> fields(record.fields.begin(), record.fields.end());
        if (table.header.empty()) {
            table.header = std::move(fields);
        } else {
            table.rows.push_back(std::move(fields));
        }
    }
    std::fclose(out);
    std::fclose(err);
    return table;
}

/// The sums and means of a totals row that a plant budgets by, with the tolerance the year
/// claims: the same hours rated twice may land on neighbouring floats of the approach search.
void ExpectSameTotals(const Table& a, const std::vector<std::string>& rowA, const Table& b,
                      const std::vector<std::string>& rowB, double tolerance) {
    for (const std::string name :
         {"Hours", "Cold Water Out Temp (F)", "Evaporation (gal)", "Blowdown (gal)", "Drift (gal)",
          "Makeup (gal)", "Fan Energy (kWh)", "Hours Above Setpoint", "Air Flow (%)"}) {
        const double expected = b.Number(rowB, name);
        EXPECT_NEAR(a.Number(rowA, name), expected, tolerance * std::abs(expected)) << name;
    }
}

const std::vector<std::string> kFans = {"--tower", "2.1:0.6", "--setpoint", "78", "--fan", "vfd"};

std::vector<std::string> With(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), kFans.begin(), kFans.end());
    return arguments;
}

TEST(WeatherYear, shouldTotalAsTheSameHoursWrittenAsRows) {
    const Table hours =
        RunToTable(With({"--weather", kChicago, "--defaults", "--totals", "--raw"}), kExitSuccess);
    ASSERT_EQ(hours.rows.size(), 8761U);  // 8,760 hours and the totals

    const std::string path = ::testing::TempDir() + "chicago_hours_as_rows.csv";
    {
        std::ofstream rows(path);
        const std::vector<std::string> columns = {"P", "Twb", "Tdb", "THot", "Approach", "Hours"};
        rows << "P,Twb,Tdb,THot,Approach,Hours\n";
        for (std::size_t k = 0; k + 1 < hours.rows.size(); ++k) {
            for (std::size_t c = 0; c < columns.size(); ++c)
                rows << (c > 0 ? "," : "") << hours.rows[k].at(hours.Column(columns[c]));
            rows << '\n';
        }
    }
    const Table rated =
        RunToTable(With({"--exit-air", "exact", "--totals", "--raw", path}), kExitSuccess);
    ASSERT_EQ(rated.rows.size(), 8761U);
    ExpectSameTotals(hours, hours.rows.back(), rated, rated.rows.back(), 0.001);
}

TEST(WeatherYear, shouldHaveMonthsThatAddUpToTheHoursTotals) {
    const Table hours =
        RunToTable(With({"--weather", kShort, "--defaults", "--totals", "--raw"}), kExitSuccess);
    const Table months = RunToTable(
        With({"--weather", kShort, "--defaults", "--monthly", "--totals", "--raw"}), kExitSuccess);
    ASSERT_EQ(months.rows.size(), 13U);
    const std::vector<std::string>& year = months.rows.back();
    EXPECT_EQ(year.at(0), "Year");
    const std::vector<std::string>& total = hours.rows.back();
    for (const auto& [month, hourly] : {std::pair<std::string, std::string>{"Hours", "Hours"},
                                        {"Cold Water (F)", "Cold Water Reached (F)"},
                                        {"Makeup (gal)", "Makeup (gal)"},
                                        {"Fan Energy (kWh)", "Fan Energy (kWh)"},
                                        {"Hours Above Setpoint", "Hours Above Setpoint"},
                                        {"Air Flow (%)", "Air Flow (%)"}}) {
        const double expected = hours.Number(total, hourly);
        EXPECT_NEAR(months.Number(year, month), expected, 1e-9 * std::abs(expected)) << month;
    }
    double makeup = 0.0;
    for (std::size_t m = 0; m < 12; ++m)
        makeup += months.Number(months.rows[m], "Makeup (gal)");
    EXPECT_NEAR(makeup, months.Number(year, "Makeup (gal)"), 1e-9 * makeup);
}

}  // namespace
}  // namespace veltrane::cli
