#pragma once
// What a mode's header declares besides its settings: how the run makes the mode. Each mode's
// settings struct carries its name, the option that chooses it, when the command line chooses
// it, how its settings are read from the options and how the mode is made:
//
//     struct FitSettings {
//         static constexpr std::string_view kName = "fit";
//         static constexpr std::string_view kOption = "--fit";
//         static bool ChosenBy(const CalcOptions& options);
//         static std::optional<FitSettings> From(const CalcOptions& options, std::string& error);
//         static std::unique_ptr<BatchMode> Make(const ModeContext& context);
//         // A mode with options of its own declares them and checks them together:
//         static void DeclareOptions(CLI::App& app, CalcOptions& options);
//         static void CheckOptions(const CalcOptions& options);  // throws BadOption
//     };

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace CLI {
class App;
}  // namespace CLI

namespace veltrane::cli {

class BatchMode;
struct ModeContext;
struct CalcOptions;

}  // namespace veltrane::cli
