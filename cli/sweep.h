#pragma once
// --sweep NAME=FROM:TO:STEP: one input taken over FROM, FROM + STEP, ... up to TO inclusive.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "design_sets.h"
#include "units.h"

namespace veltrane::cli {

/// More values than anyone means to calculate: a STEP typed too small.
inline constexpr std::size_t kMaxSweepValues = 100'000'000;

struct Sweep {
    Input input = Input::kAtmosPress;  ///< the swept input
    double from = 0.0;
    double step = 1.0;
    std::size_t count = 1;  ///< number of values, TO included when a step lands on it
    /// The unit system whose caption named the input, when the caption names a unit that
    /// differs between the systems; none for a short name.
    std::optional<UnitSystem> captionUnits{};

    /// Value k, formed as FROM + k·STEP in double precision so that no error builds up from step
    /// to step, then rounded once to single precision like any input.
    [[nodiscard]] float ValueAt(std::size_t k) const;
};

/// Reads the argument of --sweep. The name is an input's short name or caption in either unit
/// system (a caption may itself hold '=': the last '=' separates). On a malformed argument `error`
/// says what is wrong and nothing is returned.
std::optional<Sweep> ParseSweep(std::string_view argument, std::string& error);

}  // namespace veltrane::cli
