// --setpoint: each design rated against the tower at full speed, then its fans run to the
// cold-water setpoint as --fan says (full, a variable-speed drive or two speeds).
#include "fan_mode.h"
#include "fan_rows.h"

#include <array>
#include <cmath>
#include <limits>

#include "calc_options.h"
#include "constants.h"
#include "design_rows.h"
#include "input_columns.h"
#include "number_text.h"
#include "option_reading.h"
#include "units.h"
#include "usable_values.h"
#include "worksheet.h"
#include "year_bins.h"

namespace veltrane::cli {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

enum FanColumn : std::size_t {
    kAirFlow,
    kFullSpeedShare,
    kColdWaterReached,
    kAboveSetpoint,
    kFanPowerUsed,
    kHoursAboveSetpoint,
    kDegreeHoursAboveSetpoint,
    kFanColumnCount,
};

constexpr std::array<OwnColumn, kFanColumnCount> kFanColumns = {{
    {{"Air Flow", Quantity::kPercentage}, OwnTotal::kHoursMean},
    {{"Full Speed", Quantity::kPercentage}, OwnTotal::kHoursMean},
    {{"Cold Water Reached", Quantity::kTemperature}, OwnTotal::kHoursMean},
    // The totals' Above Setpoint is the mean over the hours above it alone: a signed mean over
    // all hours lets the hours below hide a shortfall.
    {{"Above Setpoint", Quantity::kTemperatureDifference}, OwnTotal::kGiven},
    {{"Fan Power Used", Quantity::kPower}, OwnTotal::kHoursMean},
    {{"Hours Above Setpoint", Quantity::kHours, UnitShown::kNever}, OwnTotal::kSum},
    // F·h (K·h under --units si): no caption unit says that, so none is shown.
    {{"Degree-Hours Above Setpoint", Quantity::kTemperatureDifference, UnitShown::kNever},
     OwnTotal::kGiven},
}};

constexpr auto kOutputColumns = DesignOutputCaptions(kFanColumns);

/// full, vfd, vfd:MIN (0 < MIN <= 1) or two-speed.
FanControl ParseFan(std::string_view argument) {
    if (argument == "full") return {FanMode::kFull};
    if (argument == "two-speed") return {FanMode::kTwoSpeed};
    if (argument == "vfd") return {FanMode::kVariableSpeed};
    if (!argument.starts_with("vfd:")) {
        Refuse("--fan needs full, vfd, vfd:MIN or two-speed, not " + QuoteForMessage(argument));
    }
    const std::string_view minimum = argument.substr(4);
    const float lowest = ReadPositiveNumber("--fan vfd", minimum);
    if (!(lowest <= 1.0F)) {
        Refuse("--fan vfd: the lowest air flow " + QuoteForMessage(minimum) +
               " is a fraction of full, not above 1");
    }
    return {FanMode::kVariableSpeed, 0.0F, lowest};
}

class FanControlMode final : public FanRowsMode {
  public:
    using FanRowsMode::FanRowsMode;

  private:
    [[nodiscard]] FanMode FanModeRun() const override {
        return std::get<FanSettings>(settings_.mode).control.mode;
    }

    void WriteDesign() override {
        const DesignInputs design = DesignWithTheRowsRange();
        if (!context_.firstDesign) context_.firstDesign = design;
        const FanSettings& fan = std::get<FanSettings>(settings_.mode);
        const std::optional<TowerCharacteristic> tower = fan.tower.For(rowAsRead_);
        if (!tower) {
            WriteRowWithoutResults(design_.texts, kNoTowerThroughDesignNote);
            return;
        }
        const FanControl& control = fan.control;
        const FanOperation run = ControlFans(design, *tower, control, RowLeavingAir());
        if (Tracing()) WriteWorksheet(design, *tower, control, run);
        WriteFanRow(control, run);
    }

