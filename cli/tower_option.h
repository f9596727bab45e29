#pragma once
// --tower C:m, or --tower design:m for the tower through each design point: nobody should have
// to copy C by hand from a chart's footnote when the design row already fixes it.

#include <optional>
#include <string_view>

#include "rating.h"

namespace veltrane::cli {

struct TowerOption {
    TowerCharacteristic given{};  ///< C:m; with design:m only m is given
    bool throughDesign = false;   ///< C from each design row as read

    /// The tower a design row is rated against: C:m as given, or with design:m the tower
    /// through the row as read (before any sweep or weather replaces its inputs); none when
    /// that row has no KaV/L to pass through.
    [[nodiscard]] std::optional<TowerCharacteristic> For(const DesignInputs& rowAsRead) const;
};

/// C:m (C above 0) or design:m, m not negative; refuses anything else (BadOption).
TowerOption ParseTowerOption(std::string_view argument);

/// The note of a row with design:m whose design point gives no tower.
inline constexpr std::string_view kNoTowerThroughDesignNote =
    "no tower through the design point: its KaV/L is not a positive number";

}  // namespace veltrane::cli
