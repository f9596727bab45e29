#include "demand_curves.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

/// The defaults: wet bulb 65 °F, range 27 °F (105 − (65 + 13)), 14.7 psia.
DesignInputs DefaultsWith(float approach, float hotWater, float liquidGas) {
    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kApproach] = approach;
    inputs[Input::kHotWater] = hotWater;
    inputs[Input::kLiquidGas] = liquidGas;
    return inputs;
}

TEST(DemandCurves, shouldGiveTheWindowsKaVLAtTheDesignsRangeAndNothingPastThePole) {
    struct Case {
        float approach;
        float liquidGas;
        const char* expected;  ///< seven figures, or nullptr where there is no demand
        const char* window;    ///< what the window shows for that design
    };
    // Range 27 °F held: THot = 65 + approach + 27. 13 °F at L/G 1 is the default design. Past
    // the pole the window's number is no demand, plausible as it may look (4.996 at 5 °F, L/G 2).
    const Case cases[] = {
        {13.0f, 1.0f, "1.832368", "1.832368"}, {5.0f, 1.0f, "6.042131", "6.042131"},
        {20.0f, 2.0f, "2.09202", "2.09202"},   {20.0f, 0.3f, "0.8265035", "0.8265035"},
        {5.0f, 1.5f, nullptr, "-4.36973"},     {5.0f, 2.0f, nullptr, "4.996148"},
        {13.0f, 2.0f, nullptr, "-11.73495"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.approach << " F at L/G " << c.liquidGas);
        const DesignInputs direct =
            DefaultsWith(c.approach, 65.0f + c.approach + 27.0f, c.liquidGas);
        EXPECT_EQ(Seven(CalculatePerformance(direct).values[Result::kKaVL]), c.window);
        const std::optional<float> kaVL =
            DemandKaVL(DefaultDesignInputs(), c.approach, c.liquidGas);
        EXPECT_EQ(kaVL ? Seven(*kaVL) : "none", c.expected ? c.expected : "none");
    }
}

TEST(DemandCurves, shouldRiseToThePoleAndStopJustAboveTheCeiling) {
    const DesignInputs design = DefaultDesignInputs();
    const LiquidGasSpan span{0.3f, 5.0f};
    for (const float approach : {5.0f, 7.0f, 10.0f, 13.0f, 15.0f, 20.0f}) {
        SCOPED_TRACE(::testing::Message() << approach << " F");
        const DemandCurve curve = CalculateDemandCurve(design, approach, span, 10.0f);
        ASSERT_GE(curve.points.size(), 100u);
        ASSERT_TRUE(curve.poleLiquidGas);
        EXPECT_EQ(curve.points.front().liquidGas, 0.3f);
        for (std::size_t i = 1; i < curve.points.size(); ++i) {
            EXPECT_GT(curve.points[i].liquidGas, curve.points[i - 1].liquidGas);
            EXPECT_GT(curve.points[i].kaVL, curve.points[i - 1].kaVL);
        }
        EXPECT_GT(curve.points.back().kaVL, 10.0f);
        EXPECT_LE(curve.points[curve.points.size() - 2].kaVL, 10.0f);
        // At the pole a driving force has reached zero; one step below it all are positive.
        const float pole = *curve.poleLiquidGas;
        const float below = std::nextafter(pole, 0.0f);
        const auto forces = [&](float lg) {
            return CalculateWorkingQuantities(DemandInputs(design, approach, lg)).drivingForce;
        };
        const auto atPole = forces(pole);
        EXPECT_LE(std::min({atPole[0], atPole[1], atPole[2], atPole[3]}), 0.0f);
        const auto belowPole = forces(below);
        EXPECT_GT(std::min({belowPole[0], belowPole[1], belowPole[2], belowPole[3]}), 0.0f);
        EXPECT_LT(curve.points.back().liquidGas, pole);
    }
}

TEST(DemandCurves, shouldPutTheSmallerApproachAboveAndLeft) {
    const DesignInputs design = DefaultDesignInputs();
    const DemandCurve five = CalculateDemandCurve(design, 5.0f, {0.3f, 5.0f}, 1e30f);
    const DemandCurve twenty = CalculateDemandCurve(design, 20.0f, {0.3f, 5.0f}, 1e30f);
    EXPECT_LT(*five.poleLiquidGas, *twenty.poleLiquidGas);
    EXPECT_GT(five.points.front().kaVL, twenty.points.front().kaVL);
}

TEST(DemandCurves, shouldGiveNoCurveWhereNoLiquidGasRatioOfTheSpanIsFeasible) {
    const DesignInputs design = DefaultDesignInputs();
    // 1 °F at the defaults: the air line meets the saturation curve near L/G 0.95.
    const DemandCurve tight = CalculateDemandCurve(design, 1.0f, {1.0f, 5.0f}, 10.0f);
    EXPECT_TRUE(tight.points.empty());
    EXPECT_EQ(tight.poleLiquidGas, 1.0f);
    // A span that ends before the pole has no pole and ends at the span's end.
    const DemandCurve shortSpan = CalculateDemandCurve(design, 13.0f, {0.3f, 0.8f}, 1e30f);
    EXPECT_FALSE(shortSpan.poleLiquidGas);
    EXPECT_EQ(shortSpan.points.back().liquidGas, 0.8f);
    EXPECT_TRUE(CalculateDemandCurve(design, 13.0f, {2.0f, 1.0f}, 10.0f).points.empty());
}

