#pragma once
// Moist-air properties in US customary units. Every argument is single precision and every
// step is evaluated in double precision, rounded to single where a value is handed back.
// Parameter order: inputs, then further outputs, then the result. Inputs are never modified.
// On Status::ArithmeticFault the result is not written; further outputs written before the
// faulting step keep their values.

#include "status.h"

namespace veltrane {

/// Saturation pressure of water vapour on the saturation line of the 1967 IFC formulation.
/// Any temperature is evaluated, below freezing and above the critical point alike.
/// @param t        [in]  temperature, °F
/// @param reducedT [out] Tr = (t + 459.67) / Tc, dimensionless
/// @param tau      [out] τ = 1 − Tr, dimensionless
/// @param reducedP [out] Pr = e^L, dimensionless
/// @param psat     [out, result] saturation pressure, psia
/// When e^L exceeds the single-precision range, Pr and Psat are written as +infinity and the
/// fault is signalled after that.
Status SatPressure(float t, float& reducedT, float& tau, float& reducedP, float& psat);

/// Humidity ratio W = 0.622 pv / (P − pv).
/// @param pv [in] partial pressure of water vapour, psia
/// @param p  [in] total pressure, psia
/// @param w  [out, result] lb water per lb dry air. P equal to pv is a division by zero.
Status HumidityRatio(float pv, float p, float& w);

/// Enthalpy of moist air h = (0.444 t + 1061.2) W + 0.24 t.
/// @param t [in] dry-bulb temperature, °F
/// @param w [in] humidity ratio, lb/lb
/// @param h [out, result] Btu per lb dry air
Status MoistAirEnthalpy(float t, float w, float& h);

/// Partial pressure of water vapour from the psychrometer readings (Carrier's equation).
/// @param psatWb [in] saturation pressure at the wet bulb, psia
/// @param p      [in] total pressure, psia
/// @param tdb    [in] dry bulb, °F
/// @param twb    [in] wet bulb, °F
/// @param pv     [out, result] psia
Status VaporPressureFromWetBulb(float psatWb, float p, float tdb, float twb, float& pv);

/// Enthalpy of air saturated at t.
/// @param t    [in] temperature, °F
/// @param p    [in] total pressure, psia
/// @param psat [out] saturation pressure at t, psia (written before the humidity ratio is formed)
/// @param h    [out, result] Btu per lb dry air
Status SatAirEnthalpy(float t, float p, float& psat, float& h);

/// Specific volume of moist air, v = 0.754 (t + 459.8) / (2.036 P) (1 + 28.9 W / 18).
/// @param t [in] temperature, °F
/// @param p [in] total pressure, psia
/// @param w [in] humidity ratio, lb/lb
/// @param v [out, result] ft³ per lb dry air, in double precision and not rounded.
///          P equal to 0 is a division by zero.
Status SpecificVolume(float t, float p, float w, double& v);

}  // namespace veltrane
