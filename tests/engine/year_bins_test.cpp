#include "year_bins.h"

#include <gtest/gtest.h>

#include <cmath>
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
    // At full speed a kWh is the full-speed fan power over the hours.
    EXPECT_DOUBLE_EQ(
        year.bins[0].fanKilowattHours,
        static_cast<double>(year.bins[0].run.fullSpeed.results.values[Result::kFanPower]) * 0.7457 *
            3000.0);
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

}  // namespace
}  // namespace veltrane
