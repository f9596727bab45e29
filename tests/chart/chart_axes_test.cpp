#include "chart_axes.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace veltrane::chart {
namespace {

struct AxisCase {
    const char* name;
    float wetBulb;
    float range;
    float liquidGas;
    std::optional<TowerCharacteristic> tower;
    float top;
    float bottom;
};

void PrintTo(const AxisCase& c, std::ostream* os) {
    *os << c.name;
}

class KaVLAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(KaVLAxis, shouldEndOnOneTwoOrFiveTimesAPowerOfTenAroundWhatTheChartShows) {
    const AxisCase& c = GetParam();
    DesignInputs design = DefaultDesignInputs();
    design[Input::kWetBulb] = c.wetBulb;
    design[Input::kHotWater] = c.wetBulb + 13.0f + c.range;
    design[Input::kLiquidGas] = c.liquidGas;
    const DemandChart chart = BuildChartWithAxes(design, {{5.0f, 10.0f}, {0.3f, 5.0f}, c.tower});
    EXPECT_EQ(chart.kaVLTop, c.top);
    EXPECT_EQ(chart.kaVLBottom, c.bottom);
    for (const ChartCurve& curve : chart.curves) {
        ASSERT_FALSE(curve.curve.points.empty());
        EXPECT_GE(curve.curve.points.front().kaVL, chart.kaVLBottom);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Charts, KaVLAxis,
    ::testing::Values(
        // Below the tower's 0.69 at L/G 5.
        AxisCase{"Defaults", 65.0f, 27.0f, 1.0f, TowerCharacteristic{2.3f, 0.75f}, 10.0f, 0.5f},
        // The tower reaches 30 x 0.3^-0.6 = 61 at the left; the 10 F curve starts near 0.6.
        AxisCase{"LargeTower", 65.0f, 10.0f, 0.5f, TowerCharacteristic{30.0f, 0.6f}, 100.0f, 0.5f},
        // Without a tower the lowest curve's start sets the bottom, at most a tenth of the top.
        AxisCase{"NoTower", 65.0f, 27.0f, 1.0f, std::nullopt, 10.0f, 1.0f}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace veltrane::chart
