#pragma once
// Which CSV convention the inputs are read in: the program's own (',' between fields, '.' for
// the decimal mark) or, with --decimal-comma, a decimal-comma spreadsheet's (';' and ','). A
// file of the other convention read by the wrong one gives a wrong answer or a puzzling one
// ("no column P"), so a file that looks separated by ';' is refused unless the option is given.

#include <string>
#include <string_view>

#include "calc_options.h"
#include "csv_reader.h"

namespace veltrane::cli {

/// Why a file that looks separated by ';' is not read, after its place.
inline constexpr std::string_view kSemicolonRefusal =
    "looks separated by ';': give --decimal-comma to read a decimal-comma file";

/// The convention the options read CSV inputs in.
CsvFormat CsvFormatOf(const CalcOptions& options);

/// True when a file's first record, read in `format`, would be a decimal-comma file's: one field
/// that holds a ';', where `format` separates by ','.
bool LooksSemicolonSeparated(const CsvRecord& first, const CsvFormat& format);

/// "FILE:LINE: looks separated by ';' ..." for the first CSV input file the options name (rows,
/// DESIGN.csv, the maker's curves, a load file) that looks so in their convention; empty when
/// none does. Standard input is not looked at here: reading it would consume it.
std::string SemicolonInput(const CalcOptions& options);

}  // namespace veltrane::cli
