#include "worksheet.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "constants.h"
#include "exit_air_solver.h"
#include "number_text.h"

namespace veltrane {
namespace {

constexpr std::size_t kValueColumn = 50;
/// Where a line's SI value starts, beside the US value and its unit.
constexpr std::size_t kSiColumn = 74;
constexpr std::size_t kTableColumnWidth = 16;
/// Significant figures of a readable worksheet: a single-precision value holds about seven.
constexpr int kReadableDigits = 6;
/// The share of the bisection's change written as a percentage, with these figures.
constexpr int kChangeDigits = 3;

/// True when a quantity's SI value is a number of its own, not the US value again.
bool Converts(Quantity quantity) {
    const UnitConversion& c = ConversionOf(quantity);
    return c.siPerUs != 1.0 || c.divisor != 1.0 || c.usDatum != 0.0;
}

/// The worksheet being written: its text, the style of its numbers and its units.
class Sheet {
  public:
    Sheet(std::string& out, WorksheetFormat format) : out_(out), format_(format) {}

    /// True when every quantity is written in SI units beside the US ones.
    [[nodiscard]] bool InSI() const { return format_.units == UnitSystem::kSI; }

    template <typename Real>
    [[nodiscard]] std::string Number(Real value) const {
        if (format_.numbers == WorksheetNumbers::kExact)
            return std::string(PlainShortestText(value).View());
        return std::string(SignificantText(static_cast<double>(value), kReadableDigits).View());
    }

    /// The SI value of the US value `us`: six significant figures of the converted value, or the
    /// shortest decimal that converts back to `us` itself.
    template <typename Real>
    [[nodiscard]] std::string SiNumber(Quantity quantity, Real us) const {
        if (format_.numbers == WorksheetNumbers::kExact) {
            char text[kNumberTextCapacity];
            return {text, WriteLossless(text, quantity, UnitSystem::kSI, us)};
        }
        const double si = ToSI(quantity, static_cast<double>(us));
        return std::string(SignificantText(si, kReadableDigits).View());
    }

    /// "value unit" for a sentence; in SI the SI value follows in brackets.
    template <typename Real>
    [[nodiscard]] std::string Measure(Real us, Quantity quantity) const {
        std::string text = Number(us) + ' ' + std::string(UnitOf(quantity, UnitSystem::kUS));
        if (InSI())
            text += " (" + SiNumber(quantity, us) + ' ' +
                    std::string(UnitOf(quantity, UnitSystem::kSI)) + ')';
        return text;
    }

    /// A heading or a sentence, on a line of its own.
    void Text(std::string_view text) {
        out_ += text;
        out_ += '\n';
    }

    /// "  label ....... value unit", the values lined up; the value is written once.
    void Line(std::string_view label, const std::string& value, std::string_view unit = {}) {
        Text(LabelledValue(label, value, unit));
    }

    /// The line of a quantity: "  label ....... value unit", and in SI its SI value and unit in
    /// a column of their own. Without `usUnit` the label names the US unit itself.
    template <typename Real>
    void Line(std::string_view label, Real us, Quantity quantity, bool usUnit = true) {
        const std::string_view unit = usUnit ? UnitOf(quantity, UnitSystem::kUS) : "";
        if (InSI() && Converts(quantity))
            LineWithSi(
                label, Number(us), unit,
                SiNumber(quantity, us) + ' ' + std::string(UnitOf(quantity, UnitSystem::kSI)));
        else
            Line(label, Number(us), unit);
    }

    /// A line with `siText` in the SI column.
    void LineWithSi(std::string_view label, const std::string& value, std::string_view unit,
                    std::string_view siText) {
        std::string line = LabelledValue(label, value, unit);
        line.resize(std::max(kSiColumn, line.size() + 3), ' ');
        line += siText;
        Text(line);
    }

    /// One row of a table: each cell padded to the same width.
    void TableRow(std::initializer_list<std::string> cells, std::size_t width = kTableColumnWidth) {
        std::string row = "    ";
        for (const std::string& cell : cells) {
            row += cell;
            row.append(std::max(width, cell.size() + 2) - cell.size(), ' ');
        }
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
        Text(row);
    }

