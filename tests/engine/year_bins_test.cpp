#include "year_bins.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {
namespace {

/// The default design's tower through its design point with m = 0.6.
constexpr TowerCharacteristic kDesignTower{1.8324F, 0.6F};
constexpr float kSetpoint = 78.0F;

/// A small year; the last bin's hot water would boil, so it has no operating point.
const std::vector<WeatherBin> kYear = {
    {45.0F, 55.0F, 3000.0},
    {60.0F, 72.0F, 4000.0},
    {72.0F, 85.0F, 1760.0},
    {205.0F, 210.0F, 20.0},
};

YearRun Year(FanMode mode, std::span<const WeatherBin> bins = kYear) {
    return RunYear(DefaultDesignInputs(), kDesignTower, {mode, kSetpoint, kDefaultMinimumAirFlow},
                   bins);
}

TEST(DesignAtBin, shouldTakeTheBinsAirAndHoldTheRange) {
    const DesignInputs design = DefaultDesignInputs();
    const DesignInputs atBin = DesignAtBin(design, {60.0F, 72.0F, 1.0});
    EXPECT_EQ(atBin[Input::kWetBulb], 60.0F);
    EXPECT_EQ(atBin[Input::kDryBulb], 72.0F);
    EXPECT_EQ(RowRange(atBin), RowRange(design));
    EXPECT_EQ(atBin[Input::kWaterFlow], design[Input::kWaterFlow]);
}

TEST(RunYear, shouldLeaveOutAndNameABinWithoutAnOperatingPoint) {
    const YearRun year = Year(FanMode::kFull);
    ASSERT_EQ(year.bins.size(), kYear.size());
    EXPECT_FALSE(year.bins[3].operating());
    EXPECT_EQ(year.bins[3].makeupGallons, 0.0);
    EXPECT_EQ(year.totals.binsLeftOut, std::vector<std::size_t>{3});
    EXPECT_EQ(year.totals.hoursLeftOut, 20.0);
    EXPECT_EQ(year.totals.hours, 8760.0);
    double energy = 0.0;
    double water = 0.0;
    double coldWaterHours = 0.0;
    for (std::size_t i = 0; i < 3; ++i) {
        const BinOperation& bin = year.bins[i];
        ASSERT_TRUE(bin.operating());
        EXPECT_GT(bin.makeupGallons, 0.0);
        energy += bin.fanKilowattHours;
        water += bin.makeupGallons;
        coldWaterHours += static_cast<double>(bin.run.coldWater) * kYear[i].hours;
    }
    EXPECT_DOUBLE_EQ(year.totals.fanKilowattHours, energy);
    EXPECT_DOUBLE_EQ(year.totals.makeupGallons, water);
    EXPECT_DOUBLE_EQ(year.totals.meanColdWater, coldWaterHours / 8760.0);
    // At full speed a kWh is the full-speed fan power over the hours, 745.69987 W to the hp
    // (not 745.7 W: the factor the unit conversion uses).
    EXPECT_NEAR(
        year.bins[0].fanKilowattHours /
            (static_cast<double>(year.bins[0].run.fullSpeed.results.values[Result::kFanPower]) *
             3000.0),
        0.74569987, 1e-8);
}

TEST(RunYear, shouldSaveEnergyAndWarmTheWaterWhenTheFansFollowTheSetpoint) {
    const YearTotals full = Year(FanMode::kFull).totals;
    for (const FanMode mode : {FanMode::kVariableSpeed, FanMode::kTwoSpeed}) {
        const YearTotals controlled = Year(mode).totals;
        EXPECT_LT(controlled.fanKilowattHours, full.fanKilowattHours);
        EXPECT_GE(controlled.meanColdWater, full.meanColdWater);
        EXPECT_EQ(controlled.hours, full.hours);
    }
}

TEST(RunYear, shouldCountTheHoursAboveTheSetpoint) {
    // 78 °F is out of reach at a 72 °F wet bulb (the design's approach is 13 °F) and easy below.
    const YearTotals totals = Year(FanMode::kVariableSpeed).totals;
    EXPECT_EQ(totals.hoursAboveSetpoint, 1760.0);
}

TEST(RunYear, shouldHaveNoMeanWithoutHours) {
    const std::vector<WeatherBin> none = {{60.0F, 72.0F, 0.0}};
    const YearTotals totals = Year(FanMode::kFull, none).totals;
    EXPECT_TRUE(std::isnan(totals.meanColdWater));
    EXPECT_EQ(totals.fanKilowattHours, 0.0);
    EXPECT_TRUE(Year(FanMode::kFull, {}).bins.empty());
}

struct ShortfallCase {
    const char* name;
    std::vector<WeatherBin> rows;  ///< the wet bulb stands for the cold water reached here
    double hours, degreeHours, meanAbove;
};

class SetpointShortfallTable : public ::testing::TestWithParam<ShortfallCase> {};

// Above Setpoint is the mean over the hours above it alone: a signed mean over the year would
// let cold hours hide warm ones (-5.26 °F reads as "always met").
TEST_P(SetpointShortfallTable, shouldMeasureOnlyTheHoursAboveTheSetpoint) {
    SetpointShortfall shortfall;
    for (const WeatherBin& row : GetParam().rows)
        shortfall.Add(row.wetBulb, 75.0F, row.hours);
    EXPECT_DOUBLE_EQ(shortfall.hours, GetParam().hours);
    EXPECT_DOUBLE_EQ(shortfall.degreeHours, GetParam().degreeHours);
    EXPECT_DOUBLE_EQ(shortfall.MeanAbove(), GetParam().meanAbove);
}

INSTANTIATE_TEST_SUITE_P(
    Year, SetpointShortfallTable,
    ::testing::Values(ShortfallCase{"none", {{70, 0, 8760}}, 0, 0, 0},
                      ShortfallCase{"someWarmHours", {{81, 0, 1260}, {70, 0, 7500}}, 1260, 7560, 6},
                      ShortfallCase{"withinTolerance", {{75.0005F, 0, 100}}, 0, 0, 0},
                      ShortfallCase{"twoWarmRows", {{77, 0, 100}, {79, 0, 300}}, 400, 1400, 3.5}),
    [](const auto& row) { return std::string(row.param.name); });

struct ElectricalCase {
    const char* name;
    FanDriveEfficiency efficiency;
    FanMode mode;
    double kilowattHours;  ///< from 1000 kWh at the shaft
};

class ElectricalEnergyTable : public ::testing::TestWithParam<ElectricalCase> {};

TEST_P(ElectricalEnergyTable, shouldCountTheDriveForAVariableSpeedFanAlone) {
    const ElectricalCase& c = GetParam();
    EXPECT_NEAR(ElectricalKilowattHours(1000.0, c.efficiency, c.mode), c.kilowattHours, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Year, ElectricalEnergyTable,
    ::testing::Values(ElectricalCase{"perfect", {}, FanMode::kVariableSpeed, 1000.0},
                      ElectricalCase{"motor", {90, 100}, FanMode::kFull, 1000.0 / 0.9},
                      ElectricalCase{"vfd", {90, 95}, FanMode::kVariableSpeed, 1000.0 / 0.9 / 0.95},
                      ElectricalCase{
                          "twoSpeedHasNoDrive", {90, 95}, FanMode::kTwoSpeed, 1000.0 / 0.9}),
    [](const auto& row) { return std::string(row.param.name); });

struct LeavingAirCase {
    bool hasHours, underSetpoint;
    std::optional<LeavingAirRule> asked;
    LeavingAirRule rule;
};

TEST(LeavingAirForRow, shouldTakeTheExactAirForSumsAndTheWindowsForPlainDesigns) {
    const LeavingAirCase cases[] = {
        {false, false, std::nullopt, LeavingAirRule::kWindow},
        {true, false, std::nullopt, LeavingAirRule::kExact},
        {false, true, std::nullopt, LeavingAirRule::kExact},
        {true, true, LeavingAirRule::kWindow, LeavingAirRule::kWindow},
        {false, false, LeavingAirRule::kExact, LeavingAirRule::kExact},
    };
    for (const LeavingAirCase& c : cases)
        EXPECT_EQ(LeavingAirForRow(c.hasHours, c.underSetpoint, c.asked), c.rule);
}

// A bins table of Twb, Tdb and Hours holds the design's range unless a bin gives its own.
TEST(DesignAtBin, shouldHoldTheBinsOwnRange) {
    const DesignInputs atBin = DesignAtBin(DefaultDesignInputs(), {60.0F, 72.0F, 1.0, 10.0F});
    EXPECT_EQ(RowRange(atBin), 10.0F);
    const YearTotals wide = Year(FanMode::kFull, kYear).totals;
    std::vector<WeatherBin> narrow = kYear;
    for (WeatherBin& bin : narrow)
        bin.range = 10.0F;
    EXPECT_LT(Year(FanMode::kFull, narrow).totals.makeupGallons, wide.makeupGallons);
}

// A bin's own approach moves its THot with the design's range held; its own hot water wins over
// any range; a bin without either keeps the design's approach.
TEST(DesignAtBin, shouldTakeTheBinsOwnApproachAndHotWater) {
    struct OwnCase {
        WeatherBin bin;
        float approach;  ///< °F expected
        float range;     ///< °F expected, THot − (Twb + Approach)
        float hotWater;  ///< °F expected; NaN: not checked
    };
    const DesignInputs design = DefaultDesignInputs();
    const float designRange = RowRange(design);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<OwnCase> cases = {
        {{60.0F, 72.0F, 1.0, {}, 9.0F, {}}, 9.0F, designRange, nan},
        {{60.0F, 72.0F, 1.0, 12.0F, 9.0F, {}}, 9.0F, 12.0F, nan},
        {{60.0F, 72.0F, 1.0, 12.0F, {}, 95.0F}, design[Input::kApproach], nan, 95.0F},
        {{60.0F, 72.0F, 1.0, {}, 9.0F, 95.0F}, 9.0F, nan, 95.0F},
    };
    for (const OwnCase& c : cases) {
        const DesignInputs atBin = DesignAtBin(design, c.bin);
        EXPECT_EQ(atBin[Input::kApproach], c.approach);
        if (!std::isnan(c.range)) {
            EXPECT_FLOAT_EQ(RowRange(atBin), c.range);
        }
        if (!std::isnan(c.hotWater)) {
            EXPECT_EQ(atBin[Input::kHotWater], c.hotWater);
        }
    }
}

// A bin whose fans run where the exact leaving air is not found has no figures: it is left out
// and named, and no total turns NaN.
TEST(RunYear, shouldLeaveOutABinWithoutExactLeavingAir) {
    DesignInputs design = DefaultDesignInputs();
    design[Input::kWetBulb] = 22.48F;
    design[Input::kDryBulb] = 31.95F;
    design[Input::kHotWater] = 36.43F;
    design[Input::kApproach] = 10.0F;
    design[Input::kLiquidGas] = 2.282F;
    const std::vector<WeatherBin> bins = {{22.48F, 31.95F, 384.0}};
    const YearRun year =
        RunYear(design, {4.0F, 0.9F}, {FanMode::kVariableSpeed, 70.0F, 0.3F}, bins);
    EXPECT_EQ(year.bins[0].run.outcome, FanOutcome::kNoLeavingAir);
    EXPECT_EQ(year.totals.binsLeftOut, std::vector<std::size_t>{0});
    EXPECT_EQ(year.totals.hoursLeftOut, 384.0);
    for (const double total :
         {year.totals.fanKilowattHours, year.totals.makeupGallons, year.totals.evaporationGallons,
          year.totals.blowdownGallons, year.totals.degreeHoursAboveSetpoint})
        EXPECT_EQ(total, 0.0);
}

struct NoteCase {
    const char* name;
    std::size_t rows;
    double hours;
    std::size_t rowsLeftOut;
    std::vector<std::string> named;
    double hoursLeftOut;
    bool underSetpoint;
    std::string note;
};

class TotalsNoteTable : public ::testing::TestWithParam<NoteCase> {};

TEST_P(TotalsNoteTable, shouldSayWhatTheSumsCoverAndLeaveOut) {
    const NoteCase& c = GetParam();
    EXPECT_EQ(
        TotalsNote({c.rows, c.hours, c.rowsLeftOut, c.named, c.hoursLeftOut, c.underSetpoint}),
        c.note);
}

const std::string kMean = "Cold Water Out Temp is their hours-weighted mean";

INSTANTIATE_TEST_SUITE_P(
    Year, TotalsNoteTable,
    ::testing::Values(
        NoteCase{"plain", 2, 8760, 0, {}, 0, false, "totals of 2 rows with Hours; " + kMean},
        NoteCase{"setpoint",
                 1,
                 10,
                 0,
                 {},
                 0,
                 true,
                 "totals of 1 row with Hours; Cold Water Reached is the plant's hours-weighted "
                 "mean cold water (Cold Water Out Temp, at full speed, is left empty)"},
        NoteCase{"leftOut",
                 3,
                 100,
                 2,
                 {"a:2", "a:3"},
                 20,
                 false,
                 "totals of 3 rows with Hours; " + kMean +
                     "; left out: 2 rows without results (a:2, a:3; 20 hours)"},
        NoteCase{"manyLeftOut",
                 1,
                 1,
                 7,
                 {"1", "2", "3", "4", "5", "6"},
                 7,
                 false,
                 "totals of 1 row with Hours; " + kMean +
                     "; left out: 7 rows without results (1, 2, 3, 4, 5, ...; 7 hours)"},
        NoteCase{"moreThanAYear",
                 2,
                 8700,
                 1,
                 {"x:9"},
                 100,
                 false,
                 "totals of 2 rows with Hours; " + kMean +
                     "; left out: 1 row without results (x:9; 100 hours); the Hours add up to "
                     "8800, more than the 8784 of a leap year"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace veltrane
