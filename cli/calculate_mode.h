#pragma once
// The plain mode, chosen when no other mode's option is given: each design calculated as it
// stands. It has no settings of its own.

#include "mode_declaration.h"

namespace veltrane::cli {

struct CalculateSettings {
    static constexpr std::string_view kName = "calculate";
    static constexpr std::string_view kOption = "";

    static bool ChosenBy(const CalcOptions& options);
    static std::optional<CalculateSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
};

}  // namespace veltrane::cli