    /// The full-speed rating's worksheet (its search traced again), then the fan control's.
    void WriteWorksheet(const DesignInputs& design, TowerCharacteristic tower,
                        const FanControl& control, const FanOperation& run) {
        trials_.clear();
        const Rating rating = RateDesign(design, tower, &trials_);
        worksheet_.clear();
        AppendRatingWorksheet(worksheet_, DesignPlace(), design, tower, rating, trials_,
                              WorksheetStyle(), RowLeavingAir());
        AppendFanControlWorksheet(worksheet_, DesignPlace(), control, run, WorksheetStyle());
        Trace(worksheet_);
    }

    std::vector<ApproachTrial> trials_;
    std::string worksheet_;
    SetpointShortfall shortfall_;
};

}  // namespace

// Typed in °F it is read as the calculation reads any
// number; typed in °C it is converted in double precision and rounded once.
float SetpointIn(const std::string& typed, UnitSystem units) {
    if (units == UnitSystem::kUS) {
        float value = 0.0F;
        ReadInputNumber(typed, value);  // checked when the option was read
        return value;
    }
    return InputFromUnits(Quantity::kTemperature, units, ReadAcceptedNumberAsDouble(typed));
}

std::span<const Caption> FanRowsMode::OutputColumns() const {
    return kOutputColumns;
}

std::span<const OwnColumn> FanRowsMode::OwnColumns() const {
    return kFanColumns;
}

void FanRowsMode::WriteTotals() {
    if (!UnderSetpoint()) {  // nothing to compare with: the setpoint's columns stay empty
        DesignRowsMode::WriteTotals();
        return;
    }
    const auto given = [&](FanColumn column, double value) {
        GiveOwnTotal(column,
                     ValueInUnits(kFanColumns[column].caption.quantity, settings_.units, value));
    };
    given(kAboveSetpoint, shortfall_.MeanAbove());
    given(kDegreeHoursAboveSetpoint, shortfall_.degreeHours);
    DesignRowsMode::WriteTotals();
}

void FanRowsMode::WriteFanRow(const FanControl& control, const FanOperation& run) {
    if (run.outcome == FanOutcome::kNoOperatingPoint) {
        WriteRowWithoutOperatingPoint(run.fullSpeed.outcome);
        return;
    }
    const Rating& full = run.fullSpeed;
    const InputArray<std::string_view> texts = TextsAtOperatingPoint(full.inputs);
    const bool figures = HasFigures(run);
    std::array<double, kFanColumnCount> own = OwnValues(control, run);
    // A speed run without its exact leaving air has no water or fan power: none is written.
    if (!figures) own.fill(kNone);
    const float none = std::numeric_limits<float>::quiet_NaN();
    // The water and fan power over the hours are those the fans run at.
    PerformanceResults hour = full.results;
    hour.values[Result::kEvaporation] = figures ? run.evaporation : none;
    hour.values[Result::kBlowdown] = figures ? run.blowdown : none;
    hour.values[Result::kMakeup] = figures ? run.makeup : none;
    hour.values[Result::kFanPower] = figures ? run.fanPower : none;
    const std::string note = ExplainFanOperation(run, control.mode);
    WriteResultsRow(full.inputs, full.results, texts, {figures, own, &hour, note});
    if (figures && design_.hasHours && !std::isnan(control.setpoint))
        shortfall_.Add(run.coldWater, control.setpoint, static_cast<double>(design_.hours));
}

std::array<double, FanRowsMode::kFanColumnCount> FanRowsMode::OwnValues(
    const FanControl& control, const FanOperation& run) const {
    static_assert(kFanColumnCount == kFanColumns.size());
    const auto d = [](float value) { return static_cast<double>(value); };
    const bool above = AboveSetpoint(run.coldWater, control.setpoint);
    const bool compared = !std::isnan(control.setpoint);
    std::array<double, kFanColumnCount> own{};
    own[kAirFlow] = d(run.airFlow) * kPercent;
    own[kFullSpeedShare] =
        control.mode == FanMode::kTwoSpeed ? d(run.fullSpeedShare) * kPercent : kNone;
    own[kColdWaterReached] = d(run.coldWater);
    own[kAboveSetpoint] = d(run.coldWater) - d(control.setpoint);
    own[kFanPowerUsed] = d(run.fanPower);
    const bool counted = design_.hasHours && compared;
    own[kHoursAboveSetpoint] = !counted ? kNone : above ? d(design_.hours) : 0.0;
    own[kDegreeHoursAboveSetpoint] = !counted ? kNone
                                     : above  ? own[kAboveSetpoint] * d(design_.hours)
                                              : 0.0;
    for (std::size_t k = 0; k < kFanColumnCount; ++k)
        own[k] = ValueInUnits(kFanColumns[k].caption.quantity, settings_.units, own[k]);
    return own;
}

