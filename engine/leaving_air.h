#pragma once
// The leaving air solved exactly: air saturated at the leaving enthalpy hOut (step 14 of the
// calculation), its temperature found to the adjacent single-precision temperatures on the
// saturation curve, and its humidity ratio and specific volume taken at that temperature.
//
// The window's exit-air search (step 15) stops at a 1 % change of its temperature in °F and
// hands on the humidity ratio of its last trial, not of the temperature it reports: its texts
// are kept as they stand, but water taken from it is off by several percent and not monotonic
// in the weather. Totals over a year (evaporation, blowdown, makeup, fan energy) use this one.

#include <vector>

#include "performance.h"

namespace veltrane {

/// The solved temperature lies within this of the saturated air at hOut, °F. The search closes
/// to adjacent temperatures (about 1e-5 °F); this is what it must reach within its limit.
inline constexpr float kLeavingAirTolerance = 0.001F;
/// No leaving air takes more evaluations of the saturated enthalpy than this (both ends
/// included): regula falsi takes about 6, bisection alone over 200 °F at most 45.
inline constexpr int kLeavingAirEvaluationLimit = 60;
/// From this many evaluations on the search bisects only.
inline constexpr int kLeavingAirSecantEvaluations = 12;

/// One evaluation of the saturated enthalpy, in the order made.
struct LeavingAirTrial {
    float temperature;  ///< °F
    double excess;      ///< saturated enthalpy at the temperature less hOut, Btu/lb dry air
};

struct LeavingAir {
    bool found = false;               ///< false: the search bracket held no saturated air at hOut
    float temperature = 0.0F;         ///< °F
    float saturationPressure = 0.0F;  ///< psia, at the temperature
    float humidityRatio = 0.0F;       ///< lb water per lb dry air, saturated at the temperature
    float specificVolume = 0.0F;      ///< ft³ per lb dry air, at the temperature
    int evaluations = 0;              ///< of the saturated enthalpy
    std::vector<LeavingAirTrial> trials;  ///< every evaluation, when asked for
};

/// The saturated air of enthalpy hOut between two temperatures. Pure.
/// @param hOut     [in] enthalpy of the leaving air, Btu/lb dry air
/// @param p        [in] total pressure, psia
/// @param lowEnd   [in] a temperature at or below the leaving air, °F (the wet bulb)
/// @param highEnd  [in] a temperature at or above it, °F (the hot water)
/// @param keepTrials [in] whether to keep every evaluation in `trials`
/// @return not found when hOut lies outside the saturated enthalpies at the two ends, a
///         property function faults there, or the limit is reached before the tolerance
LeavingAir SolveLeavingAir(float hOut, float p, float lowEnd, float highEnd,
                           bool keepTrials = false);

/// The calculation with the exact leaving air. Steps 1 to 14 as the window calculates them;
/// then tExit, psatExit and wExit are the exact leaving air's, searched between the wet bulb
/// and the hot water, and steps 16 to 23 follow from it. When no leaving air is found, tExit,
/// wExit and every quantity that follows from them are NaN.
/// @param inputs     [in] the design
/// @param leavingAir [out, optional] the search, its trials kept
WorkingQuantities CalculateWithExactLeavingAir(const DesignInputs& inputs,
                                               LeavingAir* leavingAir = nullptr);

/// The sixteen results with the exact leaving air; result 7 is its temperature.
PerformanceResults CalculatePerformanceExactLeavingAir(const DesignInputs& inputs) noexcept;

/// Which leaving air the results that follow from it are taken from.
enum class LeavingAirRule {
    kWindow,  ///< the window's exit-air search, its 1 % rule and last-trial humidity ratio
    kExact,   ///< the saturated air at hOut, solved exactly
};

/// The sixteen results with the leaving air of the rule.
PerformanceResults CalculatePerformance(const DesignInputs& inputs, LeavingAirRule rule) noexcept;

}  // namespace veltrane
