#include "performance_curves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrane {
namespace {

/// The defaults with the wet bulb, range and L/G given, the dry bulb 10 °F above the wet bulb.
DesignInputs Design(float wetBulb, float range, float liquidGas) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kWetBulb] = wetBulb;
    d[Input::kDryBulb] = wetBulb + 10.0F;
    d[Input::kHotWater] = wetBulb + d[Input::kApproach] + range;
    d[Input::kLiquidGas] = liquidGas;
    return d;
}

const PerformanceCurve& Curve(const PerformanceCurves& curves, float flow, float range) {
    for (const PerformanceCurve& c : curves.curves) {
        if (c.flowPercent == flow && c.rangePercent == range) return c;
    }
    throw std::logic_error("no such curve");
}

struct CurvesCase {
    const char* name;
    DesignInputs design;
    float slope;
};

void PrintTo(const CurvesCase& c, std::ostream* os) {
    *os << c.name;
}

class PerformanceCurvesTable : public ::testing::TestWithParam<CurvesCase> {};

// The rating resolves the cold water to adjacent single-precision values; 0.01 °F is the
// figure a data sheet is read to.
TEST_P(PerformanceCurvesTable, shouldPassThroughTheDesignPointAtDesignFlowAndRange) {
    const CurvesCase& c = GetParam();
    const std::optional<TowerCharacteristic> tower = TowerThroughDesign(c.design, c.slope);
    ASSERT_TRUE(tower);
    const PerformanceCurves curves =
        CalculatePerformanceCurves(c.design, *tower, DefaultWetBulbSpan(c.design));
    ASSERT_EQ(curves.curves.size(), 9U);
    const float designWetBulb = c.design[Input::kWetBulb];
    const float designCold = designWetBulb + c.design[Input::kApproach];
    bool met = false;
    for (const CurvePoint& p : Curve(curves, 100.0F, 100.0F).points) {
        if (p.wetBulb != designWetBulb) continue;
        EXPECT_NEAR(p.coldWater, designCold, 0.01F);
        met = true;
    }
    EXPECT_TRUE(met) << "no point at the design wet bulb";
}

TEST_P(PerformanceCurvesTable, shouldRunWarmerAtMoreFlowAtEveryWetBulb) {
    const CurvesCase& c = GetParam();
    const PerformanceCurves curves = CalculatePerformanceCurves(
        c.design, *TowerThroughDesign(c.design, c.slope), DefaultWetBulbSpan(c.design));
    for (const float range : kCurveRangePercents) {
        std::map<float, float> lessFlow;
        for (const CurvePoint& p : Curve(curves, 90.0F, range).points)
            lessFlow[p.wetBulb] = p.coldWater;
        const std::vector<CurvePoint>& more = Curve(curves, 110.0F, range).points;
        ASSERT_EQ(more.size(), SpanWetBulbs(DefaultWetBulbSpan(c.design))->size()) << range;
        for (const CurvePoint& p : more) {
            ASSERT_TRUE(lessFlow.count(p.wetBulb)) << p.wetBulb;
            EXPECT_GT(p.coldWater, lessFlow[p.wetBulb]) << range << " % range, " << p.wetBulb;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Curves, PerformanceCurvesTable,
    ::testing::Values(CurvesCase{"defaults", DefaultDesignInputs(), 0.6F},
                      CurvesCase{"humidSite", Design(78.0F, 20.0F, 1.21F), 0.75F},
                      CurvesCase{"smallLiquidGas", Design(55.0F, 15.0F, 0.6F), 0.5F}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(PerformanceCurves, shouldRefuseSpansThatFallOrNeverEnd) {
    EXPECT_FALSE(SpanWetBulbs({80.0F, 40.0F, 1.0F}));
    EXPECT_FALSE(SpanWetBulbs({40.0F, 80.0F, 0.0F}));
    EXPECT_FALSE(SpanWetBulbs({40.0F, 80.0F, 1e-6F}));
    EXPECT_FALSE(SpanWetBulbs({40.0F, INFINITY, 1.0F}));
    EXPECT_EQ(SpanWetBulbs({40.0F, 41.0F, 0.3F}), (std::vector<float>{40.0F, 40.3F, 40.6F, 40.9F}));
    EXPECT_EQ(SpanWetBulbs({40.0F, 40.0F, 1.0F}), std::vector<float>{40.0F});
}

struct SiSpanCase {
    float designWetBulb;  ///< °F
    float from;           ///< °C
    float to;             ///< °C
};

// The default span's ends, 40 °F and the design wet bulb + 10 °F, in °C rounded outward; an end
// that is a whole °C already stays there, though its float °F (55.4 °F, 13 °C) reads back as
// 13.0000009 °C.
TEST(PerformanceCurves, shouldStartTheSiDefaultSpanOnWholeDegreesCelsiusOutsideTheUsEnds) {
    for (const SiSpanCase c : {SiSpanCase{65.0F, 4.0F, 24.0F}, SiSpanCase{45.4F, 4.0F, 13.0F},
                               SiSpanCase{86.0F, 4.0F, 36.0F}}) {
        DesignInputs design = DefaultDesignInputs();
        design[Input::kWetBulb] = c.designWetBulb;
        const WetBulbSpan span = DefaultWetBulbSpan(design, UnitSystem::kSI);
        EXPECT_EQ(span.units, UnitSystem::kSI);
        EXPECT_EQ(span.from, c.from) << c.designWetBulb;
        EXPECT_EQ(span.to, c.to) << c.designWetBulb;
        EXPECT_EQ(span.step, 1.0F);
    }
}

// 18, 19 and 20 °C are 64.4, 66.2 and 68 °F; 18.5 °C on are 65.3, 67.1 and 68.9 °F: each rounded
// once, not 64.4 °F plus steps of 1.8 °F.
TEST(PerformanceCurves, shouldPutAnSiSpansWetBulbsOnWholeStepsInDegreesCelsius) {
    EXPECT_EQ(SpanWetBulbs({18.0F, 20.0F, 1.0F, UnitSystem::kSI}),
              (std::vector<float>{64.4F, 66.2F, 68.0F}));
    EXPECT_EQ(SpanWetBulbs({18.5F, 20.5F, 1.0F, UnitSystem::kSI}),
              (std::vector<float>{65.3F, 67.1F, 68.9F}));
    EXPECT_DOUBLE_EQ(SpanStepFahrenheit({18.0F, 20.0F, 1.0F, UnitSystem::kSI}), 1.8);
}

}  // namespace
}  // namespace veltrane