  private:
    static std::string LabelledValue(std::string_view label, const std::string& value,
                                     std::string_view unit) {
        std::string line = "  ";
        line += label;
        line.resize(std::max(kValueColumn, line.size() + 1), ' ');
        line += value;
        if (!unit.empty()) {
            line += ' ';
            line += unit;
        }
        return line;
    }

    std::string& out_;
    WorksheetFormat format_;
};

/// In SI, the lines under a worksheet's heading that say how its two units are written.
void AppendUnitsNote(Sheet& sheet, WorksheetFormat format) {
    if (!sheet.InSI()) return;
    sheet.Text("  Each quantity in US customary units, then in SI: temperatures in C, differences");
    sheet.Text("  of temperature in K, enthalpies in kJ/kg from dry air and liquid water at 0 C");
    sheet.Text(
        "  (2.326 x (Btu/lb - 7.68)), differences of enthalpy (dh, d, hsat - hOut) by 2.326");
    sheet.Text(
        format.numbers == WorksheetNumbers::kExact
            ? "  alone. Each SI value is the shortest decimal that converts back to the US one."
            : "  alone. Both to six significant figures.");
}

void AppendInputs(Sheet& sheet, const DesignInputs& inputs) {
    sheet.Text("Inputs");
    // The caption names the US unit.
    for (const InputDefinition& entry : kInputs)
        sheet.Line(entry.caption, inputs[entry.index], kInputUnits[entry.index].quantity, false);
}

/// "TCold + 0.1 x R" or "hOutLG - L/G x 0.4 x R": the formula of point k.
std::string PointFormula(std::size_t point, std::string_view coldEnd, std::string_view hotEnd,
                         std::string_view factor) {
    const bool fromColdEnd = CountsFromColdEnd(point);
    std::string formula(fromColdEnd ? coldEnd : hotEnd);
    formula += fromColdEnd ? " + " : " - ";
    formula += factor;
    formula += std::string(SignificantText(kChebyshevFractions[point], kReadableDigits).View());
    formula += " x R";
    return formula;
}

void AppendChebyshevPoints(Sheet& sheet, const WorkingQuantities& q) {
    sheet.Text("  Points 1 and 2 count from the cold end, where the air enters; points 3 and 4");
    sheet.Text("  count back from the hot end, where it leaves:");
    sheet.TableRow({"point", "water temperature Tw", "air enthalpy ha"}, 24);
    for (std::size_t k = 0; k < q.drivingForce.size(); ++k) {
        sheet.TableRow({std::to_string(k + 1), "Tw = " + PointFormula(k, "TCold", "THot", ""),
                        "ha = " + PointFormula(k, "hInSat", "hOutLG", "L/G x ")},
                       24);
    }
    sheet.Text("  hw is saturated air at Tw; d = hw - ha is the driving force.");
    sheet.TableRow({"point", "Tw (F)", "hw (Btu/lb)", "ha (Btu/lb)", "d = hw-ha", "1/d (lb/Btu)"});
    for (std::size_t k = 0; k < q.drivingForce.size(); ++k) {
        // The reciprocals are summed in double precision; they are written as summed.
        sheet.TableRow({std::to_string(k + 1), sheet.Number(q.waterTemp[k]),
                        sheet.Number(q.hWater[k]), sheet.Number(q.hAir[k]),
                        sheet.Number(q.drivingForce[k]),
                        sheet.Number(1.0 / static_cast<double>(q.drivingForce[k]))});
    }
    if (!sheet.InSI()) return;
    // hw and ha are enthalpies, on the SI datum; d and 1/d are differences, without it.
    sheet.Text("  In SI units:");
    sheet.TableRow({"point", "Tw (C)", "hw (kJ/kg)", "ha (kJ/kg)", "d (kJ/kg)", "1/d (kg/kJ)"});
    for (std::size_t k = 0; k < q.drivingForce.size(); ++k) {
        sheet.TableRow({std::to_string(k + 1),
                        sheet.SiNumber(Quantity::kTemperature, q.waterTemp[k]),
                        sheet.SiNumber(Quantity::kEnthalpy, q.hWater[k]),
                        sheet.SiNumber(Quantity::kEnthalpy, q.hAir[k]),
                        sheet.SiNumber(Quantity::kEnthalpyDifference, q.drivingForce[k]),
                        sheet.SiNumber(Quantity::kReciprocalEnthalpyDifference,
                                       1.0 / static_cast<double>(q.drivingForce[k]))});
    }
}

void AppendMerkelIntegral(Sheet& sheet, const WorkingQuantities& q) {
    sheet.Text("Merkel integral, four Chebyshev points");
    sheet.Text(
        "  Two enthalpies of the entering air: hInSat, saturated at the wet bulb, starts the");
    sheet.Text("  Merkel air line; hIn, at the dry bulb (under Entering air), enters the energy");
    sheet.Text("  balance.");
    sheet.Line("hInSat, saturated air at the wet bulb", q.hInSat, Quantity::kEnthalpy);
    sheet.Line("TCold = Twb + Approach", q.tCold, Quantity::kTemperature);
    sheet.Line("R = THot - TCold", q.range, Quantity::kTemperatureDifference);
    sheet.Line("hOutLG = hInSat + L/G x R", q.hOutLG, Quantity::kEnthalpy);
    AppendChebyshevPoints(sheet, q);
    sheet.Line("KaV/L = R/4 x (1/d1 + 1/d2 + 1/d3 + 1/d4)", sheet.Number(q.kaVL));
}

std::string_view MoveText(BracketMove move) {
    switch (move) {
        case BracketMove::kUp:
            return "low end up";
        case BracketMove::kDown:
            return "high end down";
        case BracketMove::kNeither:
            break;
    }
    return "neither end";
}

/// One iteration of the exit-air bisection: the bracket it tested, its midpoint, how it moved
/// and the midpoint that follows, if any.
struct BisectionStep {
    float low;
    float high;
    float mid;
    BracketMove move;
    std::optional<float> next;
};

/// Every iteration with the bracket it tested, reconstructed from the moves: a move up raises
/// the low end to the midpoint, a move down lowers the high end to it.
std::vector<BisectionStep> BisectionSteps(const SolverTrace& trace, const DesignInputs& inputs,
                                          const WorkingQuantities& q) {
    std::vector<BisectionStep> steps;
    float low = inputs[Input::kWetBulb];
    float high = inputs[Input::kHotWater];
    for (std::int16_t i = 0; i < trace.iterations; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const float mid = trace.mids[k];
        const bool last = i + 1 == trace.iterations;
        std::optional<float> next;
        if (!last) next = trace.mids[k + 1];
        if (last && q.tExit != kSolverNoSolution) next = q.tExit;
        steps.push_back({low, high, mid, trace.moves[k], next});
        if (trace.moves[k] == BracketMove::kUp) low = mid;
        if (trace.moves[k] == BracketMove::kDown) high = mid;
    }
    return steps;
}

void AppendBisection(Sheet& sheet, std::span<const BisectionStep> steps) {
    sheet.TableRow({"iteration", "low end (F)", "high end (F)", "midpoint (F)", "move",
                    "next mid (F)", "change"});
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const BisectionStep& step = steps[i];
        std::string change;
        if (step.next) {
            const double next = static_cast<double>(*step.next);
            const double share = std::fabs((next - static_cast<double>(step.mid)) / next);
            change = std::string(SignificantText(share * kPercent, kChangeDigits).View()) + " %";
        }
        sheet.TableRow({std::to_string(i + 1), sheet.Number(step.low), sheet.Number(step.high),
                        sheet.Number(step.mid), std::string(MoveText(step.move)),
                        step.next ? sheet.Number(*step.next) : std::string(), change});
    }
}

/// The bisection's temperatures again, in C.
void AppendBisectionInSI(Sheet& sheet, std::span<const BisectionStep> steps) {
    const auto celsius = [&sheet](float f) { return sheet.SiNumber(Quantity::kTemperature, f); };
    sheet.Text("  In SI units:");
    sheet.TableRow({"iteration", "low end (C)", "high end (C)", "midpoint (C)", "next mid (C)"});
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const BisectionStep& step = steps[i];
        sheet.TableRow({std::to_string(i + 1), celsius(step.low), celsius(step.high),
                        celsius(step.mid), step.next ? celsius(*step.next) : std::string()});
    }
}

