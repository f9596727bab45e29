#pragma once
// --maker-curves CURVES.csv: the maker's performance curves, in the columns --curves-csv writes.

#include <optional>
#include <string>

#include "csv_format.h"
#include "maker_curves.h"
#include "units.h"

namespace veltrane::cli {

/// The checked curves of the file at `path`, temperatures read in `units`; nothing, with `error`
/// set to one line "FILE:LINE: why" (or "--maker-curves: why" for the file as a whole), when
/// the file cannot be read, a field is not a number or the curves are refused.
/// `format`: the file's separator and decimal mark.
std::optional<MakerCurves> ReadMakerCurves(const std::string& path, UnitSystem units,
                                           std::string& error, const CsvFormat& format = {});

}  // namespace veltrane::cli
