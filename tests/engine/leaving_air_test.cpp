#include "leaving_air.h"

#include <gtest/gtest.h>

#include <cmath>

#include "psychrometrics.h"

namespace veltrane {
namespace {

float SaturatedEnthalpy(float t, float p) {
    float psat = 0, h = 0;
    EXPECT_EQ(SatAirEnthalpy(t, p, psat, h), Status::Ok);
    return h;
}

/// The defaults with the given psychrometer readings, hot water, approach and L/G.
DesignInputs Row(float twb, float tdb, float tHot, float approach, float liquidGas,
                 float pressure = 14.7F) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kAtmosPress] = pressure;
    d[Input::kWetBulb] = twb;
    d[Input::kDryBulb] = tdb;
    d[Input::kHotWater] = tHot;
    d[Input::kApproach] = approach;
    d[Input::kLiquidGas] = liquidGas;
    return d;
}

class ExactLeavingAir : public ::testing::TestWithParam<DesignInputs> {};

// hOut lies between the saturated enthalpies of the solved temperature's two neighbours: no
// single-precision temperature is nearer the saturated air at hOut.
TEST_P(ExactLeavingAir, shouldLieOnTheSaturationCurveAtTheLeavingEnthalpyToTheFloat) {
    const DesignInputs& d = GetParam();
    const float p = d[Input::kAtmosPress];
    LeavingAir air;
    const WorkingQuantities q = CalculateWithExactLeavingAir(d, &air);
    ASSERT_TRUE(air.found);
    EXPECT_EQ(q.tExit, air.temperature);
    EXPECT_LE(SaturatedEnthalpy(std::nextafter(q.tExit, -HUGE_VALF), p), q.hOut);
    EXPECT_GE(SaturatedEnthalpy(std::nextafter(q.tExit, HUGE_VALF), p), q.hOut);
    EXPECT_LE(air.evaluations, kLeavingAirEvaluationLimit);
    EXPECT_EQ(static_cast<int>(air.trials.size()), air.evaluations);
    // The humidity ratio and volume belong to that temperature, not to a trial of the search.
    float psat = 0, ws = 0;
    ASSERT_EQ(SatAirEnthalpy(q.tExit, p, psat, ws), Status::Ok);
    ASSERT_EQ(HumidityRatio(psat, p, ws), Status::Ok);
    EXPECT_EQ(q.wExit, ws);
    double v = 0;
    ASSERT_EQ(SpecificVolume(q.tExit, p, ws, v), Status::Ok);
    EXPECT_EQ(q.specificVolume, static_cast<float>(v));
}

INSTANTIATE_TEST_SUITE_P(Designs, ExactLeavingAir,
                         ::testing::Values(DefaultDesignInputs(),
                                           Row(77, 87, 102.48496F, 5.48496F, 1),
                                           Row(40, 45, 70, 12, 0.6F), Row(85, 100, 140, 8, 1.8F),
                                           Row(60, 75, 90, 10, 1.2F, 12.2F)));

TEST(ExactLeavingAir, shouldGiveTheEvaporationOfTheSaturatedAirAtItsEnthalpy) {
    const PerformanceResults window = CalculatePerformance(Row(77, 87, 102.48496F, 5.48496F, 1));
    const PerformanceResults exact =
        CalculatePerformanceExactLeavingAir(Row(77, 87, 102.48496F, 5.48496F, 1));
    EXPECT_NEAR(window.values[Result::kEvaporation], 18.26F, 0.005F);
    // About 16.75 gpm at 93.19 °F; the window's search reports 93.7 °F and its last trial's
    // humidity ratio.
    EXPECT_NEAR(exact.values[Result::kEvaporation], 16.75F, 0.01F);
    EXPECT_NEAR(exact.values[Result::kExitAirTemp], 93.19F, 0.02F);
    // Makeup and fan power follow the leaving air; the rest stays the window's.
    EXPECT_LT(exact.values[Result::kMakeup], window.values[Result::kMakeup]);
    EXPECT_NE(exact.values[Result::kFanPower], window.values[Result::kFanPower]);
    EXPECT_EQ(exact.values[Result::kKaVL], window.values[Result::kKaVL]);
    EXPECT_EQ(exact.values[Result::kEnthalpyOut], window.values[Result::kEnthalpyOut]);
}

// The window's leaving air jumps with its 1 % stopping rule; the exact one's water rises
// steadily with the wet bulb at a fixed approach, range and depression. (Below a wet bulb of
// about 43 °F this row's air would leave hotter than the hot water.)
TEST(ExactLeavingAir, shouldGiveEvaporationRisingWithTheWetBulbAtAFixedApproach) {
    float previous = 0.0F;
    for (float twb = 45.0F; twb <= 85.0F; twb += 0.25F) {
        const float evaporation =
            CalculatePerformanceExactLeavingAir(Row(twb, twb + 10, twb + 30, 10, 1))
                .values[Result::kEvaporation];
        EXPECT_GT(evaporation, previous) << "Twb " << twb;
        previous = evaporation;
    }
}

struct NoLeavingAirCase {
    const char* name;
    float hOutAboveLowEnd;  ///< Btu/lb above the saturated enthalpy at the low end
    float lowEnd, highEnd;
};

class NoLeavingAir : public ::testing::TestWithParam<NoLeavingAirCase> {};

TEST_P(NoLeavingAir, shouldSayNoneIsFound) {
    const NoLeavingAirCase& c = GetParam();
    const float hOut = SaturatedEnthalpy(c.lowEnd, 14.7F) + c.hOutAboveLowEnd;
    EXPECT_FALSE(SolveLeavingAir(hOut, 14.7F, c.lowEnd, c.highEnd).found);
}

INSTANTIATE_TEST_SUITE_P(Brackets, NoLeavingAir,
                         ::testing::Values(NoLeavingAirCase{"ColderThanTheLowEnd", -1, 65, 105},
                                           NoLeavingAirCase{"HotterThanTheHighEnd", 200, 65, 105},
                                           NoLeavingAirCase{"EndsReversed", 1, 105, 65}),
                         [](const auto& row) { return std::string(row.param.name); });

// A row with no saturated air at its leaving enthalpy between the wet bulb and the hot water
// (hot water below the wet bulb) gets no water or fan figures rather than the window's.
TEST(ExactLeavingAir, shouldLeaveTheFiguresOfTheLeavingAirOutWhenThereIsNone) {
    const PerformanceResults r = CalculatePerformanceExactLeavingAir(Row(65, 85, 60, 13, 1));
    for (const Result j : {Result::kExitAirTemp, Result::kEvaporation, Result::kMakeup,
                           Result::kExitAirFlow, Result::kFanPower}) {
        EXPECT_TRUE(std::isnan(r.values[j])) << PositionOf(j);
    }
    EXPECT_FALSE(std::isnan(r.values[Result::kPumpPower]));
}

}  // namespace
}  // namespace veltrane