void AppendExitAirSearch(Sheet& sheet, const SolverTrace& trace, const DesignInputs& inputs,
                         const WorkingQuantities& q) {
    sheet.Text("Exit air: saturated air of enthalpy hOut, by bisection of hOut - hsat(T)");
    sheet.Text("  The bracket runs from Twb to THot; each iteration tests its midpoint and keeps");
    sheet.Text("  the half in which hOut - hsat changes sign. It stops once the next midpoint");
    sheet.Text("  differs from the one tested by less than " +
               sheet.Number(kSolverRelativeTolerance * 100.0F) +
               " % of its own value, and gives -1 after " + std::to_string(kSolverIterationLimit));
    sheet.Text("  iterations without that.");
    const std::vector<BisectionStep> steps = BisectionSteps(trace, inputs, q);
    AppendBisection(sheet, steps);
    if (sheet.InSI()) AppendBisectionInSI(sheet, steps);
    constexpr std::string_view kExitLabel = "TExit, the next midpoint after the last test";
    if (sheet.InSI() && q.tExit == kSolverNoSolution) {
        // -1 F is the solver's word for no solution, not a temperature to convert.
        sheet.LineWithSi(kExitLabel, sheet.Number(q.tExit), "F", "no solution");
    } else {
        sheet.Line(kExitLabel, q.tExit, Quantity::kTemperature);
    }
    const std::string lastTested =
        trace.iterations > 0
            ? sheet.Measure(trace.mids[static_cast<std::size_t>(trace.iterations - 1)],
                            Quantity::kTemperature)
            : std::string("no midpoint");
    sheet.Text("  psat and WExit are those of the last midpoint tested, " + lastTested +
               ", not of TExit:");
    sheet.Line("psat at the last midpoint tested", q.psatExit, Quantity::kPressure);
    sheet.Line("WExit, saturated at the last midpoint tested", sheet.Number(q.wExit), "lb/lb");
}

