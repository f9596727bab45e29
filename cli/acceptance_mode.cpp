// --acceptance: each row of field readings evaluated against the design by the
// characteristic-curve method (acceptance.h), the maker's curves (maker_curves.h) or both side by
// side; --totals closes with the evaluation of the readings' mean, the test's result, and the
// verdict of the method that decides. A reading enters the mean only when every method that runs
// evaluated it, so that both methods judge the same mean.
#include "acceptance_mode.h"

#include <array>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "acceptance.h"
#include "acceptance_design.h"
#include "acceptance_options.h"
#include "batch_mode.h"
#include "calc_options.h"
#include "chart_command.h"
#include "input_columns.h"
#include "number_text.h"
#include "option_reading.h"
#include "result_text.h"
#include "units.h"
#include "worksheet.h"

namespace veltrane::cli {
namespace {

/// The readings; under --units si each is read in its SI unit (FanPower in the unit of the design
/// fan power, kW by default) and converted at the edge.
constexpr ColumnDefinition Reading(std::string_view shortName, Caption caption) {
    return {shortName, caption, ""};
}

constexpr std::array kColumns = {
    Reading("P", {"Atmos Press", Quantity::kPressure}),
    Reading("Twb", {"Inlet Air Wet Bulb Temp", Quantity::kTemperature}),
    Reading("Tdb", {"Inlet Air Dry Bulb Temp", Quantity::kTemperature}),
    Reading("THot", {"Hot Water Temp", Quantity::kTemperature}),
    Reading("TCold", {"Cold Water Temp", Quantity::kTemperature}),
    Reading("Flow", {"Circulating Water Flow", Quantity::kWaterFlow}),
    // Any unit, the design fan power's, or hp or kW as the header says ("FanPower (kW)"): only
    // their ratio enters.
    ColumnDefinition{"FanPower",
                     {"Fan Power", Quantity::kDimensionless},
                     "",
                     true,
                     EmptyCell::kRefused,
                     false,
                     {},
                     true},
};
constexpr std::size_t kFanPowerColumn = 6;

/// The evaluation's numbers in the order written, then Notes.
enum EvaluationColumn : std::size_t { kNotesColumn = 7 };
constexpr std::string_view kNoteSeparator = "; ";
constexpr std::string_view kNotEvaluated = "not evaluated: ";
constexpr std::array<Caption, kNotesColumn + 1> kEvaluationColumns{{
    {"Test L/G", Quantity::kMassRatio, UnitShown::kNever},
    {"Test KaV/L"},
    {"Test C"},
    {"L/G at Capability", Quantity::kMassRatio, UnitShown::kNever},
    {"Capability", Quantity::kPercentage},
    {"Predicted Cold Water", Quantity::kTemperature},
    {"Cold Water Deviation", Quantity::kTemperatureDifference},
    {"Notes"},
}};

FanDraft ParseDraft(std::string_view text) {
    if (text == "induced") return FanDraft::kInduced;
    if (text == "forced") return FanDraft::kForced;
    Refuse("--draft must be induced or forced, not " + QuoteForMessage(text));
}

/// The reading with its fan power in the design fan power's unit.
TestReading ReadingOf(const Row& row, double fanPowerFactor) {
    const std::vector<float>& v = row.values;
    const auto fanPower = static_cast<float>(static_cast<double>(v[6]) * fanPowerFactor);
    return {v[0], v[1], v[2], v[3], v[4], v[5], fanPower};
}

/// The maker's curves' figures of a reading, in the order written.
enum CurvesColumn : std::size_t {
    kAdjustedFlow,
    kPredictedFlow,
    kCurvesCapability,
    kCurvesColdWater,
    kCurvesDeviation,
    kCurvesColumnCount
};
constexpr std::array<Caption, kCurvesColumnCount> kCurvesColumns{{
    {"Adjusted Flow", Quantity::kWaterFlow},
    {"Predicted Flow", Quantity::kWaterFlow},
    {"Capability", Quantity::kPercentage},
    {"Predicted Cold Water", Quantity::kTemperature},
    {"Cold Water Deviation", Quantity::kTemperatureDifference},
}};

/// True for the captions both methods write: with both, each names its method.
bool SharedCaption(std::string_view base) {
    return base == "Capability" || base == "Predicted Cold Water" || base == "Cold Water Deviation";
}

/// A capability below 100 % whose text would read 100 or more contradicts the verdict.
bool ReadsAsFull(std::string_view text) {
    return std::strtod(std::string(text).c_str(), nullptr) >= static_cast<double>(kFullCapability);
}

/// The note of the maker's curves on a reading: why it was not evaluated, or that the curves
/// were extrapolated; empty for a plain evaluation.
std::string CurvesNote(const MakerCurves& curves, const CurvesEvaluation& e, UnitSystem units) {
    std::string note = DescribeCurvesEvaluation(curves, e, units);
    if (e.outcome != CurvesOutcome::kEvaluated && !note.starts_with(kNotEvaluated))
        note.insert(0, kNotEvaluated);
    return note;
}

/// The readings' places among the sound rows, for the report.
std::string ReadingName(std::size_t index) {
    return std::to_string(index + 1);
}

/// One reading as read and as evaluated, held until every reading is in: the spread of their
/// capabilities is known only then.
struct HeldReading {
    std::vector<std::string> texts;
    std::string place;
    EvaluatedReading evaluated;
    std::vector<LimitPassed> passed;
};

class AcceptanceMode final : public BatchMode {
  public:
    explicit AcceptanceMode(const ModeContext& context)
        : context_(context),
          settings_(std::get<AcceptanceSettings>(context.settings.mode)),
          basis_(settings_.basis) {
        MakeCaptions();
    }

