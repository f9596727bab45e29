#pragma once
// --weather: a year from a site's hourly weather file, each hour the design row at the hour's
// air, rated against the tower with its fans run to the setpoint; hourly rows or, with
// --monthly, twelve month rows as a plant budgets them.

#include <string>

#include "fan_control.h"
#include "load_profile.h"
#include "mode_declaration.h"
#include "tower_option.h"

namespace veltrane::cli {

struct WeatherSettings {
    static constexpr std::string_view kName = "weather";
    static constexpr std::string_view kOption = "--weather";
    std::string file;  ///< the EPW file
    TowerOption tower;
    /// --fan and the setpoint in °F; without --setpoint the fans run full and the setpoint is
    /// not a number, so no hour is compared with it.
    FanControl control;
    LoadProfile load;  ///< --load, 100 % when not given
    bool monthly = false;
    static bool ChosenBy(const CalcOptions& options);
    static std::optional<WeatherSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
    /// --help lists the options in the order declared.
    static void DeclareOptions(CLI::App& app, CalcOptions& options);
    static void CheckOptions(const CalcOptions& options);
};

}  // namespace veltrane::cli