/// The exact leaving air: its search, and the figures that follow from it in place of the
/// window's.
void AppendExactLeavingAir(Sheet& sheet, const DesignInputs& inputs) {
    LeavingAir air;
    const WorkingQuantities q = CalculateWithExactLeavingAir(inputs, &air);
    sheet.Text("Leaving air used: saturated at hOut, solved exactly (not the search above)");
    sheet.Text("  Regula falsi on hsat(T) - hOut from Twb to THot, down to adjacent temperatures");
    const std::string limits =
        "  (at most " + std::to_string(kLeavingAirEvaluationLimit) + " evaluations, to " +
        sheet.Measure(kLeavingAirTolerance, Quantity::kTemperatureDifference) + " at least);";
    constexpr std::string_view kTakenThere = "W and V are taken at that temperature.";
    if (sheet.InSI()) {
        // Both units make the line too long for one.
        sheet.Text(limits);
        sheet.Text("  " + std::string(kTakenThere));
    } else {
        sheet.Text(limits + ' ' + std::string(kTakenThere));
    }
    if (sheet.InSI()) {
        sheet.TableRow({"evaluation", "T (F)", "T (C)", "hsat - hOut (Btu/lb)", "(kJ/kg)"});
    } else {
        sheet.TableRow({"evaluation", "T (F)", "hsat - hOut"});
    }
    for (std::size_t k = 0; k < air.trials.size(); ++k) {
        const LeavingAirTrial& trial = air.trials[k];
        if (sheet.InSI()) {
            sheet.TableRow({std::to_string(k + 1), sheet.Number(trial.temperature),
                            sheet.SiNumber(Quantity::kTemperature, trial.temperature),
                            sheet.Number(trial.excess),
                            sheet.SiNumber(Quantity::kEnthalpyDifference, trial.excess)});
        } else {
            sheet.TableRow({std::to_string(k + 1), sheet.Number(trial.temperature),
                            sheet.Number(trial.excess)});
        }
    }
    if (!air.found) {
        sheet.Text("  No saturated air at hOut between Twb and THot: no water or fan figures");
        return;
    }
    sheet.Line("TExit, saturated at hOut", q.tExit, Quantity::kTemperature);
    sheet.Line("WExit, saturated at TExit", sheet.Number(q.wExit), "lb/lb");
    sheet.Line("Evap = G/500 x (WExit - Win)", q.evaporation, Quantity::kWaterFlow);
    sheet.Line("Blowdown = Evap / (Cycles - 1) - Drift", q.blowdown, Quantity::kWaterFlow);
    sheet.Line("Makeup = Evap + Blowdown + Drift", q.makeup, Quantity::kWaterFlow);
    sheet.Line("V, specific volume at TExit with WExit", q.specificVolume,
               Quantity::kSpecificVolume);
    sheet.Line("Cfm = V x G / 60", q.airVolumeFlow, Quantity::kAirVolumeRate);
    sheet.Line("FanHp = FanPress x Cfm / (6356 x FanEff/100)", q.fanPower, Quantity::kPower);
}

