#include "units.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

#include "constants.h"
#include "number_text.h"

namespace veltrane {
namespace {

// The definitions the factors are built from (NIST Special Publication 811, appendix B; exact
// unless said otherwise).
constexpr double kKilogramsPerPound = 0.45359237;
constexpr double kCubicMetresPerGallon = 0.003785411784;     // 231 in³
constexpr double kCubicMetresPerCubicFoot = 0.028316846592;  // 0.3048³
constexpr double kJoulesPerBtu = 1055.05585262;              // international table Btu
constexpr double kKilopascalsPerPsi = 6.894757293168361;  // 4.4482216152605 N per in², 16 figures
constexpr double kKilopascalsPerInchOfWater = 0.24884;  // water at 60 °F, NIST's conventional value
constexpr double kFahrenheitPerKelvin = 1.8;
constexpr double kKilojoulesPerKgPerBtuPerLb = 2.326;  // 1 Btu/lb, exact by the Btu's definition
/// The US enthalpy of dry air at 32 °F, the SI datum: 0.24 Btu/lb·°F × 32 °F.
constexpr double kEnthalpyDatumBtuPerLb = 7.68;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kWattsPerKilowatt = 1000.0;
constexpr double kCubicMetresPerHourPerGpm = kCubicMetresPerGallon * kMinutesPerHour;
constexpr double kCubicMetresPerHourPerCfm = kCubicMetresPerCubicFoot * kMinutesPerHour;

constexpr std::array<UnitConversion, 23> kConversions{{
    {Quantity::kDimensionless, "", "", 1.0, 1.0, 0.0},
    {Quantity::kMassRatio, "lb/lb", "kg/kg", 1.0, 1.0, 0.0},
    {Quantity::kPercentage, "%", "%", 1.0, 1.0, 0.0},
    {Quantity::kTemperature, "F", "C", 1.0, kFahrenheitPerKelvin,
     static_cast<double>(kFreezingPointF)},
    {Quantity::kTemperatureDifference, "F", "K", 1.0, kFahrenheitPerKelvin, 0.0},
    {Quantity::kPressure, "psia", "kPa", kKilopascalsPerPsi, 1.0, 0.0},
    {Quantity::kFanPressure, "inH2O", "kPa", kKilopascalsPerInchOfWater, 1.0, 0.0},
    {Quantity::kWaterFlow, "gpm", "m3/h", kCubicMetresPerHourPerGpm, 1.0, 0.0},
    {Quantity::kWaterVolume, "gal", "m3", kCubicMetresPerGallon, 1.0, 0.0},
    // Thousand lb/h to thousand kg/h.
    {Quantity::kDryAirFlow, "klb/h", "t/h", kKilogramsPerPound, 1.0, 0.0},
    // A million Btu per hour to MW: the millions cancel.
    {Quantity::kHeatFlow, "mmBtu/h", "MW", kJoulesPerBtu, kSecondsPerHour, 0.0},
    {Quantity::kPower, "hp", "kW", kKilowattsPerHorsepower, 1.0, 0.0},
    {Quantity::kEnergy, "kWh", "kWh", 1.0, 1.0, 0.0},
    {Quantity::kEnthalpy, "Btu/lb", "kJ/kg", kKilojoulesPerKgPerBtuPerLb, 1.0,
     kEnthalpyDatumBtuPerLb},
    {Quantity::kSpecificVolume, "ft3/lb", "m3/kg", kCubicMetresPerCubicFoot, kKilogramsPerPound,
     0.0},
    // Thousand ft³/min to thousand m³/h.
    {Quantity::kAirVolumeFlow, "1000 cfm", "1000 m3/h", kCubicMetresPerHourPerCfm, 1.0, 0.0},
    {Quantity::kHours, "h", "h", 1.0, 1.0, 0.0},
    {Quantity::kMassFlow, "lb/h", "kg/h", kKilogramsPerPound, 1.0, 0.0},
    {Quantity::kHeatRate, "Btu/h", "kW", kJoulesPerBtu, kSecondsPerHour* kWattsPerKilowatt, 0.0},
    // A difference of two enthalpies: the datum cancels.
    {Quantity::kEnthalpyDifference, "Btu/lb", "kJ/kg", kKilojoulesPerKgPerBtuPerLb, 1.0, 0.0},
    {Quantity::kReciprocalEnthalpyDifference, "lb/Btu", "kg/kJ", 1.0, kKilojoulesPerKgPerBtuPerLb,
     0.0},
    {Quantity::kDensity, "lb/ft3", "kg/m3", kKilogramsPerPound, kCubicMetresPerCubicFoot, 0.0},
    {Quantity::kAirVolumeRate, "ft3/min", "m3/h", kCubicMetresPerHourPerCfm, 1.0, 0.0},
}};

constexpr bool ConversionsInKindOrder() {
    for (std::size_t k = 0; k < kConversions.size(); ++k) {
        if (static_cast<std::size_t>(kConversions[k].quantity) != k) return false;
    }
    return true;
}
static_assert(ConversionsInKindOrder());

/// The US units of the results' captions that are spelt otherwise than the worksheet writes them;
/// kept, as scripts read the captions.
constexpr std::array<std::pair<Quantity, std::string_view>, 3> kOldCaptionUnits{{
    {Quantity::kHeatFlow, "mmBtu/Hr"},
    {Quantity::kDryAirFlow, "klb/HR"},
    {Quantity::kSpecificVolume, "cf/lb"},
}};

/// The largest number of significant figures a double needs to read back as itself.
constexpr int kMaxFigures = 17;

/// `value` rounded to `figures` significant decimal figures.
double RoundToFigures(double value, int figures) {
    char text[kNumberTextCapacity];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, figures - 1);
    double rounded = value;
    std::from_chars(text, written.ptr, rounded);
    return rounded;
}

/// The shortest decimal of `value` converted to `units` that `landsOnValue` accepts.
template <typename Value, typename LandsOnValue>
char* WriteShortestLanding(char* out, Quantity quantity, UnitSystem units, Value value,
                           LandsOnValue landsOnValue) {
    const double converted = ValueInUnits(quantity, units, static_cast<double>(value));
    if (units == UnitSystem::kUS || !std::isfinite(converted)) return WriteShortest(out, value);
    for (int figures = 1; figures <= kMaxFigures; ++figures) {
        const double candidate = RoundToFigures(converted, figures);
        if (landsOnValue(candidate)) return WritePlainShortest(out, candidate);
    }
    return WritePlainShortest(out, converted);
}

/// m³/h per litre per second.
constexpr double kCubicMetresPerHourPerLitrePerSecond = 3.6;

/// A unit's name as the captions write it: in lower case, "°" dropped and "³" a "3", so that
/// "°C", "C" and "c" are one name.
std::string UnitKey(std::string_view name) {
    std::string key;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::string_view rest = name.substr(i);
        if (rest.starts_with("\u00B0")) {
            i += std::string_view("\u00B0").size() - 1;
        } else if (rest.starts_with("\u00B3")) {
            key += '3';
            i += std::string_view("\u00B3").size() - 1;
        } else {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
        }
    }
    return key;
}

}  // namespace