bool FanSettings::ChosenBy(const CalcOptions& options) {
    return options.setpoint.has_value();
}

std::optional<FanSettings> FanSettings::From(const CalcOptions& options, std::string&) {
    FanControl control = options.fan.value_or(FanControl{});
    control.setpoint = SetpointIn(*options.setpoint, options.units.value_or(UnitSystem::kUS));
    return FanSettings{*options.tower, control};
}

void FanSettings::DeclareOptions(CLI::App& app, CalcOptions& options) {
    OptionalArgumentOption(
        app, "--setpoint", "[T]", options.setpoint,
        [](std::string_view text) {
            ReadOptionNumber("--setpoint", text);
            return std::string(text);
        },
        "with --tower: the cold water the plant wants, F. Each rated row runs its\n"
        "fans as --fan says and adds the columns Air Flow (%), Full Speed (%),\n"
        "Cold Water Reached (F), Above Setpoint (F), Fan Power Used (hp), Hours\n"
        "Above Setpoint and Degree-Hours Above Setpoint (F h; rows with Hours);\n"
        "the sixteen results stay those of full speed, while the water and fan\n"
        "energy over the hours are those run. Every row takes the exact leaving\n"
        "air; a row where it is not found at the speed run has no water or fan\n"
        "figures, says why in Notes and is left out of the totals. The totals row\n"
        "gives the hours-weighted means of Air Flow, Full Speed, Cold Water\n"
        "Reached and Fan Power Used, in Above Setpoint the mean over the hours\n"
        "above the setpoint alone (0 when none), and the sums of the hours and\n"
        "degree-hours above it. T is liquid water: from 32 F to 212 F (0 C to\n"
        "100 C). With --units si T is in C and the columns are Cold Water Reached\n"
        "(C), Above Setpoint (K), Fan Power Used (kW) and the degree-hours in K h.\n"
        "With --study, T may be left out for the study's, which also gives the\n"
        "tower and --fan; the rows are its weather bins (its design when it has\n"
        "none), each at the design with the bin's air and hours, the bin's own\n"
        "approach, hot water or range where it has them, else the design's range");
    SingleOption(app, "--fan", "MODE", options.fan, ParseFan,
                 "with --setpoint: full (the default) runs the fans at full speed and shows\n"
                 "how far the cold water lands from the setpoint; vfd[:MIN] slows them to\n"
                 "the air flow f in [MIN, 1] (MIN default 0.3) at which the rated cold\n"
                 "water is the setpoint, the tower then giving KaV/L = C*(L/G / f)^-m;\n"
                 "full speed when even f = 1 is too warm, MIN when the water is colder\n"
                 "there; two-speed runs full and half speed, the hour shared so that its\n"
                 "mean cold water is the setpoint. By the fan laws the fan power at air\n"
                 "flow f is f^3 x full speed's (half speed: 1/8)");
}

void FanSettings::CheckOptions(const CalcOptions& options) {
    if (options.setpoint && !options.tower) Refuse("--setpoint needs --tower");
    if (options.setpoint && options.setpoint->empty()) Refuse("--setpoint needs an argument T");
    if (options.setpoint) {
        const float typed = ReadOptionNumber("--setpoint", *options.setpoint);
        const ValueCheck check =
            CheckSetpoint(static_cast<double>(typed), options.units.value_or(UnitSystem::kUS));
        if (!check.usable()) Refuse("--setpoint " + check.reason);
    }
    if (options.fan && !options.setpoint) Refuse("--fan needs --setpoint");
}

std::unique_ptr<BatchMode> FanSettings::Make(const ModeContext& context) {
    return std::make_unique<FanControlMode>(context);
}

}  // namespace veltrane::cli
