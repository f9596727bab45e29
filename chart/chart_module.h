#pragma once
// The entry point of the chart module, the shared library that veltrane-calc loads only when it
// is asked for a chart, so that its every other start loads no Qt. The chart passes as a C++
// object, which only works when both sides were built from the same tree by the same compiler:
// the module says how it was built (its layout tag) and veltrane-calc refuses any other.

#include <cstddef>
#include <string>

#include "chart_format.h"
#include "demand_curves.h"
#include "performance_curves.h"
#include "test_report.h"
#include "veltrane/version.h"

namespace veltrane::chart {

/// Writes `chart` to the file at `path` (UTF-8) in `format` (a ChartFormat as int). Returns true
/// on success; otherwise writes one line saying why into `error` (NUL-terminated).
using WriteChartFunction = bool (*)(const DemandChart* chart, const ChartLook* look,
                                    const char* path, int format, char* error,
                                    std::size_t errorSize);

inline constexpr const char* kWriteChartSymbol = "veltrane_write_chart";

/// Writes the performance curves as WriteChartFunction writes the demand chart, their numbers in
/// `units` (a UnitSystem as int).
using WriteCurvesFunction = bool (*)(const PerformanceCurves* curves, int units, const char* path,
                                     int format, char* error, std::size_t errorSize);

inline constexpr const char* kWriteCurvesSymbol = "veltrane_write_curves";

/// Writes the acceptance test's report as a PDF at `path` (UTF-8) on `paper` (a PaperSize as
/// int), as WriteChartFunction writes a chart.
using WriteTestReportFunction = bool (*)(const TestReport* report, const char* path, int paper,
                                         char* error, std::size_t errorSize);

inline constexpr const char* kWriteTestReportSymbol = "veltrane_write_test_report";

/// Returns the module's layout tag (NUL-terminated, owned by the module).
using LayoutTagFunction = const char* (*)();
inline constexpr const char* kLayoutTagSymbol = "veltrane_chart_layout";

/// Raised whenever what passes between the two sides changes in a way the sizes do not show.
inline constexpr int kChartInterfaceRevision = 6;

/// What both sides must agree on: the version, the interface's revision, the compiler and the
/// sizes of the types handed over.
inline std::string ChartLayoutTag() {
    return std::string(kVersionText) + " interface " + std::to_string(kChartInterfaceRevision) +
           " compiler " + __VERSION__ + " sizes " + std::to_string(sizeof(DemandChart)) + " " +
           std::to_string(sizeof(ChartCurve)) + " " + std::to_string(sizeof(DemandCurve)) + " " +
           std::to_string(sizeof(DemandPoint)) + " " + std::to_string(sizeof(OperatingPoint)) +
           " " + std::to_string(sizeof(TowerCharacteristic)) + " " +
           std::to_string(sizeof(ChartLook)) + " " + std::to_string(sizeof(PerformanceCurves)) +
           " " + std::to_string(sizeof(PerformanceCurve)) + " " +
           std::to_string(sizeof(CurvePoint)) + " " + std::to_string(sizeof(TestReport)) + " " +
           std::to_string(sizeof(ReportField)) + " " + std::to_string(sizeof(ReportRow)) + " " +
           std::to_string(sizeof(ReadingFigure)) + " " + std::to_string(sizeof(ReportReading)) +
           " " + std::to_string(sizeof(MethodResult)) + " " + std::to_string(sizeof(ReportResult)) +
           " " + std::to_string(sizeof(CrossPlot)) + " " + std::to_string(sizeof(PlotPoint));
}

}  // namespace veltrane::chart
