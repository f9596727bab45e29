#include "performance.h"

#include <gtest/gtest.h>

#include <cmath>

#include "psychrometrics.h"
#include "result_text.h"
#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

/// The value to `figures` significant figures, as the worked table rounds it.
std::string Figures(double value, int figures = 6) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", figures, value);
    return buffer;
}

std::string TextOf(const PerformanceResults& r, std::size_t index) {
    return index == kHeatRejected ? ResultText(r.heatRejected) : ResultText(r.values[index]);
}

DesignInputs With(std::size_t index, float value) {
    DesignInputs inputs = DefaultDesignInputs();
    inputs[index] = value;
    return inputs;
}

TEST(CalculatePerformance, shouldGiveTheWorkedTableForTheDefaults) {
    const PerformanceResults r = CalculatePerformance(DefaultDesignInputs());
    const std::array<const char*, kResultCount> values = {
        "1.83237", "78",  "27",      "23.7237", "11.8518", "0.01",    "35.5855", "90.625",
        "13.5",    "500", "29.8397", "56.8397", "14.5862", "121.551", "12.7493", "12"};
    const std::array<const char*, kResultCount> texts = {
        "1.8324", "78.",  "27.",   "23.724", "11.852", ".01",    "35.586", "90.625",
        "13.5",   "500.", "29.84", "56.84",  "14.586", "121.55", "12.749", "12."};
    for (std::size_t j = 0; j < kResultCount; ++j) {
        SCOPED_TRACE(kResults[j].caption);
        EXPECT_EQ(Figures(j == kHeatRejected ? r.heatRejected : static_cast<double>(r.values[j])),
                  values[j]);
        EXPECT_EQ(TextOf(r, j), texts[j]);
    }
    // Total makeup lies just below 35.5855: the seven-figure step is what shows 35.586.
    EXPECT_LT(static_cast<double>(r.values[kMakeup]), 35.5855);
}

TEST(CalculatePerformance, shouldPassThroughTheWorkedIntermediates) {
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
    std::size_t input;
    float value;
    std::size_t result;
    const char* text;
};

class DesignTable : public ::testing::TestWithParam<DesignCase> {};

