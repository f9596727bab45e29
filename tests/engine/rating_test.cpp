#include "rating.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

/// The defaults with the wet bulb, range and L/G given, the dry bulb 10 °F above the wet bulb.
DesignInputs Design(float wetBulb, float range, float liquidGas, float pressure = 14.7F) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kAtmosPress] = pressure;
    d[Input::kWetBulb] = wetBulb;
    d[Input::kDryBulb] = wetBulb + 10.0F;
    d[Input::kHotWater] = wetBulb + d[Input::kApproach] + range;
    d[Input::kLiquidGas] = liquidGas;
    return d;
}

DesignInputs HotDayDesign() {
    return Design(78.0F, 20.0F, 1.21F, 14.59F);
}
constexpr TowerCharacteristic kDesignTower{2.3F, 0.75F};

DesignInputs WithInput(DesignInputs d, Input input, float value) {
    d[input] = value;
    return d;
}

/// The defaults with these pressure, temperatures, approach and L/G.
DesignInputs Row(float pressure, float wetBulb, float dryBulb, float hotWater, float approach,
                 float liquidGas) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kAtmosPress] = pressure;
    d[Input::kWetBulb] = wetBulb;
    d[Input::kDryBulb] = dryBulb;
    d[Input::kHotWater] = hotWater;
    d[Input::kApproach] = approach;
    d[Input::kLiquidGas] = liquidGas;
    return d;
}

/// The demand of the design at another cold water temperature, its range held.
float DemandAtColdWater(const DesignInputs& design, float coldWater) {
    const float range = CalculatePerformance(design).values[Result::kRange];
    DesignInputs row = design;
    row[Input::kApproach] = coldWater - design[Input::kWetBulb];
    row[Input::kHotWater] = coldWater + range;
    return CalculateMerkelIntegral(row).kaVL;
}

float Distance(float a, float b) {
    return std::fabs(a - b);
}

/// A tower of no exponent that delivers exactly the demand of the defaults (range 27 °F) at
/// this L/G and approach: where that approach lies below the pole, a root finder that looks at
/// the KaV/L alone finds it there.
TowerCharacteristic TowerMatchingBelowThePole(float liquidGas, float approach) {
    DesignInputs d = Design(65.0F, 27.0F, liquidGas);
    d[Input::kApproach] = approach;
    d[Input::kHotWater] = 65.0F + approach + 27.0F;
    return {CalculateMerkelIntegral(d).kaVL, 0.0F};
}

/// What every operating point must be: the row as given but for approach and hot water, the
/// range held (to the rounding of the hot water temperature), every driving force positive, the
/// results those of the rated row calculated as a design, the crossing within 0.001 °F, and no
/// adjacent cold water temperature nearer the tower's value.
void ExpectOperatingPoint(const DesignInputs& design, const Rating& rating) {
    ASSERT_EQ(rating.outcome, RatingOutcome::kRated);
    for (const Input i : kAllInputs) {
        if (i != Input::kApproach && i != Input::kHotWater) {
            EXPECT_EQ(rating.inputs[i], design[i]) << PositionOf(i);
        }
    }
    const float hotWater = rating.inputs[Input::kHotWater];
    EXPECT_NEAR(rating.results.values[Result::kRange],
                CalculatePerformance(design).values[Result::kRange],
                std::nextafter(hotWater, HUGE_VALF) - hotWater);
    EXPECT_EQ(rating.results.values, CalculatePerformance(rating.inputs).values);
    for (float d : CalculateWorkingQuantities(rating.inputs).drivingForce)
        EXPECT_GT(d, 0.0F);

    const float tower = rating.towerKaVL;
    const float coldWater = rating.results.values[Result::kColdWater];
    EXPECT_GT(DemandAtColdWater(design, coldWater - 0.001F), tower);
    EXPECT_LT(DemandAtColdWater(design, coldWater + 0.001F), tower);
    const float miss = Distance(rating.results.values[Result::kKaVL], tower);
    for (float neighbour :
         {std::nextafter(coldWater, -HUGE_VALF), std::nextafter(coldWater, HUGE_VALF)}) {
        EXPECT_LE(miss, Distance(DemandAtColdWater(design, neighbour), tower)) << neighbour;
    }
}

struct RatingCase {
    const char* name;
    DesignInputs design;
    TowerCharacteristic tower;
    RatingOutcome outcome;
    float lowestApproach = 0.0F;  ///< when rated, °F
    float highestApproach = 0.0F;
};

