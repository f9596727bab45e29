#pragma once
// Fault detection for the calculation steps, without the floating-point status flags.
//
// An IEEE operation raises overflow, division by zero or invalid operation exactly when it makes
// an infinity out of finite operands, or a NaN out of operands that hold none. Checking a step's
// value against its operands therefore tells what the sticky flags would have told, yet cannot
// be reordered by the optimiser the way fetestexcept can. Every step evaluates in double from
// single-precision operands, where no intermediate product or sum can overflow; only the
// exponential and the final rounding to single precision can, and both are checked here.

#include <cmath>
#include <limits>

#include "status.h"

namespace veltrane::detail {

template <typename... Operands>
[[nodiscard]] inline bool RaisesFault(double result, Operands... operands) {
    if (std::isnan(result)) return !(std::isnan(static_cast<double>(operands)) || ...);
    if (std::isinf(result)) return (std::isfinite(static_cast<double>(operands)) && ...);
    return false;
}

/// A single-precision operand widened to the double its step evaluates in, written out so that
/// every widening is seen (-Wdouble-promotion).
[[nodiscard]] constexpr double D(float value) noexcept {
    return static_cast<double>(value);
}

/// Rounds a step's double value to the single precision it is stored in. Under IEEE 754 a value
/// beyond the single-precision range becomes an infinity; that rounding is itself an overflow.
[[nodiscard]] inline float RoundToSingle(double value) {
    return static_cast<float>(value);
}

[[nodiscard]] inline bool RoundingOverflows(double value, float rounded) {
    return std::isfinite(value) && std::isinf(rounded);
}

/// One stored step of the calculation: `value`, evaluated in double from `operands`, is rounded
/// to single precision and written to `stored`. ArithmeticFault when the evaluation raised a fault
/// (see RaisesFault) or the rounding overflowed; `stored` then keeps what it held.
template <typename... Operands>
[[nodiscard]] inline Status StoreRounded(double value, float& stored, Operands... operands) {
    const float rounded = RoundToSingle(value);
    if (RaisesFault(value, operands...) || RoundingOverflows(value, rounded)) {
        return Status::ArithmeticFault;
    }
    stored = rounded;
    return Status::Ok;
}

/// The midpoint of a bracket as the searches store it. The mean of two single-precision values
/// always lies within the single-precision range, so the rounding cannot overflow.
[[nodiscard]] inline float Midpoint(float low, float high) {
    return RoundToSingle((static_cast<double>(low) + static_cast<double>(high)) / 2.0);
}

}  // namespace veltrane::detail
