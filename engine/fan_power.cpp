#include "fan_power.h"

#include <algorithm>
#include <array>

#include "message_text.h"
#include "number_text.h"

namespace veltrane {
namespace {

struct NamedUnit {
    std::string_view name;
    PowerUnit unit;
};

constexpr std::array<NamedUnit, 2> kPowerUnits{{
    {"hp", PowerUnit::kHorsepower},
    {"kw", PowerUnit::kKilowatt},
}};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

/// The unit that `text` ends with, and the text before it; kUnstated and the whole text when
/// it ends with none.
std::pair<PowerUnit, std::string_view> SplitUnit(std::string_view text) {
    for (const NamedUnit& u : kPowerUnits) {
        if (text.size() >= u.name.size() &&
            EqualIgnoringCase(text.substr(text.size() - u.name.size()), u.name)) {
            return {u.unit, text.substr(0, text.size() - u.name.size())};
        }
    }
    return {PowerUnit::kUnstated, text};
}

}  // namespace

StatedPowerText ParseStatedPower(std::string_view text) {
    StatedPowerText parsed;
    const auto [unit, number] = SplitUnit(TrimBlanks(text));
    float value = 0.0F;
    const NumberError error = ReadInputNumber(number, value);
    if (error != NumberError::None) {
        parsed.error = QuoteForMessage(text) + " is " + std::string(Describe(error)) +
                       " (a power: a number, optionally followed by hp or kW)";
        return parsed;
    }
    if (!(value > 0.0F)) {
        parsed.error = QuoteForMessage(text) + " is not above 0";
        return parsed;
    }
    parsed.power = {value, unit};
    return parsed;
}

std::optional<PowerUnit> FanPowerColumnUnit(std::string_view caption) {
    constexpr std::string_view kName = "FanPower";
    caption = TrimBlanks(caption);
    if (caption.size() < kName.size() || !EqualIgnoringCase(caption.substr(0, kName.size()), kName))
        return std::nullopt;
    const std::string_view rest = TrimBlanks(caption.substr(kName.size()));
    if (rest.empty()) return PowerUnit::kUnstated;
    if (rest.size() < 2 || rest.front() != '(' || rest.back() != ')') return std::nullopt;
    const std::string_view inside = TrimBlanks(rest.substr(1, rest.size() - 2));
    for (const NamedUnit& u : kPowerUnits) {
        if (EqualIgnoringCase(inside, u.name)) return u.unit;
    }
    return std::nullopt;
}

double ReadingsToDesignPower(PowerUnit design, PowerUnit readings) noexcept {
    if (design == PowerUnit::kUnstated || readings == PowerUnit::kUnstated || design == readings)
        return 1.0;
    return design == PowerUnit::kKilowatt ? kKilowattsPerHorsepower : 1.0 / kKilowattsPerHorsepower;
}

StatedPower ApproximateDesignFanPower(const DesignInputs& design, UnitSystem units) {
    const double horsepower =
        static_cast<double>(CalculatePerformance(design).values[Result::kFanPower]);
    return {static_cast<float>(ValueInUnits(Quantity::kPower, units, horsepower)),
            units == UnitSystem::kSI ? PowerUnit::kKilowatt : PowerUnit::kHorsepower};
}

}  // namespace veltrane
