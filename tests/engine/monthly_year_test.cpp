// A year of hours summed by month: the months add up to the year, and the year equals the same
// hours run as weather bins.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "monthly_year.h"
#include "weather_hour.h"
#include "year_bins.h"

namespace veltrane {
namespace {

struct TestHour {
    int month;
    float wetBulb;  // °F
    float dryBulb;  // °F
};

// Hours of three months, cool to hot, so that the fans run from their lowest speed to full.
const std::vector<TestHour> kHours = {
    {1, 20.0F, 25.0F},  {1, 35.0F, 40.0F},  {1, 45.0F, 50.0F}, {6, 60.0F, 72.0F},
    {6, 70.0F, 85.0F},  {6, 76.0F, 92.0F},  {6, 78.0F, 95.0F}, {12, 30.0F, 33.0F},
    {12, 50.0F, 60.0F}, {12, 65.0F, 70.0F}, {6, 80.0F, 96.0F},
};

class MonthlyYearTest : public ::testing::Test {
  protected:
    DesignInputs design = DefaultDesignInputs();
    TowerCharacteristic tower{};
    FanControl control{FanMode::kVariableSpeed, 80.0F, kDefaultMinimumAirFlow};

    void SetUp() override {
        const float slope = 0.6F;
        const float kaVL = CalculatePerformance(design).values[Result::kKaVL];
        tower = {TowerCThrough(kaVL, design[Input::kLiquidGas], slope), slope};
    }

    HourAir AirOf(const TestHour& hour) const {
        return {design[Input::kAtmosPress], hour.dryBulb, 0.0F, hour.wetBulb};
    }

