#pragma once
// The tower whose characteristic passes through the design point: a tower that, at the design's
// L/G, delivers exactly the KaV/L the design demands. Given the slope m of the fill (from its
// supplier, or 0.6 when nothing better is known), C follows from KaV/L_d = C·(L/G_d)^−m.

#include <optional>

#include "performance.h"
#include "rating.h"

namespace veltrane {

/// C = KaV/L_d · (L/G_d)^m, formed in double precision and stored in single, with the design's
/// own KaV/L at its approach and L/G.
/// @param design [in] the design row; its KaV/L must be a demand (every driving force positive)
/// @param m      [in] the characteristic's slope, ≥ 0
/// @return the characteristic, or nothing when the design's KaV/L is not a demand, m is negative
///         or not finite, or C is not a finite positive number
std::optional<TowerCharacteristic> TowerThroughDesignPoint(const DesignInputs& design, float m);

}  // namespace veltrane
