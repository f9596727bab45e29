#include "worksheet.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "exit_air_solver.h"
#include "number_text.h"

namespace veltrane {
namespace {

constexpr std::size_t kValueColumn = 50;
constexpr std::size_t kTableColumnWidth = 16;
/// Significant figures of a readable worksheet: a single-precision value holds about seven.
constexpr int kReadableDigits = 6;
/// The share of the bisection's change written as a percentage, with these figures.
constexpr int kChangeDigits = 3;
constexpr double kPercent = 100.0;

/// The worksheet being written: its text and the style of its numbers.
class Sheet {
  public:
    Sheet(std::string& out, WorksheetNumbers numbers) : out_(out), numbers_(numbers) {}

    template <typename Real>
    [[nodiscard]] std::string Number(Real value) const {
        if (numbers_ == WorksheetNumbers::kExact)
            return std::string(PlainShortestText(value).View());
        return std::string(SignificantText(static_cast<double>(value), kReadableDigits).View());
    }

    /// A heading or a sentence, on a line of its own.
    void Text(std::string_view text) {
        out_ += text;
        out_ += '\n';
    }

    /// "  label ....... value unit", the values lined up.
    void Line(std::string_view label, const std::string& value, std::string_view unit = {}) {
        std::string line = "  ";
        line += label;
        line.resize(std::max(kValueColumn, line.size() + 1), ' ');
        line += value;
        if (!unit.empty()) {
            line += ' ';
            line += unit;
        }
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
    std::string& out_;
    WorksheetNumbers numbers_;
};

void AppendInputs(Sheet& sheet, const DesignInputs& inputs) {
    sheet.Text("Inputs");
    for (const InputDefinition& entry : kInputs)
        sheet.Line(entry.caption, sheet.Number(inputs[entry.index]));
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
}

void AppendMerkelIntegral(Sheet& sheet, const WorkingQuantities& q) {
    sheet.Text("Merkel integral, four Chebyshev points");
    sheet.Text(
        "  Two enthalpies of the entering air: hInSat, saturated at the wet bulb, starts the");
    sheet.Text("  Merkel air line; hIn, at the dry bulb (under Entering air), enters the energy");
    sheet.Text("  balance.");
    sheet.Line("hInSat, saturated air at the wet bulb", sheet.Number(q.hInSat), "Btu/lb");
    sheet.Line("TCold = Twb + Approach", sheet.Number(q.tCold), "F");
    sheet.Line("R = THot - TCold", sheet.Number(q.range), "F");
    sheet.Line("hOutLG = hInSat + L/G x R", sheet.Number(q.hOutLG), "Btu/lb");
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

/// Every iteration with the bracket it tested, reconstructed from the moves: a move up raises
/// the low end to the midpoint, a move down lowers the high end to it.
void AppendBisection(Sheet& sheet, const SolverTrace& trace, const DesignInputs& inputs,
                     const WorkingQuantities& q) {
    float low = inputs[Input::kWetBulb];
    float high = inputs[Input::kHotWater];
    sheet.TableRow({"iteration", "low end (F)", "high end (F)", "midpoint (F)", "move",
                    "next mid (F)", "change"});
    for (std::int16_t i = 0; i < trace.iterations; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const float mid = trace.mids[k];
        const bool last = i + 1 == trace.iterations;
        const bool hasNext = !last || q.tExit != kSolverNoSolution;
        const float next = last ? q.tExit : trace.mids[k + 1];
        std::string change;
        if (hasNext) {
            const double share = std::fabs((static_cast<double>(next) - static_cast<double>(mid)) /
                                           static_cast<double>(next));
            change = std::string(SignificantText(share * kPercent, kChangeDigits).View()) + " %";
        }
        sheet.TableRow({std::to_string(i + 1), sheet.Number(low), sheet.Number(high),
                        sheet.Number(mid), std::string(MoveText(trace.moves[k])),
                        hasNext ? sheet.Number(next) : std::string(), change});
        if (trace.moves[k] == BracketMove::kUp) low = mid;
        if (trace.moves[k] == BracketMove::kDown) high = mid;
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
    AppendBisection(sheet, trace, inputs, q);
    sheet.Line("TExit, the next midpoint after the last test", sheet.Number(q.tExit), "F");
    const std::string lastTested =
        trace.iterations > 0
            ? sheet.Number(trace.mids[static_cast<std::size_t>(trace.iterations - 1)]) + " F"
            : std::string("no midpoint");
    sheet.Text("  psat and WExit are those of the last midpoint tested, " + lastTested +
               ", not of TExit:");
    sheet.Line("psat at the last midpoint tested", sheet.Number(q.psatExit), "psia");
    sheet.Line("WExit, saturated at the last midpoint tested", sheet.Number(q.wExit), "lb/lb");
}

/// The exact leaving air: its search, and the figures that follow from it in place of the
/// window's.
void AppendExactLeavingAir(Sheet& sheet, const DesignInputs& inputs) {
    LeavingAir air;
    const WorkingQuantities q = CalculateWithExactLeavingAir(inputs, &air);
    sheet.Text("Leaving air used: saturated at hOut, solved exactly (not the search above)");
    sheet.Text("  Regula falsi on hsat(T) - hOut from Twb to THot, down to adjacent temperatures");
    sheet.Text("  (at most " + std::to_string(kLeavingAirEvaluationLimit) + " evaluations, to " +
               sheet.Number(kLeavingAirTolerance) +
               " F at least); W and V are taken at that temperature.");
    sheet.TableRow({"evaluation", "T (F)", "hsat - hOut"});
    for (std::size_t k = 0; k < air.trials.size(); ++k) {
        sheet.TableRow({std::to_string(k + 1), sheet.Number(air.trials[k].temperature),
                        sheet.Number(air.trials[k].excess)});
    }
    if (!air.found) {
        sheet.Text("  No saturated air at hOut between Twb and THot: no water or fan figures");
        return;
    }
    sheet.Line("TExit, saturated at hOut", sheet.Number(q.tExit), "F");
    sheet.Line("WExit, saturated at TExit", sheet.Number(q.wExit), "lb/lb");
    sheet.Line("Evap = G/500 x (WExit - Win)", sheet.Number(q.evaporation), "gpm");
    sheet.Line("Blowdown = Evap / (Cycles - 1) - Drift", sheet.Number(q.blowdown), "gpm");
    sheet.Line("Makeup = Evap + Blowdown + Drift", sheet.Number(q.makeup), "gpm");
    sheet.Line("V, specific volume at TExit with WExit", sheet.Number(q.specificVolume), "ft3/lb");
    sheet.Line("Cfm = V x G / 60", sheet.Number(q.airVolumeFlow), "ft3/min");
    sheet.Line("FanHp = FanPress x Cfm / (6356 x FanEff/100)", sheet.Number(q.fanPower), "hp");
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

void AppendCalculation(Sheet& sheet, const DesignInputs& inputs) {
    SolverTrace trace;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs, &trace);
    AppendMerkelIntegral(sheet, q);
    sheet.Text("Air and heat");
    sheet.Line("G = 500 x Flow / (L/G), dry air", sheet.Number(q.airFlow), "lb/h");
    sheet.Line("Q = 500 x Flow x R, heat load", sheet.Number(q.heatLoad), "Btu/h");
    sheet.Line("dh = Q / G", sheet.Number(q.enthalpyRise), "Btu/lb");
    sheet.Text("Entering air");
    sheet.Line("psat at the wet bulb", sheet.Number(q.psatWetBulb), "psia");
    sheet.Line("pv, vapour pressure", sheet.Number(q.vapourPressure), "psia");
    sheet.Line("Win, humidity ratio", sheet.Number(q.wIn), "lb/lb");
    sheet.Line("hIn, at the dry bulb with Win", sheet.Number(q.hIn), "Btu/lb");
    sheet.Line("hOut = hIn + dh, leaving air", sheet.Number(q.hOut), "Btu/lb");
    AppendExitAirSearch(sheet, trace, inputs, q);
    sheet.Text("Water balance");
    sheet.Line("Evap = G/500 x (WExit - Win)", sheet.Number(q.evaporation), "gpm");
    sheet.Line("Drift = Flow x Drift / 100", sheet.Number(q.driftRate), "gpm");
    sheet.Line("Blowdown = Evap / (Cycles - 1) - Drift", sheet.Number(q.blowdown), "gpm");
    sheet.Line("Makeup = Evap + Blowdown + Drift", sheet.Number(q.makeup), "gpm");
    sheet.Text("Exit air flow and power");
    sheet.Line("V, specific volume at TExit with WExit", sheet.Number(q.specificVolume), "ft3/lb");
    sheet.Line("Cfm = V x G / 60", sheet.Number(q.airVolumeFlow), "ft3/min");
    sheet.Line("FanHp = FanPress x Cfm / (6356 x FanEff/100)", sheet.Number(q.fanPower), "hp");
    sheet.Line("PumpHp = 0.012 x Flow", sheet.Number(q.pumpPower), "hp");
}

}  // namespace

void AppendWorksheet(std::string& out, std::string_view place, const DesignInputs& inputs,
                     WorksheetNumbers numbers, LeavingAirRule rule) {
    Sheet sheet(out, numbers);
    sheet.Text("Worksheet of " + std::string(place));
    AppendInputs(sheet, inputs);
    AppendCalculation(sheet, inputs);
    if (rule == LeavingAirRule::kExact) AppendExactLeavingAir(sheet, inputs);
    out += '\n';
}

void AppendRatingWorksheet(std::string& out, std::string_view place, const DesignInputs& design,
                           TowerCharacteristic tower, const Rating& rating,
                           std::span<const ApproachTrial> trials, WorksheetNumbers numbers,
                           LeavingAirRule rule) {
    Sheet sheet(out, numbers);
    sheet.Text("Worksheet of " + std::string(place) + " rated against the tower");
    AppendInputs(sheet, design);
    sheet.Text("Tower");
    sheet.Line("KaV/L = C x (L/G)^-m, C", sheet.Number(tower.c));
    sheet.Line("m", sheet.Number(tower.m));
    sheet.Line("KaV/L of the tower at the row's L/G", sheet.Number(rating.towerKaVL));
    // The search ends short of 100 F where the hot water would boil there.
    const bool boilingLimit = rating.highestApproach < kHighestApproach;
    sheet.Text("Approach search, from " + sheet.Number(kLowestApproach) + " F to " +
               sheet.Number(rating.highestApproach) + " F" +
               (boilingLimit ? ", below the boiling of the hot water at the row's pressure" : ""));
    sheet.TableRow({"trial", "approach (F)", "KaV/L demanded", "driving forces"});
    for (std::size_t k = 0; k < trials.size(); ++k) {
        sheet.TableRow({std::to_string(k + 1), sheet.Number(trials[k].approach),
                        sheet.Number(trials[k].kaVL),
                        trials[k].allDrivingForcesPositive ? "all positive" : "not all positive"});
    }
    if (rating.outcome != RatingOutcome::kRated) {
        sheet.Text("No operating point: " + std::string(DescribeOutcome(rating.outcome)));
        out += '\n';
        return;
    }
    sheet.Line("Approach at the operating point", sheet.Number(rating.inputs[Input::kApproach]),
               "F");
    sheet.Line("THot = Twb + Approach + R", sheet.Number(rating.inputs[Input::kHotWater]), "F");
    sheet.Text("At the operating point");
    AppendInputs(sheet, rating.inputs);
    AppendCalculation(sheet, rating.inputs);
    if (rule == LeavingAirRule::kExact) AppendExactLeavingAir(sheet, rating.inputs);
    out += '\n';
}

void AppendFanControlWorksheet(std::string& out, std::string_view place, const FanControl& control,
                               const FanOperation& run, WorksheetNumbers numbers) {
    Sheet sheet(out, numbers);
    sheet.Text("Fan control of " + std::string(place) + ": " + std::string(FanModeText(control)) +
               ", setpoint " + sheet.Number(control.setpoint) + " F");
    if (run.outcome == FanOutcome::kNoOperatingPoint) {
        sheet.Text("  No operating point at full speed: nothing to control");
        out += '\n';
        return;
    }
    sheet.Text("  Air flow f of full: L/G / f against the tower's C x (L/G / f)^-m; fan power");
    sheet.Text("  f^3 x full speed's (the fan laws). " + std::to_string(run.ratings) +
               " ratings of the row were made.");
    sheet.Line("Cold water at full speed",
               sheet.Number(run.fullSpeed.results.values[Result::kColdWater]), "F");
    sheet.Line("Fan power at full speed",
               sheet.Number(run.fullSpeed.results.values[Result::kFanPower]), "hp");
    if (control.mode == FanMode::kTwoSpeed && run.airFlow < 1.0F) {
        sheet.Line("Cold water at half speed",
                   sheet.Number(run.controlled.results.values[Result::kColdWater]), "F");
        sheet.Line("Share of the hour at full speed", sheet.Number(run.fullSpeedShare));
    }
    sheet.Line("Air flow, mean over the hour", sheet.Number(run.airFlow), "of full");
    sheet.Line("Cold water reached", sheet.Number(run.coldWater), "F");
    sheet.Line("Fan power used", sheet.Number(run.fanPower), "hp");
    sheet.Line("Makeup", sheet.Number(run.makeup), "gpm");
    const std::string_view outcome = DescribeFanOutcome(run.outcome, control.mode);
    if (!outcome.empty()) sheet.Text("  " + std::string(outcome));
    out += '\n';
}

namespace {

void AppendReading(Sheet& sheet, const TestReading& r) {
    sheet.Text("Readings");
    sheet.Line("P", sheet.Number(r.pressure), "psia");
    sheet.Line("Twb", sheet.Number(r.wetBulb), "F");
    sheet.Line("Tdb", sheet.Number(r.dryBulb), "F");
    sheet.Line("THot", sheet.Number(r.hotWater), "F");
    sheet.Line("TCold", sheet.Number(r.coldWater), "F");
    sheet.Line("Flow", sheet.Number(r.waterFlow), "gpm");
    sheet.Line("FanPower", sheet.Number(r.fanPower), "(the design fan power's unit)");
}

void AppendFanAir(Sheet& sheet, std::string_view whose, const FanAir& air) {
    sheet.Text(std::string("  ") + std::string(whose));
    sheet.Line("  temperature", sheet.Number(air.temperature), "F");
    sheet.Line("  W, humidity ratio", sheet.Number(air.humidityRatio), "lb/lb");
    sheet.Line("  h, enthalpy", sheet.Number(air.enthalpy), "Btu/lb");
    sheet.Line("  v, specific volume", sheet.Number(air.specificVolume), "ft3/lb");
    sheet.Line("  rho = (1 + W) / v", sheet.Number(air.density), "lb/ft3");
}

/// Steps 1 and 2 of the design, the same for every reading.
void AppendDesignSteps(Sheet& sheet, const DesignBasis& basis) {
    const AcceptanceDesign& a = basis.acceptance;
    sheet.Text("Design");
    sheet.Line("L/G_d", sheet.Number(a.design[Input::kLiquidGas]), "lb/lb");
    sheet.Line("Flow_d", sheet.Number(a.design[Input::kWaterFlow]), "gpm");
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
    if (e.outcome == EvaluationOutcome::kFanAirNotFound) return;
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
    sheet.Line("Predicted TCold", sheet.Number(e.predictedColdWater), "F");
    sheet.Line("Deviation = measured - predicted TCold", sheet.Number(e.coldWaterDeviation), "F");
}

}  // namespace

void AppendAcceptanceWorksheet(std::string& out, std::string_view place, const DesignBasis& basis,
                               const TestReading& reading, const CapabilityEvaluation& evaluation,
                               WorksheetNumbers numbers) {
    Sheet sheet(out, numbers);
    sheet.Text("Worksheet of the capability evaluation of " + std::string(place));
    AppendReading(sheet, reading);
    AppendDesignSteps(sheet, basis);
    // Steps 3 on exist only for a reading that passed the checks of its own numbers.
    if (!evaluation.passes.empty()) AppendTestSteps(sheet, basis, evaluation);
    if (evaluation.outcome != EvaluationOutcome::kEvaluated) {
        std::string reason =
            "Not evaluated: " + std::string(DescribeEvaluation(evaluation.outcome));
        if (evaluation.outcome == EvaluationOutcome::kDesignTowerNotRated)
            reason += " (" + std::string(DescribeOutcome(evaluation.ratingOutcome)) + ")";
        sheet.Text(reason);
    }
    sheet.Text("");
}

}  // namespace veltrane
