#include "performance.h"

#include <gtest/gtest.h>

#include <cmath>

#include "psychrometrics.h"
#include "result_text.h"
#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

/// The value to `figures` significant figures, as the hand-checked values below are written.
std::string Figures(double value, int figures = 6) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", figures, value);
    return buffer;
}

DesignInputs With(Input index, float value) {
    DesignInputs inputs = DefaultDesignInputs();
    inputs[index] = value;
    return inputs;
}

TEST(CalculatePerformance, shouldGiveTheHandCheckedResultsForTheDefaults) {
    const PerformanceResults r = CalculatePerformance(DefaultDesignInputs());
    const ResultArray<const char*> values{{"1.83237", "78", "27", "23.7237", "11.8518", "0.01",
                                           "35.5855", "90.625", "13.5", "500", "29.8397", "56.8397",
                                           "14.5862", "121.551", "12.7493", "12"}};
    const ResultArray<const char*> texts{{"1.8324", "78.", "27.", "23.724", "11.852", ".01",
                                          "35.586", "90.625", "13.5", "500.", "29.84", "56.84",
                                          "14.586", "121.55", "12.749", "12."}};
    for (const Result j : kAllResults) {
        SCOPED_TRACE(kResults[j].caption);
        EXPECT_EQ(Figures(r.Value(j)), values[j]);
        EXPECT_EQ(r.Text(j), texts[j]);
    }
    // Total makeup lies just below 35.5855: the seven-figure step is what shows 35.586.
    EXPECT_LT(static_cast<double>(r.values[Result::kMakeup]), 35.5855);
}

TEST(CalculatePerformance, shouldPassThroughTheHandCheckedIntermediates) {
    SolverTrace exitAir;
    const WorkingQuantities q = CalculateWorkingQuantities(DefaultDesignInputs(), &exitAir);
    EXPECT_EQ(exitAir.iterations, 5);
    EXPECT_EQ(exitAir.mids[4], 91.25F);
    EXPECT_EQ(Seven(q.hInSat), "29.98744");
    EXPECT_EQ(Seven(q.wIn), "0.008589855");
    EXPECT_EQ(Seven(q.wExit), "0.03231352");  // the solver's last trial, 91.25 °F
    EXPECT_EQ(q.tExit, 90.625F);
    const std::array<const char*, 4> forces = {"11.631", "13.334", "15.673", "21.422"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Figures(static_cast<double>(q.drivingForce[i]), 5), forces[i])
            << "point " << i + 1;
    }
}

struct DesignCase {
    const char* name;
    Input input;
    float value;
    Result result;
    const char* text;
};

class DesignTable : public ::testing::TestWithParam<DesignCase> {};

