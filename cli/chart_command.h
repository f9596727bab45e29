#pragma once
// --chart and --demand: the first design's demand curves, drawn by the chart module and written
// as CSV points.

#include <string>

#include "calc_options.h"
#include "demand_curves.h"
#include "performance_curves.h"
#include "test_report.h"
#include "units.h"

namespace veltrane::cli {

/// The chart that the options ask for, of one design.
DemandChart BuildChart(const CalcOptions& options, const DesignInputs& design);

/// The points behind the chart: a header Approach,LG,KaVL (in SI "Approach (K),LG,KaVL") and one
/// row per point, curve by curve, each number the shortest text that reads back to the same
/// single-precision value, the approach in `units`.
std::string DemandCsv(const DemandChart& chart, UnitSystem units);

/// Writes the text to the file at `path`; false with `error` set to one line when it cannot.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);

/// Draws the performance curves into `path` (SVG, PDF or PNG by its extension) through the
/// chart module, their numbers in `units`; false with `error` set to one line when it cannot.
bool DrawCurves(const PerformanceCurves& curves, UnitSystem units, const std::string& path,
                std::string& error);

/// Writes the acceptance test's report, a PDF on `paper`, into `path` through the chart module;
/// false with `error` set to one line when it cannot.
bool DrawTestReport(const TestReport& report, PaperSize paper, const std::string& path,
                    std::string& error);

/// Writes what --chart and --demand ask for. Empty when done, else the one line that says what
/// could not be done.
std::string WriteChartOutputs(const CalcOptions& options, const DesignInputs& design);

}  // namespace veltrane::cli
