#pragma once
// --acceptance: field test readings evaluated against a design.

#include "acceptance.h"
#include "mode_declaration.h"

namespace veltrane::cli {

struct AcceptanceSettings {
    static constexpr std::string_view kName = "acceptance";
    static constexpr std::string_view kOption = "--acceptance";
    DesignBasis basis;  ///< the design of DESIGN.csv or the defaults, with the options' slope
    static bool ChosenBy(const CalcOptions& options);
    static std::optional<AcceptanceSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
    /// --help lists the options in the order declared.
    static void DeclareOptions(CLI::App& app, CalcOptions& options);
    static void CheckOptions(const CalcOptions& options);
};

}  // namespace veltrane::cli