std::string_view FanModeText(const FanControl& control) {
    switch (control.mode) {
        case FanMode::kFull:
            return "full speed";
        case FanMode::kVariableSpeed:
            return "variable speed";
        case FanMode::kTwoSpeed:
            return "two speeds";
    }
    return "";
}

void AppendApproachTrials(Sheet& sheet, std::span<const ApproachTrial> trials) {
    const auto positive = [](const ApproachTrial& trial) -> std::string {
        return trial.allDrivingForcesPositive ? "all positive" : "not all positive";
    };
    if (sheet.InSI()) {
        sheet.TableRow(
            {"trial", "approach (F)", "approach (K)", "KaV/L demanded", "driving forces"});
    } else {
        sheet.TableRow({"trial", "approach (F)", "KaV/L demanded", "driving forces"});
    }
    for (std::size_t k = 0; k < trials.size(); ++k) {
        const ApproachTrial& trial = trials[k];
        if (sheet.InSI()) {
            sheet.TableRow({std::to_string(k + 1), sheet.Number(trial.approach),
                            sheet.SiNumber(Quantity::kTemperatureDifference, trial.approach),
                            sheet.Number(trial.kaVL), positive(trial)});
        } else {
            sheet.TableRow({std::to_string(k + 1), sheet.Number(trial.approach),
                            sheet.Number(trial.kaVL), positive(trial)});
        }
    }
}

void AppendCalculation(Sheet& sheet, const DesignInputs& inputs) {
    SolverTrace trace;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs, &trace);
    AppendMerkelIntegral(sheet, q);
    sheet.Text("Air and heat");
    sheet.Line("G = 500 x Flow / (L/G), dry air", q.airFlow, Quantity::kMassFlow);
    sheet.Line("Q = 500 x Flow x R, heat load", q.heatLoad, Quantity::kHeatRate);
    sheet.Line("dh = Q / G", q.enthalpyRise, Quantity::kEnthalpyDifference);
    sheet.Text("Entering air");
    sheet.Line("psat at the wet bulb", q.psatWetBulb, Quantity::kPressure);
    sheet.Line("pv, vapour pressure", q.vapourPressure, Quantity::kPressure);
    sheet.Line("Win, humidity ratio", sheet.Number(q.wIn), "lb/lb");
    sheet.Line("hIn, at the dry bulb with Win", q.hIn, Quantity::kEnthalpy);
    sheet.Line("hOut = hIn + dh, leaving air", q.hOut, Quantity::kEnthalpy);
    AppendExitAirSearch(sheet, trace, inputs, q);
    sheet.Text("Water balance");
    sheet.Line("Evap = G/500 x (WExit - Win)", q.evaporation, Quantity::kWaterFlow);
    sheet.Line("Drift = Flow x Drift / 100", q.driftRate, Quantity::kWaterFlow);
    sheet.Line("Blowdown = Evap / (Cycles - 1) - Drift", q.blowdown, Quantity::kWaterFlow);
    sheet.Line("Makeup = Evap + Blowdown + Drift", q.makeup, Quantity::kWaterFlow);
    sheet.Text("Exit air flow and power");
    sheet.Line("V, specific volume at TExit with WExit", q.specificVolume,
               Quantity::kSpecificVolume);
    sheet.Line("Cfm = V x G / 60", q.airVolumeFlow, Quantity::kAirVolumeRate);
    sheet.Line("FanHp = FanPress x Cfm / (6356 x FanEff/100)", q.fanPower, Quantity::kPower);
    sheet.Line("PumpHp = 0.012 x Flow", q.pumpPower, Quantity::kPower);
}

}  // namespace

