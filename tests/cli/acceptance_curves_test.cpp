// The acceptance test by the maker's curves through the batch tool: curves that --curves-csv
// writes for a tower, and readings that very tower gives, must judge it at 100 %.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "acceptance.h"
#include "acceptance_report.h"
#include "calc_options.h"
#include "calculator_main.h"
#include "csv_rows.h"
#include "number_text.h"
#include "performance.h"
#include "rating.h"

namespace veltrane::cli {
namespace {

constexpr float kSlope = 0.6F;

std::string ReadAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    return text;
}

/// Standard output of a run that must succeed.
std::string RunForOutput(const std::vector<std::string_view>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunCalculator(arguments, stdin, out, err), kExitSuccess) << ReadAll(err);
    std::string text = ReadAll(out);
    std::fclose(out);
    std::fclose(err);
    return text;
}

std::string Shortest(float value) {
    return std::string(PlainShortestText(value).View());
}

/// The reading the default design's tower (m = 0.6) gives at the design pressure, its flow and
/// fan power as shares of the design's, the air as given, the range a share of the design range.
TestReading TowerReading(const DesignBasis& basis, float wetBulb, float rangeShare, float flowShare,
                         float fanShare) {
    const DesignInputs& design = basis.acceptance.design;
    const float range =
        (design[Input::kHotWater] - design[Input::kWetBulb] - design[Input::kApproach]) *
        rangeShare;
    TestReading reading{design[Input::kAtmosPress],
                        wetBulb,
                        wetBulb + 15.0F,
                        wetBulb + 12.0F + range,
                        wetBulb + 12.0F,
                        design[Input::kWaterFlow] * flowShare,
                        basis.acceptance.fanPower * fanShare};
    CapabilityEvaluation fanLaws;
    EXPECT_EQ(SolveTestLiquidGas(basis, reading, fanLaws), EvaluationOutcome::kEvaluated);
    const Rating rating =
        RateDesign(TestRow(design, reading, fanLaws.liquidGas), {basis.c, kSlope});
    reading.coldWater = rating.results.values[Result::kColdWater];
    reading.hotWater = rating.inputs[Input::kHotWater];
    return reading;
}

std::string ReadingsCsv(const std::vector<TestReading>& readings) {
    std::string csv = "P,Twb,Tdb,THot,TCold,Flow,FanPower\n";
    for (const TestReading& r : readings) {
        for (const float value :
             {r.pressure, r.wetBulb, r.dryBulb, r.hotWater, r.coldWater, r.waterFlow, r.fanPower})
            csv += Shortest(value) + ',';
        csv.back() = '\n';
    }
    return csv;
}

TEST(MakerCurvesThroughTheBatchTool, shouldJudgeTheTowerThatMadeThemAtFullCapability) {
    const std::string curves = ::testing::TempDir() + "maker_curves_defaults.csv";
    const std::string readingsPath = ::testing::TempDir() + "maker_curves_readings.csv";
    RunForOutput({"--defaults", "--slope", "0.6", "--curves-csv", curves});

    const DesignInputs design = DefaultDesignInputs();
    const DesignBasis basis =
        PrepareDesign({design, kSlope, CalculatePerformance(design).values[Result::kFanPower],
                       FanDraft::kInduced});
    std::vector<TestReading> readings;
    for (const float wetBulb : {52.0F, 60.0F, 65.0F, 70.0F})
        for (const float rangeShare : {0.85F, 1.0F, 1.15F})
            for (const float flowShare : {0.95F, 1.05F})
                readings.push_back(TowerReading(basis, wetBulb, rangeShare, flowShare, 0.97F));
    std::ofstream(readingsPath) << ReadingsCsv(readings);

    // The readings span the curves, wider than the test codes' limits allow a real test.
    const std::string output =
        RunForOutput({"--acceptance", "--defaults", "--maker-curves", curves, "--test-limits",
                      "twb=20,load=30", "--raw", readingsPath});
    const auto rows = test::DataRows(output);
    ASSERT_EQ(rows.size(), readings.size());
    constexpr std::size_t kCapability = 7 + 2;  // the readings, adjusted and predicted flow
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(output);
        EXPECT_NEAR(std::stod(rows[i][kCapability]), 100.0, 0.1) << "reading " << i + 1;
    }
}

struct ReportLimitCase {
    const char* what;
    float wetBulbBy;                  ///< added to the design wet bulb, F
    float flowShare;                  ///< of the design flow
    std::vector<std::size_t> marked;  ///< the figures beyond a limit
};

