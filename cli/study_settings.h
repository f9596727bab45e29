#pragma once
// --study FILE.veltrane: a study made in the performance window re-run by the batch tool. The
// study stands for what the command line leaves out: the design (the rows of a plain, rated or
// setpoint run, and the design of an acceptance test or a weather year), the tower, the units
// and the settings of the mode chosen; an option given on the command line wins. The options
// still choose the question, so the mapping happens here, once, before the options are checked
// together: a mode sees the same settings as if they had been typed.

#include <string>

#include "calc_options.h"

namespace veltrane::cli {

/// Reads the study options.study names and fills in what the command line did not give for the
/// mode it chooses. One line when the study cannot be read or cannot serve that mode ("the
/// study holds no readings"); empty when taken.
std::string TakeStudy(CalcOptions& options);

}  // namespace veltrane::cli
