// A study re-run by the batch tool: the values it stands for, the rows it gives, what the
// command line overrides and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_source.h"
#include "calc_options.h"
#include "design_rows.h"
#include "fan_mode.h"
#include "input_columns.h"
#include "row_reader.h"
#include "study_file.h"

namespace veltrane::cli {
namespace {

const std::string kExample = std::string(VELTRANE_EXAMPLES) + "/default.veltrane";
const std::string kBins = std::string(VELTRANE_CLI_FIXTURES) + "/study_bins.veltrane";

ParsedArguments Parse(std::vector<std::string_view> arguments) {
    return ParseArguments(arguments);
}

/// The study's rows as the mode reads them, each row's values in the engine's units.
std::vector<DesignInputs> RowsOf(const CalcOptions& options) {
    StringSource source(options.fromStudy->rows);
    Problems problems([](std::string_view line) { ADD_FAILURE() << line; });
    RowReader reader(source, "study", DesignColumns(), {}, *options.units, problems);
    std::vector<DesignInputs> rows;
    Row row;
    for (RowReader::Event event = reader.Next(row); event != RowReader::Event::kEnd;
         event = reader.Next(row)) {
        if (event != RowReader::Event::kRow) continue;
        DesignInputs design{};
        for (const Input input : kAllInputs)
            design[input] = row.values[PositionOf(input)];
        rows.push_back(design);
    }
    return rows;
}

TEST(TakeStudy, shouldGiveTheStudysDesignBitForBitInEitherUnits) {
    const study::StudyReading example = study::ReadStudyFile(kExample);
    ASSERT_TRUE(example.study) << example.error;
    for (const std::string_view units : {"us", "si"}) {
        SCOPED_TRACE(units);
        const ParsedArguments parsed = Parse({"--study", kExample, "--units", units});
        ASSERT_EQ(parsed.error, "");
        const std::vector<DesignInputs> rows = RowsOf(parsed.options);
        ASSERT_EQ(rows.size(), 1U);
        for (const Input input : kAllInputs)
            EXPECT_EQ(rows.front()[input], example.study->design[input]) << PositionOf(input);
    }
}

TEST(TakeStudy, shouldRunEachBinAtTheDesignWithTheBinsOwnValues) {
    const ParsedArguments parsed = Parse({"--study", kBins, "--setpoint"});
    ASSERT_EQ(parsed.error, "");
    const std::vector<DesignInputs> rows = RowsOf(parsed.options);
    ASSERT_EQ(rows.size(), 4U);
    // The bins: the design's range held, an approach of 10, a range of 20, a hot water of 108.
    struct Expected {
        float wetBulb, approach, range;
    };
    const Expected expected[] = {{50, 13, 27}, {55, 10, 27}, {65, 13, 20}, {75, 13, 20}};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        const DesignInputs& row = rows[k];
        EXPECT_EQ(row[Input::kWetBulb], expected[k].wetBulb);
        EXPECT_NEAR(row[Input::kApproach], expected[k].approach, 1e-5);
        const float range = row[Input::kHotWater] - row[Input::kWetBulb] - row[Input::kApproach];
        EXPECT_NEAR(range, expected[k].range, 1e-4);
        EXPECT_EQ(row[Input::kLiquidGas], 1.0F);  // the rest is the design's
    }
}

TEST(TakeStudy, shouldStandForWhatTheCommandLineLeavesOut) {
    // The example: tower through the design point with m 0.6, VFD to 78 F, the Chicago year.
    struct Case {
        std::vector<std::string_view> arguments;
        std::optional<float> slope;
        std::optional<std::string> setpoint;
        std::optional<std::string> load;
    };
    const Case cases[] = {
        {{"--acceptance"}, 0.6F, std::nullopt, std::nullopt},
        {{"--acceptance", "--slope", "0.7"}, 0.7F, std::nullopt, std::nullopt},
        {{"--setpoint"}, std::nullopt, "78", std::nullopt},
        {{"--setpoint", "75"}, std::nullopt, "75", std::nullopt},
        {{"--weather"}, std::nullopt, "78", "100"},
        {{"--weather", "--load", "50", "--setpoint", "80"}, std::nullopt, "80", "50"},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> arguments{"--study", kExample};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        SCOPED_TRACE(c.arguments.front());
        const ParsedArguments parsed = Parse(arguments);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.options.slope, c.slope);
        EXPECT_EQ(parsed.options.setpoint, c.setpoint);
        EXPECT_EQ(parsed.options.load, c.load);
    }
    const CalcOptions weather = Parse({"--study", kExample, "--weather"}).options;
    ASSERT_TRUE(weather.weather && weather.tower && weather.fan);
    // Named from the study's folder as the command line named the study.
    EXPECT_EQ(*weather.weather, std::string(VELTRANE_EXAMPLES) + "/chicago-ohare-tmy3.epw");
    EXPECT_TRUE(weather.tower->throughDesign);
    EXPECT_EQ(weather.tower->given.m, 0.6F);
    EXPECT_EQ(weather.fan->mode, FanMode::kVariableSpeed);
}

TEST(TakeStudy, shouldGiveTheSetpointExactlyInSI) {
    const ParsedArguments parsed = Parse({"--study", kExample, "--units", "si", "--setpoint"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(SetpointIn(*parsed.options.setpoint, UnitSystem::kSI), 78.0F);
}

TEST(TakeStudy, shouldRefuseWhatTheStudyCannotServe) {
    const std::string newer = std::string(VELTRANE_CLI_FIXTURES) + "/study_newer.veltrane";
    struct Case {
        std::vector<std::string_view> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"--study", newer},
         "--study " + newer + ": made by a newer Veltrane: version 2, this one reads up to 1"},
        {{"--study", kExample, "--defaults"},
         "--defaults does not go with --study: the study holds the design"},
        {{"--study", kExample, "--fit"}, "--study does not apply to --fit"},
        {{"--study", kBins, "--weather"},
         "--weather: the study " + kBins +
             " names no weather file; its weather bins run with --setpoint"},
        {{"--study", kBins, "--acceptance"},
         "--study " + kBins + ": the study holds no test readings"},
        {{"--tower", "--defaults"}, "--tower needs an argument C:m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(Parse(c.arguments).error, c.error);
    }
}

}  // namespace
}  // namespace veltrane::cli
