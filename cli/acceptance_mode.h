#pragma once
// --acceptance: field test readings evaluated against a design.

#include <optional>

#include "acceptance.h"
#include "acceptance_limits.h"
#include "acceptance_report.h"
#include "fan_power.h"
#include "maker_curves.h"
#include "mode_declaration.h"
#include "verdict.h"

namespace veltrane::cli {

struct AcceptanceSettings {
    static constexpr std::string_view kName = "acceptance";
    static constexpr std::string_view kOption = "--acceptance";
    DesignBasis basis;  ///< the design of DESIGN.csv or the defaults, with the options' slope
    /// The maker's curves of --maker-curves; none when the test is judged by the
    /// characteristic curve alone.
    std::optional<MakerCurves> curves;
    bool characteristic = true;  ///< --slope: the characteristic-curve method runs too
    AcceptanceMethod deciding = AcceptanceMethod::kCharacteristic;  ///< gives the verdict
    std::optional<ReportRequest> report;
    TestLimits limits;                                 ///< the test codes' or --test-limits'
    PowerUnit designPowerUnit = PowerUnit::kUnstated;  ///< the unit of the design fan power
    /// True when the design fan power is the design's approximate fan-shaft power.
    bool approximateFanPower = false;
    static bool ChosenBy(const CalcOptions& options);
    static std::optional<AcceptanceSettings> From(const CalcOptions& options, std::string& error);
    static std::unique_ptr<BatchMode> Make(const ModeContext& context);
    /// --help lists the options in the order declared.
    static void DeclareOptions(CLI::App& app, CalcOptions& options);
    static void CheckOptions(const CalcOptions& options);
};

}  // namespace veltrane::cli
