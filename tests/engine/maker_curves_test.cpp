#include "maker_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace veltrane {
namespace {

constexpr float kSlope = 0.6F;

/// The defaults (Twb 65 °F, range 27 °F, 1000 gpm, L/G 1, 14.696 psia) with their own fan power.
AcceptanceDesign DefaultDesign(FanDraft draft) {
    const DesignInputs design = DefaultDesignInputs();
    return {design, kSlope, CalculatePerformance(design).values[Result::kFanPower], draft};
}

/// The curves of the tower through the design point, as `--curves-csv` writes them: 40 °F to
/// 80 °F in steps of `step`.
MakerCurves CurvesOfTheDesignTower(float step) {
    const DesignInputs design = DefaultDesignInputs();
    const PerformanceCurves curves = CalculatePerformanceCurves(
        design, *TowerThroughDesign(design, kSlope), {40.0F, 80.0F, step, UnitSystem::kUS});
    const std::vector<MakerCurveRow> rows = MakerCurveRows(curves);
    MakerCurvesTable table = BuildMakerCurves(rows);
    EXPECT_EQ(table.refusal, "");
    return *table.curves;
}

/// Test conditions at the design pressure, the water temperatures left to the tower.
struct Conditions {
    float wetBulb;
    float dryBulb;
    float range;          ///< °F
    float flowPercent;    ///< of the design flow
    float fanPowerShare;  ///< of the design fan power
};

/// The readings the design tower itself gives: rated at the test's wet bulb, range and L/G_t,
/// then `warmer` °F added to both water temperatures.
TestReading ReadingOfTheDesignTower(const DesignBasis& basis, const Conditions& c,
                                    float warmer = 0.0F) {
    const DesignInputs& design = basis.acceptance.design;
    TestReading reading{design[Input::kAtmosPress],
                        c.wetBulb,
                        c.dryBulb,
                        c.wetBulb + 10.0F + c.range,
                        c.wetBulb + 10.0F,
                        design[Input::kWaterFlow] * c.flowPercent / 100.0F,
                        basis.acceptance.fanPower * c.fanPowerShare};
    // L/G_t does not depend on the approach: a first evaluation at any cold water gives it.
    CapabilityEvaluation fanLaws;
    EXPECT_EQ(SolveTestLiquidGas(basis, reading, fanLaws), EvaluationOutcome::kEvaluated);
    const Rating rating =
        RateDesign(TestRow(design, reading, fanLaws.liquidGas), {basis.c, basis.acceptance.slope});
    EXPECT_EQ(rating.outcome, RatingOutcome::kRated);
    reading.coldWater = rating.results.values[Result::kColdWater] + warmer;
    reading.hotWater = rating.inputs[Input::kHotWater] + warmer;
    return reading;
}

struct PropertyCase {
    FanDraft draft;
    float step;  ///< the curves' wet-bulb spacing, °F
    Conditions conditions;
};

void PrintTo(const PropertyCase& c, std::ostream* os) {
    *os << (c.draft == FanDraft::kInduced ? "induced" : "forced") << " step " << c.step << " Twb "
        << c.conditions.wetBulb << " range " << c.conditions.range << " flow "
        << c.conditions.flowPercent;
}

class DesignTowerByCurves : public ::testing::TestWithParam<PropertyCase> {};

// Second order across wet bulb, range and flow: the tower's curves are smooth enough that the
// three interpolations together err by far less than the 0.1 point the capability is read to.
TEST_P(DesignTowerByCurves, shouldGiveFullCapabilityAtAnyTestCondition) {
    const DesignBasis basis = PrepareDesign(DefaultDesign(GetParam().draft));
    const MakerCurves curves = CurvesOfTheDesignTower(GetParam().step);
    const CurvesEvaluation e =
        EvaluateWithCurves(basis, curves, ReadingOfTheDesignTower(basis, GetParam().conditions));
    ASSERT_EQ(e.outcome, CurvesOutcome::kEvaluated)
        << DescribeCurvesEvaluation(curves, e, UnitSystem::kUS);
    EXPECT_NEAR(e.capability, 100.0F, 0.1F);
    EXPECT_NEAR(e.coldWaterDeviation, 0.0F, 0.02F);
}

std::vector<PropertyCase> PropertyCases() {
    const std::vector<Conditions> spread{
        {65.0F, 85.0F, 27.0F, 100.0F, 1.0F},  {60.0F, 75.0F, 25.0F, 95.0F, 0.94F},
        {72.0F, 80.0F, 22.0F, 108.0F, 1.05F}, {50.0F, 70.0F, 32.0F, 92.0F, 0.9F},
        {77.5F, 95.0F, 30.5F, 104.0F, 1.1F},  {55.2F, 62.0F, 21.9F, 100.0F, 0.92F},
    };
    std::vector<PropertyCase> cases;
    for (const FanDraft draft : {FanDraft::kInduced, FanDraft::kForced}) {
        for (const float step : {1.0F, 5.0F}) {
            for (const Conditions& c : spread)
                cases.push_back({draft, step, c});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(MakerCurves, DesignTowerByCurves, ::testing::ValuesIn(PropertyCases()));

// The two methods judge the same tower 1 °F warm by different roads (a characteristic crossed
// with the design demand, curves read across flow); they agree to about 0.3 point.
TEST(MakerCurves, shouldAgreeWithTheCharacteristicMethodOnATowerOneDegreeWarm) {
    const MakerCurves sheet = CurvesOfTheDesignTower(5.0F);
    for (const FanDraft draft : {FanDraft::kInduced, FanDraft::kForced}) {
        const DesignBasis basis = PrepareDesign(DefaultDesign(draft));
        const TestReading reading =
            ReadingOfTheDesignTower(basis, {62.0F, 80.0F, 26.0F, 98.0F, 0.97F}, 1.0F);
        const CapabilityEvaluation characteristic = EvaluateReading(basis, reading);
        const CurvesEvaluation curves = EvaluateWithCurves(basis, sheet, reading);
        ASSERT_EQ(characteristic.outcome, EvaluationOutcome::kEvaluated);
        ASSERT_EQ(curves.outcome, CurvesOutcome::kEvaluated);
        EXPECT_LT(curves.capability, 97.0F) << "a tower 1 °F warm is deficient";
        EXPECT_NEAR(curves.capability, characteristic.capability, 0.3F);
        EXPECT_NEAR(curves.coldWaterDeviation, characteristic.coldWaterDeviation, 0.03F);
        // The cross-plot passes through the test point at the predicted flow.
        EXPECT_NEAR(*CrossPlotColdWater(sheet, curves, curves.predictedFlowPercent),
                    reading.coldWater, 1e-3F);
    }
}

struct BeyondCase {
    const char* name;
    Conditions conditions;
    float warmer;  ///< °F
    CurvesOutcome outcome;
    bool extrapolated;
    const char* note;
};

void PrintTo(const BeyondCase& c, std::ostream* os) {
    *os << c.name;
}

class CurvesNotBracketing : public ::testing::TestWithParam<BeyondCase> {};

TEST_P(CurvesNotBracketing, shouldSayWhyOrThatTheCurvesWereExtrapolated) {
    const DesignBasis basis = PrepareDesign(DefaultDesign(FanDraft::kInduced));
    const MakerCurves curves = CurvesOfTheDesignTower(5.0F);
    const CurvesEvaluation e = EvaluateWithCurves(
        basis, curves, ReadingOfTheDesignTower(basis, GetParam().conditions, GetParam().warmer));
    EXPECT_EQ(e.outcome, GetParam().outcome);
    EXPECT_EQ(e.extrapolated, GetParam().extrapolated);
    EXPECT_EQ(DescribeCurvesEvaluation(curves, e, UnitSystem::kUS), GetParam().note);
    if (e.outcome != CurvesOutcome::kEvaluated) {
        EXPECT_EQ(e.capability, 0.0F);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MakerCurves, CurvesNotBracketing,
    ::testing::Values(
        BeyondCase{"wetBulbAbove",
                   {82.0F, 95.0F, 27.0F, 100.0F, 1.0F},
                   0.0F,
                   CurvesOutcome::kWetBulbOutside,
                   false,
                   "the wet bulb lies outside the maker's curves, which are never extrapolated: "
                   "they hold from 40.0 °F to 80.0 °F"},
        BeyondCase{"rangeAbove",
                   {65.0F, 85.0F, 33.0F, 100.0F, 1.0F},
                   0.0F,
                   CurvesOutcome::kRangeOutside,
                   false,
                   "the range, 122.2 % of the design range, lies outside the maker's curves, "
                   "which are never extrapolated: they hold from 80 % to 120 %"},
        // 2 °F warm needs about 115 % of the design flow on the curves, which end at 110 %.
        BeyondCase{"predictedFlowBeyondTheCurves",
                   {65.0F, 85.0F, 27.0F, 100.0F, 1.0F},
                   2.0F,
                   CurvesOutcome::kEvaluated,
                   true,
                   "the maker's curves were extrapolated: they hold from 90 % to 110 % of the "
                   "design flow; predicted 114.7 %, adjusted 100.0 %"},
        BeyondCase{"predictedFlowBeyondTheLimit",
                   {65.0F, 85.0F, 27.0F, 100.0F, 1.0F},
                   5.0F,
                   CurvesOutcome::kFlowBeyondLimits,
                   false,
                   "not evaluated: the maker's curves, which hold from 90 % to 110 % of the "
                   "design flow, would have to be extrapolated to 138.3 %, beyond 80 % to "
                   "125 %"}));

struct BadCurvesCase {
    const char* name;
    std::vector<MakerCurveRow> rows;
    const char* refusal;
    std::optional<std::size_t> row;
};

void PrintTo(const BadCurvesCase& c, std::ostream* os) {
    *os << c.name;
}

/// Three wet bulbs for each flow and range given.
std::vector<MakerCurveRow> Grid(const std::vector<float>& flows, const std::vector<float>& ranges) {
    std::vector<MakerCurveRow> rows;
    for (const float flow : flows) {
        for (const float range : ranges) {
            for (const float wetBulb : {60.0F, 65.0F, 70.0F})
                rows.push_back({flow, range, wetBulb, wetBulb + 10.0F + flow / 100.0F});
        }
    }
    return rows;
}

std::vector<MakerCurveRow> Without(std::vector<MakerCurveRow> rows, std::size_t from,
                                   std::size_t count) {
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(from),
               rows.begin() + static_cast<std::ptrdiff_t>(from + count));
    return rows;
}

std::vector<MakerCurveRow> With(std::vector<MakerCurveRow> rows, std::size_t at,
                                MakerCurveRow row) {
    rows[at] = row;
    return rows;
}

const std::vector<float> kFlows{90.0F, 100.0F, 110.0F};
const std::vector<float> kRanges{80.0F, 100.0F, 120.0F};

class BadCurves : public ::testing::TestWithParam<BadCurvesCase> {};

TEST_P(BadCurves, shouldBeRefusedWithTheReason) {
    const MakerCurvesTable table = BuildMakerCurves(GetParam().rows);
    EXPECT_FALSE(table.curves);
    EXPECT_EQ(table.refusal, GetParam().refusal);
    EXPECT_EQ(table.row, GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    MakerCurves, BadCurves,
    ::testing::Values(
        BadCurvesCase{"twoFlows",
                      Grid({90.0F, 110.0F}, kRanges),
                      "the curves give 2 flows (90 %, 110 %): at least 3 are needed",
                      {}},
        BadCurvesCase{"twoRanges",
                      Grid(kFlows, {80.0F, 120.0F}),
                      "the curves give 2 ranges (80 %, 120 %): at least 3 are needed",
                      {}},
        // Rows 9 to 11 are the curve of 100 % flow and 80 % range.
        BadCurvesCase{"aCurveMissing",
                      Without(Grid(kFlows, kRanges), 9, 3),
                      "the curve of flow 100 % and range 80 % is missing: every flow needs every "
                      "range",
                      {}},
        BadCurvesCase{"twoWetBulbs",
                      Without(Grid(kFlows, kRanges), 9, 1),
                      "the curve of flow 100 % and range 80 % has 2 wet bulbs: at least 3 are "
                      "needed for a second-order curve",
                      {}},
        BadCurvesCase{"aWetBulbTwice",
                      With(Grid(kFlows, kRanges), 11, {100.0F, 80.0F, 60.0F, 71.0F}),
                      "a wet bulb comes twice in the curve of flow 100 % and range 80 %", 11},
        BadCurvesCase{"none", {}, "the curves give 0 flows: at least 3 are needed", {}},
        BadCurvesCase{"notANumber", With(Grid(kFlows, kRanges), 4, {90.0F, 100.0F, NAN, 71.0F}),
                      "a value is not a finite number", 4},
        BadCurvesCase{"noFlow", With(Grid(kFlows, kRanges), 0, {0.0F, 80.0F, 60.0F, 70.0F}),
                      "the flow and the range must be above 0 %", 0}));

TEST(MakerCurves, shouldRefuseToReadCurvesThatWereNeverChecked) {
    const DesignBasis basis = PrepareDesign(DefaultDesign(FanDraft::kForced));
    const MakerCurves none;
    const CurvesEvaluation e =
        EvaluateWithCurves(basis, none, {14.696F, 65.0F, 85.0F, 105.0F, 78.0F, 1000.0F, 12.0F});
    EXPECT_EQ(e.outcome, CurvesOutcome::kNoCurves);
    EXPECT_EQ(DescribeCurvesEvaluation(none, e, UnitSystem::kUS),
              "no maker's curves of at least three flows, ranges and wet bulbs are given");
}

// A maker's sheet comes in any order and may give more than three flows and ranges: the three
// nearest the reading are used, so a fourth, far curve changes nothing.
TEST(MakerCurves, shouldReadShuffledRowsAndUseTheThreeNearestFlowsAndRanges) {
    const DesignBasis basis = PrepareDesign(DefaultDesign(FanDraft::kForced));
    const DesignInputs design = DefaultDesignInputs();
    const TowerCharacteristic tower = *TowerThroughDesign(design, kSlope);
    std::vector<MakerCurveRow> rows =
        MakerCurveRows(CalculatePerformanceCurves(design, tower, {40.0F, 80.0F, 5.0F}));
    const MakerCurves three = *BuildMakerCurves(rows).curves;
    // Far-off curves at 50 % flow and 200 % range: the nearest three never reach them.
    for (const float flow : {50.0F, 90.0F, 100.0F, 110.0F}) {
        for (const float range : {80.0F, 100.0F, 120.0F, 200.0F}) {
            if (flow != 50.0F && range != 200.0F) continue;
            const float above = flow == 50.0F ? 3.0F : 30.0F;
            for (const float wetBulb : {40.0F, 60.0F, 80.0F})
                rows.push_back({flow, range, wetBulb, wetBulb + above});
        }
    }
    std::reverse(rows.begin(), rows.end());
    const MakerCurvesTable table = BuildMakerCurves(rows);
    ASSERT_TRUE(table.curves) << table.refusal;
    EXPECT_EQ(table.curves->flowPercents.size(), 4U);
    const TestReading reading =
        ReadingOfTheDesignTower(basis, {63.0F, 80.0F, 28.0F, 103.0F, 1.0F}, 0.5F);
    const CurvesEvaluation byThree = EvaluateWithCurves(basis, three, reading);
    const CurvesEvaluation byFour = EvaluateWithCurves(basis, *table.curves, reading);
    ASSERT_EQ(byFour.outcome, CurvesOutcome::kEvaluated);
    EXPECT_EQ(byFour.capability, byThree.capability);
}

}  // namespace
}  // namespace veltrane
