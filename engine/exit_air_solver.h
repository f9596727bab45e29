#pragma once
// Temperature of saturated air of a given enthalpy: bisection on the enthalpy residual
// r(x) = hTarget − hsat(x), with a relative tolerance on the temperature in °F.
// Parameter order as the property functions: inputs, further outputs, result.

#include <array>
#include <cstdint>

#include "status.h"

namespace veltrane {

/// The counter is 16-bit, as it has always been (docs/kept-as-is.md); the limit fits it with room
/// to spare.
inline constexpr std::int16_t kSolverIterationLimit = 50;
/// The search stops once the midpoint moves by less than this share of its own value (°F): a
/// loose rule kept on purpose, since every exit-air result depends on it (docs/kept-as-is.md).
inline constexpr float kSolverRelativeTolerance = 0.01F;
/// Handed back when the iteration limit is reached; the calculation uses it as it stands.
inline constexpr float kSolverNoSolution = -1.0F;

/// Which end of the bracket an iteration moved to its midpoint.
enum class BracketMove : std::int8_t {
    kNeither,  ///< a product of exactly zero
    kUp,       ///< the low end rose to the midpoint
    kDown,     ///< the high end fell to the midpoint
};

/// The midpoints a search tested and how each moved the bracket, for checking the search and
/// for the worksheet. An iteration that faults records its midpoint with kNeither.
struct SolverTrace {
    std::int16_t iterations = 0;
    std::array<float, kSolverIterationLimit> mids{};
    std::array<BracketMove, kSolverIterationLimit> moves{};
};

/// Product of the residuals at a and b: r(a) × r(b), single precision.
/// @param a, b    [in] temperatures, °F
/// @param hTarget [in] enthalpy sought, Btu/lb dry air
/// @param p       [in] total pressure, psia
/// @param psat    [out] saturation pressure at b, psia (holds the value at a in between)
/// @param ws      [out] humidity ratio of air saturated at b, lb/lb
/// @param product [out, result]
Status BracketResidual(float a, float b, float hTarget, float p, float& psat, float& ws,
                       float& product);

/// Bisection between the two ends, which need not be in order; the caller's ends are copied and
/// never changed. The further outputs belong to the last midpoint tested, while the temperature
/// handed back is the midpoint after that iteration's move. No check is made that the bracket
/// holds a sign change: without one the search creeps to within the tolerance of one end.
/// @param lowEnd, highEnd [in] bracket, °F
/// @param hTarget         [in] enthalpy sought, Btu/lb dry air
/// @param p               [in] total pressure, psia
/// @param psat            [out] saturation pressure at the last midpoint tested, psia
/// @param ws              [out] saturation humidity ratio at the last midpoint tested, lb/lb
/// @param temperature     [out, result] °F, or kSolverNoSolution after kSolverIterationLimit
///                        products (not a fault)
/// @param trace           [out, optional] the midpoints tested
/// A fault (from a property function, a product, or a new midpoint of exactly zero) ends the
/// search at once; the further outputs keep whatever the last completed calls wrote.
Status SolveSatTemperature(float lowEnd, float highEnd, float hTarget, float p, float& psat,
                           float& ws, float& temperature, SolverTrace* trace = nullptr);

}  // namespace veltrane
