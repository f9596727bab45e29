#pragma once
// What a usable value is, checked once for both front ends: the window marks the box and the
// batch calculator refuses the option or the row, each with the reason given here.
//
// A reason is a phrase that follows the name the front end gives the value: "--setpoint" +
// " must be a cold water temperature from 32 F to 212 F", "Setpoint" + the same.

#include <string>
#include <string_view>

#include "constants.h"
#include "number_text.h"
#include "rating.h"
#include "units.h"

namespace veltrane {

/// A value's check: usable, or why not.
struct ValueCheck {
    std::string reason;  ///< empty when usable; else a phrase that follows the value's name
    [[nodiscard]] bool usable() const noexcept { return reason.empty(); }
};

/// A tower's C, dimensionless: above 0 ("C must be above 0").
[[nodiscard]] ValueCheck CheckTowerC(float c);
/// A tower's slope m, dimensionless: not negative ("m must not be negative").
[[nodiscard]] ValueCheck CheckTowerSlope(float m);

/// The setpoint range: liquid water at sea-level pressure.
inline constexpr float kLowestSetpointF = kFreezingPointF;
inline constexpr float kHighestSetpointF = 212.0F;
inline constexpr float kLowestSetpointC = 0.0F;
inline constexpr float kHighestSetpointC = 100.0F;

/// A cold-water setpoint as typed, in °F (kUS) or °C (kSI): liquid water, from 32 F to 212 F
/// or from 0 C to 100 C, checked in the units typed so that 100 C itself passes.
[[nodiscard]] ValueCheck CheckSetpoint(double typed, UnitSystem units);

/// Inlet air, wet and dry bulb in °F: the wet bulb not above the dry bulb (saturated air, the
/// two equal, passes): "wet bulb must not be above the dry bulb".
[[nodiscard]] ValueCheck CheckAir(float wetBulb, float dryBulb);

/// An efficiency in percent (a motor's, a drive's): above 0 and at most 100.
[[nodiscard]] ValueCheck CheckEfficiency(float percent);

/// A range THot − TCold held by a row or bin, °F: above 0 ("must be above 0").
[[nodiscard]] ValueCheck CheckRange(float range);

/// Reads an input typed in `units` as the calculation takes it: by ReadInputNumber's rules,
/// converted to US units in double precision and rounded once to single precision. A value
/// whose conversion leaves single precision is OutOfRange, as the same value typed in US units
/// is (1e38 m³/h is 4.4e38 gpm).
/// @param text     [in] the typed number
/// @param quantity [in] what it measures
/// @param units    [in] the units it is typed in
/// @param value    [out] the value in US units; untouched unless None is returned
NumberError ReadInputIn(std::string_view text, Quantity quantity, UnitSystem units, float& value);

/// The same for a number already read in double precision (the window's boxes): OutOfRange
/// when it is not finite or its value in US units lies beyond single precision.
NumberError InputInUnits(double typed, Quantity quantity, UnitSystem units, float& value);

}  // namespace veltrane
