#include "verdict.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::D;

/// Decimals enough for every float below 100: those next to it lie 7.6e-6 apart.
constexpr int kMostCapabilityDecimals = 6;
/// The deviation is written to the 0.01 °F the evaluation resolves.
constexpr int kDeviationDecimals = 2;

std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

/// The deviation's part of a deficient verdict; its sign picks the word, so that no text says
/// "-0.01 °F warmer".
std::string ColdWaterText(float deviation, UnitSystem units) {
    const double value = ValueInUnits(Quantity::kTemperatureDifference, units, D(deviation));
    const std::string_view unit = units == UnitSystem::kSI ? "K" : "°F";
    const std::string magnitude = Fixed(std::fabs(value), kDeviationDecimals);
    const std::string tail = " than the design tower predicts at the test conditions";
    if (std::strtod(magnitude.c_str(), nullptr) == 0.0) {
        return "cold water within 0.005 " + std::string(unit) +
               " of what the design tower predicts at the test conditions";
    }
    return "cold water " + magnitude + " " + std::string(unit) +
           (value > 0.0 ? " warmer" : " cooler") + tail;
}

}  // namespace

std::optional<AcceptanceMethod> ParseAcceptanceMethod(std::string_view text) noexcept {
    if (text == "characteristic") return AcceptanceMethod::kCharacteristic;
    if (text == "curves") return AcceptanceMethod::kCurves;
    return std::nullopt;
}

std::string_view AcceptanceMethodName(AcceptanceMethod method) noexcept {
    return method == AcceptanceMethod::kCurves ? "maker's curves" : "characteristic curve";
}

std::optional<AcceptanceMethod> DecidingMethod(bool curvesGiven,
                                               std::optional<AcceptanceMethod> asked) noexcept {
    if (asked == AcceptanceMethod::kCurves && !curvesGiven) return std::nullopt;
    if (asked) return asked;
    return curvesGiven ? AcceptanceMethod::kCurves : AcceptanceMethod::kCharacteristic;
}

std::string DeficientCapabilityText(float capability) {
    for (int decimals = 1; decimals < kMostCapabilityDecimals; ++decimals) {
        std::string text = Fixed(D(capability), decimals);
        if (std::strtod(text.c_str(), nullptr) < D(kFullCapability)) return text;
    }
    return Fixed(D(capability), kMostCapabilityDecimals);
}

Verdict JudgeCapability(float capability, float coldWaterDeviation, UnitSystem units) {
    if (!std::isfinite(capability) || !std::isfinite(coldWaterDeviation))
        return {false, "no verdict: the mean reading has no capability"};
    if (capability >= kFullCapability) return {true, "meets the design"};
    return {false, "deficient: capability " + DeficientCapabilityText(capability) + " %, " +
                       ColdWaterText(coldWaterDeviation, units)};
}

}  // namespace veltrane
