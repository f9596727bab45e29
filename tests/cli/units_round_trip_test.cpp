// Every fixture design taken from US to SI units and calculated there gives, converted back, the
// very inputs and results of the US run: nothing is lost at the edges.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch_calculator.h"
#include "byte_source.h"
#include "csv_reader.h"
#include "csv_rows.h"
#include "number_text.h"
#include "units.h"

namespace veltrane::cli {
namespace {

using test::DataRows;

std::string RunRaw(const std::string& input, UnitSystem units, bool rate) {
    BatchSettings settings;
    settings.raw = true;
    settings.units = units;
    if (rate) settings.mode = RateSettings{{{2.3F, 0.75F}}};
    std::string csv;
    BatchCalculator calculator(
        std::move(settings), [&](std::string_view piece) { csv += piece; },
        [](std::string_view) {});
    calculator.WriteHeader();
    StringSource source(input);
    calculator.CalculateSource(source, "in.csv");
    calculator.Flush();
    return csv;
}

std::string ShortNamesHeader() {
    std::string header;
    for (const Input i : kAllInputs)
        header += std::string(kInputs[i].shortName) + (i == kAllInputs.back() ? "\n" : ",");
    return header;
}

/// The designs of every fixture file, as the US run reads them (defaults filled in), written
/// once in US units and once in SI units by their lossless texts.
void FixtureDesigns(std::string& us, std::string& si) {
    us = si = ShortNamesHeader();
    for (const auto& entry : std::filesystem::directory_iterator(VELTRANE_CLI_FIXTURES)) {
        if (entry.path().extension() != ".csv") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        for (const auto& row : DataRows(RunRaw(text.str(), UnitSystem::kUS, false))) {
            for (const Input i : kAllInputs) {
                const std::string& field = row[PositionOf(i)];
                float value = 0.0F;
                (void)ReadInputNumber(field, value);
                char siText[kNumberTextCapacity];
                us += field;
                si.append(siText,
                          WriteLossless(siText, kInputUnits[i].quantity, UnitSystem::kSI, value));
                const char end = i == kAllInputs.back() ? '\n' : ',';
                us += end;
                si += end;
            }
        }
    }
}

template <typename Real>
Real Read(const std::string& text) {
    const bool finite = text != "inf" && text != "-inf" && text != "nan";
    return static_cast<Real>(finite ? ReadAcceptedNumberAsDouble(text)
                                    : std::strtod(text.c_str(), nullptr));
}

/// The SI field converted back to US units in the precision the value was formed in, against
/// the US field.
template <typename Real>
void ExpectSameValue(const std::string& siField, const std::string& usField, Quantity quantity) {
    if (usField.empty() || usField == "nan") {
        EXPECT_EQ(siField, usField);
        return;
    }
    EXPECT_EQ(static_cast<Real>(ToUS(quantity, Read<double>(siField))), Read<Real>(usField))
        << siField << " against " << usField;
}

TEST(UnitsRoundTrip, shouldGiveEveryFixtureDesignsInputsAndResultsBackToTheFloat) {
    std::string usInput;
    std::string siInput;
    FixtureDesigns(usInput, siInput);
    for (const bool rate : {false, true}) {
        const auto usRows = DataRows(RunRaw(usInput, UnitSystem::kUS, rate));
        const auto siRows = DataRows(RunRaw(siInput, UnitSystem::kSI, rate));
        ASSERT_EQ(siRows.size(), usRows.size());
        ASSERT_GT(usRows.size(), 20U);
        for (std::size_t r = 0; r < usRows.size(); ++r) {
            SCOPED_TRACE((rate ? "rated row " : "row ") + std::to_string(r + 1));
            for (const Input i : kAllInputs) {
                const std::size_t k = PositionOf(i);
                ExpectSameValue<float>(siRows[r][k], usRows[r][k], kInputUnits[i].quantity);
            }
            for (const Result j : kAllResults) {
                const std::size_t k = kInputCount + PositionOf(j);
                if (j == Result::kHeatRejected) {
                    ExpectSameValue<double>(siRows[r][k], usRows[r][k], kResultUnits[j].quantity);
                } else {
                    ExpectSameValue<float>(siRows[r][k], usRows[r][k], kResultUnits[j].quantity);
                }
            }
        }
    }
}

}  // namespace
}  // namespace veltrane::cli
