#include "worksheet.h"

#include <algorithm>
#include <initializer_list>

#include "exit_air_solver.h"
#include "number_text.h"

namespace veltrane::cli {
namespace {

constexpr std::size_t kValueColumn = 50;
constexpr std::size_t kTableColumnWidth = 16;

template <typename Real>
std::string Number(Real value) {
    char text[kNumberTextCapacity];
    return std::string(text, WriteShortest(text, value));
}

/// "  label ....... value unit", the values lined up.
void Line(std::string& out, std::string_view label, const std::string& value,
          std::string_view unit = {}) {
    std::string line = "  ";
    line += label;
    line.resize(std::max(kValueColumn, line.size() + 1), ' ');
    line += value;
    if (!unit.empty()) {
        line += ' ';
        line += unit;
    }
    out += line;
    out += '\n';
}

/// One row of a table: each cell padded to the same width.
void TableRow(std::string& out, std::initializer_list<std::string> cells) {
    std::string row = "    ";
    for (const std::string& cell : cells) {
        const std::size_t width = std::max(kTableColumnWidth, cell.size() + 2);
        row += cell;
        row.append(width - cell.size(), ' ');
    }
    while (!row.empty() && row.back() == ' ')
        row.pop_back();
    out += row;
    out += '\n';
}

void AppendInputs(std::string& out, const DesignInputs& inputs) {
    out += "Inputs\n";
    for (const InputDefinition& entry : kInputs) {
        Line(out, entry.caption, Number(inputs[entry.index]));
    }
}

void AppendMerkelIntegral(std::string& out, const WorkingQuantities& q) {
    out += "Merkel integral, four Chebyshev points\n";
    Line(out, "hInSat, saturated air at the wet bulb", Number(q.hInSat), "Btu/lb");
    Line(out, "TCold = Twb + Approach", Number(q.tCold), "F");
    Line(out, "R = THot - TCold", Number(q.range), "F");
    Line(out, "hOutLG = hInSat + L/G x R", Number(q.hOutLG), "Btu/lb");
    TableRow(out,
             {"point", "water (F)", "hw (Btu/lb)", "ha (Btu/lb)", "d = hw-ha", "1/d (lb/Btu)"});
    for (std::size_t k = 0; k < q.drivingForce.size(); ++k) {
        // The reciprocals are summed in double precision; they are printed as summed.
        TableRow(out, {std::to_string(k + 1), Number(q.waterTemp[k]), Number(q.hWater[k]),
                       Number(q.hAir[k]), Number(q.drivingForce[k]),
                       Number(1.0 / static_cast<double>(q.drivingForce[k]))});
    }
    Line(out, "KaV/L = R/4 x (1/d1 + 1/d2 + 1/d3 + 1/d4)", Number(q.kaVL));
}

void AppendExitAirSearch(std::string& out, const SolverTrace& trace, const WorkingQuantities& q) {
    out += "Exit air: saturated air of enthalpy hOut, searched from Twb up to THot\n";
    TableRow(out, {"iteration", "midpoint (F)", "bracket"});
    for (std::int16_t i = 0; i < trace.iterations; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const BracketMove move = trace.moves[k];
        TableRow(out, {std::to_string(i + 1), Number(trace.mids[k]),
                       move == BracketMove::kUp     ? "moved up"
                       : move == BracketMove::kDown ? "moved down"
                                                    : "moved neither end"});
    }
    Line(out, "TExit (-1 when the search ran out)", Number(q.tExit), "F");
    Line(out, "psat at the last midpoint", Number(q.psatExit), "psia");
    Line(out, "WExit, saturated at the last midpoint", Number(q.wExit), "lb/lb");
}

void AppendCalculation(std::string& out, const DesignInputs& inputs) {
    SolverTrace trace;
    const WorkingQuantities q = CalculateWorkingQuantities(inputs, &trace);
    AppendMerkelIntegral(out, q);
    out += "Air and heat\n";
    Line(out, "G = 500 x Flow / (L/G), dry air", Number(q.airFlow), "lb/h");
    Line(out, "Q = 500 x Flow x R, heat load", Number(q.heatLoad), "Btu/h");
    Line(out, "dh = Q / G", Number(q.enthalpyRise), "Btu/lb");
    out += "Entering air\n";
    Line(out, "psat at the wet bulb", Number(q.psatWetBulb), "psia");
    Line(out, "pv, vapour pressure", Number(q.vapourPressure), "psia");
    Line(out, "Win, humidity ratio", Number(q.wIn), "lb/lb");
    Line(out, "hIn, enthalpy at the dry bulb", Number(q.hIn), "Btu/lb");
    Line(out, "hOut = hIn + dh, leaving air", Number(q.hOut), "Btu/lb");
    AppendExitAirSearch(out, trace, q);
    out += "Water balance\n";
    Line(out, "Evap = G/500 x (WExit - Win)", Number(q.evaporation), "gpm");
    Line(out, "Drift = Flow x Drift / 100", Number(q.driftRate), "gpm");
    Line(out, "Blowdown = Evap / (Cycles - 1) - Drift", Number(q.blowdown), "gpm");
    Line(out, "Makeup = Evap + Blowdown + Drift", Number(q.makeup), "gpm");
    out += "Exit air flow and power\n";
    Line(out, "V, specific volume at TExit and WExit", Number(q.specificVolume), "ft3/lb");
    Line(out, "Cfm = V x G / 60", Number(q.airVolumeFlow), "ft3/min");
    Line(out, "FanHp = FanPress x Cfm / (6356 x FanEff/100)", Number(q.fanPower), "hp");
    Line(out, "PumpHp = 0.012 x Flow", Number(q.pumpPower), "hp");
}

}  // namespace

void AppendWorksheet(std::string& out, std::string_view place, const DesignInputs& inputs) {
    out += "Worksheet of ";
    out += place;
    out += '\n';
    AppendInputs(out, inputs);
    AppendCalculation(out, inputs);
    out += '\n';
}

void AppendRatingWorksheet(std::string& out, std::string_view place, const DesignInputs& design,
                           TowerCharacteristic tower, const Rating& rating,
                           std::span<const ApproachTrial> trials) {
    out += "Worksheet of ";
    out += place;
    out += " rated against the tower\n";
    AppendInputs(out, design);
    out += "Tower\n";
    Line(out, "KaV/L = C x (L/G)^-m, C", Number(tower.c));
    Line(out, "m", Number(tower.m));
    Line(out, "KaV/L of the tower at the row's L/G", Number(rating.towerKaVL));
    out += "Approach search, from " + Number(kLowestApproach) + " F to " +
           Number(rating.highestApproach) + " F\n";
    TableRow(out, {"trial", "approach (F)", "KaV/L demanded", "driving forces"});
    for (std::size_t k = 0; k < trials.size(); ++k) {
        TableRow(out, {std::to_string(k + 1), Number(trials[k].approach), Number(trials[k].kaVL),
                       trials[k].allDrivingForcesPositive ? "all positive" : "not all positive"});
    }
    if (rating.outcome != RatingOutcome::kRated) {
        out += "No operating point: ";
        out += DescribeOutcome(rating.outcome);
        out += "\n\n";
        return;
    }
    Line(out, "Approach at the operating point", Number(rating.inputs[Input::kApproach]), "F");
    Line(out, "THot = Twb + Approach + R", Number(rating.inputs[Input::kHotWater]), "F");
    out += "At the operating point\n";
    AppendInputs(out, rating.inputs);
    AppendCalculation(out, rating.inputs);
    out += '\n';
}

}  // namespace veltrane::cli
