#pragma once
// The names of the design rows' columns besides the inputs', and how an input is named.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "design_sets.h"
#include "message_text.h"
#include "units.h"

namespace veltrane::cli {

/// The caption of the column the calculator adds with --check, --tower or --totals.
inline constexpr Caption kNotesCaption{"Notes"};

/// The optional input column of weather bins: hours per year at the row's weather.
inline constexpr Caption kHoursCaption{"Hours", Quantity::kHours, UnitShown::kNever};

/// What a row with Hours adds after its results, in this order.
enum BinColumn : std::size_t {
    kEvaporationVolume,
    kBlowdownVolume,
    kDriftVolume,
    kMakeupVolume,
    kFanEnergy,
    kBinColumnCount,
};
inline constexpr std::array<Caption, kBinColumnCount> kBinColumns = {{
    {"Evaporation", Quantity::kWaterVolume},
    {"Blowdown", Quantity::kWaterVolume},
    {"Drift", Quantity::kWaterVolume},
    {"Makeup", Quantity::kWaterVolume},
    {"Fan Energy", Quantity::kEnergy},
}};
/// With the fan's efficiencies, after the bin columns: the energy the fan takes from the supply.
inline constexpr Caption kFanElectricalEnergyCaption{"Fan Electrical Energy", Quantity::kEnergy};

/// The input named by its short name or its caption, in any case, blanks around it ignored.
std::optional<Input> FindInput(std::string_view name);

}  // namespace veltrane::cli
