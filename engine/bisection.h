#pragma once
// Bisection down to adjacent single-precision values, for the searches whose predicate turns
// once from true to false: the demand curves' pole and tower crossing, and the rating's boiling
// limit.

#include <cmath>

#include "ieee_step.h"

namespace veltrane::detail {

/// Bisection in single precision reaches adjacent values long before this many halvings.
inline constexpr int kMaxBisections = 100;

/// Narrows [low, high] to adjacent single-precision values around the one place where
/// `belowIt` turns from true to false; true at `low`, false at `high`.
template <typename Predicate>
void BisectToAdjacent(float& low, float& high, Predicate belowIt) {
    for (int i = 0; i < kMaxBisections && std::nextafter(low, high) < high; ++i) {
        const float middle = Midpoint(low, high);
        (belowIt(middle) ? low : high) = middle;
    }
}

}  // namespace veltrane::detail
