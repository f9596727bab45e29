#pragma once
// The acceptance test's options beyond the characteristic-curve method: the maker's curves, the
// method that decides the verdict, and the report to sign.

namespace CLI {
class App;
}  // namespace CLI

#include <string>

namespace veltrane::cli {

struct CalcOptions;
struct AcceptanceSettings;

/// --maker-curves, --method, --report, --title, --field and --paper; --help lists them in this
/// order.
void DeclareTestOptions(CLI::App& app, CalcOptions& options);

/// Refuses (BadOption) what cannot go together: the options without --acceptance, --method
/// curves without the curves, a report's details without --report.
void CheckTestOptions(const CalcOptions& options);

/// The settings these options give: the maker's curves read, the deciding method and the
/// report asked for. False, with `error` set to one line, when the curves cannot be read.
bool ReadTestSettings(const CalcOptions& options, AcceptanceSettings& settings, std::string& error);

}  // namespace veltrane::cli
