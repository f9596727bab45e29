#pragma once
// The unit of an acceptance test's fan power. Only the ratio of test to design fan power enters
// the evaluation, so both must be the same kind of power (test codes use the motor input) in
// the same unit. A value may say its unit ("12.7hp", "9.5kW", a column "FanPower (kW)"); a bare
// number is in the unit of the other side, as it always was. hp and kW convert by
// kKilowattsPerHorsepower alone.

#include <optional>
#include <string>
#include <string_view>

#include "performance.h"
#include "units.h"

namespace veltrane {

enum class PowerUnit {
    kUnstated,    ///< a bare number: the other side's unit
    kHorsepower,  ///< hp
    kKilowatt,    ///< kW
};

/// A power as typed, with the unit it names.
struct StatedPower {
    float value = 0.0F;  ///< in `unit`
    PowerUnit unit = PowerUnit::kUnstated;
};

struct StatedPowerText {
    StatedPower power;
    std::string error;  ///< empty when read; else why the text is refused
};

/// Reads "12.7hp", "9.5kW", "9.5 kw" (units in any case, blanks allowed before them) or a bare
/// number; the value must be above 0.
[[nodiscard]] StatedPowerText ParseStatedPower(std::string_view text);

/// The unit a readings' column caption names: "FanPower" → kUnstated, "FanPower (hp)" →
/// kHorsepower, "FanPower (kW)" → kKilowatt (names in any case); nothing when the caption is no
/// fan-power column.
[[nodiscard]] std::optional<PowerUnit> FanPowerColumnUnit(std::string_view caption);

/// The factor that brings the readings' fan power into the design's unit: 1 when either is
/// unstated or both are the same.
[[nodiscard]] double ReadingsToDesignPower(PowerUnit design, PowerUnit readings) noexcept;

/// The design fan power when none is given: the design's approximate fan-shaft power, in hp
/// under kUS and in kW under kSI.
[[nodiscard]] StatedPower ApproximateDesignFanPower(const DesignInputs& design, UnitSystem units);

/// The totals' note when the design fan power is ApproximateDesignFanPower.
inline constexpr std::string_view kApproximateFanPowerNote =
    "the design fan power is the design's approximate fan-shaft power: test codes compare the "
    "motor input, so give the design's own where it is known (the fan-power limit shows a "
    "mismatch)";

}  // namespace veltrane
