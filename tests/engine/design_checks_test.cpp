#include "design_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace veltrane {
namespace {

using Checks = std::vector<DesignCheck>;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct CheckCase {
    const char* name;
    float approach;
    float wetBulb;
    float dryBulb;
    float range;
    float kaVL;
    Checks expected;
};

/// The defaults' inputs and results, with the five values the checks read replaced.
Checks FindingsOf(const CheckCase& c) {
    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kApproach] = c.approach;
    inputs[Input::kWetBulb] = c.wetBulb;
    inputs[Input::kDryBulb] = c.dryBulb;
    PerformanceResults results = CalculatePerformance(DefaultDesignInputs());
    results.values[Result::kRange] = c.range;
    results.values[Result::kKaVL] = c.kaVL;
    const DesignFindings found = FindDesignChecks(inputs, results);
    return Checks(found.begin(), found.end());
}

class DesignCheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DesignCheckTable, shouldFindTheChecksInTheWindowsOrderUpToTheFirstRefusal) {
    EXPECT_EQ(FindingsOf(GetParam()), GetParam().expected);
}

using enum DesignCheck;

INSTANTIATE_TEST_SUITE_P(
    Boundaries, DesignCheckTable,
    ::testing::Values(
        CheckCase{"Defaults", 13.0F, 65.0F, 85.0F, 27.0F, 1.8324F, {}},
        CheckCase{"Approach7Asks", 7.0F, 65.0F, 85.0F, 27.0F, 1.8324F, {kLowApproach}},
        CheckCase{"Approach7Point5Passes", 7.5F, 65.0F, 85.0F, 27.0F, 1.8324F, {}},
        CheckCase{"WetBulbEqualToDryBulbPasses", 13.0F, 85.0F, 85.0F, 27.0F, 1.8324F, {}},
        CheckCase{"WetBulbAboveDryBulbRefuses",
                  13.0F,
                  85.5F,
                  85.0F,
                  27.0F,
                  1.8324F,
                  {kWetBulbAboveDryBulb}},
        CheckCase{"ZeroRangePasses", 13.0F, 65.0F, 85.0F, 0.0F, 1.8324F, {}},
        CheckCase{"NegativeZeroRangePasses", 13.0F, 65.0F, 85.0F, -0.0F, 1.8324F, {}},
        CheckCase{"SmallestNegativeRangeRefuses",
                  13.0F,
                  65.0F,
                  85.0F,
                  -std::numeric_limits<float>::denorm_min(),
                  1.8324F,
                  {kNegativeRange}},
        CheckCase{"KaVLExactlyPoint2AsksNothing", 13.0F, 65.0F, 85.0F, 27.0F, 0.2F, {}},
        CheckCase{"KaVLJustBelowPoint2Asks",
                  13.0F,
                  65.0F,
                  85.0F,
                  27.0F,
                  std::nextafter(0.2F, 0.0F),
                  {kLowKaVL}},
        CheckCase{"KaVLExactly5AsksNothing", 13.0F, 65.0F, 85.0F, 27.0F, 5.0F, {}},
        CheckCase{"KaVLJustAbove5Asks",
                  13.0F,
                  65.0F,
                  85.0F,
                  27.0F,
                  std::nextafter(5.0F, 6.0F),
                  {kHighKaVL}},
        CheckCase{"KaVLNotANumberAsksNothing", 13.0F, 65.0F, 85.0F, 27.0F, kNaN, {}},
        // The approach question comes first and, answered Yes, lets the later checks follow.
        CheckCase{"ApproachThenWetBulb",
                  5.0F,
                  85.5F,
                  85.0F,
                  14.5F,
                  1.4427F,
                  {kLowApproach, kWetBulbAboveDryBulb}},
        CheckCase{
            "ApproachThenHighKaVL", 5.0F, 65.0F, 85.0F, 35.0F, 6.677F, {kLowApproach, kHighKaVL}},
        // Nothing follows a refusal.
        CheckCase{
            "WetBulbRefusalStopsTheRest", 13.0F, 85.5F, 85.0F, -8.0F, 0.1F, {kWetBulbAboveDryBulb}},
        CheckCase{"NegativeRangeStopsTheKaVLQuestions",
                  13.0F,
                  65.0F,
                  85.0F,
                  -8.0F,
                  -0.68823F,
                  {kNegativeRange}}),
    [](const auto& row) { return std::string(row.param.name); });

struct DrivingForceCase {
    const char* name;
    float approach;
    float liquidGas;
    float dryBulb;
    bool noted;
};

class NoDrivingForceNote : public ::testing::TestWithParam<DrivingForceCase> {};

TEST_P(NoDrivingForceNote, shouldBeGivenWhereADrivingForceIsNotPositiveUnlessRefused) {
    const DrivingForceCase& c = GetParam();
    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kApproach] = c.approach;
    inputs[Input::kHotWater] = 65.0F + c.approach + 27.0F;
    inputs[Input::kLiquidGas] = c.liquidGas;
    inputs[Input::kDryBulb] = c.dryBulb;
    const DesignFindings findings = FindDesignChecks(inputs, CalculatePerformance(inputs));
    EXPECT_EQ(KaVLHasNoMeaning(inputs, findings), c.noted);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, NoDrivingForceNote,
    ::testing::Values(DrivingForceCase{"Defaults", 13.0F, 1.0F, 85.0F, false},
                      // KaV/L 7.122: large, yet a demand.
                      DrivingForceCase{"Approach10LG1Point5", 10.0F, 1.5F, 85.0F, false},
                      // KaV/L -3.187, which the window asks about only as "KAVL < 0.2".
                      DrivingForceCase{"Approach5LG1Point5", 5.0F, 1.5F, 85.0F, true},
                      DrivingForceCase{"Approach13LG2", 13.0F, 2.0F, 85.0F, true},
                      // The window refuses the wet bulb and calculates nothing to speak of.
                      DrivingForceCase{"WetBulbAboveDryBulb", 5.0F, 1.5F, 60.0F, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace veltrane
