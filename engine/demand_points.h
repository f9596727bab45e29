#pragma once
// The points behind a demand chart as delimited text, for a spreadsheet: the same numbers the
// chart draws, each written so that it reads back to the very value calculated.

#include <string>
#include <string_view>

#include "demand_curves.h"
#include "units.h"

namespace veltrane {

/// "Approach (F)" or "Approach (K)": the approach column's caption with its unit.
std::string ApproachCaption(UnitSystem units);

/// A header line `approachCaption`, LG, KaVL, then one line per point, curve by curve, the
/// fields separated by `separator`. The approach is in `units` (a temperature difference: °F or
/// K), as the shortest text that converts back to the curve's single-precision approach; L/G
/// and KaV/L are dimensionless in both systems, the shortest decimals of their values.
std::string DemandPointsText(const DemandChart& chart, UnitSystem units,
                             std::string_view approachCaption, char separator = ',');

}  // namespace veltrane
