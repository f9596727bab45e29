#pragma once
// The points behind a demand chart as delimited text, for a spreadsheet: the same numbers the
// chart draws, each written so that it reads back to the very value calculated.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "csv_format.h"
#include "demand_curves.h"
#include "units.h"

namespace veltrane {

/// The chart's approaches besides the design's own, K, when none are asked for in SI units: the
/// whole kelvins nearest the US defaults (5, 7, 10, 15 and 20 °F), so that the labels read as an
/// SI chart's rather than as converted °F.
inline constexpr std::array<double, 5> kDefaultApproachesSI{3.0, 4.0, 6.0, 8.0, 11.0};

/// The approaches a demand chart draws when none are asked for, °F as the calculation takes them:
/// DemandChartRequest's defaults in US units, kDefaultApproachesSI each converted once in SI.
std::vector<float> DefaultChartApproaches(UnitSystem units);

/// "Approach (F)" or "Approach (K)": the approach column's caption with its unit.
std::string ApproachCaption(UnitSystem units);

/// A header line `approachCaption`, LG, KaVL, then one line per point, curve by curve, the
/// fields separated and the numbers marked as `format` says. The approach is in `units` (a
/// temperature difference: °F or K), as the shortest text that converts back to the curve's
/// single-precision approach; L/G and KaV/L are dimensionless in both systems, the shortest
/// decimals of their values.
std::string DemandPointsText(const DemandChart& chart, UnitSystem units,
                             std::string_view approachCaption, CsvFormat format = {});

}  // namespace veltrane
