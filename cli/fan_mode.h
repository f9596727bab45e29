#pragma once
// --setpoint: each design rated against the tower, its fans run to the cold-water setpoint.

#include <string>

#include "fan_control.h"
#include "mode_declaration.h"
#include "rating.h"
#include "tower_option.h"
#include "units.h"

namespace veltrane::cli {

struct FanSettings {
    static constexpr std::string_view kName = "fan";
    static constexpr std::string_view kOption = "--setpoint";
    TowerOption tower;
    FanControl control;  ///< --fan, and the setpoint in °F
    static bool ChosenBy(const CalcOptions& options);
    static std::optional<FanSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
    /// --help lists the options in the order declared.
    static void DeclareOptions(CLI::App& app, CalcOptions& options);
    static void CheckOptions(const CalcOptions& options);
};

/// The setpoint in °F of --setpoint as typed (°F, or °C under --units si).
float SetpointIn(const std::string& typed, UnitSystem units);

}  // namespace veltrane::cli
