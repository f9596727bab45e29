#pragma once
// The design an acceptance test is judged against: the one row of --acceptance DESIGN.csv (or
// the defaults), with the slope, the design fan power and the draft of the options.

#include <optional>
#include <string>

#include "acceptance.h"
#include "calc_options.h"

namespace veltrane::cli {

/// Steps 1 and 2 of the design the options name; nothing, with `error` set to one line, when
/// its file cannot be read, does not hold exactly one sound row, or the design cannot be
/// evaluated against (its own KaV/L has no meaning, its flow or fan power is not positive).
std::optional<DesignBasis> AcceptanceBasis(const CalcOptions& options, std::string& error);

}  // namespace veltrane::cli
