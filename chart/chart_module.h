#pragma once
// The entry point of the chart module, the shared library that veltrane-calc loads only when it
// is asked for a chart, so that its every other start loads no Qt. Both sides are built from
// the same tree by the same compiler, so the chart passes as a C++ object.

#include <cstddef>

#include "demand_curves.h"
#include "performance_curves.h"

namespace veltrane::chart {

/// Writes `chart` to the file at `path` (UTF-8) in `format` (a ChartFormat as int). Returns true
/// on success; otherwise writes one line saying why into `error` (NUL-terminated).
using WriteChartFunction = bool (*)(const DemandChart* chart, const char* path, int format,
                                    char* error, std::size_t errorSize);

inline constexpr const char* kWriteChartSymbol = "veltrane_write_chart";

/// Writes the performance curves as WriteChartFunction writes the demand chart.
using WriteCurvesFunction = bool (*)(const PerformanceCurves* curves, const char* path, int format,
                                     char* error, std::size_t errorSize);

inline constexpr const char* kWriteCurvesSymbol = "veltrane_write_curves";

}  // namespace veltrane::chart