void AppendWorksheet(std::string& out, std::string_view place, const DesignInputs& inputs,
                     WorksheetFormat format, LeavingAirRule rule) {
    Sheet sheet(out, format);
    sheet.Text("Worksheet of " + std::string(place));
    AppendUnitsNote(sheet, format);
    AppendInputs(sheet, inputs);
    AppendCalculation(sheet, inputs);
    if (rule == LeavingAirRule::kExact) AppendExactLeavingAir(sheet, inputs);
    out += '\n';
}

void AppendRatingWorksheet(std::string& out, std::string_view place, const DesignInputs& design,
                           TowerCharacteristic tower, const Rating& rating,
                           std::span<const ApproachTrial> trials, WorksheetFormat format,
                           LeavingAirRule rule) {
    Sheet sheet(out, format);
    sheet.Text("Worksheet of " + std::string(place) + " rated against the tower");
    AppendUnitsNote(sheet, format);
    AppendInputs(sheet, design);
    sheet.Text("Tower");
    sheet.Line("KaV/L = C x (L/G)^-m, C", sheet.Number(tower.c));
    sheet.Line("m", sheet.Number(tower.m));
    sheet.Line("KaV/L of the tower at the row's L/G", sheet.Number(rating.towerKaVL));
    // The search ends short of 100 F where the hot water would boil there.
    const bool boilingLimit = rating.highestApproach < kHighestApproach;
    const std::string span =
        "Approach search, from " +
        sheet.Measure(kLowestApproach, Quantity::kTemperatureDifference) + " to " +
        sheet.Measure(rating.highestApproach, Quantity::kTemperatureDifference);
    constexpr std::string_view kBoilingLimit =
        "below the boiling of the hot water at the row's pressure";
    if (!boilingLimit) {
        sheet.Text(span);
    } else if (sheet.InSI()) {
        // Both units make the line too long for one.
        sheet.Text(span + ',');
        sheet.Text("  " + std::string(kBoilingLimit));
    } else {
        sheet.Text(span + ", " + std::string(kBoilingLimit));
    }
    AppendApproachTrials(sheet, trials);
    if (rating.outcome != RatingOutcome::kRated) {
        sheet.Text("No operating point: " + std::string(DescribeOutcome(rating.outcome)));
        out += '\n';
        return;
    }
    sheet.Line("Approach at the operating point", rating.inputs[Input::kApproach],
               Quantity::kTemperatureDifference);
    sheet.Line("THot = Twb + Approach + R", rating.inputs[Input::kHotWater],
               Quantity::kTemperature);
    sheet.Text("At the operating point");
    AppendInputs(sheet, rating.inputs);
    AppendCalculation(sheet, rating.inputs);
    if (rule == LeavingAirRule::kExact) AppendExactLeavingAir(sheet, rating.inputs);
    out += '\n';
}