    [[nodiscard]] std::span<const ColumnDefinition> Columns() const override { return kColumns; }
    [[nodiscard]] std::span<const Caption> OutputColumns() const override { return captions_; }

    /// FanPower keeps the unit the first header names, so that the output reads back.
    void StartOutput(const RowReader* header, bool writeHeader) override {
        if (!writeHeader) return;
        CsvWriter& csv = context_.csv;
        const std::string_view fanPower =
            header != nullptr ? header->HeaderName(kFanPowerColumn) : std::string_view{};
        for (const ColumnDefinition& column : kColumns) {
            const bool namedUnit =
                &column == &kColumns[kFanPowerColumn] && !fanPower.empty() &&
                FanPowerColumnUnit(fanPower).value_or(PowerUnit::kUnstated) != PowerUnit::kUnstated;
            csv.Field(namedUnit ? fanPower : column.shortName);
            csv.Comma();
        }
        for (const Caption& caption : captions_) {
            csv.Field(CaptionText(caption, context_.settings.units));
            csv.Comma();
        }
        csv.DropLastComma();
        csv.EndLine();
    }

    /// The unit the header names for FanPower; a unit other than hp or kW stops the file.
    void TakeHeader(RowReader& header, std::string_view source, std::size_t line) override {
        headerSource_ = source;
        readingsToDesign_ = 1.0;
        refusedSource_ = false;
        const std::string_view name = header.HeaderName(kFanPowerColumn);
        const std::optional<PowerUnit> unit = FanPowerColumnUnit(name);
        if (!unit) {
            refusedSource_ = true;
            context_.problems.AtLine(source, line,
                                     "column " + QuoteForMessage(name) +
                                         " names no unit of power: FanPower (hp) or FanPower "
                                         "(kW); no row of this file is calculated");
            return;
        }
        readingsToDesign_ = ReadingsToDesignPower(settings_.designPowerUnit, *unit);
        if (firstHeader_) writtenToDesign_ = readingsToDesign_;
        firstHeader_ = false;
    }

