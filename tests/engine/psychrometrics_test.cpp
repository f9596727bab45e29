#include "psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_support.h"

namespace veltrane {
namespace {

using testing::Seven;

constexpr float kUnwritten = -12345.0F;

struct SatPressureCase {
    float t;
    const char* reducedT;
    const char* tau;
    const char* reducedP;
    const char* psat;
};

class SatPressureTable : public ::testing::TestWithParam<SatPressureCase> {};

TEST_P(SatPressureTable, shouldGiveTheSaturationLineValues) {
    const SatPressureCase& c = GetParam();
    float tr = kUnwritten, tau = kUnwritten, pr = kUnwritten, psat = kUnwritten;
    ASSERT_EQ(SatPressure(c.t, tr, tau, pr, psat), Status::Ok);
    if (c.reducedT != nullptr) {
        EXPECT_EQ(Seven(tr), c.reducedT);
    }
    if (c.tau != nullptr) {
        EXPECT_EQ(Seven(tau), c.tau);
    }
    if (c.reducedP != nullptr) {
        EXPECT_EQ(Seven(pr), c.reducedP);
    }
    EXPECT_EQ(Seven(psat), c.psat);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, SatPressureTable,
    ::testing::Values(
        SatPressureCase{212.0F, nullptr, nullptr, nullptr, "14.69599"},
        SatPressureCase{65.0F, "0.4503064", "0.5496936", "9.520825e-05", "0.3054504"},
        SatPressureCase{32.0F, nullptr, nullptr, nullptr, "0.0885891"},
        // Beyond the critical point the formula still answers, and nothing is reported.
        SatPressureCase{800.0F, nullptr, "-0.08113194", nullptr, "6027.084"}));

TEST(SatPressure, shouldHandBackPcRoundedToSingleAtTheCriticalPoint) {
    // Tr rounds to exactly 1: τ = 0, L = 0, Pr = 1 and Psat is Pc in single precision, which
    // seven figures ("3208.235") could not tell from either neighbour.
    float tr = kUnwritten, tau = kUnwritten, pr = kUnwritten, psat = kUnwritten;
    ASSERT_EQ(SatPressure(705.47F, tr, tau, pr, psat), Status::Ok);
    EXPECT_EQ(tr, 1.0F);
    EXPECT_EQ(tau, 0.0F);
    EXPECT_EQ(pr, 1.0F);
    EXPECT_EQ(psat, static_cast<float>(3208.234759));
}

TEST(SatPressure, shouldSignalAfterHandingBackInfinityWhenPrLeavesSinglePrecision) {
    // e^L above the single-precision range (L > 88.72, near 5254 °F) but within double.
    float tr = kUnwritten, tau = kUnwritten, pr = kUnwritten, psat = kUnwritten;
    EXPECT_EQ(SatPressure(6000.0F, tr, tau, pr, psat), Status::ArithmeticFault);
    EXPECT_NE(tr, kUnwritten);
    EXPECT_NE(tau, kUnwritten);
    EXPECT_EQ(pr, std::numeric_limits<float>::infinity());
    EXPECT_EQ(psat, std::numeric_limits<float>::infinity());
}

TEST(SatPressure, shouldLeavePrAndPsatUntouchedWhenTheExponentialOverflowsDouble) {
    // L above about 709.78, reached near 13,800 °F.
    float tr = kUnwritten, tau = kUnwritten, pr = kUnwritten, psat = kUnwritten;
    EXPECT_EQ(SatPressure(20000.0F, tr, tau, pr, psat), Status::ArithmeticFault);
    EXPECT_NE(tr, kUnwritten);
    EXPECT_NE(tau, kUnwritten);
    EXPECT_EQ(pr, kUnwritten);
    EXPECT_EQ(psat, kUnwritten);
}

TEST(SatAirEnthalpy, shouldGiveEnthalpyAndPressureAt65F) {
    float psat = 0, h = 0;
    ASSERT_EQ(SatAirEnthalpy(65.0F, 14.7F, psat, h), Status::Ok);
    EXPECT_EQ(Seven(h), "29.98744");
    EXPECT_EQ(Seven(psat), "0.3054504");
    float ws = 0;
    ASSERT_EQ(HumidityRatio(psat, 14.7F, ws), Status::Ok);
    EXPECT_EQ(Seven(ws), "0.01319876");
}

TEST(SatAirEnthalpy, shouldKeepPsatWrittenWhenTheHumidityRatioFaults) {
    float tr = 0, tau = 0, pr = 0, psatAt100 = 0;
    ASSERT_EQ(SatPressure(100.0F, tr, tau, pr, psatAt100), Status::Ok);
    // A total pressure equal to the saturation pressure makes P − pv zero.
    float psat = kUnwritten, h = kUnwritten;
    EXPECT_EQ(SatAirEnthalpy(100.0F, psatAt100, psat, h), Status::ArithmeticFault);
    EXPECT_EQ(psat, psatAt100);
    EXPECT_EQ(h, kUnwritten);
}

TEST(SatAirEnthalpy, shouldHandBackNothingWhenTheSaturationPressureFaults) {
    float psat = kUnwritten, h = kUnwritten;
    EXPECT_EQ(SatAirEnthalpy(6000.0F, 14.7F, psat, h), Status::ArithmeticFault);
    EXPECT_EQ(psat, kUnwritten);
    EXPECT_EQ(h, kUnwritten);
}

TEST(EnteringAir, shouldFollowTheCarrierChain) {
    float pv = 0, w = 0, h = 0;
    ASSERT_EQ(VaporPressureFromWetBulb(0.3054504F, 14.7F, 85.0F, 65.0F, pv), Status::Ok);
    EXPECT_EQ(Seven(pv), "0.2002425");
    ASSERT_EQ(HumidityRatio(pv, 14.7F, w), Status::Ok);
    EXPECT_EQ(Seven(w), "0.008589855");
    ASSERT_EQ(MoistAirEnthalpy(85.0F, w, h), Status::Ok);
    EXPECT_EQ(Seven(h), "29.83974");
}

TEST(VaporPressureFromWetBulb, shouldStayFiniteNearTheCarrierPole) {
    // 2830 − 1.44 Twb comes close to zero near 1965.28 °F but never reaches it.
    float pv = 0;
    EXPECT_EQ(VaporPressureFromWetBulb(1.0F, 14.7F, 2000.0F, 1965.28F, pv), Status::Ok);
    EXPECT_TRUE(std::isfinite(pv));
}

TEST(SpecificVolume, shouldStayInDoublePrecision) {
    double v = 0;
    ASSERT_EQ(SpecificVolume(90.625F, 14.7F, 0.03231352F, v), Status::Ok);
    EXPECT_EQ(Seven(v), "14.58616");
    EXPECT_NE(static_cast<double>(static_cast<float>(v)), v);
}

TEST(PropertyFaults, shouldHandBackNothingOnDivisionByZero) {
    float w = kUnwritten;
    EXPECT_EQ(HumidityRatio(14.7F, 14.7F, w), Status::ArithmeticFault);
    EXPECT_EQ(w, kUnwritten);
    float wZero = kUnwritten;
    EXPECT_EQ(HumidityRatio(0.0F, 0.0F, wZero), Status::ArithmeticFault);  // 0 / 0
    EXPECT_EQ(wZero, kUnwritten);
    double v = -1.0;
    EXPECT_EQ(SpecificVolume(90.0F, 0.0F, 0.01F, v), Status::ArithmeticFault);
    EXPECT_EQ(v, -1.0);
}

TEST(PropertyFaults, shouldTreatASingleRangeOverflowAsAFault) {
    float h = kUnwritten;
    EXPECT_EQ(MoistAirEnthalpy(3e38F, 1e10F, h), Status::ArithmeticFault);
    EXPECT_EQ(h, kUnwritten);
}

}  // namespace
}  // namespace veltrane
