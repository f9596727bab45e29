#include "usable_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace veltrane {
namespace {

struct VerdictCase {
    const char* name;
    Verdict verdict;
    std::string reason;  ///< empty: usable
};

void PrintTo(const VerdictCase& c, std::ostream* os) {
    *os << c.name;
}

class UsableValues : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(UsableValues, shouldAcceptOrGiveTheReason) {
    EXPECT_EQ(GetParam().verdict.reason, GetParam().reason);
}

const std::string kSetpointF = "must be a cold water temperature from 32 F to 212 F";
const std::string kSetpointC = "must be a cold water temperature from 0 C to 100 C";
const std::string kWetAboveDry = "wet bulb must not be above the dry bulb";

INSTANTIATE_TEST_SUITE_P(
    Checks, UsableValues,
    ::testing::Values(
        VerdictCase{"towerC", CheckTowerC(0.5F), ""},
        VerdictCase{"towerCZero", CheckTowerC(0.0F), "C must be above 0"},
        VerdictCase{"towerCNaN", CheckTowerC(NAN), "C must be above 0"},
        VerdictCase{"slopeZero", CheckTowerSlope(0.0F), ""},
        VerdictCase{"slopeNegative", CheckTowerSlope(-0.1F), "m must not be negative"},
        VerdictCase{"setpointFreezing", CheckSetpoint(32, UnitSystem::kUS), ""},
        VerdictCase{"setpointBoiling", CheckSetpoint(212, UnitSystem::kUS), ""},
        VerdictCase{"setpointIce", CheckSetpoint(31.99, UnitSystem::kUS), kSetpointF},
        VerdictCase{"setpointSteam", CheckSetpoint(-1e30, UnitSystem::kUS), kSetpointF},
        VerdictCase{"setpointBoilingC", CheckSetpoint(100, UnitSystem::kSI), ""},
        // 150 °F is liquid, but typed in °C it is steam.
        VerdictCase{"setpointInC", CheckSetpoint(150, UnitSystem::kSI), kSetpointC},
        VerdictCase{"saturatedAir", CheckAir(70, 70), ""},
        VerdictCase{"wetAboveDry", CheckAir(90, 85), kWetAboveDry},
        VerdictCase{"airNaN", CheckAir(NAN, 85), "wet bulb and dry bulb must be numbers"},
        VerdictCase{"efficiency", CheckEfficiency(100), ""},
        VerdictCase{"efficiencyZero", CheckEfficiency(0), "must be above 0 % and at most 100 %"},
        VerdictCase{"efficiencyAbove", CheckEfficiency(100.5F),
                    "must be above 0 % and at most 100 %"},
        VerdictCase{"range", CheckRange(10), ""},
        VerdictCase{"rangeNegative", CheckRange(-1), "must be above 0"}),
    [](const auto& row) { return std::string(row.param.name); });

struct ConversionCase {
    const char* text;
    Quantity quantity;
    UnitSystem units;
    NumberError error;
};

class ReadInputInTable : public ::testing::TestWithParam<ConversionCase> {};

// A value typed in SI is refused exactly when the same value typed in US units would be: when
// it leaves single precision on its way to the calculation's units.
TEST_P(ReadInputInTable, shouldRefuseWhatLeavesSinglePrecisionAfterConversion) {
    const ConversionCase& c = GetParam();
    float value = -7.0F;
    EXPECT_EQ(ReadInputIn(c.text, c.quantity, c.units, value), c.error);
    if (c.error == NumberError::None) {
        EXPECT_TRUE(std::isfinite(value));
    } else {
        EXPECT_EQ(value, -7.0F) << "a refused value is not written";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, ReadInputInTable,
    ::testing::Values(
        ConversionCase{"1e38", Quantity::kWaterFlow, UnitSystem::kSI, NumberError::OutOfRange},
        ConversionCase{"4.4e38", Quantity::kWaterFlow, UnitSystem::kUS, NumberError::OutOfRange},
        ConversionCase{"1e38", Quantity::kWaterFlow, UnitSystem::kUS, NumberError::None},
        ConversionCase{"-3e38", Quantity::kPower, UnitSystem::kSI, NumberError::OutOfRange},
        ConversionCase{"1e37", Quantity::kWaterFlow, UnitSystem::kSI, NumberError::None},
        ConversionCase{"3e38", Quantity::kTemperature, UnitSystem::kSI, NumberError::OutOfRange},
        ConversionCase{"1e38", Quantity::kPercent, UnitSystem::kSI, NumberError::None},
        ConversionCase{"1,5", Quantity::kWaterFlow, UnitSystem::kSI, NumberError::NotANumber}));

TEST(InputInUnits, shouldGiveTheValueAsTheCalculationTakesIt) {
    float value = 0.0F;
    ASSERT_EQ(InputInUnits(25.555556, Quantity::kTemperature, UnitSystem::kSI, value),
              NumberError::None);
    EXPECT_EQ(value, 78.0F);
    EXPECT_EQ(InputInUnits(HUGE_VAL, Quantity::kPercent, UnitSystem::kUS, value),
              NumberError::OutOfRange);
}

}  // namespace
}  // namespace veltrane