    void Calculate(const Row& row) override {
        const bool underHeader = row.source == headerSource_;
        if (underHeader && refusedSource_) return;
        const TestReading reading = ReadingOf(row, underHeader ? readingsToDesign_ : 1.0);
        const std::string place = PlaceOfLine(row.source, row.line);
        HeldReading held{{},
                         place,
                         Evaluate(ReadingName(readingCount_++), reading, place),
                         LimitsPassed(basis_.acceptance, reading, settings_.limits)};
        for (std::size_t k = 0; k < kColumns.size(); ++k)
            held.texts.emplace_back(row.texts[k]);
        if (AllEvaluated(held.evaluated)) {
            evaluated_.push_back(reading);
            capabilities_.push_back(DecidingCapability(held.evaluated));
        }
        // Reported now, so that standard error follows the order of the input.
        const std::string notes = ReadingNotes(held);
        if (!AllEvaluated(held.evaluated) || !held.passed.empty())
            context_.problems.At(place, notes);
        if (settings_.report) reportReadings_.push_back(held.evaluated);
        held_.push_back(std::move(held));
    }

    /// The readings' mean, evaluated: the rows that could not be evaluated are left out of it.
    void WriteTotals() override {
        WriteHeldReadings();
        const std::optional<TestReading> mean = MeanReading(evaluated_);
        CsvWriter& csv = context_.csv;
        if (!mean) {
            csv.Commas(kColumns.size() + captions_.size() - 1);
            csv.Field("mean of the readings: no reading was evaluated");
            csv.EndLine();
            context_.problems.Whole(std::string(kProgramName) +
                                    ": --totals: no reading was evaluated");
            return;
        }
        const std::string place = MeanPlace();
        const EvaluatedReading evaluated = Evaluate("Mean", *mean, place);
        const std::array<float, kColumns.size()> means = {
            mean->pressure, mean->wetBulb, mean->dryBulb, mean->hotWater, mean->coldWater,
            mean->waterFlow,
            // In the unit the FanPower column's caption names.
            static_cast<float>(static_cast<double>(mean->fanPower) / writtenToDesign_)};
        for (std::size_t k = 0; k < kColumns.size(); ++k) {
            Exact(kColumns[k].Measures(), means[k]);
            csv.Comma();
        }
        const std::optional<Verdict> verdict = VerdictOf(evaluated);
        const std::string lead = verdict ? place + ": " + verdict->text : place;
        WriteMethods(evaluated, lead, verdict ? "; " : ": ", TotalsNotes());
        csv.EndLine();
        if (!AllEvaluated(evaluated)) {
            context_.problems.Whole(std::string(kProgramName) + ": " + place + ": " +
                                    evaluated.notes);
        }
        if (verdict) {
            context_.problems.Note(std::string(kProgramName) + ": " + place + " by the " +
                                   std::string(AcceptanceMethodName(settings_.deciding)) + ": " +
                                   verdict->text);
        }
    }

    /// The rows held, then the report, once every reading is evaluated.
    void Finish() override {
        WriteHeldReadings();
        if (!settings_.report) return;
        EvaluatedTest test{settings_.report->fanPowerUnit,
                           basis_,
                           settings_.curves ? &*settings_.curves : nullptr,
                           settings_.characteristic,
                           settings_.deciding,
                           context_.settings.units,
                           std::move(reportReadings_),
                           std::nullopt,
                           settings_.limits};
        if (const std::optional<TestReading> mean = MeanReading(evaluated_)) {
            test.mean = Evaluate("Mean", *mean, MeanPlace());
        } else if (!context_.settings.totals) {
            // --totals has said so already.
            context_.problems.Whole(
                std::string(kProgramName) +
                ": --report: no reading was evaluated: the report has no verdict");
        }
        std::string error;
        if (!DrawTestReport(FillTestReport(*settings_.report, test), settings_.report->paper,
                            settings_.report->path, error)) {
            context_.problems.Whole(std::string(kProgramName) + ": --report: " + error);
        }
    }

