// The worksheet: its exit-air table shows the very brackets the search tested, its exact numbers
// read back to the values held, its readable numbers have six significant figures at most and no
// exponent, and in SI each quantity stands beside its US value, converted by its own rule.
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "ieee_step.h"
#include "performance.h"
#include "rating.h"
#include "worksheet.h"

namespace veltrane {
namespace {

/// Designs whose exit-air searches move both ends, and a hot one that moves the low end often.
std::vector<DesignInputs> Designs() {
    std::vector<DesignInputs> designs{DefaultDesignInputs()};
    DesignInputs hot = DefaultDesignInputs();
    hot[Input::kWetBulb] = 78.0F;
    hot[Input::kDryBulb] = 92.0F;
    hot[Input::kHotWater] = 128.0F;
    hot[Input::kApproach] = 9.7F;
    hot[Input::kLiquidGas] = 1.2F;
    designs.push_back(hot);
    DesignInputs cold = DefaultDesignInputs();
    cold[Input::kWetBulb] = 40.0F;
    cold[Input::kDryBulb] = 45.0F;
    cold[Input::kHotWater] = 70.0F;
    cold[Input::kApproach] = 20.0F;
    designs.push_back(cold);
    return designs;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

float ReadFloat(const std::string& text) {
    float value = 0.0F;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

/// The rows of the exit-air table: iteration, low end, high end, midpoint, then the rest.
std::vector<std::vector<std::string>> BisectionRows(const std::string& sheet) {
    std::istringstream lines(sheet);
    std::vector<std::vector<std::string>> rows;
    bool inTable = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("    iteration")) {
            inTable = true;
            continue;
        }
        if (inTable && !line.starts_with("    ")) break;
        if (inTable) rows.push_back(Words(line));
    }
    return rows;
}

TEST(Worksheet, shouldShowEachBracketTheExitAirSearchTestedAndTheExitTemperatureLast) {
    for (const DesignInputs& design : Designs()) {
        std::string sheet;
        AppendWorksheet(sheet, "design", design, WorksheetNumbers::kExact);
        SCOPED_TRACE(sheet);
        const WorkingQuantities q = CalculateWorkingQuantities(design);
        const auto rows = BisectionRows(sheet);
        ASSERT_GE(rows.size(), 2U);
        EXPECT_EQ(ReadFloat(rows.front()[1]), design[Input::kWetBulb]);
        EXPECT_EQ(ReadFloat(rows.front()[2]), design[Input::kHotWater]);
        for (const auto& row : rows) {
            ASSERT_GE(row.size(), 4U);
            EXPECT_EQ(ReadFloat(row[3]), detail::Midpoint(ReadFloat(row[1]), ReadFloat(row[2])))
                << "iteration " << row[0];
        }
        // The next midpoint of the last iteration is TExit, the change below the tolerance.
        const auto& last = rows.back();
        EXPECT_EQ(ReadFloat(last[last.size() - 3]), q.tExit);
        EXPECT_LT(ReadFloat(last[last.size() - 2]), kSolverRelativeTolerance * 100.0F);
    }
}

/// The significant digits of a number's text: its digits without leading zeros.
std::size_t SignificantDigits(const std::string& word) {
    const std::size_t first = word.find_first_of("123456789");
    if (first == std::string::npos) return 0;
    std::size_t count = 0;
    for (std::size_t k = first; k < word.size(); ++k)
        count += word[k] >= '0' && word[k] <= '9' ? 1 : 0;
    // Zeros that only place the decimal point do not count.
    if (word.find('.') == std::string::npos) {
        const std::size_t last = word.find_last_of("123456789");
        count -= word.size() - 1 - last;
    }
    return count;
}

TEST(Worksheet, shouldWriteReadableNumbersInOneStyleOfSixSignificantFiguresAtMost) {
    for (const DesignInputs& design : Designs()) {
        std::string sheet;
        AppendWorksheet(sheet, "design", design, WorksheetNumbers::kReadable);
        AppendWorksheet(sheet, "design", design, {WorksheetNumbers::kReadable, UnitSystem::kSI});
        std::istringstream lines(sheet);
        for (std::string line; std::getline(lines, line);) {
            for (const std::string& word : Words(line)) {
                float value = 0.0F;
                const auto [end, error] =
                    std::from_chars(word.data(), word.data() + word.size(), value);
                if (error != std::errc() || end != word.data() + word.size()) continue;
                EXPECT_EQ(word.find_first_of("eE"), std::string::npos) << line;
                EXPECT_LE(SignificantDigits(word), 6U) << line;
            }
        }
    }
}

/// The words after `label` on the first line that starts with it.
std::vector<std::string> WordsAfter(const std::string& sheet, std::string_view label) {
    const std::size_t at = sheet.find("\n  " + std::string(label));
    if (at == std::string::npos) return {};
    const std::size_t start = at + 3 + label.size();
    return Words(sheet.substr(start, sheet.find('\n', start) - start));
}

/// The default design's worksheet and its rating's, both units side by side.
std::string DefaultsInSI(WorksheetNumbers numbers) {
    const DesignInputs design = DefaultDesignInputs();
    const WorksheetFormat format(numbers, UnitSystem::kSI);
    std::string sheet;
    AppendWorksheet(sheet, "defaults", design, format);
    const TowerCharacteristic tower{2.3F, 0.75F};
    std::vector<ApproachTrial> trials;
    const Rating rating = RateDesign(design, tower, &trials);
    AppendRatingWorksheet(sheet, "defaults", design, tower, rating, trials, format);
    return sheet;
}

TEST(Worksheet, shouldWriteEachQuantityInSiBesideItsUsValueByItsOwnRule) {
    struct Case {
        const char* label;
        const char* us;      // value and unit as the US worksheet writes them
        const char* siUnit;  // empty: written once
        double si;           // by hand from the US figure
    };
    const Case cases[] = {
        {"TCold = Twb + Approach", "78 F", "C", (78.0 - 32.0) / 1.8},
        {"R = THot - TCold", "27 F", "K", 27.0 / 1.8},
        // An enthalpy moves to the datum of 0 C; a difference of two does not.
        {"hInSat, saturated air", "29.9874 Btu/lb", "kJ/kg", 2.326 * (29.9874 - 7.68)},
        {"dh = Q / G", "27 Btu/lb", "kJ/kg", 2.326 * 27.0},
        {"G = 500 x Flow", "500000 lb/h", "kg/h", 500000.0 * 0.45359237},
        {"Q = 500 x Flow x R", "13500000 Btu/h", "kW", 13.5e6 * 1055.05585262 / 3.6e6},
        {"psat at the wet bulb", "0.30545 psia", "kPa", 0.30545 * 6.894757293168},
        {"Cfm = V x G / 60", "121551 ft3/min", "m3/h", 121551.0 * 0.028316846592 * 60.0},
        {"FanHp = FanPress", "12.7493 hp", "kW", 12.7493 * 0.745699872},
        {"Makeup = Evap", "35.5855 gpm", "m3/h", 35.5855 * 0.227124707},
        {"Approach at the operating point", "10.8182 F", "K", 10.8182 / 1.8},
        {"Win, humidity ratio", "0.00858986 lb/lb", "", 0.0},
        {"KaV/L = R/4", "1.83237", "", 0.0},
    };
    const std::string sheet = DefaultsInSI(WorksheetNumbers::kReadable);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> words = WordsAfter(sheet, c.label);
        const std::vector<std::string> us = Words(c.us);
        ASSERT_GE(words.size(), us.size());
        // The formula in the label runs into the line's words: the values are its last ones.
        words.erase(words.begin(), words.end() - static_cast<std::ptrdiff_t>(
                                                     us.size() + (*c.siUnit != 0 ? 2 : 0)));
        EXPECT_EQ(
            std::vector(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(us.size())), us);
        if (*c.siUnit == 0) continue;
        EXPECT_EQ(words.back(), c.siUnit);
        // Six significant figures of the SI value, from a US value itself rounded to six.
        const auto si = static_cast<double>(ReadFloat(words[words.size() - 2]));
        EXPECT_NEAR(si, c.si, std::abs(c.si) * 2e-5 + 1e-9);
    }
}

/// The rows of the first table after the line `heading`, split into words.
std::vector<std::vector<std::string>> TableAfter(const std::string& sheet,
                                                 std::string_view heading) {
    std::istringstream lines(sheet.substr(sheet.find(heading)));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.starts_with("    "))
        rows.push_back(Words(line));
    return rows;
}