TEST(TestReportLimits, shouldMarkTheFiguresOfEveryLimitTheBatchToolNames) {
    const DesignInputs design = DefaultDesignInputs();
    const DesignBasis basis =
        PrepareDesign({design, kSlope, CalculatePerformance(design).values[Result::kFanPower],
                       FanDraft::kInduced});
    const ReportLimitCase cases[] = {
        {"a fair reading", 0.0F, 1.0F, {}},
        {"the wet bulb 13 F below", -13.0F, 1.0F, {0}},
        // 125 % of the flow also passes the heat load (flow x range): range and flow marked.
        {"the flow 25 % above", 0.0F, 1.25F, {4, 5}},
    };
    for (const ReportLimitCase& c : cases) {
        SCOPED_TRACE(c.what);
        const float wetBulb = design[Input::kWetBulb] + c.wetBulbBy;
        const float coldWater = design[Input::kWetBulb] + design[Input::kApproach];
        const TestReading reading{
            design[Input::kAtmosPress], wetBulb,   design[Input::kDryBulb] + c.wetBulbBy,
            design[Input::kHotWater],   coldWater, design[Input::kWaterFlow] * c.flowShare,
            basis.acceptance.fanPower};
        const EvaluatedTest test{"hp",
                                 basis,
                                 nullptr,
                                 false,
                                 AcceptanceMethod::kCharacteristic,
                                 UnitSystem::kUS,
                                 {{"1", reading, std::nullopt, std::nullopt, {}}},
                                 std::nullopt,
                                 DefaultTestLimits(UnitSystem::kUS)};
        const TestReport report = FillTestReport({}, test);
        ASSERT_EQ(report.limits.size(), kTestLimitCount);
        EXPECT_EQ(report.limits.front().value, "± 12.0");
        ASSERT_EQ(report.readings.size(), 1U);
        std::vector<std::size_t> marked;
        for (std::size_t k = 0; k < report.readings.front().figures.size(); ++k)
            if (report.readings.front().figures[k].limitPassed) marked.push_back(k);
        EXPECT_EQ(marked, c.marked);
    }
}

struct TestOptionCase {
    std::vector<std::string_view> arguments;
    std::string error;  ///< empty when the line is sound
};

TEST(TestOptions, shouldTakeTheCurvesMethodAndReportOnlyWhereTheyMeanSomething) {
    const TestOptionCase cases[] = {
        {{"--acceptance", "--defaults", "--maker-curves", "c.csv", "--report", "r.PDF", "--field",
          "Tower=CT-2=A", "--paper", "Letter", "r.csv"},
         ""},
        {{"--acceptance", "--defaults", "r.csv"},
         "--acceptance needs --slope m or --maker-curves CURVES.csv"},
        {{"--defaults", "--maker-curves", "c.csv"}, "--maker-curves belongs to --acceptance"},
        {{"--acceptance", "--defaults", "--slope", "0.6", "--method", "curves", "r.csv"},
         "--method curves: the maker's curves are to decide, but none are given (--maker-curves)"},
        {{"--acceptance", "--defaults", "--maker-curves", "c.csv", "--method", "characteristic",
          "r.csv"},
         "--method characteristic needs --slope m"},
        {{"--acceptance", "--defaults", "--slope", "0.6", "--method", "maker", "r.csv"},
         "--method must be curves or characteristic, not \"maker\""},
        {{"--acceptance", "--defaults", "--maker-curves", "c.csv", "--trace", "r.csv"},
         "--trace writes the characteristic curve's worksheets: it needs --slope m"},
        {{"--acceptance", "--defaults", "--slope", "0.6", "--report", "r.svg", "r.csv"},
         "--report writes a PDF: give a file name ending in .pdf, not \"r.svg\""},
        {{"--acceptance", "--defaults", "--slope", "0.6", "--title", "T", "r.csv"},
         "--title belongs to --report"},
        {{"--acceptance", "--defaults", "--slope", "0.6", "--report", "r.pdf", "--field", "=x",
          "r.csv"},
         "--field takes NAME=TEXT, not \"=x\""},
        {{"--acceptance", "--defaults", "--slope", "0.6", "--report", "r.pdf", "--paper", "a3",
          "r.csv"},
         "--paper must be a4 or letter, not \"a3\""},
        {{"--fit", "--slope", "0.75", "--fit-rows", "rows.csv", "d.csv"}, ""},
        {{"--defaults", "--fit-rows", "rows.csv"}, "--fit-rows belongs to --fit"},
    };
    for (const TestOptionCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const ParsedArguments parsed = ParseArguments(c.arguments);
        EXPECT_EQ(parsed.error, c.error);
    }
    const ParsedArguments parsed = ParseArguments(cases[0].arguments);
    ASSERT_EQ(parsed.options.fields.size(), 1U);
    EXPECT_EQ(parsed.options.fields[0].name, "Tower");
    EXPECT_EQ(parsed.options.fields[0].text, "CT-2=A");
    EXPECT_EQ(parsed.options.paper, PaperSize::kLetter);
}

}  // namespace
}  // namespace veltrane::cli