TEST(DemandCurves, shouldCrossTheTowerLineWhereDemandMeetsItAndNowhereOutsideTheSpan) {
    const DesignInputs design = DefaultDesignInputs();
    const TowerLine tower = [](float lg) {
        return static_cast<float>(2.3 * std::pow(static_cast<double>(lg), -0.75));
    };
    for (const float approach : {5.0f, 7.0f, 10.0f, 13.0f, 15.0f, 20.0f}) {
        SCOPED_TRACE(::testing::Message() << approach << " F");
        const std::optional<float> crossing = TowerCrossing(design, approach, tower, {0.3f, 5.0f});
        ASSERT_TRUE(crossing);
        const float demand = *DemandKaVL(design, approach, *crossing);
        EXPECT_NEAR(demand / tower(*crossing), 1.0f, 2e-5f);
        // The two cross: one float further along, the demand is above the tower or gone.
        const std::optional<float> beyond =
            DemandKaVL(design, approach, std::nextafter(*crossing, 10.0f));
        const std::optional<float> before =
            DemandKaVL(design, approach, std::nextafter(*crossing, 0.0f));
        EXPECT_TRUE(!beyond || *beyond >= tower(std::nextafter(*crossing, 10.0f)) ||
                    *before < tower(std::nextafter(*crossing, 0.0f)));
    }
    // The 5 °F curve crosses left of the 20 °F one.
    EXPECT_LT(*TowerCrossing(design, 5.0f, tower, {0.3f, 5.0f}),
              *TowerCrossing(design, 20.0f, tower, {0.3f, 5.0f}));
    // A tower far above every demand in the span does not cross it.
    const TowerLine huge = [](float) { return 1000.0f; };
    EXPECT_FALSE(TowerCrossing(design, 13.0f, huge, {0.3f, 1.0f}));
    // Nor one above the largest demand, found just before the pole inside the span.
    const TowerLine beyondThePole = [](float) { return 1e30f; };
    EXPECT_FALSE(TowerCrossing(design, 13.0f, beyondThePole, {0.3f, 5.0f}));
    const TowerLine tiny = [](float) { return 1e-6f; };
    EXPECT_FALSE(TowerCrossing(design, 13.0f, tiny, {0.3f, 5.0f}));
}

TEST(DemandChart, shouldMarkTheRatedOperatingPointWhereItsOwnCurveCrossesTheTower) {
    // A hot, humid site at 14.59 psia, range 20 °F, L/G 1.21: the tower runs at about 7.07 °F.
    DesignInputs design = DefaultDesignInputs();
    design[Input::kAtmosPress] = 14.59f;
    design[Input::kWetBulb] = 78.0f;
    design[Input::kDryBulb] = 88.0f;
    design[Input::kApproach] = 10.0f;
    design[Input::kHotWater] = 78.0f + 10.0f + 20.0f;
    design[Input::kLiquidGas] = 1.21f;
    const TowerCharacteristic tower{2.3f, 0.75f};
    const DemandChart chart = BuildDemandChart(design, {{5.0f, 7.0f, 10.0f}, {0.3f, 5.0f}, tower});

    const Rating rating = RateDesign(design, tower);
    ASSERT_TRUE(chart.operatingPoint);
    EXPECT_EQ(chart.operatingPoint->approach, rating.inputs[Input::kApproach]);
    EXPECT_NEAR(chart.operatingPoint->approach, 7.07f, 0.01f);
    EXPECT_EQ(Seven(chart.operatingPoint->kaVL), "1.993603");
    EXPECT_EQ(chart.operatingPoint->coldWater, 78.0f + rating.inputs[Input::kApproach]);
    // The demand curve of the rated approach meets the tower line at the design's L/G.
    const std::optional<float> crossing = TowerCrossing(
        design, rating.inputs[Input::kApproach], [&](float lg) { return TowerKaVL(tower, lg); },
        chart.span);
    ASSERT_TRUE(crossing);
    EXPECT_NEAR(*crossing, 1.21f, 1e-4f);

    // 10 °F is the design's own approach: drawn once, marked, with the design's point on it.
    ASSERT_EQ(chart.curves.size(), 3u);
    EXPECT_TRUE(chart.curves[2].design);
    EXPECT_EQ(chart.curves[2].curve.approach, 10.0f);
    EXPECT_EQ(Seven(chart.designPoint->kaVL),
              Seven(CalculatePerformance(design).values[Result::kKaVL]));
}

TEST(DemandChart, shouldSayWhyThereIsNoOperatingPoint) {
    // A tower (C 30, m 0.6) larger than the demand at every feasible approach.
    DesignInputs design = DefaultDesignInputs();
    design[Input::kWetBulb] = 65.0f;
    design[Input::kHotWater] = 65.0f + 13.0f + 10.0f;
    design[Input::kLiquidGas] = 0.5f;
    const DemandChart chart = BuildDemandChart(design, {{5.0f}, {0.3f, 5.0f}, {{30.0f, 0.6f}}});
    EXPECT_FALSE(chart.operatingPoint);
    EXPECT_EQ(chart.noOperatingPoint, DescribeOutcome(RatingOutcome::kTowerExceedsDemand));
    // A tower above the demand even at its pole has no operating point on the chart either.
    const DemandChart atThePole =
        BuildDemandChart(DefaultDesignInputs(), {{5.0f}, {0.3f, 5.0f}, {{1e6f, 0.75f}}});
    EXPECT_FALSE(atThePole.operatingPoint);
    EXPECT_EQ(atThePole.noOperatingPoint,
              DescribeOutcome(RatingOutcome::kTowerExceedsDemandAtThePole));
}

}  // namespace
}  // namespace veltrane
