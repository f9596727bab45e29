// --demand: the points behind the chart, each the window's own KaV/L; --curves-csv in SI.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calculator_main.h"
#include "performance.h"

namespace veltrane::cli {
namespace {

float ReadFloat(const std::string& text) {
    float value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    return value;
}

int RunQuietly(const std::vector<std::string_view>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunCalculator(arguments, stdin, out, err);
    std::fclose(out);
    std::fclose(err);
    return status;
}

TEST(DemandPoints, shouldBeTheWindowsKaVLAtEachApproachAndLiquidGasRatio) {
    const std::string path = ::testing::TempDir() + "demand_defaults.csv";
    ASSERT_EQ(RunQuietly({"--defaults", "--demand", path}), kExitSuccess);

    std::ifstream csv(path);
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "Approach,LG,KaVL");
    std::map<float, std::vector<std::pair<float, float>>> curves;
    while (std::getline(csv, line)) {
        std::istringstream row(line);
        std::string approach, lg, kaVL;
        std::getline(row, approach, ',');
        std::getline(row, lg, ',');
        std::getline(row, kaVL);
        curves[ReadFloat(approach)].emplace_back(ReadFloat(lg), ReadFloat(kaVL));
    }
    // The design's own 13 F among the default five, each from L/G 0.3 up to where it leaves
    // the top of the chart at KaV/L 10.
    std::vector<float> approaches;
    for (const auto& [approach, points] : curves)
        approaches.push_back(approach);
    EXPECT_EQ(approaches, (std::vector<float>{5, 7, 10, 13, 15, 20}));
    for (const auto& [approach, points] : curves) {
        SCOPED_TRACE(::testing::Message() << approach << " F");
        EXPECT_EQ(points.front().first, 0.3F);
        EXPECT_GT(points.back().second, 10.0F);
        for (const auto& [lg, kaVL] : points) {
            // The defaults with this approach and L/G, the range of 27 F held.
            DesignInputs inputs = DefaultDesignInputs();
            inputs[Input::kApproach] = approach;
            inputs[Input::kHotWater] = 65.0F + approach + 27.0F;
            inputs[Input::kLiquidGas] = lg;
            ASSERT_EQ(CalculatePerformance(inputs).values[Result::kKaVL], kaVL) << "L/G " << lg;
        }
    }
}

std::vector<std::string> LinesOf(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

/// The rows of one approach, without it: "LG,KaVL".
std::vector<std::string> PointsAt(const std::vector<std::string>& lines,
                                  const std::string& approach) {
    std::vector<std::string> points;
    for (const std::string& line : lines) {
        if (line.starts_with(approach + ",")) points.push_back(line.substr(approach.size() + 1));
    }
    return points;
}

TEST(DemandPoints, shouldReadTheApproachesInKelvinAndWriteThemLosslesslyInSI) {
    // 5 K is 9 F; the design's 7.222222 K is its 13 F, written as the text that reads back.
    const std::string us = ::testing::TempDir() + "demand_us.csv";
    const std::string si = ::testing::TempDir() + "demand_si.csv";
    ASSERT_EQ(RunQuietly({"--defaults", "--approaches", "9", "--demand", us}), kExitSuccess);
    ASSERT_EQ(RunQuietly({"--approaches", "5", "--demand", si, "--defaults", "--units", "si"}),
              kExitSuccess);
    const std::vector<std::string> usLines = LinesOf(us);
    const std::vector<std::string> siLines = LinesOf(si);
    ASSERT_FALSE(siLines.empty());
    EXPECT_EQ(siLines.front(), "Approach (K),LG,KaVL");
    EXPECT_EQ(siLines.size(), usLines.size());
    for (const auto& [kelvin, fahrenheit] : {std::pair{"5", "9"}, std::pair{"7.222222", "13"}}) {
        SCOPED_TRACE(kelvin);
        EXPECT_FALSE(PointsAt(siLines, kelvin).empty());
        EXPECT_EQ(PointsAt(siLines, kelvin), PointsAt(usLines, fahrenheit));
    }
}

TEST(DemandPoints, shouldDrawWholeKelvinsWhenNoApproachesAreAskedForInSI) {
    const std::string si = ::testing::TempDir() + "demand_si_defaults.csv";
    ASSERT_EQ(RunQuietly({"--defaults", "--units", "si", "--demand", si}), kExitSuccess);
    std::vector<std::string> approaches;
    for (const std::string& line : LinesOf(si)) {
        const std::string approach = line.substr(0, line.find(','));
        if (approaches.empty() || approaches.back() != approach) approaches.push_back(approach);
    }
    EXPECT_EQ(approaches,
              (std::vector<std::string>{"Approach (K)", "3", "4", "6", "7.222222", "8", "11"}));
}

/// The lines of the curves' points written for these arguments and --curves-csv FILE.
std::vector<std::string> CurvesLines(std::vector<std::string_view> arguments, const char* name) {
    const std::string path = ::testing::TempDir() + name;
    arguments.insert(arguments.end(), {"--defaults", "--slope", "0.6", "--curves-csv", path});
    EXPECT_EQ(RunQuietly(arguments), kExitSuccess);
    return LinesOf(path);
}

/// The last field of the first line that starts with `prefix`.
std::string ValueAfter(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines) {
        if (line.starts_with(prefix)) return line.substr(prefix.size());
    }
    ADD_FAILURE() << "no line starts with " << prefix;
    return "0";
}

TEST(CurvesPoints, shouldBeInWholeDegreesCelsiusUnderSiUnitsAndEqualTheUsCalculation) {
    const std::vector<std::string> si = CurvesLines({"--units", "si"}, "curves_si.csv");
    ASSERT_EQ(si.size(), 1U + 9U * 21U);  // 4 °C to 24 °C, the defaults' 40 °F to 75 °F outward
    EXPECT_EQ(si.front(), "Flow (%),Range (%),Twb (C),TCold (C)");
    EXPECT_TRUE(si[1].starts_with("90,80,4,")) << si[1];
    EXPECT_TRUE(si.back().starts_with("110,120,24,")) << si.back();
    // 18 °C is 64.4 °F: the SI cold water, converted by hand, is the US curve's own value.
    const std::vector<std::string> us = CurvesLines({"--wet-bulbs", "64.4:64.4"}, "curves_us.csv");
    const float fahrenheit = ReadFloat(ValueAfter(us, "100,100,64.4,"));
    const std::string celsius = ValueAfter(si, "100,100,18,");
    EXPECT_EQ(static_cast<float>(std::stod(celsius) * 1.8 + 32.0), fahrenheit) << celsius;
    EXPECT_NEAR(std::stod(celsius), (static_cast<double>(fahrenheit) - 32.0) / 1.8, 1e-6);
}

}  // namespace
}  // namespace veltrane::cli
