#pragma once
// --curves and --curves-csv: the first design's performance curves, drawn by the chart module
// and written as CSV points.

#include <string>

#include "calc_options.h"
#include "performance_curves.h"

namespace veltrane::cli {

/// The curves the options ask for, of one design: the tower of --tower, or the one through the
/// design point with the slope of --slope; nothing, with `error` set, when the design gives
/// no tower (its own KaV/L has no meaning).
std::optional<PerformanceCurves> BuildCurves(const CalcOptions& options, const DesignInputs& design,
                                             std::string& error);

/// The points: a header Flow (%),Range (%),Twb,TCold and one row per point, curve by curve,
/// each number the shortest decimal that reads back to the same single-precision value. In SI
/// the header is Flow (%),Range (%),Twb (C),TCold (C) and each temperature the shortest °C text
/// that converts back to the very °F value calculated (as --raw writes the rows' results).
std::string CurvesCsv(const PerformanceCurves& curves, UnitSystem units);

/// Writes what --curves and --curves-csv ask for. Empty when done, else the one line that says
/// what could not be done.
std::string WriteCurvesOutputs(const CalcOptions& options, const DesignInputs& design);

}  // namespace veltrane::cli
