#pragma once
// The command line of veltrane-calc.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "acceptance.h"
#include "acceptance_limits.h"
#include "demand_curves.h"
#include "fan_control.h"
#include "fan_power.h"
#include "leaving_air.h"
#include "maker_curves.h"
#include "performance_curves.h"
#include "rating.h"
#include "sweep.h"
#include "test_report.h"
#include "tower_option.h"
#include "units.h"
#include "verdict.h"

namespace veltrane::cli {

inline constexpr std::string_view kProgramName = "veltrane-calc";

/// What a study (--study) gives the run beyond the options it fills in.
struct StudyInputs {
    DesignInputs design{};  ///< the design an acceptance test is judged against
    /// The rows the mode reads when no FILE is given, as CSV in the run's units: the design,
    /// its weather bins or its test readings.
    std::string rows;
    /// The name the rows go by in messages: the study's path.
    std::string name;
    std::vector<MakerCurveRow> makerCurves;  ///< typed into the study; empty when none
    std::optional<TestLimits> limits;        ///< in the run's units; none: the test codes'
};

struct CalcOptions {
    bool raw = false;
    bool check = false;
    bool defaults = false;
    bool totals = false;
    bool help = false;
    bool version = false;
    std::vector<Sweep> sweeps;              ///< in the order given; the first varies slowest
    std::optional<TowerOption> tower;       ///< rate every design against this tower
    bool towerFromStudy = false;            ///< --tower without C:m: the study's tower
    std::optional<LeavingAirRule> exitAir;  ///< --exit-air; the window's when not given
    /// The cold water rated rows run their fans to, as typed (°F, or °C under --units si).
    std::optional<std::string> setpoint;
    std::optional<FanControl> fan;         ///< --fan: its mode and vfd's lowest air flow
    std::optional<float> motorEfficiency;  ///< --motor-efficiency, %
    std::optional<float> driveEfficiency;  ///< --drive-efficiency, % (a variable-speed drive)
    /// Where the worksheets go: "-" is standard error; none when not asked for.
    std::optional<std::string> trace;
    std::vector<std::string> files;  ///< "-" is standard input
    /// The first design's demand curves: drawn into `chart`, their points written to `demand`.
    std::optional<std::string> chart;
    std::optional<std::string> demand;
    /// --approaches as typed, in °F or (under --units si) in K.
    std::optional<std::vector<std::string>> typedApproaches;
    /// The same in °F, each converted once and rounded to single precision; DemandChartRequest's
    /// when not given.
    std::optional<std::vector<float>> approaches;
    std::optional<LiquidGasSpan> liquidGasSpan;
    bool labelCrossings = false;
    std::optional<UnitSystem> units;  ///< US customary when not given
    /// --acceptance: the design's file; empty when --defaults stands for it.
    std::optional<std::string> acceptance;
    std::optional<float> slope;  ///< m of the tower through the design point
    /// --design-fan-power: a value and the unit it names (none: the readings' unit).
    std::optional<StatedPower> designFanPower;
    /// --test-limits as typed: read once --units is known.
    std::optional<std::string> testLimits;
    std::optional<FanDraft> draft;
    bool fit = false;
    /// The first design's performance curves: drawn into `curves`, their points written to
    /// `curvesCsv`, over `wetBulbs` (°F, in steps of 1 °F).
    std::optional<std::string> curves;
    std::optional<std::string> curvesCsv;
    std::optional<WetBulbSpan> wetBulbs;
    /// The acceptance test by the maker's curves, its verdict and its report.
    std::optional<std::string> makerCurves;  ///< --maker-curves CURVES.csv
    std::optional<AcceptanceMethod> method;  ///< --method: the one that decides
    std::optional<std::string> report;       ///< --report FILE.pdf
    std::optional<std::string> title;
    std::vector<ReportField> fields;  ///< --field NAME=TEXT, in the order given
    std::optional<PaperSize> paper;   ///< the locale's when not given
    /// --fit-rows FILE.csv: each fitted row with its residual.
    std::optional<std::string> fitRows;
    /// --weather: the site's EPW file; --load as typed (PCT or FILE.csv); --monthly.
    std::optional<std::string> weather;
    std::optional<std::string> load;
    bool monthly = false;
    /// --study FILE.veltrane, and what it gives once read (TakeStudy).
    std::optional<std::string> study;
    std::optional<StudyInputs> fromStudy;
    /// --decimal-comma: CSV inputs separated by ';' with ',' for the decimal mark.
    bool decimalComma = false;
};

struct ParsedArguments {
    CalcOptions options;
    std::string error;  ///< one line saying what is wrong, empty when the line is sound
};

/// Reads the arguments that follow the program name. Nothing is calculated here; the one file
/// read is a study (--study), since it stands for options that are then checked with the rest.
ParsedArguments ParseArguments(std::span<const std::string_view> arguments);

/// What --help prints.
std::string UsageText();

}  // namespace veltrane::cli