void PrintTo(const RatingCase& c, std::ostream* os) {
    *os << c.name;
}

class RatingTable : public ::testing::TestWithParam<RatingCase> {};

TEST_P(RatingTable, shouldFindTheOperatingPointOrSayWhyThereIsNone) {
    const RatingCase& c = GetParam();
    const Rating rating = RateDesign(c.design, c.tower);
    EXPECT_LE(rating.calculations, kRatingCalculationLimit);
    ASSERT_EQ(rating.outcome, c.outcome) << DescribeOutcome(rating.outcome);
    if (c.outcome != RatingOutcome::kRated) {
        // Nothing that is not an operating point is handed on as one.
        EXPECT_EQ(rating.inputs, c.design);
        EXPECT_EQ(rating.results.values, PerformanceResults{}.values);
        return;
    }
    ExpectOperatingPoint(c.design, rating);
    EXPECT_GE(rating.inputs[Input::kApproach], c.lowestApproach);
    EXPECT_LE(rating.inputs[Input::kApproach], c.highestApproach);
}

INSTANTIATE_TEST_SUITE_P(
    Rating, RatingTable,
    ::testing::Values(
        // 7.0649 °F with these moist-air properties; another moist-air
        // formulation gives 7.001 °F.
        RatingCase{"hotDay", HotDayDesign(), kDesignTower, RatingOutcome::kRated, 7.064F, 7.066F},
        // Below the poles, at 1.54 °F and 25.1 °F, these towers' values recur as meaningless
        // demands at 1.38 °F and 10 °F.
        RatingCase{"liquidGasOnePastThePole", Design(65.0F, 27.0F, 1.0F),
                   TowerMatchingBelowThePole(1.0F, 1.38F), RatingOutcome::kRated, 1.54F, 100.0F},
        RatingCase{"liquidGasThreePastThePole", Design(65.0F, 27.0F, 3.0F),
                   TowerMatchingBelowThePole(3.0F, 10.0F), RatingOutcome::kRated, 25.1F, 100.0F},
        // Hot weather: at an approach of 100 F these rows' hot water would boil; the operating
        // points lie well below that.
        RatingCase{"hotWeatherRange40", Row(14.7F, 78.0F, 92.0F, 128.0F, 10.0F, 1.2F), kDesignTower,
                   RatingOutcome::kRated, 9.6F, 9.8F},
        RatingCase{"hotWeatherRange35", Row(14.7F, 82.0F, 95.0F, 127.0F, 10.0F, 1.0F), kDesignTower,
                   RatingOutcome::kRated, 1.0F, 20.0F},
        RatingCase{"hotWaterBoilsAtEveryApproach",
                   Row(1.0F, 120.0F, 140.0F, 130.01F, 10.0F, 100.0F),
                   {1.0F, 0.0F},
                   RatingOutcome::kHotWaterBoils},
        // The demand peaks near 2.2e5 at its pole (approach 1.54 F) and never meets the tower.
        RatingCase{"towerLargerThanTheDemandAtThePole",
                   DefaultDesignInputs(),
                   {1e6F, 0.75F},
                   RatingOutcome::kTowerExceedsDemandAtThePole},
        RatingCase{"towerLargerThanEveryDemand",
                   Design(65.0F, 10.0F, 0.5F),
                   {30.0F, 0.6F},
                   RatingOutcome::kTowerExceedsDemand},
        RatingCase{"towerSmallerThanEveryDemand",
                   Design(65.0F, 27.0F, 1.0F),
                   {0.01F, 0.6F},
                   RatingOutcome::kTowerBelowDemand},
        RatingCase{"airLineAboveTheCurveThroughout", Design(65.0F, 27.0F, 50.0F), kDesignTower,
                   RatingOutcome::kNoPositiveDrivingForce},
        // Near absolute zero the search closes on a demand whose cold water would be ice.
        RatingCase{"coldWaterBelowFreezing",
                   Design(-459.0F, 21.6F, 0.9F),
                   {1.8324F, 0.6F},
                   RatingOutcome::kColdWaterFreezes},
        RatingCase{"hotWaterBelowColdWater", Design(65.0F, -5.0F, 1.0F), kDesignTower,
                   RatingOutcome::kNoRange},
        RatingCase{
            "characteristicNotANumber", HotDayDesign(), {kNaN, 0.75F}, RatingOutcome::kNotFinite},
        RatingCase{
            "wetBulbInfinite",
            WithInput(HotDayDesign(), Input::kWetBulb, std::numeric_limits<float>::infinity()),
            kDesignTower, RatingOutcome::kNotFinite},
        RatingCase{"noAirFlow", WithInput(HotDayDesign(), Input::kLiquidGas, 0.0F), kDesignTower,
                   RatingOutcome::kNotFinite}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RateDesign, shouldSearchNoApproachAtWhichTheHotWaterBoils) {
    // Range 40 F at 14.7 psia: the hot water boils (212.0 F) from an approach of about 94 F.
    const DesignInputs design = Row(14.7F, 78.0F, 92.0F, 128.0F, 10.0F, 1.2F);
    std::vector<ApproachTrial> trace;
    const Rating rating = RateDesign(design, kDesignTower, &trace);
    EXPECT_NEAR(rating.highestApproach, 94.0F, 0.1F);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().approach, rating.highestApproach);
    for (const ApproachTrial& trial : trace)
        EXPECT_TRUE(trial.allDrivingForcesPositive || trial.approach < 9.0F) << trial.approach;
    EXPECT_EQ(HighestSearchedApproach(Design(65.0F, 27.0F, 1.0F)), kHighestApproach);
}