TEST(Worksheet, shouldConvertTheChebyshevPointsEnthalpiesOnTheSiDatumAndTheirDifferencesWithout) {
    const std::string sheet = DefaultsInSI(WorksheetNumbers::kReadable);
    const auto us = TableAfter(sheet, "hw is saturated air at Tw");
    const auto si = TableAfter(sheet, "  In SI units:");
    ASSERT_EQ(us.size(), 5U);
    ASSERT_EQ(si.size(), 5U);
    EXPECT_EQ(si[0], Words("point Tw (C) hw (kJ/kg) ha (kJ/kg) d (kJ/kg) 1/d (kg/kJ)"));
    for (std::size_t row = 1; row < us.size(); ++row) {
        SCOPED_TRACE(row);
        const auto value = [&](const auto& table, std::size_t column) {
            return static_cast<double>(ReadFloat(table[row][column]));
        };
        const double d = 2.326 * value(us, 4);
        const double expected[] = {(value(us, 1) - 32.0) / 1.8, 2.326 * (value(us, 2) - 7.68),
                                   2.326 * (value(us, 3) - 7.68), d, 1.0 / d};
        for (std::size_t column = 1; column <= 5; ++column)
            EXPECT_NEAR(value(si, column), expected[column - 1], expected[column - 1] * 2e-5);
    }
}

TEST(Worksheet, shouldNotConvertTheExitAirSearchsMinusOneForNoSolutionAsATemperature) {
    // A bracket ending at 0 F: the relative change never falls below the tolerance.
    DesignInputs design = DefaultDesignInputs();
    design[Input::kWetBulb] = -10.0F;
    design[Input::kDryBulb] = -9.0F;
    design[Input::kHotWater] = 0.0F;
    design[Input::kApproach] = 1.0F;
    std::string sheet;
    AppendWorksheet(sheet, "design", design, {WorksheetNumbers::kReadable, UnitSystem::kSI});
    EXPECT_EQ(WordsAfter(sheet, "TExit, the next midpoint after the last test"),
              Words("-1 F no solution"));
}

}  // namespace
}  // namespace veltrane
