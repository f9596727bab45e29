#include "usable_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace veltrane {
namespace {

struct ValueCheckCase {
    const char* name;
    ValueCheck verdict;
    std::string reason;  ///< empty: usable
};

void PrintTo(const ValueCheckCase& c, std::ostream* os) {
    *os << c.name;
}

class UsableValues : public ::testing::TestWithParam<ValueCheckCase> {};

TEST_P(UsableValues, shouldAcceptOrGiveTheReason) {
    EXPECT_EQ(GetParam().verdict.reason, GetParam().reason);
}

const std::string kSetpointF = "must be a cold water temperature from 32 F to 212 F";
const std::string kSetpointC = "must be a cold water temperature from 0 C to 100 C";
const std::string kWetAboveDry = "wet bulb must not be above the dry bulb";

INSTANTIATE_TEST_SUITE_P(
    Checks, UsableValues,
    ::testing::Values(
        ValueCheckCase{"towerC", CheckTowerC(0.5F), ""},
        ValueCheckCase{"towerCZero", CheckTowerC(0.0F), "C must be above 0"},
        ValueCheckCase{"towerCNaN", CheckTowerC(NAN), "C must be above 0"},
        ValueCheckCase{"slopeZero", CheckTowerSlope(0.0F), ""},
        ValueCheckCase{"slopeNegative", CheckTowerSlope(-0.1F), "m must not be negative"},
        ValueCheckCase{"setpointFreezing", CheckSetpoint(32, UnitSystem::kUS), ""},
        ValueCheckCase{"setpointBoiling", CheckSetpoint(212, UnitSystem::kUS), ""},
        ValueCheckCase{"setpointIce", CheckSetpoint(31.99, UnitSystem::kUS), kSetpointF},
        ValueCheckCase{"setpointSteam", CheckSetpoint(-1e30, UnitSystem::kUS), kSetpointF},
        ValueCheckCase{"setpointBoilingC", CheckSetpoint(100, UnitSystem::kSI), ""},
        // 150 °F is liquid, but typed in °C it is steam.
        ValueCheckCase{"setpointInC", CheckSetpoint(150, UnitSystem::kSI), kSetpointC},
        ValueCheckCase{"saturatedAir", CheckAir(70, 70), ""},
        ValueCheckCase{"wetAboveDry", CheckAir(90, 85), kWetAboveDry},
        ValueCheckCase{"airNaN", CheckAir(NAN, 85), "wet bulb and dry bulb must be numbers"},
        ValueCheckCase{"efficiency", CheckEfficiency(100), ""},
        ValueCheckCase{"efficiencyZero", CheckEfficiency(0), "must be above 0 % and at most 100 %"},
        ValueCheckCase{"efficiencyAbove", CheckEfficiency(100.5F),
                       "must be above 0 % and at most 100 %"},
        ValueCheckCase{"range", CheckRange(10), ""},
        ValueCheckCase{"rangeNegative", CheckRange(-1), "must be above 0"}),
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
        ConversionCase{"1e38", Quantity::kPercentage, UnitSystem::kSI, NumberError::None},
        ConversionCase{"1,5", Quantity::kWaterFlow, UnitSystem::kSI, NumberError::NotANumber}));

TEST(InputInUnits, shouldGiveTheValueAsTheCalculationTakesIt) {
    float value = 0.0F;
    ASSERT_EQ(InputInUnits(25.555556, Quantity::kTemperature, UnitSystem::kSI, value),
              NumberError::None);
    EXPECT_EQ(value, 78.0F);
    EXPECT_EQ(InputInUnits(HUGE_VAL, Quantity::kPercentage, UnitSystem::kUS, value),
              NumberError::OutOfRange);
}

}  // namespace
}  // namespace veltrane