  private:
    /// The evaluation columns of each method that runs, then Notes; with both methods, the
    /// captions both would write name their method.
    void MakeCaptions() {
        const bool both = settings_.characteristic && settings_.curves;
        const auto add = [&](const Caption& caption, std::string_view method) {
            if (!both || !SharedCaption(caption.base)) {
                captions_.push_back(caption);
                return;
            }
            const std::string& name =
                names_.emplace_back(std::string(method) + " " + std::string(caption.base));
            captions_.push_back({name, caption.quantity, caption.unitShown});
        };
        if (settings_.characteristic) {
            for (std::size_t k = 0; k < kNotesColumn; ++k)
                add(kEvaluationColumns[k], "Characteristic");
        }
        if (settings_.curves) {
            for (const Caption& caption : kCurvesColumns)
                add(caption, "Curves");
        }
        captions_.push_back(kEvaluationColumns[kNotesColumn]);
    }

    [[nodiscard]] std::string MeanPlace() const {
        return evaluated_.size() == 1
                   ? std::string("the mean of 1 reading")
                   : "the mean of " + std::to_string(evaluated_.size()) + " readings";
    }

    /// The reading by each method that runs, with its notes.
    EvaluatedReading Evaluate(std::string name, const TestReading& reading,
                              std::string_view place) {
        EvaluatedReading evaluated{std::move(name), reading, std::nullopt, std::nullopt, {}};
        std::string characteristicNote;
        std::string curvesNote;
        if (settings_.characteristic) {
            evaluated.byCharacteristic = EvaluateReading(basis_, reading);
            Trace(place, reading, *evaluated.byCharacteristic);
            characteristicNote = ReadingNote(*evaluated.byCharacteristic, {}, Units());
        }
        if (settings_.curves) {
            evaluated.byCurves = EvaluateWithCurves(basis_, *settings_.curves, reading);
            curvesNote =
                CurvesNote(*settings_.curves, *evaluated.byCurves, context_.settings.units);
        }
        evaluated.notes = JoinNotes(characteristicNote, curvesNote);
        return evaluated;
    }

    /// One method's note alone as it is; with both, each named by its method.
    [[nodiscard]] std::string JoinNotes(const std::string& characteristic,
                                        const std::string& curves) const {
        if (!settings_.characteristic || !settings_.curves)
            return characteristic.empty() ? curves : characteristic;
        std::string notes;
        const auto add = [&notes](AcceptanceMethod method, const std::string& note) {
            if (note.empty()) return;
            if (!notes.empty()) notes += "; ";
            notes += std::string(AcceptanceMethodName(method)) + ": " + note;
        };
        add(AcceptanceMethod::kCharacteristic, characteristic);
        add(AcceptanceMethod::kCurves, curves);
        return notes;
    }

    static bool AllEvaluated(const EvaluatedReading& r) {
        const bool byCharacteristic =
            !r.byCharacteristic || r.byCharacteristic->outcome == EvaluationOutcome::kEvaluated;
        const bool byCurves = !r.byCurves || r.byCurves->outcome == CurvesOutcome::kEvaluated;
        return byCharacteristic && byCurves;
    }

    /// The verdict of the deciding method; none when it did not evaluate the mean.
    [[nodiscard]] std::optional<Verdict> VerdictOf(const EvaluatedReading& mean) const {
        return JudgeMean(mean, settings_.deciding, context_.settings.units);
    }

    /// Each method's figures, then Notes: the row's notes after `lead` (the totals' place and
    /// verdict) and `separator`, then `trailing`.
    void WriteMethods(const EvaluatedReading& r, const std::string& lead,
                      std::string_view separator, std::string_view trailing) {
        if (r.byCharacteristic) WriteEvaluation(*r.byCharacteristic);
        if (r.byCurves) WriteCurvesEvaluation(*r.byCurves);
        std::string notes = lead;
        if (!notes.empty() && !r.notes.empty()) notes += separator;
        notes += r.notes;
        if (!notes.empty() && !trailing.empty()) notes += kNoteSeparator;
        notes += trailing;
        if (!notes.empty()) context_.csv.Field(notes);
    }

    /// A value the calculation took or formed (the readings' mean, a result under --raw): the
    /// shortest decimal that reads back to the very value, in SI the one that converts back to it.
    void Exact(Quantity quantity, float us) {
        context_.csv.Plain(ExactText(quantity, context_.settings.units, us).View());
    }

