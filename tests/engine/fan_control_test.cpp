#include "fan_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace veltrane {
namespace {

/// The default design's tower through its design point with m = 0.6.
constexpr TowerCharacteristic kDesignTower{1.8324F, 0.6F};
constexpr float kSetpoint = 78.0F;

/// The defaults at this wet bulb, dry bulb 15 °F above, range 27 °F.
DesignInputs Row(float twb) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kWetBulb] = twb;
    d[Input::kDryBulb] = twb + 15.0F;
    d[Input::kHotWater] = twb + d[Input::kApproach] + 27.0F;
    return d;
}

FanControl Control(FanMode mode, float setpoint = kSetpoint,
                   float minimum = kDefaultMinimumAirFlow) {
    return {mode, setpoint, minimum};
}

double Cube(float fraction) {
    const auto f = static_cast<double>(fraction);
    return f * f * f;
}

struct FanCase {
    const char* name;
    float wetBulb;
    FanControl control;
    FanOutcome outcome;
    float lowestAirFlow, highestAirFlow;  ///< the hour's mean, fraction of full
};

class FanTable : public ::testing::TestWithParam<FanCase> {};

TEST_P(FanTable, shouldHoldTheSetpointOrRunAtTheEdge) {
    const FanCase& c = GetParam();
    for (const LeavingAirRule rule : {LeavingAirRule::kWindow, LeavingAirRule::kExact}) {
        const FanOperation run = ControlFans(Row(c.wetBulb), kDesignTower, c.control, rule);
        ASSERT_EQ(run.outcome, c.outcome) << DescribeFanOutcome(run.outcome, c.control.mode);
        EXPECT_GE(run.airFlow, c.lowestAirFlow);
        EXPECT_LE(run.airFlow, c.highestAirFlow);
        const auto fullPower = static_cast<double>(run.fullSpeed.results.values[Result::kFanPower]);
        EXPECT_EQ(fullPower,
                  CalculatePerformance(run.fullSpeed.inputs, rule).values[Result::kFanPower]);
        const float fullColdWater = run.fullSpeed.results.values[Result::kColdWater];
        switch (c.outcome) {
            case FanOutcome::kSetpointMet:
                EXPECT_NEAR(run.coldWater, c.control.setpoint, 0.01F);
                break;
            case FanOutcome::kFullSpeedTooWarm:
                EXPECT_GT(run.coldWater, c.control.setpoint);
                break;
            default:
                EXPECT_LT(run.coldWater, c.control.setpoint);
        }
        if (c.control.mode == FanMode::kTwoSpeed) {
            // Full and half speed shared over the hour, power 1 and 1/8 of full.
            const auto share = static_cast<double>(run.fullSpeedShare);
            EXPECT_NEAR(run.airFlow, share + (1 - share) * 0.5, 1e-6);
            EXPECT_NEAR(run.fanPower, fullPower * (share + (1 - share) / 8), 1e-4 * fullPower);
        } else {
            // The fan laws, and the operating point really there when rated on its own.
            EXPECT_NEAR(run.fanPower, fullPower * Cube(run.airFlow), 1e-6 * fullPower);
            const Rating again = RateDesign(AtAirFlow(Row(c.wetBulb), run.airFlow), kDesignTower);
            EXPECT_EQ(again.results.values[Result::kColdWater], run.coldWater);
        }
        EXPECT_GE(run.coldWater, fullColdWater);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Setpoint, FanTable,
    ::testing::Values(FanCase{"vfdSlowsInCoolWeather", 55, Control(FanMode::kVariableSpeed),
                              FanOutcome::kSetpointMet, 0.31F, 0.99F},
                      FanCase{"vfdCannotReachInHotWeather", 75, Control(FanMode::kVariableSpeed),
                              FanOutcome::kFullSpeedTooWarm, 1, 1},
                      FanCase{"vfdColderAtItsLowest", 40, Control(FanMode::kVariableSpeed, 100),
                              FanOutcome::kColderAtLowest, 0.3F, 0.3F},
                      FanCase{"vfdOwnLowest", 40, Control(FanMode::kVariableSpeed, kSetpoint, 0.6F),
                              FanOutcome::kColderAtLowest, 0.6F, 0.6F},
                      FanCase{"twoSpeedSharesTheHour", 55, Control(FanMode::kTwoSpeed),
                              FanOutcome::kSetpointMet, 0.51F, 0.99F},
                      FanCase{"twoSpeedCannotReach", 75, Control(FanMode::kTwoSpeed),
                              FanOutcome::kFullSpeedTooWarm, 1, 1},
                      FanCase{"twoSpeedAllAtHalf", 30, Control(FanMode::kTwoSpeed, 80),
                              FanOutcome::kColderAtLowest, 0.5F, 0.5F},
                      FanCase{"fullComparesOnly", 55, Control(FanMode::kFull),
                              FanOutcome::kFullSpeed, 1, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// For every row of a year a drive uses no more energy than two speeds, and two speeds no more
// than running full.
TEST(ControlFans, shouldNeverUseMoreEnergyWithAVariableSpeedDriveThanWithTwoSpeedsOrFull) {
    for (float twb = 30.0F; twb <= 80.0F; twb += 2.5F) {
        SCOPED_TRACE(twb);
        const auto power = [twb](FanMode mode) {
            return ControlFans(Row(twb), kDesignTower, Control(mode, 75.0F), LeavingAirRule::kExact)
                .fanPower;
        };
        EXPECT_LE(power(FanMode::kVariableSpeed), power(FanMode::kTwoSpeed));
        EXPECT_LE(power(FanMode::kTwoSpeed), power(FanMode::kFull));
    }
}

TEST(ControlFans, shouldFormNothingForARowWithoutOperatingPoint) {
    const FanOperation run =
        ControlFans(Row(55), {0.01F, 0.6F}, Control(FanMode::kVariableSpeed), {});
    EXPECT_EQ(run.outcome, FanOutcome::kNoOperatingPoint);
    EXPECT_EQ(run.fullSpeed.outcome, RatingOutcome::kTowerBelowDemand);
    EXPECT_EQ(run.fanPower, 0.0F);
    EXPECT_EQ(run.ratings, 1);
}

/// A batch row: Twb, Tdb, THot, Approach and L/G given, the other inputs the defaults.
DesignInputs BatchRow(float twb, float tdb, float hotWater, float approach, float liquidGas) {
    DesignInputs d = DefaultDesignInputs();
    d[Input::kWetBulb] = twb;
    d[Input::kDryBulb] = tdb;
    d[Input::kHotWater] = hotWater;
    d[Input::kApproach] = approach;
    d[Input::kLiquidGas] = liquidGas;
    return d;
}

struct UnformedCase {
    const char* name;
    DesignInputs row;
    TowerCharacteristic tower;
    FanMode mode;
};

class UnformedFigures : public ::testing::TestWithParam<UnformedCase> {};

// The speed the fans run at is rated, but no saturated air at its leaving enthalpy lies between
// the wet bulb and the hot water: the row says so rather than handing on NaN.
TEST_P(UnformedFigures, shouldSayWhyARowHasNoExactLeavingAirAndFormNoFigures) {
    const UnformedCase& c = GetParam();
    const FanOperation run =
        ControlFans(c.row, c.tower, Control(c.mode, 70.0F), LeavingAirRule::kExact);
    EXPECT_EQ(run.outcome, FanOutcome::kNoLeavingAir);
    EXPECT_FALSE(HasFigures(run));
    EXPECT_EQ(ExplainFanOperation(run, c.mode),
              "no exact leaving air at the speed the fans run (no saturated air at the leaving "
              "enthalpy lies between the wet bulb and the hot water): no water or fan power");
}

INSTANTIATE_TEST_SUITE_P(
    ExactLeavingAir, UnformedFigures,
    ::testing::Values(UnformedCase{"vfd",
                                   BatchRow(22.48F, 31.95F, 36.43F, 10, 2.282F),
                                   {4.0F, 0.9F},
                                   FanMode::kVariableSpeed},
                      UnformedCase{"twoSpeed",
                                   BatchRow(51.84F, 55.70F, 65.74F, 10, 2.975F),
                                   {4.0F, 0.9F},
                                   FanMode::kTwoSpeed}),
    [](const auto& row) { return std::string(row.param.name); });

// Below about half its air flow this row has no operating point: the drive runs at the lowest
// air flow that has one, and the note says where that is and why slower has none.
TEST(ControlFans, shouldNameTheLowestAirFlowWithAnOperatingPointWhenTheDriveCannotSlowFurther) {
    const DesignInputs row = BatchRow(60, 65, 160, 10, 1);
    for (const LeavingAirRule rule : {LeavingAirRule::kWindow, LeavingAirRule::kExact}) {
        const FanOperation run =
            ControlFans(row, {0.5F, 0.6F}, Control(FanMode::kVariableSpeed, 130.0F), rule);
        EXPECT_EQ(run.outcome, FanOutcome::kColderAtLowestOperatingPoint);
        EXPECT_TRUE(HasFigures(run));
        EXPECT_NEAR(run.airFlow, 0.507F, 0.001F);
        EXPECT_LT(run.coldWater, 130.0F);
        const Rating slower = RateDesign(AtAirFlow(row, run.airFlow * 0.999F), {0.5F, 0.6F});
        EXPECT_NE(slower.outcome, RatingOutcome::kRated);
        EXPECT_EQ(run.slowerOutcome, slower.outcome);
        EXPECT_EQ(ExplainFanOperation(run, FanMode::kVariableSpeed),
                  "colder than the setpoint at 50.7 % air flow, the lowest with an operating "
                  "point: the fans run there; slower, " +
                      std::string(DescribeOutcome(slower.outcome)));
    }
}

}  // namespace
}  // namespace veltrane