void AppendFanControlWorksheet(std::string& out, std::string_view place, const FanControl& control,
                               const FanOperation& run, WorksheetFormat format) {
    Sheet sheet(out, format);
    sheet.Text("Fan control of " + std::string(place) + ": " + std::string(FanModeText(control)) +
               ", setpoint " + sheet.Measure(control.setpoint, Quantity::kTemperature));
    if (run.outcome == FanOutcome::kNoOperatingPoint) {
        sheet.Text("  No operating point at full speed: nothing to control");
        out += '\n';
        return;
    }
    sheet.Text("  Air flow f of full: L/G / f against the tower's C x (L/G / f)^-m; fan power");
    sheet.Text("  f^3 x full speed's (the fan laws). " + std::to_string(run.ratings) +
               " ratings of the row were made.");
    sheet.Line("Cold water at full speed", run.fullSpeed.results.values[Result::kColdWater],
               Quantity::kTemperature);
    sheet.Line("Fan power at full speed", run.fullSpeed.results.values[Result::kFanPower],
               Quantity::kPower);
    if (control.mode == FanMode::kTwoSpeed && run.airFlow < 1.0F) {
        sheet.Line("Cold water at half speed", run.controlled.results.values[Result::kColdWater],
                   Quantity::kTemperature);
        sheet.Line("Share of the hour at full speed", sheet.Number(run.fullSpeedShare));
    }
    sheet.Line("Air flow, mean over the hour", sheet.Number(run.airFlow), "of full");
    sheet.Line("Cold water reached", run.coldWater, Quantity::kTemperature);
    sheet.Line("Fan power used", run.fanPower, Quantity::kPower);
    sheet.Line("Makeup", run.makeup, Quantity::kWaterFlow);
    const std::string outcome = ExplainFanOperation(run, control.mode);
    if (!outcome.empty()) sheet.Text("  " + outcome);
    out += '\n';
}

