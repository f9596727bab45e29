#pragma once
// --fit: the tower characteristic fitted to rows of performance data.

#include <optional>

#include "mode_declaration.h"

namespace veltrane::cli {

struct FitSettings {
    static constexpr std::string_view kName = "fit";
    static constexpr std::string_view kOption = "--fit";
    std::optional<float> slope;           ///< --slope: m fixed, C fitted alone
    std::optional<std::string> rowsPath;  ///< --fit-rows: each row's residual

    static bool ChosenBy(const CalcOptions& options);
    static std::optional<FitSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
    /// --help lists the options in the order declared.
    static void DeclareOptions(CLI::App& app, CalcOptions& options);
    static void CheckOptions(const CalcOptions& options);
};

}  // namespace veltrane::cli