TEST(RateDesign, shouldGiveTheTowersKaVLAtItsLiquidGasRatio) {
    EXPECT_EQ(Seven(TowerKaVL(kDesignTower, 1.21F)), "1.993603");
}

TEST(RateDesign, shouldLowerTheApproachAsTheWetBulbRises) {
    float previous = std::numeric_limits<float>::infinity();
    for (float wetBulb = 50.0F; wetBulb <= 85.0F; wetBulb += 5.0F) {
        const Rating rating = RateDesign(Design(wetBulb, 20.0F, 1.21F, 14.59F), kDesignTower);
        ASSERT_EQ(rating.outcome, RatingOutcome::kRated) << wetBulb;
        EXPECT_LT(rating.inputs[Input::kApproach], previous) << wetBulb;
        previous = rating.inputs[Input::kApproach];
    }
}

TEST(RateDesign, shouldCloseWhereAdjacentApproachesGiveColdWatersTwoApart) {
    // A weather hour's wet bulb carries bits below those of an approach near 44.5 F: Twb +
    // approach then rounds up and down by turns, and the two adjacent approaches around the
    // operating point give cold water temperatures two apart, with no approach between them.
    DesignInputs design = DefaultDesignInputs();
    const float range = RowRange(design);
    design[Input::kAtmosPress] = 14.3F;
    design[Input::kWetBulb] = 8.04088F;
    design[Input::kDryBulb] = 10.04F;
    design = WithRange(design, range);
    std::vector<ApproachTrial> trace;
    const Rating rating = RateDesign(design, {1.83236814F, 0.6F}, &trace);
    ASSERT_EQ(rating.outcome, RatingOutcome::kRated);
    EXPECT_EQ(Seven(rating.inputs[Input::kApproach]), "44.54986");
    EXPECT_LE(rating.calculations, kRatingCalculationLimit);
}

TEST(RateDesign, shouldMeetEveryTowerOfASpreadWithinTheLimitAndTraceEachCalculation) {
    for (float wetBulb : {40.0F, 60.0F, 80.0F}) {
        for (float range : {5.0F, 15.0F, 30.0F}) {
            for (float liquidGas : {0.5F, 1.0F, 2.0F}) {
                for (TowerCharacteristic tower :
                     {TowerCharacteristic{1.0F, 0.4F}, TowerCharacteristic{2.3F, 0.8F}}) {
                    SCOPED_TRACE(::testing::Message()
                                 << wetBulb << " " << range << " " << liquidGas << " " << tower.c);
                    const DesignInputs design = Design(wetBulb, range, liquidGas);
                    std::vector<ApproachTrial> trace;
                    const Rating rating = RateDesign(design, tower, &trace);
                    EXPECT_LE(rating.calculations, kRatingCalculationLimit);
                    EXPECT_EQ(trace.size(), static_cast<std::size_t>(rating.calculations));
                    ExpectOperatingPoint(design, rating);
                }
            }
        }
    }
}

}  // namespace
}  // namespace veltrane
