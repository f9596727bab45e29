#include "acceptance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <tuple>
#include <vector>

namespace veltrane {
namespace {

/// The design a field test is judged against: the defaults, m = 0.6.
AcceptanceDesign DefaultDesign(FanDraft draft) {
    const DesignInputs design = DefaultDesignInputs();
    return {design, 0.6F, CalculatePerformance(design).values[Result::kFanPower], draft};
}

struct FieldTestCase {
    float warmer;      ///< °F added to both water temperatures
    float capability;  ///< percent
    float deviation;   ///< °F
};

class FieldTest : public ::testing::TestWithParam<FieldTestCase> {};

// Induced draft, design fan power 12.749 hp. The capability is read to 0.1 %, the deviation to
// 0.02 °F; 1 °F warmer water gives 93.16 %.
TEST_P(FieldTest, shouldGiveTheFieldTestsCapabilityAndDeviation) {
    AcceptanceDesign design = DefaultDesign(FanDraft::kInduced);
    design.fanPower = 12.749F;
    const float warmer = GetParam().warmer;
    const CapabilityEvaluation e =
        EvaluateReading(PrepareDesign(design),
                        {14.6F, 60.0F, 75.0F, 99.0215F + warmer, 74.0215F + warmer, 950.0F, 12.0F});
    ASSERT_EQ(e.outcome, EvaluationOutcome::kEvaluated) << DescribeEvaluation(e.outcome);
    EXPECT_NEAR(e.capability, GetParam().capability, 0.05F);
    EXPECT_NEAR(e.coldWaterDeviation, GetParam().deviation, 0.02F);
    EXPECT_GT(e.passes.size(), 1U) << "the leaving air depends on the test L/G";
}

INSTANTIATE_TEST_SUITE_P(Acceptance, FieldTest,
                         ::testing::Values(FieldTestCase{0.0F, 100.0F, 0.0F},
                                           FieldTestCase{1.0F, 93.2F, 1.0F}));

/// Test conditions without the water temperatures: those come from the tower.
struct Conditions {
    float pressure;
    float wetBulb;
    float dryBulb;
    float range;          ///< °F
    float flowPercent;    ///< of the design flow
    float fanPowerShare;  ///< of the design fan power
};

/// The readings a tower gives when it is exactly the design tower: the design tower rated at
/// the test's wet bulb, range and L/G_t.
TestReading ReadingsOfTheDesignTower(const DesignBasis& basis, const Conditions& c) {
    const DesignInputs& design = basis.acceptance.design;
    TestReading reading{c.pressure,
                        c.wetBulb,
                        c.dryBulb,
                        c.wetBulb + 10.0F + c.range,
                        c.wetBulb + 10.0F,
                        design[Input::kWaterFlow] * c.flowPercent / 100.0F,
                        basis.acceptance.fanPower * c.fanPowerShare};
    // L/G_t does not depend on the approach: a first evaluation at any cold water gives it.
    const float liquidGas = EvaluateReading(basis, reading).liquidGas;
    const Rating rating =
        RateDesign(TestRow(design, reading, liquidGas), {basis.c, basis.acceptance.slope});
    EXPECT_EQ(rating.outcome, RatingOutcome::kRated);
    reading.coldWater = rating.results.values[Result::kColdWater];
    reading.hotWater = rating.inputs[Input::kHotWater];
    return reading;
}

struct PropertyCase {
    FanDraft draft;
    Conditions conditions;
};

void PrintTo(const PropertyCase& c, std::ostream* os) {
    *os << (c.draft == FanDraft::kInduced ? "induced" : "forced") << " Twb " << c.conditions.wetBulb
        << " range " << c.conditions.range << " flow " << c.conditions.flowPercent;
}

class DesignTowerProperty : public ::testing::TestWithParam<PropertyCase> {};

// The rating resolves the cold water to adjacent single-precision values, the crossing the L/G
// likewise; 0.1 % and 0.02 °F are the figures the results are written to.
TEST_P(DesignTowerProperty, shouldEvaluateTheDesignTowerToFullCapabilityAtAnyTestCondition) {
    const DesignBasis basis = PrepareDesign(DefaultDesign(GetParam().draft));
    ASSERT_EQ(basis.outcome, EvaluationOutcome::kEvaluated);
    const CapabilityEvaluation e =
        EvaluateReading(basis, ReadingsOfTheDesignTower(basis, GetParam().conditions));
    ASSERT_EQ(e.outcome, EvaluationOutcome::kEvaluated) << DescribeEvaluation(e.outcome);
    EXPECT_NEAR(e.capability, 100.0F, 0.1F);
    EXPECT_NEAR(e.coldWaterDeviation, 0.0F, 0.02F);
}

std::vector<PropertyCase> PropertyCases() {
    const std::vector<Conditions> spread{
        {14.6F, 60.0F, 75.0F, 25.0F, 95.0F, 0.94F},  {14.7F, 65.0F, 85.0F, 27.0F, 100.0F, 1.0F},
        {14.2F, 72.0F, 80.0F, 20.0F, 110.0F, 1.05F}, {14.9F, 50.0F, 70.0F, 30.0F, 85.0F, 0.9F},
        {13.5F, 78.0F, 95.0F, 18.0F, 105.0F, 1.1F},
    };
    std::vector<PropertyCase> cases;
    for (const FanDraft draft : {FanDraft::kInduced, FanDraft::kForced}) {
        for (const Conditions& c : spread)
            cases.push_back({draft, c});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Acceptance, DesignTowerProperty, ::testing::ValuesIn(PropertyCases()));

struct RefusedCase {
    const char* name;
    TestReading reading;
    EvaluationOutcome outcome;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedReadings : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedReadings, shouldGiveTheReasonAndNoNumbersPastIt) {
    const DesignBasis basis = PrepareDesign(DefaultDesign(FanDraft::kForced));
    const CapabilityEvaluation e = EvaluateReading(basis, GetParam().reading);
    EXPECT_EQ(e.outcome, GetParam().outcome) << DescribeEvaluation(e.outcome);
    EXPECT_EQ(e.capability, 0.0F);
    EXPECT_EQ(e.predictedColdWater, 0.0F);
}

INSTANTIATE_TEST_SUITE_P(
    Acceptance, RefusedReadings,
    ::testing::Values(
        // A tower that barely cools (cold water 90 °F above the wet bulb) would need less than
        // 1 % of the design L/G to meet the design.
        RefusedCase{"noCrossing",
                    {14.6F, 60.0F, 75.0F, 175.0F, 150.0F, 950.0F, 12.0F},
                    EvaluationOutcome::kNoCrossing},
        // Cold water 0.5 °F above the wet bulb: the air line of the test reaches saturation.
        RefusedCase{"testNotFeasible",
                    {14.6F, 60.0F, 75.0F, 85.5F, 60.5F, 950.0F, 12.0F},
                    EvaluationOutcome::kTestNotFeasible},
        RefusedCase{"wetBulbAboveDryBulb",
                    {14.6F, 80.0F, 75.0F, 105.0F, 88.0F, 950.0F, 12.0F},
                    EvaluationOutcome::kWetBulbAboveDryBulb},
        RefusedCase{"hotNotAboveCold",
                    {14.6F, 60.0F, 75.0F, 74.0F, 74.0F, 950.0F, 12.0F},
                    EvaluationOutcome::kNoRange},
        RefusedCase{"noFlow",
                    {14.6F, 60.0F, 75.0F, 99.0F, 74.0F, 0.0F, 12.0F},
                    EvaluationOutcome::kNoFlowOrFanPower},
        RefusedCase{"fanStopped",
                    {14.6F, 60.0F, 75.0F, 99.0F, 74.0F, 950.0F, -1.0F},
                    EvaluationOutcome::kNoFlowOrFanPower},
        RefusedCase{"notANumber",
                    {14.6F, NAN, 75.0F, 99.0F, 74.0F, 950.0F, 12.0F},
                    EvaluationOutcome::kNotFinite},
        // The smallest flow single precision holds: L/G_t rounds to zero, whatever the draft.
        RefusedCase{"flowAtTheEdgeOfSinglePrecision",
                    {14.6F, 60.0F, 75.0F, 99.0F, 74.0F, 1e-45F, 12.0F},
                    EvaluationOutcome::kNoTestLiquidGas},
        RefusedCase{"coldWaterBelowWetBulb",
                    {14.6F, 60.0F, 75.0F, 99.0F, 58.0F, 950.0F, 12.0F},
                    EvaluationOutcome::kColdWaterBelowWetBulb}));

// A reason names its own cause: a forced-draft reading never reads as an induced-draft one.
TEST(DescribeEvaluation, shouldNameTheDraftWhoseAirIsNotKnown) {
    EXPECT_NE(DescribeEvaluation(EvaluationOutcome::kFanAirNotFound).find("induced draft"),
              std::string_view::npos);
    EXPECT_NE(DescribeEvaluation(EvaluationOutcome::kEnteringAirNotFound).find("forced draft"),
              std::string_view::npos);
    for (const EvaluationOutcome outcome :
         {EvaluationOutcome::kNoTestLiquidGas, EvaluationOutcome::kColdWaterBelowWetBulb})
        EXPECT_EQ(DescribeEvaluation(outcome).find("air at the fan"), std::string_view::npos);
}

// A design whose wet bulb is above its dry bulb is refused once, for what it is, rather than
// every reading failing for a reason of its own.
TEST(PrepareDesign, shouldRefuseADesignWhoseWetBulbIsAboveItsDryBulb) {
    for (const FanDraft draft : {FanDraft::kInduced, FanDraft::kForced}) {
        AcceptanceDesign design = DefaultDesign(draft);
        design.design[Input::kWetBulb] = 90.0F;
        design.design[Input::kDryBulb] = 85.0F;
        const DesignBasis basis = PrepareDesign(design);
        EXPECT_EQ(basis.outcome, EvaluationOutcome::kDesignWetBulbAboveDryBulb);
        EXPECT_EQ(DescribeEvaluation(basis.outcome),
                  "the design's wet bulb is above its dry bulb: no air has such a design point");
        EXPECT_EQ(
            EvaluateReading(basis, {14.6F, 60.0F, 75.0F, 99.0F, 74.0F, 950.0F, 12.0F}).outcome,
            EvaluationOutcome::kDesignWetBulbAboveDryBulb);
    }
}

TEST(MeanReading, shouldAverageEachColumnAndRefuseNoReadings) {
    EXPECT_FALSE(MeanReading({}));
    const std::optional<TestReading> mean =
        MeanReading({{14.5F, 60.0F, 75.0F, 99.0F, 74.0F, 950.0F, 12.0F},
                     {14.9F, 61.0F, 77.0F, 100.0F, 76.0F, 1050.0F, 13.0F}});
    ASSERT_TRUE(mean);
    const TestReading expected{14.7F, 60.5F, 76.0F, 99.5F, 75.0F, 1000.0F, 12.5F};
    EXPECT_EQ(std::tie(mean->pressure, mean->wetBulb, mean->dryBulb, mean->hotWater,
                       mean->coldWater, mean->waterFlow, mean->fanPower),
              std::tie(expected.pressure, expected.wetBulb, expected.dryBulb, expected.hotWater,
                       expected.coldWater, expected.waterFlow, expected.fanPower));
}

// A day logged each second: a sum in single precision would be off by whole units by the end
// (its step at 5 million is 0.5), and the mean of identical readings would not be the reading.
TEST(MeanReading, shouldKeepEveryFigureOfADayOfReadingsTakenEachSecond) {
    constexpr std::size_t kSecondsPerDay = 86'400;
    const TestReading reading{14.696F, 60.1F, 75.3F, 99.7F, 74.9F, 1000.3F, 12.7F};
    const std::optional<TestReading> mean =
        MeanReading(std::vector<TestReading>(kSecondsPerDay, reading));
    ASSERT_TRUE(mean);
    EXPECT_EQ(std::tie(mean->pressure, mean->wetBulb, mean->dryBulb, mean->hotWater,
                       mean->coldWater, mean->waterFlow, mean->fanPower),
              std::tie(reading.pressure, reading.wetBulb, reading.dryBulb, reading.hotWater,
                       reading.coldWater, reading.waterFlow, reading.fanPower));
}

}  // namespace
}  // namespace veltrane
