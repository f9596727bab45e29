#pragma once
// What --fit tells beside its CSV row: how sure the fit is, and each row's residual
// (--fit-rows).

#include <string>
#include <vector>

#include "characteristic_fit.h"
#include "units.h"

namespace veltrane::cli {

/// One line: C and m with their 95 % intervals, the rows fitted and the RMS of the cold-water
/// deviations, in `units`.
std::string FitSummary(const CharacteristicFit& fit, UnitSystem units);

/// The CSV of --fit-rows: a header Row,KaV/L,L/G,Cold Water,Deviation and one line per row rated
/// back, the row named by its place in `places` (FILE:LINE), each number the shortest text that
/// reads back, temperatures in `units`.
std::string FitRowsCsv(const CharacteristicFit& fit, const std::vector<std::string>& places,
                       UnitSystem units);

}  // namespace veltrane::cli