    /// A result: by the result text rule, as the calculation's results are written, or with
    /// --raw the shortest decimal. A capability below 100 % never reads 100.
    void WriteResult(Quantity quantity, float us) {
        if (context_.settings.raw) {
            Exact(quantity, us);
            return;
        }
        std::string text = ResultTextIn(quantity, context_.settings.units, us);
        if (quantity == Quantity::kPercentage && us < kFullCapability && ReadsAsFull(text))
            text = DeficientCapabilityText(us);
        context_.csv.Field(text);
    }

    /// The rows held, each with its Notes: why it was not evaluated, the limits it passes and
    /// whether its capability stands apart from the others'.
    void WriteHeldReadings() {
        const CapabilitySpread spread = SpreadOf(capabilities_);
        for (const HeldReading& held : held_) {
            for (const std::string& text : held.texts) {
                context_.csv.Field(text);
                context_.csv.Comma();
            }
            std::string note = DescribeLimitsPassed(held.passed, Units());
            if (AllEvaluated(held.evaluated)) {
                const float capability = DecidingCapability(held.evaluated);
                if (StandsApart(capability, spread)) {
                    if (!note.empty()) note += kNoteSeparator;
                    note += DescribeStandingApart(capability, spread);
                }
            }
            WriteMethods(held.evaluated, {}, {}, note);
            context_.csv.EndRow();
        }
        held_.clear();
    }

    /// A reading's notes: why a method did not evaluate it, then the limits it passes.
    [[nodiscard]] std::string ReadingNotes(const HeldReading& held) const {
        std::string notes = held.evaluated.notes;
        const std::string limits = DescribeLimitsPassed(held.passed, Units());
        if (!notes.empty() && !limits.empty()) notes += kNoteSeparator;
        return notes + limits;
    }

    /// The capability of the method that gives the verdict, of a reading every method evaluated.
    [[nodiscard]] float DecidingCapability(const EvaluatedReading& r) const {
        if (settings_.deciding == AcceptanceMethod::kCurves && r.byCurves)
            return r.byCurves->capability;
        return r.byCharacteristic ? r.byCharacteristic->capability : r.byCurves->capability;
    }

    /// Every number of an evaluated reading; none of one that is not, so that no half-way
    /// figure passes for a result (the worksheet of --trace shows how far it came). Notes says
    /// why it stopped.
    void WriteEvaluation(const CapabilityEvaluation& e) {
        const bool evaluated = e.outcome == EvaluationOutcome::kEvaluated;
        const std::array<float, kNotesColumn> values = {
            e.liquidGas,           e.kaVL,       e.c,
            e.capabilityLiquidGas, e.capability, e.predictedColdWater,
            e.coldWaterDeviation};
        for (std::size_t k = 0; k < kNotesColumn; ++k) {
            if (evaluated) WriteResult(kEvaluationColumns[k].quantity, values[k]);
            context_.csv.Comma();
        }
    }

    /// The maker's curves' figures, as WriteEvaluation writes the characteristic curve's.
    void WriteCurvesEvaluation(const CurvesEvaluation& e) {
        const bool evaluated = e.outcome == CurvesOutcome::kEvaluated;
        const std::array<float, kCurvesColumnCount> values = {e.adjustedFlow, e.predictedFlow,
                                                              e.capability, e.predictedColdWater,
                                                              e.coldWaterDeviation};
        for (std::size_t k = 0; k < kCurvesColumnCount; ++k) {
            if (evaluated) WriteResult(kCurvesColumns[k].quantity, values[k]);
            context_.csv.Comma();
        }
    }

    /// What the mean's Notes add after its place and verdict: the spread of the capabilities
    /// and where the design fan power came from.
    [[nodiscard]] std::string TotalsNotes() const {
        std::string note = DescribeSpread(SpreadOf(capabilities_));
        if (settings_.approximateFanPower) {
            if (!note.empty()) note += kNoteSeparator;
            note += kApproximateFanPowerNote;
        }
        return note;
    }

    [[nodiscard]] UnitSystem Units() const { return context_.settings.units; }

