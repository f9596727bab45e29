#pragma once
// The worksheet of --trace: every working quantity of a design's calculation with its unit, in
// the order calculated, for checking by hand. Each number is the shortest decimal that reads
// back to the very value the calculation holds.

#include <span>
#include <string>
#include <string_view>

#include "performance.h"
#include "rating.h"

namespace veltrane::cli {

/// Appends the worksheet of the design's calculation; `place` names the design.
void AppendWorksheet(std::string& out, std::string_view place, const DesignInputs& inputs);

/// Appends the design as given, every step of the approach search, then the worksheet of the
/// operating point, or the reason there is none.
void AppendRatingWorksheet(std::string& out, std::string_view place, const DesignInputs& design,
                           TowerCharacteristic tower, const Rating& rating,
                           std::span<const ApproachTrial> trials);

}  // namespace veltrane::cli
