// The worksheet: its exit-air table shows the very brackets the search tested, its exact numbers
// read back to the values held, and its readable numbers have six significant figures at most
// and no exponent.
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "ieee_step.h"
#include "performance.h"
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

}  // namespace
}  // namespace veltrane