TEST_P(DesignTable, shouldShowTheExpectedResultText) {
    const DesignCase& c = GetParam();
    EXPECT_EQ(CalculatePerformance(With(c.input, c.value)).Text(c.result), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    OneInputChanged, DesignTable,
    ::testing::Values(
        // The cases in which the window asks its low (about 0.115) and high (about 6.68)
        // KaV/L questions.
        DesignCase{"Approach35LowKaVL", Input::kApproach, 35.0F, Result::kKaVL, ".11463"},
        DesignCase{"Approach5HighKaVL", Input::kApproach, 5.0F, Result::kKaVL, "6.677"},
        // The air line crosses the saturation curve: negative driving forces (about -11.7).
        DesignCase{"LiquidGas2NegativeKaVL", Input::kLiquidGas, 2.0F, Result::kKaVL, "-11.735"},
        // A negative range is calculated like any other (about -0.69).
        DesignCase{"HotWater70NegativeKaVL", Input::kHotWater, 70.0F, Result::kKaVL, "-.68823"},
        DesignCase{"HotWater70HeatRejected", Input::kHotWater, 70.0F, Result::kHeatRejected, "-4."},
        DesignCase{"HotWater70Range", Input::kHotWater, 70.0F, Result::kRange, "-8."},
        // THot equal to TCold: no range, no KaV/L, no heat.
        DesignCase{"ZeroRangeKaVL", Input::kHotWater, 78.0F, Result::kKaVL, "."},
        DesignCase{"ZeroRangeHeat", Input::kHotWater, 78.0F, Result::kHeatRejected, "."},
        DesignCase{"Flow2500Pump", Input::kWaterFlow, 2500.0F, Result::kPumpPower, "30."},
        DesignCase{"Cycles1Blowdown", Input::kCycles, 1.0F, Result::kBlowdown, "Infinity"},
        DesignCase{"Cycles1Makeup", Input::kCycles, 1.0F, Result::kMakeup, "Infinity"},
        DesignCase{"FanEfficiency0", Input::kFanEff, 0.0F, Result::kFanPower, "Infinity"},
        DesignCase{"LiquidGas0AirFlow", Input::kLiquidGas, 0.0F, Result::kDryAirFlow, "Infinity"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CalculatePerformance, shouldIgnoreTheMakeupWaterTemperature) {
    const PerformanceResults defaults = CalculatePerformance(DefaultDesignInputs());
    for (float t : {-40.0F, 0.0F, 32.0F, 200.0F, 1e30F}) {
        const PerformanceResults changed = CalculatePerformance(With(Input::kMakeupTemp, t));
        EXPECT_EQ(changed.values, defaults.values) << t;
        EXPECT_EQ(changed.heatRejected, defaults.heatRejected) << t;
    }
}

TEST(CalculatePerformance, shouldLeaveTheOtherResultsAloneWhenCyclesIsOne) {
    const PerformanceResults defaults = CalculatePerformance(DefaultDesignInputs());
    const PerformanceResults r = CalculatePerformance(With(Input::kCycles, 1.0F));
    for (const Result j : kAllResults) {
        if (j == Result::kBlowdown || j == Result::kMakeup) continue;
        EXPECT_EQ(r.values[j], defaults.values[j]) << kResults[j].caption;
    }
}

TEST(CalculatePerformance, shouldGiveNotANumberMakeupWhenNothingEvaporatesAndCyclesIsOne) {
    DesignInputs inputs = With(Input::kCycles, 1.0F);
    inputs[Input::kWaterFlow] = 0.0F;  // no air, no evaporation: 0 / 0
    const PerformanceResults r = CalculatePerformance(inputs);
    EXPECT_TRUE(std::isnan(r.values[Result::kBlowdown]));
    EXPECT_TRUE(std::isnan(r.values[Result::kMakeup]));
}

TEST(CalculatePerformance, shouldCarryOnAtMinusOneDegreeWhenTheSolverRunsOut) {
    // A bracket ending at 0 °F with the target above it: the relative change never settles.
    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kWetBulb] = -20.0F;
    inputs[Input::kDryBulb] = -10.0F;
    inputs[Input::kHotWater] = 0.0F;
    inputs[Input::kApproach] = 5.0F;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    EXPECT_EQ(q.tExit, -1.0F);
    double v = 0;
    ASSERT_EQ(SpecificVolume(-1.0F, inputs[Input::kAtmosPress], q.wExit, v), Status::Ok);
    EXPECT_EQ(q.specificVolume, static_cast<float>(v));
    const PerformanceResults r = CalculatePerformance(inputs);
    EXPECT_EQ(ResultText(r.values[Result::kExitAirTemp]), "-1.");
    for (const Result j : {Result::kEvaporation, Result::kBlowdown, Result::kMakeup,
                           Result::kExitSpecificVolume, Result::kExitAirFlow, Result::kFanPower}) {
        EXPECT_TRUE(std::isfinite(r.values[j])) << kResults[j].caption;
    }
}

TEST(CalculatePerformance, shouldKeepZeroWhereAPropertyFunctionFaults) {
    // P equal to 0 faults the specific volume (division by zero): it keeps its starting zero,
    // and the air volume flow and fan power follow from that zero.
    const WorkingQuantities q = CalculateWorkingQuantities(With(Input::kAtmosPress, 0.0F));
    EXPECT_EQ(q.specificVolume, 0.0F);
    EXPECT_EQ(q.airVolumeFlow, 0.0F);
    EXPECT_EQ(q.fanPower, 0.0F);
}

TEST(CalculatePerformance, shouldKeepHInSatAsEnteringEnthalpyWhenItsFunctionFaults) {
    // A wet bulb far above the critical point overflows the saturation pressure (PsatWb stays
    // 0), which puts pv near 0.8 P; with a dry bulb of 3e38 the enthalpy leaves single precision.
    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kDryBulb] = 3e38F;
    inputs[Input::kWetBulb] = 1.394e38F;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    float h = 0;
    ASSERT_EQ(MoistAirEnthalpy(inputs[Input::kDryBulb], q.wIn, h), Status::ArithmeticFault);
    EXPECT_EQ(q.hIn, q.hInSat);
}

TEST(CalculatePerformance, shouldSkipAChebyshevPointWhoseWaterTemperatureOverflows) {
    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kHotWater] = 3.4e38F;
    inputs[Input::kWetBulb] = -3.4e38F;
    inputs[Input::kApproach] = 0.0F;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    EXPECT_TRUE(std::isinf(q.range));
    for (float hw : q.hWater)
        EXPECT_EQ(hw, 0.0F);
}

}  // namespace
}  // namespace veltrane
