#pragma once
// --chart and --demand: the first design's demand curves, drawn by the chart module and written
// as CSV points.

#include <string>

#include "calc_options.h"
#include "demand_curves.h"

namespace veltrane::cli {

/// The chart that the options ask for, of one design.
DemandChart BuildChart(const CalcOptions& options, const DesignInputs& design);

/// The points behind the chart: a header Approach,LG,KaVL and one row per point, curve by
/// curve, each number the shortest decimal that reads back to the same single-precision value.
std::string DemandCsv(const DemandChart& chart);

/// Writes what --chart and --demand ask for. Empty when done, else the one line that says what
/// could not be done.
std::string WriteChartOutputs(const CalcOptions& options, const DesignInputs& design);

}  // namespace veltrane::cli