TEST_P(DesignTable, shouldShowTheExpectedResultText) {
    const DesignCase& c = GetParam();
    EXPECT_EQ(TextOf(CalculatePerformance(With(c.input, c.value)), c.result), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    OneInputChanged, DesignTable,
    ::testing::Values(
        // The cases in which the window asks its low (about 0.115) and high (about 6.68)
        // KaV/L questions.
        DesignCase{"Approach35LowKaVL", kApproach, 35.0F, kKaVL, ".11463"},
        DesignCase{"Approach5HighKaVL", kApproach, 5.0F, kKaVL, "6.677"},
        // The air line crosses the saturation curve: negative driving forces (about -11.7).
        DesignCase{"LiquidGas2NegativeKaVL", kLiquidGas, 2.0F, kKaVL, "-11.735"},
        // A negative range is calculated like any other (about -0.69).
        DesignCase{"HotWater70NegativeKaVL", kHotWater, 70.0F, kKaVL, "-.68823"},
        DesignCase{"HotWater70HeatRejected", kHotWater, 70.0F, kHeatRejected, "-4."},
        DesignCase{"HotWater70Range", kHotWater, 70.0F, kRange, "-8."},
        // THot equal to TCold: no range, no KaV/L, no heat.
        DesignCase{"ZeroRangeKaVL", kHotWater, 78.0F, kKaVL, "."},
        DesignCase{"ZeroRangeHeat", kHotWater, 78.0F, kHeatRejected, "."},
        DesignCase{"Flow2500Pump", kWaterFlow, 2500.0F, kPumpPower, "30."},
        DesignCase{"Cycles1Blowdown", kCycles, 1.0F, kBlowdown, "Infinity"},
        DesignCase{"Cycles1Makeup", kCycles, 1.0F, kMakeup, "Infinity"},
        DesignCase{"FanEfficiency0", kFanEff, 0.0F, kFanPower, "Infinity"},
        DesignCase{"LiquidGas0AirFlow", kLiquidGas, 0.0F, kDryAirFlow, "Infinity"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CalculatePerformance, shouldIgnoreTheMakeupWaterTemperature) {
    const PerformanceResults defaults = CalculatePerformance(DefaultDesignInputs());
    for (float t : {-40.0F, 0.0F, 32.0F, 200.0F, 1e30F}) {
        const PerformanceResults changed = CalculatePerformance(With(kMakeupTemp, t));
        EXPECT_EQ(changed.values, defaults.values) << t;
        EXPECT_EQ(changed.heatRejected, defaults.heatRejected) << t;
    }
}

TEST(CalculatePerformance, shouldLeaveTheOtherResultsAloneWhenCyclesIsOne) {
    const PerformanceResults defaults = CalculatePerformance(DefaultDesignInputs());
    const PerformanceResults r = CalculatePerformance(With(kCycles, 1.0F));
    for (std::size_t j = 0; j < kResultCount; ++j) {
        if (j == kBlowdown || j == kMakeup) continue;
        EXPECT_EQ(r.values[j], defaults.values[j]) << kResults[j].caption;
    }
}

TEST(CalculatePerformance, shouldGiveNotANumberMakeupWhenNothingEvaporatesAndCyclesIsOne) {
    DesignInputs inputs = With(kCycles, 1.0F);
    inputs[kWaterFlow] = 0.0F;  // no air, no evaporation: 0 / 0
    const PerformanceResults r = CalculatePerformance(inputs);
    EXPECT_TRUE(std::isnan(r.values[kBlowdown]));
    EXPECT_TRUE(std::isnan(r.values[kMakeup]));
}

TEST(CalculatePerformance, shouldCarryOnAtMinusOneDegreeWhenTheSolverRunsOut) {
    // A bracket ending at 0 °F with the target above it: the relative change never settles.
    DesignInputs inputs = DefaultDesignInputs();
    inputs[kWetBulb] = -20.0F;
    inputs[kDryBulb] = -10.0F;
    inputs[kHotWater] = 0.0F;
    inputs[kApproach] = 5.0F;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    EXPECT_EQ(q.tExit, -1.0F);
    double v = 0;
    ASSERT_EQ(SpecificVolume(-1.0F, inputs[kAtmosPress], q.wExit, v), Status::Ok);
    EXPECT_EQ(q.specificVolume, static_cast<float>(v));
    const PerformanceResults r = CalculatePerformance(inputs);
    EXPECT_EQ(ResultText(r.values[kExitAirTemp]), "-1.");
    for (std::size_t j :
         {kEvaporation, kBlowdown, kMakeup, kExitSpecificVolume, kExitAirFlow, kFanPower}) {
        EXPECT_TRUE(std::isfinite(r.values[j])) << kResults[j].caption;
    }
}

TEST(CalculatePerformance, shouldKeepZeroWhereAPropertyFunctionFaults) {
    // P equal to 0 faults the specific volume (division by zero): it keeps its starting zero,
    // and the air volume flow and fan power follow from that zero.
    const WorkingQuantities q = CalculateWorkingQuantities(With(kAtmosPress, 0.0F));
    EXPECT_EQ(q.specificVolume, 0.0F);
    EXPECT_EQ(q.airVolumeFlow, 0.0F);
    EXPECT_EQ(q.fanPower, 0.0F);
}

TEST(CalculatePerformance, shouldKeepHInSatAsEnteringEnthalpyWhenItsFunctionFaults) {
    // A wet bulb far above the critical point overflows the saturation pressure (PsatWb stays
    // 0), which puts pv near 0.8 P; with a dry bulb of 3e38 the enthalpy leaves single precision.
    DesignInputs inputs = DefaultDesignInputs();
    inputs[kDryBulb] = 3e38F;
    inputs[kWetBulb] = 1.394e38F;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    float h = 0;
    ASSERT_EQ(MoistAirEnthalpy(inputs[kDryBulb], q.wIn, h), Status::ArithmeticFault);
    EXPECT_EQ(q.hIn, q.hInSat);
}

TEST(CalculatePerformance, shouldSkipAChebyshevPointWhoseWaterTemperatureOverflows) {
    DesignInputs inputs = DefaultDesignInputs();
    inputs[kHotWater] = 3.4e38F;
    inputs[kWetBulb] = -3.4e38F;
    inputs[kApproach] = 0.0F;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    EXPECT_TRUE(std::isinf(q.range));
    for (float hw : q.hWater)
        EXPECT_EQ(hw, 0.0F);
}

}  // namespace
}  // namespace veltrane
