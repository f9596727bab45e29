#pragma once
// --tower: each design rated against a tower of known characteristic.

#include "mode_declaration.h"
#include "rating.h"
#include "tower_option.h"

namespace veltrane::cli {

struct RateSettings {
    static constexpr std::string_view kName = "rate";
    static constexpr std::string_view kOption = "--tower";
    TowerOption tower;  ///< KaV/L = C·(L/G)^-m, C given or the design row's
    static bool ChosenBy(const CalcOptions& options);
    static std::optional<RateSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
    /// --help lists the options in the order declared.
    static void DeclareOptions(CLI::App& app, CalcOptions& options);
    static void CheckOptions(const CalcOptions& options);
};

}  // namespace veltrane::cli