namespace {

void AppendReading(Sheet& sheet, const TestReading& r) {
    sheet.Text("Readings");
    sheet.Line("P", r.pressure, Quantity::kPressure);
    sheet.Line("Twb", r.wetBulb, Quantity::kTemperature);
    sheet.Line("Tdb", r.dryBulb, Quantity::kTemperature);
    sheet.Line("THot", r.hotWater, Quantity::kTemperature);
    sheet.Line("TCold", r.coldWater, Quantity::kTemperature);
    sheet.Line("Flow", r.waterFlow, Quantity::kWaterFlow);
    sheet.Line("FanPower", sheet.Number(r.fanPower), "(the design fan power's unit)");
}

void AppendFanAir(Sheet& sheet, std::string_view whose, const FanAir& air) {
    sheet.Text(std::string("  ") + std::string(whose));
    sheet.Line("  temperature", air.temperature, Quantity::kTemperature);
    sheet.Line("  W, humidity ratio", sheet.Number(air.humidityRatio), "lb/lb");
    sheet.Line("  h, enthalpy", air.enthalpy, Quantity::kEnthalpy);
    sheet.Line("  v, specific volume", air.specificVolume, Quantity::kSpecificVolume);
    sheet.Line("  rho = (1 + W) / v", air.density, Quantity::kDensity);
}

/// Steps 1 and 2 of the design, the same for every reading.
void AppendDesignSteps(Sheet& sheet, const DesignBasis& basis) {
    const AcceptanceDesign& a = basis.acceptance;
    sheet.Text("Design");
    sheet.Line("L/G_d", sheet.Number(a.design[Input::kLiquidGas]), "lb/lb");
    sheet.Line("Flow_d", a.design[Input::kWaterFlow], Quantity::kWaterFlow);
    sheet.Line("FanPower_d", sheet.Number(a.fanPower));
    sheet.Line("m, slope of the characteristic", sheet.Number(a.slope));
    sheet.Text("1. Design demand");
    sheet.Line("KaV/L_d, the calculation's KaV/L of the design", sheet.Number(basis.kaVL));
    sheet.Line("C_d = KaV/L_d x (L/G_d)^m", sheet.Number(basis.c));
    if (a.draft == FanDraft::kInduced) {
        sheet.Text(
            "2. Air at the fan, induced draft: the leaving air, saturated at hOut = hIn + "
            "Q/G,");
        sheet.Text(
            "   its temperature solved to adjacent single-precision values, W and v at "
            "that temperature");
    } else {
        sheet.Text(
            "2. Air at the fan, forced draft: the entering air at the dry bulb, W from "
            "the wet bulb");
    }
    AppendFanAir(sheet, "design", basis.air);
}

void AppendTestSteps(Sheet& sheet, const DesignBasis& basis, const CapabilityEvaluation& e) {
    AppendFanAir(sheet, "test, at the last L/G_t", e.air);
    sheet.Text("3. Test L/G_t = L/G_d x (Flow_t / Flow_d) x (FanPower_d / FanPower_t)^(1/3)");
    sheet.Text("                x (rho_t / rho_d)^(1/3) x (v_t / v_d)");
    if (basis.acceptance.draft == FanDraft::kInduced) {
        sheet.Text("   The leaving air depends on L/G_t: repeated with the air of the last L/G_t");
        sheet.Text("   until L/G_t moves by less than " +
                   std::string(PlainShortestText(kLiquidGasTolerance).View()) + " of itself");
    }
    sheet.TableRow({"pass", "L/G_t (lb/lb)"});
    for (std::size_t k = 0; k < e.passes.size(); ++k)
        sheet.TableRow({std::to_string(k + 1), sheet.Number(e.passes[k])});
    if (e.outcome == EvaluationOutcome::kFanAirNotFound ||
        e.outcome == EvaluationOutcome::kEnteringAirNotFound ||
        e.outcome == EvaluationOutcome::kNoTestLiquidGas) {
        return;
    }
    sheet.Line("L/G_t", sheet.Number(e.liquidGas), "lb/lb");
    sheet.Text("4. Test demand at Twb, THot, TCold (Approach = TCold - Twb), P and L/G_t");
    if (e.outcome == EvaluationOutcome::kTestNotFeasible) return;
    sheet.Line("KaV/L_t", sheet.Number(e.kaVL));
    sheet.Line("C_t = KaV/L_t x (L/G_t)^m", sheet.Number(e.c));
    sheet.Text("5. Where the design demand curve meets C_t x (L/G)^-m, searched from " +
               sheet.Number(kLowestCapability) + " % to " + sheet.Number(kHighestCapability) +
               " % of L/G_d");
    if (e.outcome == EvaluationOutcome::kNoCrossing) return;
    sheet.Line("L/G_cap", sheet.Number(e.capabilityLiquidGas), "lb/lb");
    sheet.Text("6. Capability");
    sheet.Line("100 x L/G_cap / L/G_d", sheet.Number(e.capability), "%");
    sheet.Text("7. The design tower (C_d, m) rated at the test's Twb, range, L/G_t and P");
    if (e.outcome == EvaluationOutcome::kDesignTowerNotRated) return;
    sheet.Line("Predicted TCold", e.predictedColdWater, Quantity::kTemperature);
    sheet.Line("Deviation = measured - predicted TCold", e.coldWaterDeviation,
               Quantity::kTemperatureDifference);
}

}  // namespace

void AppendAcceptanceWorksheet(std::string& out, std::string_view place, const DesignBasis& basis,
                               const TestReading& reading, const CapabilityEvaluation& evaluation,
                               WorksheetFormat format) {
    Sheet sheet(out, format);
    sheet.Text("Worksheet of the capability evaluation of " + std::string(place));
    AppendUnitsNote(sheet, format);
    AppendReading(sheet, reading);
    AppendDesignSteps(sheet, basis);
    // Steps 3 on exist only for a reading that passed the checks of its own numbers.
    if (!evaluation.passes.empty()) AppendTestSteps(sheet, basis, evaluation);
    if (evaluation.outcome != EvaluationOutcome::kEvaluated) {
        sheet.Text("Not evaluated: " + ExplainEvaluation(evaluation));
    }
    sheet.Text("");
}

}  // namespace veltrane
