// The wet bulb of a weather record against independent solutions: tests/engine/
// wet_bulb_reference.py solves the same relations (the 1967 IFC saturation line, Carrier's
// psychrometer equation, the Handbook's line over ice below 32 °F) in double precision by its
// own bisection. The engine rounds every step to single precision; the two must agree within
// 0.01 °F. P and Tdb are single-precision roundings of the script's double values.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "weather_hour.h"
#include "wet_bulb_from_dew_point.h"

namespace veltrane {
namespace {

struct IndependentCase {
    const char* name;
    double dryBulbC;
    double dewPointC;
    double pressurePa;
    double pressurePsia;  // the script's Pa / 6894.757293168361
    double dryBulbF;
    double wetBulbF;  // the script's bisection, to 1e-9 °F
};

constexpr IndependentCase kIndependentCases[] = {
    {"hot and dry, frost point", 40.0, -5.0, 95000, 13.7785851, 104, 61.3323},
    {"humid", 30.0, 27.0, 101325, 14.6959488, 86, 81.8594},
    {"cold", -20.0, -25.0, 100000, 14.5037738, -4, -5.5186},
    {"hot", 46.0, 20.0, 100500, 14.5762926, 114.8, 80.5641},
    {"low pressure", 25.0, 5.0, 65000, 9.42745295, 77, 53.7479},
    {"saturated above freezing", 15.0, 15.0, 101325, 14.6959488, 59, 59.0000},
    {"saturated over ice", -5.0, -5.0, 101325, 14.6959488, 23, 22.6309},
    {"dew point just below freezing", 5.0, -0.1, 99000, 14.358736, 41, 37.0315},
    {"dew point at freezing", 5.0, 0.0, 99000, 14.358736, 41, 37.1034},
    {"very cold", -40.0, -45.0, 102000, 14.7938492, -40, -40.3250},
};

// The script's solutions are printed to 0.0001 °F; the single-precision steps move the root by
// about 1e-5 °F.
constexpr double kAgreement = 0.01;

TEST(WetBulbFromDewPoint, shouldAgreeWithTheIndependentSolution) {
    for (const IndependentCase& c : kIndependentCases) {
        SCOPED_TRACE(c.name);
        WeatherRecord record;
        record.dryBulb = c.dryBulbC;
        record.dewPoint = c.dewPointC;
        record.stationPressure = c.pressurePa;
        const HourAirConversion conversion = AirOfRecord(record);
        ASSERT_EQ(conversion.outcome, WetBulbOutcome::kSolved);
        EXPECT_EQ(conversion.air.pressure, static_cast<float>(c.pressurePsia));
        EXPECT_EQ(conversion.air.dryBulb, static_cast<float>(c.dryBulbF));
        EXPECT_NEAR(static_cast<double>(conversion.air.wetBulb), c.wetBulbF, kAgreement);
    }
}

TEST(WetBulbFromDewPoint, shouldGiveTheHandbooksPressuresOverIce) {
    // The Handbook's own check values of its equation, psia.
    const struct {
        float t;
        double psat;
    } kIce[] = {{0.0F, 0.018502}, {20.0F, 0.050489}};
    for (const auto& c : kIce) {
        float psat = 0.0F;
        ASSERT_EQ(SatPressureOverIce(c.t, psat), Status::Ok);
        EXPECT_NEAR(static_cast<double>(psat), c.psat, 0.0000005) << c.t;
    }
}

TEST(WetBulbFromDewPoint, shouldRefuseAirWithMoreVapourThanSaturation) {
    EXPECT_EQ(WetBulbFromDewPoint(50.0F, 50.5F, 14.7F).outcome,
              WetBulbOutcome::kDewPointAboveDryBulb);
    EXPECT_EQ(WetBulbFromDewPoint(50.0F, std::nanf(""), 14.7F).outcome,
              WetBulbOutcome::kNotBracketed);
}

}  // namespace
}  // namespace veltrane