    void Trace(std::string_view place, const TestReading& reading, const CapabilityEvaluation& e) {
        if (!context_.settings.trace) return;
        worksheet_.clear();
        const WorksheetFormat format{
            context_.settings.raw ? WorksheetNumbers::kExact : WorksheetNumbers::kReadable,
            context_.settings.units};
        AppendAcceptanceWorksheet(worksheet_, place, basis_, reading, e, format);
        context_.settings.trace(worksheet_);
    }

    ModeContext context_;
    const AcceptanceSettings& settings_;
    const DesignBasis& basis_;
    std::vector<Caption> captions_;
    std::deque<std::string> names_;  ///< the captions that name their method
    std::vector<TestReading> evaluated_;
    std::size_t readingCount_ = 0;
    std::vector<EvaluatedReading> reportReadings_;  ///< with --report
    std::vector<float> capabilities_;               ///< of the evaluated readings, %
    std::vector<HeldReading> held_;
    std::string_view headerSource_;  ///< the source whose header was read last
    double readingsToDesign_ = 1.0;  ///< its FanPower's factor to the design's unit
    bool refusedSource_ = false;     ///< its header names a unit that is not one of power
    bool firstHeader_ = true;
    double writtenToDesign_ = 1.0;  ///< the factor of the FanPower the output's header names
    std::string worksheet_;
};

}  // namespace

bool AcceptanceSettings::ChosenBy(const CalcOptions& options) {
    return options.acceptance.has_value();
}

std::optional<AcceptanceSettings> AcceptanceSettings::From(const CalcOptions& options,
                                                           std::string& error) {
    std::optional<DesignBasis> basis = AcceptanceBasis(options, error);
    if (!basis) return std::nullopt;
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    AcceptanceSettings settings{*basis,       std::nullopt,
                                true,         AcceptanceMethod::kCharacteristic,
                                std::nullopt, DefaultTestLimits(units)};
    if (options.testLimits) {
        settings.limits = ParseTestLimits(*options.testLimits, units).limits;
    } else if (options.fromStudy && options.fromStudy->limits) {
        settings.limits = *options.fromStudy->limits;
    }
    if (options.designFanPower) {
        settings.designPowerUnit = options.designFanPower->unit;
    } else {
        settings.designPowerUnit =
            units == UnitSystem::kSI ? PowerUnit::kKilowatt : PowerUnit::kHorsepower;
        settings.approximateFanPower = true;
    }
    if (!ReadTestSettings(options, settings, error)) return std::nullopt;
    return settings;
}

void AcceptanceSettings::DeclareOptions(CLI::App& app, CalcOptions& options) {
    ValueOption(app.add_option(
                       "--acceptance",
                       [&options](const CLI::results_t& results) {
                           if (options.acceptance) Refuse("--acceptance is given twice");
                           // Empty when --defaults follows: the defaults are the design.
                           options.acceptance = results.empty() ? "" : results.front();
                           return true;
                       },
                       "evaluate the FILEs' field test readings against the design in\n"
                       "DESIGN.csv (one row of the twelve inputs) or, with --defaults, the\n"
                       "default design; needs --slope. Columns P, Twb, Tdb, THot, TCold, Flow,\n"
                       "FanPower (psia, F, gpm; FanPower in the design fan power's unit, or\n"
                       "in hp or kW as a header FanPower (hp) or FanPower (kW) says). Each\n"
                       "row is written with Test L/G (by the fan laws from the design L/G, the\n"
                       "flow, the fan power and the air's density and specific volume), Test\n"
                       "KaV/L and Test C = KaV/L x (L/G)^m, L/G at Capability (where the test\n"
                       "line meets the design demand curve), Capability (%) = 100 x that L/G /\n"
                       "the design L/G, and the design tower's Predicted Cold Water and the\n"
                       "Cold Water Deviation = TCold - predicted (positive: warmer than the\n"
                       "design tower). A reading that cannot be evaluated has its reason in\n"
                       "Notes and on standard error. With --totals a closing row evaluates the\n"
                       "mean of the evaluated readings: the test's result. With --units si\n"
                       "DESIGN.csv and the readings are in SI (kPa, C, m3/h; FanPower in kW\n"
                       "unless a unit is named), and Predicted Cold Water is in C and Cold\n"
                       "Water Deviation in K. --maker-curves may stand for --slope: the\n"
                       "characteristic curve's columns are then left out")
                    ->type_name("DESIGN.csv"));
    SingleOption(
        app, "--design-fan-power", "X[hp|kW]", options.designFanPower,
        [](std::string_view text) {
            StatedPowerText read = ParseStatedPower(text);
            if (!read.error.empty()) Refuse("--design-fan-power " + read.error);
            return read.power;
        },
        "the design's fan power, the same kind of power as the readings' FanPower\n"
        "(test codes use the motor input). 12.7hp or 9.5kW names its unit, and a\n"
        "header FanPower (hp) or FanPower (kW) names the readings'; the two are\n"
        "converted (745.69987 W per hp). A bare number is in the other's unit.\n"
        "Default: the design's approximate fan-shaft power (hp; kW with --units si),\n"
        "and the totals' Notes say so");
    SingleOption(
        app, "--test-limits", "LIMITS", options.testLimits,
        [](std::string_view text) { return std::string(text); },
        "the largest departures of a reading from the design, as a contract sets\n"
        "them: twb=12,range=20,flow=10,load=20,fan=10,p=1 (any subset; F, % of the\n"
        "design's range, flow, heat load and fan power, inHg; K and kPa with --units\n"
        "si, defaults 6.7 K and 3.4 kPa). These are the defaults, the test codes'\n"
        "usual limits. A reading beyond one is still evaluated, its Notes name\n"
        "every limit passed with its value, and the run exits 1. A reading whose\n"
        "capability lies more than 3 scaled median absolute deviations from the\n"
        "readings' median is noted as standing apart (status unchanged); the totals'\n"
        "Notes give the lowest and highest capability and their sample standard\n"
        "deviation. Wind and the steadiness of conditions are how a test is run\n"
        "and recorded, not part of these readings: they are not checked here");
    SingleOption(app, "--draft", "induced|forced", options.draft, ParseDraft,
                 "where the fan sits (default induced): induced moves the leaving air,\n"
                 "saturated at the leaving enthalpy and solved to 0.001 F or better, and\n"
                 "the test L/G is repeated until it moves by less than 1e-6 of itself;\n"
                 "forced moves the entering air");
    DeclareTestOptions(app, options);
}

void AcceptanceSettings::CheckOptions(const CalcOptions& options) {
    const bool curves = options.curves || options.curvesCsv;
    if (options.acceptance) {
        if (options.acceptance->empty() && !options.defaults && !options.study)
            Refuse("--acceptance needs DESIGN.csv or --defaults");
        if (!options.acceptance->empty() && options.defaults)
            Refuse("--acceptance takes DESIGN.csv or --defaults, not both");
        if (!options.slope && !options.makerCurves)
            Refuse("--acceptance needs --slope m or --maker-curves CURVES.csv");
        if (options.tower) Refuse("--acceptance and --tower cannot be given together");
        if (!options.sweeps.empty()) Refuse("--acceptance and --sweep cannot be given together");
        if (options.fit) Refuse("--acceptance and --fit cannot be given together");
        if (curves || options.chart || options.demand)
            Refuse("--acceptance writes no chart: give --curves or --chart without it");
        if (options.testLimits) {
            const TestLimitsText read =
                ParseTestLimits(*options.testLimits, options.units.value_or(UnitSystem::kUS));
            if (!read.error.empty()) Refuse("--test-limits: " + read.error);
        }
    } else if (options.designFanPower || options.draft || options.testLimits) {
        Refuse(std::string(options.draft            ? "--draft"
                           : options.designFanPower ? "--design-fan-power"
                                                    : "--test-limits") +
               " belongs to --acceptance");
    }
    CheckTestOptions(options);
}

std::unique_ptr<BatchMode> AcceptanceSettings::Make(const ModeContext& context) {
    return std::make_unique<AcceptanceMode>(context);
}

}  // namespace veltrane::cli
