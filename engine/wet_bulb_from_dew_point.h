#pragma once
// The wet bulb of air known by its dry bulb, dew point and pressure, as weather files give it.
//
// The wet bulb is the one whose vapour pressure by the calculation's own psychrometer relation
// (VaporPressureFromWetBulb over SatPressure, steps 10 and 11 of the entering air) equals the
// vapour pressure of the dew point: the entering air's humidity ratio and enthalpy are then
// those of the weather, whatever the wet bulb. The dew point's vapour pressure is SatPressure's
// at 32 °F and above. Below 32 °F a weather file's dew point is a frost point, saturated over
// ice, whose vapour pressure is lower than over liquid water at the same temperature (by about
// 17 % at 0 °F); the liquid line there would make the air too humid.

#include "status.h"

namespace veltrane {

/// The freezing point, °F: dew points below it are frost points.
inline constexpr float kFrostPointBelow = 32.0F;
/// The solved wet bulb lies within this of the exact root of the relation, °F.
inline constexpr float kWetBulbTolerance = 0.0005F;
/// No wet bulb takes more evaluations of the relation than this, both ends included: over
/// Chicago's typical year regula falsi takes 7.7 on average and 19 at most, bisection alone over
/// the bracket about 20.
inline constexpr int kWetBulbEvaluationLimit = 60;
/// From this many evaluations on the search bisects only.
inline constexpr int kWetBulbSecantEvaluations = 16;

/// Saturation pressure of water vapour over ice, by the ASHRAE Handbook—Fundamentals (2017,
/// chapter 1, equation 5, the Hyland–Wexler form), valid from −148 °F to 32 °F. Evaluated in
/// double precision, rounded once.
/// @param t    [in] temperature, °F
/// @param psat [out, result] psia
Status SatPressureOverIce(float t, float& psat);

/// Vapour pressure of air of this dew point: SatPressure at 32 °F and above, SatPressureOverIce
/// (a frost point) below.
/// @param dewPoint [in] °F
/// @param pv       [out, result] psia
Status DewPointVapourPressure(float dewPoint, float& pv);

enum class WetBulbOutcome {
    kSolved,
    kDewPointAboveDryBulb,  ///< more vapour than saturated air at the dry bulb holds
    kNotBracketed,          ///< a property function faulted or the relation has no root
};

struct WetBulbSolution {
    WetBulbOutcome outcome = WetBulbOutcome::kNotBracketed;
    float wetBulb = 0.0F;  ///< °F, when solved
    int evaluations = 0;   ///< of the psychrometer relation
};

/// The wet bulb of the air, searched between well below the dew point and the dry bulb. Pure.
/// @param dryBulb  [in] °F
/// @param dewPoint [in] °F, a frost point below 32 °F
/// @param p        [in] total pressure, psia
WetBulbSolution WetBulbFromDewPoint(float dryBulb, float dewPoint, float p);

}  // namespace veltrane