std::optional<HeaderUnit> UnitNamed(Quantity quantity, std::string_view name) {
    const std::string key = UnitKey(TrimBlanks(name));
    if (key.empty()) return std::nullopt;
    for (const UnitSystem units : {UnitSystem::kUS, UnitSystem::kSI}) {
        if (key == UnitKey(UnitOf(quantity, units))) return HeaderUnit{units, 1.0};
    }
    if (quantity == Quantity::kWaterFlow && key == "l/s")
        return HeaderUnit{UnitSystem::kSI, kCubicMetresPerHourPerLitrePerSecond};
    return std::nullopt;
}

const UnitConversion& ConversionOf(Quantity quantity) noexcept {
    return kConversions[static_cast<std::size_t>(quantity)];
}

std::string_view UnitOf(Quantity quantity, UnitSystem units) noexcept {
    const UnitConversion& conversion = ConversionOf(quantity);
    return units == UnitSystem::kSI ? conversion.siUnit : conversion.usUnit;
}

double ToSI(Quantity quantity, double us) noexcept {
    const UnitConversion& c = ConversionOf(quantity);
    return (us - c.usDatum) * c.siPerUs / c.divisor;
}

double ToUS(Quantity quantity, double si) noexcept {
    const UnitConversion& c = ConversionOf(quantity);
    const double scaled = si * c.divisor / c.siPerUs;
    // Adding a zero datum would turn −0 into +0: a pass-through keeps every bit.
    return c.usDatum == 0.0 ? scaled : scaled + c.usDatum;
}

float InputFromUnits(Quantity quantity, UnitSystem units, double value) noexcept {
    if (units == UnitSystem::kUS) return static_cast<float>(value);
    return static_cast<float>(ToUS(quantity, value));
}

double ValueInUnits(Quantity quantity, UnitSystem units, double us) noexcept {
    return units == UnitSystem::kSI ? ToSI(quantity, us) : us;
}

char* WriteLossless(char* out, Quantity quantity, UnitSystem units, float us) {
    return WriteShortestLanding(out, quantity, units, us, [&](double candidate) {
        return InputFromUnits(quantity, units, candidate) == us;
    });
}

char* WriteLossless(char* out, Quantity quantity, UnitSystem units, double us) {
    return WriteShortestLanding(out, quantity, units, us,
                                [&](double candidate) { return ToUS(quantity, candidate) == us; });
}

NumberText ExactText(Quantity quantity, UnitSystem units, float us) {
    if (units == UnitSystem::kUS) return PlainShortestText(us);
    NumberText text;
    text.length = static_cast<std::size_t>(WriteLossless(text.chars.data(), quantity, units, us) -
                                           text.chars.data());
    return text;
}

std::string ResultTextIn(Quantity quantity, UnitSystem units, float us) {
    return ResultText(static_cast<float>(ValueInUnits(quantity, units, static_cast<double>(us))));
}

std::string_view CaptionUnit(Quantity quantity, UnitSystem units) noexcept {
    if (units == UnitSystem::kUS) {
        for (const auto& [kind, unit] : kOldCaptionUnits) {
            if (kind == quantity) return unit;
        }
    }
    return UnitOf(quantity, units);
}

std::string CaptionText(const Caption& caption, UnitSystem units) {
    const bool shown = caption.unitShown == UnitShown::kAlways ||
                       (caption.unitShown == UnitShown::kSIOnly && units == UnitSystem::kSI);
    const std::string_view unit = shown ? CaptionUnit(caption.quantity, units) : "";
    std::string text(caption.base);
    if (unit.empty()) return text;
    text += " (";
    text += unit;
    text += ')';
    return text;
}

std::string CaptionIn(Input i, UnitSystem units) {
    return CaptionText(CaptionOf(i), units);
}

std::string CaptionIn(Result j, UnitSystem units) {
    return CaptionText(CaptionOf(j), units);
}

std::string ResultTextIn(const PerformanceResults& results, Result j, UnitSystem units,
                         NumberMarks marks) {
    if (units == UnitSystem::kUS) return results.Text(j, marks);
    const Quantity quantity = kResultUnits[j].quantity;
    return results.Visit(j, [&](auto value) {
        using Value = decltype(value);
        return ResultText(static_cast<Value>(ToSI(quantity, static_cast<double>(value))), marks);
    });
}

}  // namespace veltrane
