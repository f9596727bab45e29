// Unit conversions against the definitions of the units themselves, not the factors the code
// holds: a factor mistyped in its eighth figure fails here.
#include "units.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>

#include "number_text.h"

namespace veltrane {
namespace {

// NIST Special Publication 811, appendix B: exact definitions.
constexpr double kPound = 0.45359237;                        // kg
constexpr double kFoot = 0.3048;                             // m
constexpr double kInch = kFoot / 12.0;                       // m
constexpr double kGallon = 231.0 * kInch * kInch * kInch;    // m³
constexpr double kBtu = 1055.05585262;                       // J, international table
constexpr double kPoundForce = 4.4482216152605;              // N
constexpr double kHorsepower = 550.0 * kFoot * kPoundForce;  // W
// NIST's conventional value for the inch of water at 60 °F (not a definition: a density).
constexpr double kInchOfWater = 248.84;  // Pa

struct ConversionCase {
    const char* what;
    Quantity quantity;
    double us;
    double si;
};

const ConversionCase kCases[] = {
    {"psia to kPa", Quantity::kPressure, 14.7, 14.7 * kPoundForce / (kInch * kInch) / 1e3},
    {"inH2O to kPa", Quantity::kFanPressure, 0.5, 0.5 * kInchOfWater / 1e3},
    {"water boils", Quantity::kTemperature, 212.0, 100.0},
    {"water freezes", Quantity::kTemperature, 32.0, 0.0},
    {"scales cross", Quantity::kTemperature, -40.0, -40.0},
    {"wet bulb", Quantity::kTemperature, 65.0, 33.0 / 1.8},
    {"a range has no offset", Quantity::kTemperatureDifference, 27.0, 15.0},
    {"gpm to m3/h", Quantity::kWaterFlow, 1000.0, 1000.0 * kGallon * 60.0},
    {"gal to m3", Quantity::kWaterVolume, 1e6, 1e6 * kGallon},
    {"klb/h to t/h", Quantity::kDryAirFlow, 500.0, 500.0 * kPound},
    {"mmBtu/h to MW", Quantity::kHeatFlow, 13.5, 13.5e6 * kBtu / 3600.0 / 1e6},
    {"hp to kW", Quantity::kPower, 12.0, 12.0 * kHorsepower / 1e3},
    {"kWh stays", Quantity::kEnergy, 80737.0, 80737.0},
    {"dry air at 32 F is the SI datum", Quantity::kEnthalpy, 0.24 * 32.0, 0.0},
    {"Btu/lb to kJ/kg", Quantity::kEnthalpy, 29.84, (29.84 - 0.24 * 32.0) * kBtu / kPound / 1e3},
    {"ft3/lb to m3/kg", Quantity::kSpecificVolume, 14.586, 14.586 * kFoot* kFoot* kFoot / kPound},
    {"1000 cfm to 1000 m3/h", Quantity::kAirVolumeFlow, 121.55,
     121.55 * kFoot* kFoot* kFoot * 60.0},
    {"KaV/L passes", Quantity::kDimensionless, 1.8323700428009033, 1.8323700428009033},
    {"L/G passes", Quantity::kMassRatio, 0.1, 0.1},
    {"percent passes", Quantity::kPercentage, 0.001, 0.001},
    {"lb/h to kg/h", Quantity::kMassFlow, 500000.0, 500000.0 * kPound},
    {"Btu/h to kW", Quantity::kHeatRate, 13.5e6, 13.5e6 * kBtu / 3600.0 / 1e3},
    {"a difference of enthalpies has no datum", Quantity::kEnthalpyDifference, 27.0,
     27.0 * kBtu / kPound / 1e3},
    {"lb/Btu to kg/kJ", Quantity::kReciprocalEnthalpyDifference, 0.086,
     0.086 * kPound * 1e3 / kBtu},
    {"lb/ft3 to kg/m3", Quantity::kDensity, 0.0708, 0.0708 * kPound / (kFoot * kFoot * kFoot)},
    {"ft3/min to m3/h", Quantity::kAirVolumeRate, 121551.0, 121551.0 * kFoot* kFoot* kFoot * 60.0},
};

TEST(Units, shouldConvertEachQuantityByTheUnitsDefinitionsBothWays) {
    constexpr double kRelative = 1e-15;  // a few roundings of a double
    for (const ConversionCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const double tolerance = kRelative * std::max(std::abs(c.si), 1.0);
        EXPECT_NEAR(ToSI(c.quantity, c.us), c.si, tolerance);
        EXPECT_NEAR(ToUS(c.quantity, c.si), c.us, kRelative * std::max(std::abs(c.us), 1.0));
    }
}

TEST(Units, shouldPassDimensionlessValuesThroughBitForBit) {
    for (const Quantity q :
         {Quantity::kDimensionless, Quantity::kMassRatio, Quantity::kPercentage}) {
        for (const float value : {1.83237F, 0.001F, -3.187F, -0.0F}) {
            EXPECT_EQ(std::bit_cast<std::uint32_t>(
                          InputFromUnits(q, UnitSystem::kSI, static_cast<double>(value))),
                      std::bit_cast<std::uint32_t>(value));
        }
    }
}

std::string LosslessSiText(Quantity quantity, float us) {
    char text[kNumberTextCapacity];
    return {text, WriteLossless(text, quantity, UnitSystem::kSI, us)};
}

float ReadBack(const std::string& text, Quantity quantity) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return InputFromUnits(quantity, UnitSystem::kSI, value);
}

TEST(UnitNamed, shouldReadTheUnitsAHeaderNamesAndRefuseAnotherQuantitys) {
    struct Case {
        Quantity quantity;
        std::string_view name;
        std::optional<UnitSystem> units;
        double factor;
    };
    const Case cases[] = {
        {Quantity::kTemperature, "\u00B0C", UnitSystem::kSI, 1.0},
        {Quantity::kTemperature, " f ", UnitSystem::kUS, 1.0},
        {Quantity::kTemperatureDifference, "K", UnitSystem::kSI, 1.0},
        {Quantity::kWaterFlow, "m\u00B3/h", UnitSystem::kSI, 1.0},
        {Quantity::kWaterFlow, "GPM", UnitSystem::kUS, 1.0},
        {Quantity::kWaterFlow, "L/s", UnitSystem::kSI, 3.6},
        {Quantity::kPressure, "kPa", UnitSystem::kSI, 1.0},
        {Quantity::kPercentage, "%", UnitSystem::kUS, 1.0},
        {Quantity::kTemperature, "kg", std::nullopt, 0.0},
        {Quantity::kTemperature, "K", std::nullopt, 0.0},
        {Quantity::kPressure, "L/s", std::nullopt, 0.0},
        {Quantity::kWaterFlow, "", std::nullopt, 0.0},
    };
    for (const Case& c : cases) {
        const std::optional<HeaderUnit> unit = UnitNamed(c.quantity, c.name);
        ASSERT_EQ(unit.has_value(), c.units.has_value()) << c.name;
        if (!unit) continue;
        EXPECT_EQ(unit->units, *c.units) << c.name;
        EXPECT_EQ(unit->factor, c.factor) << c.name;
    }
}

TEST(WriteLossless, shouldWriteTheShortestSiTextThatGivesTheSameFloatBack) {
    struct Case {
        Quantity quantity;
        float us;
        const char* si;
    };
    const Case cases[] = {
        {Quantity::kTemperature, 78.0F, "25.555556"},
        {Quantity::kTemperature, 32.0F, "0"},
        {Quantity::kPressure, 14.7F, "101.35293"},
        {Quantity::kDimensionless, 1.83237F, "1.83237"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LosslessSiText(c.quantity, c.us), c.si);
    }
}

TEST(WriteLossless, shouldGiveEveryFloatBackOfEveryQuantity) {
    std::mt19937 random(20);
    std::uniform_real_distribution<float> values(-200.0F, 2000.0F);
    for (std::size_t k = 0; k <= static_cast<std::size_t>(Quantity::kAirVolumeRate); ++k) {
        const auto quantity = static_cast<Quantity>(k);
        for (int n = 0; n < 2000; ++n) {
            const float us = values(random);
            const std::string text = LosslessSiText(quantity, us);
            ASSERT_EQ(ReadBack(text, quantity), us) << text;
        }
    }
}

TEST(WriteLossless, shouldGiveTheSiDefaultsThatAreTheUsDefaults) {
    const DesignInputs defaults = DefaultDesignInputs();
    for (const Input i : kAllInputs) {
        SCOPED_TRACE(kInputs[i].shortName);
        const std::string siText(kInputUnits[i].siDefaultText);
        EXPECT_EQ(ReadBack(siText, kInputUnits[i].quantity), defaults[i]);
        EXPECT_EQ(LosslessSiText(kInputUnits[i].quantity, defaults[i]), siText) << "not shortest";
    }
}

TEST(ResultTextIn, shouldApplyTheTextRuleToTheDefaultsInSi) {
    const PerformanceResults r = CalculatePerformance(DefaultDesignInputs());
    EXPECT_EQ(ResultTextIn(r, Result::kKaVL, UnitSystem::kSI), "1.8324");
    EXPECT_EQ(ResultTextIn(r, Result::kColdWater, UnitSystem::kSI), "25.556");
    EXPECT_EQ(ResultTextIn(r, Result::kRange, UnitSystem::kSI), "15.");
    EXPECT_EQ(ResultTextIn(r, Result::kHeatRejected, UnitSystem::kSI), "3.9565");
    EXPECT_EQ(ResultTextIn(r, Result::kFanPower, UnitSystem::kSI), "9.5071");
    EXPECT_EQ(ResultTextIn(r, Result::kEnthalpyIn, UnitSystem::kSI), "51.544");
    EXPECT_EQ(ResultTextIn(r, Result::kMakeup, UnitSystem::kSI), "8.0823");
}

}  // namespace
}  // namespace veltrane