    MonthlyYear Run(TowerCharacteristic runTower, float loadPercent = 100.0F) const {
        MonthlyYear year;
        for (const TestHour& hour : kHours) {
            const FanOperation run = RunHour(design, runTower, control, AirOf(hour), loadPercent);
            EXPECT_TRUE(year.Add(hour.month, run, 1.0, control.setpoint));
        }
        return year;
    }
};

TEST_F(MonthlyYearTest, shouldAddTheMonthsUpToTheYear) {
    const MonthlyYear year = Run(tower);
    OperationSums sum;
    double coldWaterHours = 0.0;
    for (int month = 1; month <= 12; ++month) {
        const OperationSums& m = year.Month(month);
        sum.hours += m.hours;
        sum.hoursAboveSetpoint += m.hoursAboveSetpoint;
        sum.evaporationGallons += m.evaporationGallons;
        sum.blowdownGallons += m.blowdownGallons;
        sum.driftGallons += m.driftGallons;
        sum.makeupGallons += m.makeupGallons;
        sum.fanKilowattHours += m.fanKilowattHours;
        if (m.hours > 0.0) coldWaterHours += m.MeanColdWater() * m.hours;
    }
    const OperationSums& y = year.Year();
    EXPECT_EQ(year.Month(2).hours, 0.0);
    EXPECT_EQ(year.Month(6).hours, 5.0);
    EXPECT_EQ(sum.hours, y.hours);
    EXPECT_EQ(y.hours, static_cast<double>(kHours.size()));
    EXPECT_EQ(sum.hoursAboveSetpoint, y.hoursAboveSetpoint);
    EXPECT_GT(y.hoursAboveSetpoint, 0.0);
    EXPECT_DOUBLE_EQ(sum.evaporationGallons, y.evaporationGallons);
    EXPECT_DOUBLE_EQ(sum.blowdownGallons, y.blowdownGallons);
    EXPECT_DOUBLE_EQ(sum.driftGallons, y.driftGallons);
    EXPECT_DOUBLE_EQ(sum.makeupGallons, y.makeupGallons);
    EXPECT_DOUBLE_EQ(sum.fanKilowattHours, y.fanKilowattHours);
    EXPECT_DOUBLE_EQ(coldWaterHours / sum.hours, y.MeanColdWater());
    // Makeup is what evaporates, is blown down and drifts.
    EXPECT_NEAR(y.makeupGallons, y.evaporationGallons + y.blowdownGallons + y.driftGallons,
                1e-6 * y.makeupGallons);
}

TEST_F(MonthlyYearTest, shouldSumAsTheSameHoursRunAsWeatherBins) {
    const MonthlyYear year = Run(tower);
    std::vector<WeatherBin> bins;
    for (const TestHour& hour : kHours)
        bins.push_back({hour.wetBulb, hour.dryBulb, 1.0});
    const YearTotals bin = RunYear(design, tower, control, bins).totals;
    const OperationSums& y = year.Year();
    EXPECT_EQ(y.hours, bin.hours);
    EXPECT_EQ(y.hoursAboveSetpoint, bin.hoursAboveSetpoint);
    EXPECT_DOUBLE_EQ(y.makeupGallons, bin.makeupGallons);
    EXPECT_DOUBLE_EQ(y.evaporationGallons, bin.evaporationGallons);
    EXPECT_DOUBLE_EQ(y.blowdownGallons, bin.blowdownGallons);
    EXPECT_DOUBLE_EQ(y.fanKilowattHours, bin.fanKilowattHours);
    EXPECT_DOUBLE_EQ(y.MeanColdWater(), bin.meanColdWater);
}

TEST_F(MonthlyYearTest, shouldCountHoursWithoutAnOperatingPointApart) {
    // A tower that does less than any hour demands, even at the highest approach.
    const MonthlyYear year = Run({0.01F, 0.6F});
    EXPECT_EQ(year.Year().hours, 0.0);
    EXPECT_EQ(year.Year().hoursWithoutOperatingPoint, static_cast<double>(kHours.size()));
    EXPECT_EQ(year.Year().makeupGallons, 0.0);
    EXPECT_TRUE(std::isnan(year.Year().MeanColdWater()));
    MonthlyYear untouched;
    EXPECT_FALSE(untouched.Add(13, FanOperation{}, 1.0, 80.0F));
    EXPECT_EQ(untouched.Year().hoursWithoutOperatingPoint, 0.0);
}

TEST_F(MonthlyYearTest, shouldKeepTheSumsNumbersWhereTheLeavingAirIsNotFound) {
    // A tower far larger than the demand: its fans slow until the air line's end passes the
    // saturated air at the hot water, where no leaving air is found and the water is NaN.
    const MonthlyYear year = Run({100.0F, 0.6F});
    const OperationSums& y = year.Year();
    EXPECT_GT(y.hoursWithoutLeavingAir, 0.0);
    EXPECT_GT(y.hours, 0.0);
    EXPECT_EQ(y.hours + y.hoursWithoutLeavingAir + y.hoursWithoutOperatingPoint,
              static_cast<double>(kHours.size()));
    EXPECT_TRUE(std::isfinite(y.makeupGallons));
    EXPECT_TRUE(std::isfinite(y.fanKilowattHours));
    EXPECT_TRUE(std::isfinite(y.MeanColdWater()));
}

TEST_F(MonthlyYearTest, shouldScaleTheRangeByTheLoadAtTheHoursAir) {
    const HourAir air{13.9F, 88.0F, 0.0F, 71.0F};
    const DesignInputs half = DesignAtHour(design, air, 50.0F);
    EXPECT_EQ(half[Input::kAtmosPress], 13.9F);
    EXPECT_EQ(half[Input::kWetBulb], 71.0F);
    EXPECT_EQ(half[Input::kDryBulb], 88.0F);
    EXPECT_EQ(half[Input::kWaterFlow], design[Input::kWaterFlow]);
    EXPECT_NEAR(static_cast<double>(RowRange(half)), static_cast<double>(RowRange(design)) / 2.0,
                1e-4);
    // Half the heat in the same water: less evaporation, the fans slower.
    const MonthlyYear full = Run(tower);
    const MonthlyYear halfLoad = Run(tower, 50.0F);
    EXPECT_LT(halfLoad.Year().evaporationGallons, 0.6 * full.Year().evaporationGallons);
    EXPECT_LT(halfLoad.Year().fanKilowattHours, full.Year().fanKilowattHours);
}

}  // namespace
}  // namespace veltrane
