// The command line: options, files and sweeps, and every way to get them wrong.
#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "calc_options.h"
#include "design_sets.h"

namespace veltrane::cli {
namespace {

ParsedArguments Parse(std::vector<std::string_view> arguments) {
    return ParseArguments(arguments);
}

TEST(ParseArguments, shouldReadOptionsAndFilesInAnyOrder) {
    const ParsedArguments parsed =
        Parse({"a.csv", "--raw", "-", "--check", "--sweep", "LG=0.5:2:0.1", "--sweep=twb=60:70:5",
               "--", "--defaults"});
    ASSERT_EQ(parsed.error, "");
    const CalcOptions& options = parsed.options;
    EXPECT_TRUE(options.raw);
    EXPECT_TRUE(options.check);
    EXPECT_FALSE(options.defaults);
    EXPECT_EQ(options.files, (std::vector<std::string>{"a.csv", "-", "--defaults"}));
    ASSERT_EQ(options.sweeps.size(), 2U);
    EXPECT_EQ(options.sweeps[0].input, Input::kLiquidGas);
    EXPECT_EQ(options.sweeps[1].input, Input::kWetBulb);
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_TRUE(Parse({"-h"}).options.help);
    EXPECT_TRUE(Parse({"--version"}).options.version);
}

TEST(ParseArguments, shouldReadTheTowerTotalsAndWhereTheWorksheetGoes) {
    const ParsedArguments parsed = Parse({"--tower", "2.3:0.75", "--totals", "--trace", "a.csv"});
    ASSERT_EQ(parsed.error, "");
    ASSERT_TRUE(parsed.options.tower.has_value());
    EXPECT_EQ(parsed.options.tower->given.c, 2.3F);
    EXPECT_EQ(parsed.options.tower->given.m, 0.75F);
    EXPECT_TRUE(parsed.options.totals);
    // A bare --trace takes no file: the file after it is input, not the worksheet's target.
    EXPECT_EQ(parsed.options.trace, "-");
    EXPECT_EQ(parsed.options.files, std::vector<std::string>{"a.csv"});
    EXPECT_EQ(Parse({"--trace=sheet.txt"}).options.trace, "sheet.txt");
    EXPECT_EQ(Parse({"--tower=1:0"}).options.tower->given.m, 0.0F);
    EXPECT_FALSE(Parse({"a.csv"}).options.trace.has_value());
}

TEST(ParseArguments, shouldReadWhatTheChartShows) {
    const ParsedArguments parsed =
        Parse({"--chart", "c.PNG", "--demand=d.csv", "--approaches", "4.5,8", "--lg", "0.5:3",
               "--label-crossings", "--tower", "2:0.6", "--defaults"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.chart, "c.PNG");
    EXPECT_EQ(parsed.options.demand, "d.csv");
    EXPECT_EQ(parsed.options.approaches, (std::vector<float>{4.5F, 8.0F}));
    EXPECT_EQ(parsed.options.liquidGasSpan->from, 0.5F);
    EXPECT_EQ(parsed.options.liquidGasSpan->to, 3.0F);
    EXPECT_TRUE(parsed.options.labelCrossings);
    EXPECT_FALSE(Parse({"--defaults"}).options.approaches);
}

struct BadLine {
    std::vector<std::string_view> arguments;
    std::string error;
};

TEST(ParseArguments, shouldRefuseABadLineWithOneMessage) {
    const BadLine cases[] = {
        {{"--rwa"}, "unknown option \"--rwa\"; see veltrane-calc --help"},
        {{"-x"}, "unknown option \"-x\"; see veltrane-calc --help"},
        {{"--raw=1"}, "--raw takes no value"},
        {{"--help=1"}, "--help takes no value"},
        {{"--sweep"}, "--sweep needs an argument NAME=FROM:TO:STEP"},
        {{"--sweep", "LG"}, "--sweep needs NAME=FROM:TO:STEP, not \"LG\""},
        {{"--sweep", "LG=1:2"}, "--sweep needs NAME=FROM:TO:STEP, not \"LG=1:2\""},
        {{"--sweep", "LG=1:2:3:4"}, "--sweep needs NAME=FROM:TO:STEP, not \"LG=1:2:3:4\""},
        {{"--sweep", "Range=1:2:1"}, "--sweep: unknown input \"Range\""},
        {{"--sweep", "=1:2:1"}, "--sweep: unknown input \"\""},
        {{"--sweep", "LG=a:2:1"}, "--sweep LG: FROM \"a\" is not a number"},
        {{"--sweep", "LG=1::1"}, "--sweep LG: TO \"\" is not a number"},
        {{"--sweep", "LG=1:2:1e39"},
         "--sweep LG: STEP \"1e39\" is beyond the single-precision range"},
        {{"--sweep", "LG=1:2:0"}, "--sweep LG: STEP must not be zero"},
        {{"--sweep", "LG=2:1:0.5"}, "--sweep LG: STEP leads away from TO"},
        {{"--sweep", "Flow=0:1e6:1e-3"}, "--sweep Flow: more than 100000000 values"},
        {{"--sweep", "LG=1:2:1", "--sweep", "lg=1:3:1"}, "--sweep LG is given twice"},
        // Each sweep within the limit, their product above it (1e4 × 1e4 × 2, and 1e8 × 1e8).
        {{"--sweep", "Flow=1:1e4:1", "--sweep", "LG=1:1e4:1", "--sweep", "Cycles=2:3:1"},
         "--sweep Cycles: the sweeps together give more than 100000000 designs for each row"},
        {{"--sweep", "Flow=1:1e8:1", "--sweep", "Twb=1:1e8:1"},
         "--sweep Twb: the sweeps together give more than 100000000 designs for each row"},
        {{"--defaults", "a.csv"}, "--defaults reads no input: leave out the files"},
        {{"--tower"}, "--tower needs an argument C:m"},
        {{"--tower", "--raw"}, "--tower needs an argument C:m"},
        {{"--tower", "2.3"}, "--tower needs C:m, not \"2.3\""},
        {{"--tower", "2.3:0.75:1"}, "--tower needs C:m, not \"2.3:0.75:1\""},
        {{"--tower", "two:0.75"}, "--tower: C \"two\" is not a number"},
        {{"--tower", "2.3:"}, "--tower: m \"\" is not a number"},
        {{"--tower", "2.3:1e39"}, "--tower: m \"1e39\" is beyond the single-precision range"},
        {{"--tower", "0:0.75"}, "--tower: C must be above 0, not \"0\""},
        {{"--tower", "-2.3:0.75"}, "--tower: C must be above 0, not \"-2.3\""},
        {{"--tower", "2.3:-0.1"}, "--tower: m must not be negative, not \"-0.1\""},
        {{"--tower=1:0", "--tower", "2:0"}, "--tower is given twice"},
        {{"--tower", "design:-0.1"}, "--tower: m must not be negative, not \"-0.1\""},
        {{"--tower", "design"}, "--tower needs C:m, not \"design\""},
        {{"--weather", "s.epw", "--defaults"}, "--weather needs --tower C:m or --tower design:m"},
        {{"--monthly", "--defaults"}, "--monthly belongs to --weather"},
        {{"--load", "50", "--defaults"}, "--load belongs to --weather"},
        {{"--weather", "s.epw", "--tower", "design:0.6", "--exit-air", "window"},
         "--weather runs every hour with the exact leaving air: --exit-air window does not apply"},
        {{"--weather", "s.epw", "--tower", "design:0.6", "--sweep", "Twb=60:70:5"},
         "--sweep does not apply to --weather"},
        {{"--weather", "s.epw", "--tower", "design:0.6", "--check"},
         "--check does not apply to --weather"},
        {{"--chart", "c.jpg"}, "--chart: the file must end in .svg, .pdf or .png, not \"c.jpg\""},
        {{"--chart", "svg"}, "--chart: the file must end in .svg, .pdf or .png, not \"svg\""},
        {{"--chart", "a.svg/b"},
         "--chart: the file must end in .svg, .pdf or .png, not \"a.svg/b\""},
        {{"--chart"}, "--chart needs an argument FILE"},
        {{"--chart=a.png", "--chart", "b.PDF"}, "--chart is given twice"},
        {{"--approaches", "5,,7"}, "--approaches: \"\" is not a number"},
        {{"--approaches", "5,0"}, "--approaches: \"0\" is not above 0"},
        {{"--approaches", "1,2,3,4,5,6,7,8,9,10,11,12,13"}, "--approaches: at most 12 approaches"},
        {{"--lg", "0.3"}, "--lg needs FROM:TO, not \"0.3\""},
        {{"--lg", "5:0.3"}, "--lg: FROM must be below TO in \"5:0.3\""},
        {{"--lg", "-1:5"}, "--lg: \"-1\" is not above 0"},
        // A span the chart can draw: four decades at most, two labelled ticks at least.
        {{"--lg", "1e-45:3e38"},
         "--lg: FROM and TO must lie between 0.01 and 100, TO at least twice FROM, not "
         "\"1e-45:3e38\""},
        {{"--lg", "100:1000"},
         "--lg: FROM and TO must lie between 0.01 and 100, TO at least twice FROM, not "
         "\"100:1000\""},
        {{"--lg", "1:1.9"},
         "--lg: FROM and TO must lie between 0.01 and 100, TO at least twice FROM, not "
         "\"1:1.9\""},
        // The chart's options without the chart would be ignored.
        {{"--defaults", "--approaches", "5,7"}, "--approaches belongs to --chart or --demand"},
        {{"--defaults", "--lg", "0.5:2", "--curves", "c.svg", "--slope", "0.6"},
         "--lg belongs to --chart or --demand"},
        {{"--defaults", "--label-crossings", "--demand", "d.csv"},
         "--label-crossings belongs to --chart with --tower: it labels the tower line"},
        {{"--defaults", "--label-crossings", "--chart", "c.svg"},
         "--label-crossings belongs to --chart with --tower: it labels the tower line"},
    };
    for (const BadLine& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(Parse(c.arguments).error, c.error);
    }
    // The limit itself is allowed.
    EXPECT_EQ(Parse({"--sweep", "Flow=1:1e4:1", "--sweep", "LG=1:1e4:1"}).error, "");
}

/// An option given to a mode that does not use it, and what the line is told.
struct ModeOptionCase {
    std::vector<std::string_view> mode;
    std::vector<std::string_view> option;
    std::string error;  ///< empty when the mode takes the option
};

TEST(ParseArguments, shouldRefuseAnOptionTheChosenModeWouldIgnore) {
    const std::vector<std::string_view> acceptance = {"--acceptance", "--defaults", "--slope",
                                                      "0.6"};
    const std::vector<std::string_view> fit = {"--fit", "data.csv"};
    const std::vector<std::string_view> fan = {"--tower", "2:0.6", "--setpoint", "80"};
    const ModeOptionCase cases[] = {
        {acceptance, {"--exit-air", "exact"}, "--exit-air does not apply to --acceptance"},
        {acceptance, {"--check"}, "--check does not apply to --acceptance"},
        {acceptance, {"--approaches", "5,7"}, "--approaches does not apply to --acceptance"},
        {acceptance, {"--lg", "0.5:2"}, "--lg does not apply to --acceptance"},
        {acceptance, {"--label-crossings"}, "--label-crossings does not apply to --acceptance"},
        {fit, {"--totals"}, "--totals does not apply to --fit"},
        {fit, {"--exit-air", "window"}, "--exit-air does not apply to --fit"},
        {fit, {"--units", "si"}, ""},
        {acceptance, {"--totals", "--raw", "--trace", "--draft", "forced", "--units", "si"}, ""},
        {acceptance, {"--design-fan-power", "9.5"}, ""},
        {fan, {"--fan", "vfd", "--exit-air", "exact", "--totals", "--check"}, ""},
    };
    for (const ModeOptionCase& c : cases) {
        std::vector<std::string_view> arguments = c.mode;
        arguments.insert(arguments.end(), c.option.begin(), c.option.end());
        SCOPED_TRACE(std::string(c.option.front()) + " with " + std::string(c.mode.front()));
        EXPECT_EQ(Parse(arguments).error, c.error);
    }
}

struct SweepCase {
    std::string_view argument;
    Input input;
    std::vector<float> values;
};

std::vector<float> Values(const Sweep& sweep) {
    std::vector<float> values;
    for (std::size_t k = 0; k < sweep.count; ++k)
        values.push_back(sweep.ValueAt(k));
    return values;
}

TEST(ParseSweep, shouldTakeEveryStepFromFromToToInclusive) {
    const SweepCase cases[] = {
        {"Approach=5:15:5", Input::kApproach, {5, 10, 15}},
        {"Approach=15:5:-5", Input::kApproach, {15, 10, 5}},
        {"Approach = TCold-Twb (F)=5:12:5", Input::kApproach, {5, 10}},
        {"FANEFF=70:70:5", Input::kFanEff, {70}},
        {"Twb=0:1:0.3", Input::kWetBulb, {0, 0.3F, 0.6F, 0.9F}},
        {"LG=0.5:2:0.1",
         Input::kLiquidGas,
         {0.5F, 0.6F, 0.7F, 0.8F, 0.9F, 1.0F, 1.1F, 1.2F, 1.3F, 1.4F, 1.5F, 1.6F, 1.7F, 1.8F, 1.9F,
          2.0F}},
        {" Drift =.001:.003:.001", Input::kDriftLoss, {0.001F, 0.002F, 0.003F}},
    };
    for (const SweepCase& c : cases) {
        SCOPED_TRACE(std::string(c.argument));
        std::string error;
        const std::optional<Sweep> sweep = ParseSweep(c.argument, error);
        ASSERT_TRUE(sweep.has_value()) << error;
        EXPECT_EQ(sweep->input, c.input);
        EXPECT_EQ(Values(*sweep), c.values);
    }
}

TEST(ParseSweep, shouldGiveTheDecimalValueAtEveryStepWithoutBuildingUpError) {
    std::string error;
    const std::optional<Sweep> sweep = ParseSweep("Tdb=0:1000:0.1", error);
    ASSERT_TRUE(sweep.has_value()) << error;
    ASSERT_EQ(sweep->count, 10001U);
    for (std::size_t k = 0; k < sweep->count; ++k) {
        const std::string decimal = std::to_string(k / 10) + "." + std::to_string(k % 10);
        float expected = 0.0F;
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), expected);
        ASSERT_EQ(sweep->ValueAt(k), expected) << decimal;
    }
}

}  // namespace
}  // namespace veltrane::cli
