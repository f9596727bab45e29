#include "usable_values.h"

#include <cmath>

#include "design_checks.h"

namespace veltrane {
namespace {

std::string Bound(float value, UnitSystem units) {
    return std::string(PlainShortestText(value).View()) + " " +
           std::string(UnitOf(Quantity::kTemperature, units));
}

}  // namespace

ValueCheck CheckTowerC(float c) {
    if (c > 0.0F) return {};
    return {"C must be above 0"};
}

ValueCheck CheckTowerSlope(float m) {
    if (m >= 0.0F) return {};
    return {"m must not be negative"};
}

ValueCheck CheckSetpoint(double typed, UnitSystem units) {
    const bool si = units == UnitSystem::kSI;
    const float lowest = si ? kLowestSetpointC : kLowestSetpointF;
    const float highest = si ? kHighestSetpointC : kHighestSetpointF;
    if (typed >= static_cast<double>(lowest) && typed <= static_cast<double>(highest)) return {};
    return {"must be a cold water temperature from " + Bound(lowest, units) + " to " +
            Bound(highest, units)};
}

ValueCheck CheckAir(float wetBulb, float dryBulb) {
    if (!std::isfinite(wetBulb) || !std::isfinite(dryBulb))
        return {"wet bulb and dry bulb must be numbers"};
    if (!RefusesWetBulb(wetBulb, dryBulb)) return {};
    return {"wet bulb must not be above the dry bulb"};
}

ValueCheck CheckEfficiency(float percent) {
    if (percent > 0.0F && percent <= 100.0F) return {};
    return {"must be above 0 % and at most 100 %"};
}

ValueCheck CheckRange(float range) {
    if (range > 0.0F && std::isfinite(range)) return {};
    return {"must be above 0"};
}

NumberError ReadInputIn(std::string_view text, Quantity quantity, UnitSystem units, float& value) {
    float read = 0.0F;
    const NumberError error = ReadInputNumber(text, read);
    if (error != NumberError::None) return error;
    if (units == UnitSystem::kUS) {
        value = read;
        return NumberError::None;
    }
    return InputInUnits(ReadAcceptedNumberAsDouble(text), quantity, units, value);
}

NumberError InputInUnits(double typed, Quantity quantity, UnitSystem units, float& value) {
    if (!std::isfinite(typed)) return NumberError::OutOfRange;
    // The rule ReadInputNumber applies to a US text: a value that rounds to infinity in single
    // precision is out of range.
    const float converted = InputFromUnits(quantity, units, typed);
    if (!std::isfinite(converted)) return NumberError::OutOfRange;
    value = converted;
    return NumberError::None;
}

}  // namespace veltrane
