#pragma once
// US customary and SI units at the edges. The calculation works in US customary units (°F, psia,
// gpm, Btu per lb of dry air) and stays so; numbers are converted where they enter and leave.
//
// Every quantity kind converts by one affine rule, SI = (US − usDatum) × siPerUs / divisor, and
// back by US = SI × divisor / siPerUs + usDatum, in double precision. Temperatures carry the
// offset of their zero (°C = (°F − 32) / 1.8); temperature differences (range, approach) convert
// by 1/1.8 alone; enthalpy moves to the SI datum (dry air and liquid water at 0 °C):
// kJ/kg = 2.326 × (Btu/lb − 7.68), as the US datum is dry air at 0 °F (0.24 Btu/lb·°F × 32 °F);
// a difference of two enthalpies (kEnthalpyDifference) loses the datum and converts by 2.326 alone.
// Dimensionless values (KaV/L, L/G, cycles, percentages) pass through unchanged, bit for bit.
//
// An input read in SI is converted in double precision and rounded once to single precision; a
// result is converted from the value the calculation formed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "design_sets.h"
#include "number_text.h"
#include "performance.h"
#include "result_text.h"

namespace veltrane {

/// kW per mechanical horsepower: 550 ft·lbf/s = 745.69987 W (NIST SP 811, to 17 figures). The
/// one factor of every hp ↔ kW conversion and of fan energy in kWh.
inline constexpr double kKilowattsPerHorsepower = 0.74569987158227022;

enum class UnitSystem : std::uint8_t {
    kUS,  ///< US customary: the calculation's own units
    kSI,
};

/// What a number measures, which fixes its unit in each system.
enum class Quantity : std::uint8_t {
    kDimensionless,          ///< KaV/L, cycles: no unit
    kMassRatio,              ///< lb/lb = kg/kg
    kPercentage,             ///< %
    kTemperature,            ///< °F ↔ °C
    kTemperatureDifference,  ///< °F ↔ K (range, approach, deviation)
    kPressure,               ///< psia ↔ kPa
    kFanPressure,            ///< inH2O (60 °F) ↔ kPa
    kWaterFlow,              ///< US gpm ↔ m³/h
    kWaterVolume,            ///< US gal ↔ m³
    kDryAirFlow,             ///< thousand lb/h ↔ t/h
    kHeatFlow,               ///< million Btu/h ↔ MW
    kPower,                  ///< hp ↔ kW
    kEnergy,                 ///< kWh in both
    kEnthalpy,               ///< Btu/lb (datum 0 °F dry air) ↔ kJ/kg (datum 0 °C)
    kSpecificVolume,         ///< ft³/lb ↔ m³/kg
    kAirVolumeFlow,          ///< thousand cfm ↔ thousand m³/h
    kHours,                  ///< h in both (hours per year in a weather bin)
    // The worksheet's working quantities, in the units the calculation forms them:
    kMassFlow,                      ///< lb/h ↔ kg/h (dry air)
    kHeatRate,                      ///< Btu/h ↔ kW
    kEnthalpyDifference,            ///< Btu/lb ↔ kJ/kg, without the datum (dh, driving force)
    kReciprocalEnthalpyDifference,  ///< lb/Btu ↔ kg/kJ (1/d of the Merkel integral)
    kDensity,                       ///< lb/ft³ ↔ kg/m³
    kAirVolumeRate,                 ///< ft³/min ↔ m³/h (not in thousands)
};

/// How one quantity kind converts: SI = (US − usDatum) × siPerUs / divisor.
struct UnitConversion {
    Quantity quantity;
    std::string_view usUnit;  ///< as captions write it (ASCII)
    std::string_view siUnit;
    double siPerUs;
    double divisor;
    double usDatum;  ///< the US value that is zero in SI
};

/// The conversion of a quantity kind.
const UnitConversion& ConversionOf(Quantity quantity) noexcept;

/// The unit a quantity kind has in a unit system ("" for none).
std::string_view UnitOf(Quantity quantity, UnitSystem units) noexcept;

/// How a value written in a unit that a file's header names reaches the calculation: the unit
/// system whose unit of the quantity it is, and the factor that brings it into that unit (litres
/// per second are SI at 3.6 m³/h each).
struct HeaderUnit {
    UnitSystem units = UnitSystem::kUS;
    double factor = 1.0;
};

/// The unit of `quantity` that `name` spells, as the window ("°C", "m³/h") or the captions ("C",
/// "m3/h") write it, in any case; litres per second ("L/s") for a water flow too. Nothing when
/// `name` is no unit of that quantity ("kg" for a temperature).
std::optional<HeaderUnit> UnitNamed(Quantity quantity, std::string_view name);

/// @param us a value in US customary units
/// @return the value in SI units, double precision
double ToSI(Quantity quantity, double us) noexcept;

/// @param si a value in SI units
/// @return the value in US customary units, double precision
double ToUS(Quantity quantity, double si) noexcept;

/// An input value as the calculation takes it: converted from `value` in `units` and rounded
/// once to single precision.
float InputFromUnits(Quantity quantity, UnitSystem units, double value) noexcept;

/// A value of the calculation in `units`, double precision (the US value itself for kUS).
double ValueInUnits(Quantity quantity, UnitSystem units, double us) noexcept;

/// The shortest decimal that InputFromUnits reads back as `us`: the SI text of a single-precision
/// value from which the calculation gets that very value again ("25.555556" for 78 °F), without
/// an exponent where it fits. For kUS the shortest decimal of `us` itself. Returns the end of the
/// text written from `out`, which has room for kNumberTextCapacity characters.
char* WriteLossless(char* out, Quantity quantity, UnitSystem units, float us);

/// The same for a double-precision value (result 8): the shortest decimal whose conversion back
/// gives `us` again, or where none does, the converted value to seventeen figures.
char* WriteLossless(char* out, Quantity quantity, UnitSystem units, double us);

/// The quantity kind of each result column.
struct ColumnUnits {
    Quantity quantity;
};

/// What an input measures and its default in SI: the shortest SI text that converts to the very
/// default the calculation takes in US units, so that the default design is the same design in
/// either system.
struct InputUnits {
    Quantity quantity;
    std::string_view siDefaultText;
};

inline constexpr InputArray<InputUnits> kInputUnits{{{
    {Quantity::kPressure, "101.35293"},
    {Quantity::kTemperature, "18.333333"},
    {Quantity::kTemperature, "29.444444"},
    {Quantity::kTemperature, "40.555556"},
    {Quantity::kTemperatureDifference, "7.222222"},
    {Quantity::kMassRatio, "1"},
    {Quantity::kWaterFlow, "227.12471"},
    {Quantity::kDimensionless, "3"},
    {Quantity::kPercentage, "0.001"},
    {Quantity::kTemperature, "15.555556"},
    {Quantity::kFanPressure, "0.12442"},
    {Quantity::kPercentage, "75"},
}}};

inline constexpr ResultArray<ColumnUnits> kResultUnits{{{
    {Quantity::kDimensionless},
    {Quantity::kTemperature},
    {Quantity::kTemperatureDifference},
    {Quantity::kWaterFlow},
    {Quantity::kWaterFlow},
    {Quantity::kWaterFlow},
    {Quantity::kWaterFlow},
    {Quantity::kTemperature},
    {Quantity::kHeatFlow},
    {Quantity::kDryAirFlow},
    {Quantity::kEnthalpy},
    {Quantity::kEnthalpy},
    {Quantity::kSpecificVolume},
    {Quantity::kAirVolumeFlow},
    {Quantity::kPower},
    {Quantity::kPower},
}}};

/// Whether a caption names its values' unit.
enum class UnitShown : std::uint8_t {
    kAlways,
    kNever,   ///< a ratio or count that names none ("Test L/G", "Hours Above Setpoint")
    kSIOnly,  ///< a US caption first written without its unit, which scripts read ("Twb")
};

/// A column's caption: a base name and what its values measure. The unit in parentheses comes
/// from one table (CaptionUnit) in either unit system, so that no output lists captions of its
/// own and a caption reads the same wherever it is written: "Cold Water Reached (F)" and
/// "Cold Water Reached (C)" are {"Cold Water Reached", Quantity::kTemperature}.
struct Caption {
    std::string_view base;
    Quantity quantity = Quantity::kDimensionless;
    UnitShown unitShown = UnitShown::kAlways;
};

/// The unit a caption of `quantity` names in `units`: UnitOf's, but for the spellings the
/// results' US captions have always had ("mmBtu/Hr", "klb/HR", "cf/lb"); "" for none.
std::string_view CaptionUnit(Quantity quantity, UnitSystem units) noexcept;

/// "Base (unit)", or the base alone when the caption names no unit.
std::string CaptionText(const Caption& caption, UnitSystem units);

/// The base of a caption that ends in its US unit: "Atmos Press" of "Atmos Press (psia)".
constexpr std::string_view CaptionBase(std::string_view usCaption, Quantity quantity) noexcept {
    if (quantity == Quantity::kDimensionless) return usCaption;
    return usCaption.substr(0, usCaption.rfind(" ("));
}

/// The caption of an input or result: the window's US caption is its text in US units.
constexpr Caption CaptionOf(Input i) noexcept {
    return {CaptionBase(kInputs[i].caption, kInputUnits[i].quantity), kInputUnits[i].quantity};
}
constexpr Caption CaptionOf(Result j) noexcept {
    return {CaptionBase(kResults[j].caption, kResultUnits[j].quantity), kResultUnits[j].quantity};
}

/// The caption of an input or result in a unit system.
std::string CaptionIn(Input i, UnitSystem units);
std::string CaptionIn(Result j, UnitSystem units);

/// The exact text of a value the calculation took or formed, the one value writer of each unit
/// system: in US units the shortest plain decimal that reads back to `us`; in SI the shortest
/// text that converts back to it (WriteLossless).
NumberText ExactText(Quantity quantity, UnitSystem units, float us);

/// The text of a result of `quantity` in `units` by the result text rule: the converted value
/// rounded to single precision, as the calculation stores its results.
std::string ResultTextIn(Quantity quantity, UnitSystem units, float us);

/// The text of result `j` in `units` by the result text rule: the converted value rounded to
/// single precision, as the calculation stores its results (result 8 stays double). For kUS and
/// every dimensionless result, the same text as PerformanceResults::Text.
std::string ResultTextIn(const PerformanceResults& results, Result j, UnitSystem units,
                         NumberMarks marks = {});

}  // namespace veltrane
