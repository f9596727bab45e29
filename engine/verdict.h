#pragma once
// The verdict of an acceptance test: whether the tower, as tested, meets its design, by the
// method the contract names.

#include <optional>
#include <string>
#include <string_view>

#include "units.h"

namespace veltrane {

enum class AcceptanceMethod {
    kCharacteristic,  ///< the characteristic-curve method (acceptance.h)
    kCurves,          ///< the maker's performance curves (maker_curves.h)
};

/// "characteristic" or "curves", as `--method` takes it; nothing for any other text.
std::optional<AcceptanceMethod> ParseAcceptanceMethod(std::string_view text) noexcept;

/// The method's name for captions and the report: "characteristic curve", "maker's curves".
std::string_view AcceptanceMethodName(AcceptanceMethod method) noexcept;

/// The method that decides: the one asked for, else the maker's curves when they are given (a
/// contract names them), else the characteristic curve. Nothing when the curves are asked for
/// but not given (kCurvesNotGiven says why).
std::optional<AcceptanceMethod> DecidingMethod(bool curvesGiven,
                                               std::optional<AcceptanceMethod> asked) noexcept;
inline constexpr std::string_view kCurvesNotGiven =
    "the maker's curves are to decide, but none are given";

/// A capability at or above this meets the design, percent.
inline constexpr float kFullCapability = 100.0F;

struct Verdict {
    bool meetsDesign = false;
    /// "meets the design", or "deficient: capability X %, cold water Y °F warmer than the design
    /// tower predicts at the test conditions" (K under SI; "cooler" should the cold water be so).
    std::string text;
};

/// The verdict on the mean reading's capability (percent) and cold-water deviation (measured −
/// predicted, °F), both by the deciding method; "no verdict: ..." when either is not finite.
Verdict JudgeCapability(float capability, float coldWaterDeviation, UnitSystem units);

/// A capability below 100 % as text that never reads 100.0: one decimal, or as many more (up to
/// six, enough for every single-precision value below 100) as keep it below 100: "93.2" for
/// 93.16, "99.99" for 99.99 (one decimal would give 100.0), "99.996", "99.99999" for the float
/// next below 100.
std::string DeficientCapabilityText(float capability);

}  // namespace veltrane
