#include "acceptance_report.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "demand_curves.h"
#include "performance.h"

namespace veltrane::cli {
namespace {

double D(float value) {
    return static_cast<double>(value);
}

std::string Fixed(double value, int decimals) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

/// The unit as a reader of the report expects it: degrees with their sign.
std::string ReportUnit(Quantity quantity, UnitSystem units) {
    const bool si = units == UnitSystem::kSI;
    if (quantity == Quantity::kTemperature) return si ? "°C" : "°F";
    if (quantity == Quantity::kTemperatureDifference) return si ? "K" : "°F";
    return std::string(UnitOf(quantity, units));
}

/// A value of the calculation (US units) shown in `units`.
std::string Shown(Quantity quantity, UnitSystem units, double us, int decimals) {
    return Fixed(ValueInUnits(quantity, units, us), decimals);
}

std::string WithUnit(Quantity quantity, UnitSystem units, double us, int decimals) {
    return Shown(quantity, units, us, decimals) + " " + ReportUnit(quantity, units);
}

std::string Signed(Quantity quantity, UnitSystem units, double us, int decimals) {
    const std::string text = WithUnit(quantity, units, us, decimals);
    return us >= 0.0 ? "+" + text : text;
}

std::string Percent(double percent) {
    return Fixed(percent, 1) + " %";
}

/// A capability that never reads 100 when it is below it.
std::string CapabilityText(float capability) {
    return capability < kFullCapability ? DeficientCapabilityText(capability)
                                        : Fixed(D(capability), 1);
}

struct DesignPoint {
    float pressure;
    float wetBulb;
    float range;
    float waterFlow;
    float fanPower;
};

DesignPoint DesignPointOf(const DesignBasis& basis) {
    const DesignInputs& d = basis.acceptance.design;
    return {d[Input::kAtmosPress], d[Input::kWetBulb],
            d[Input::kHotWater] - d[Input::kWetBulb] - d[Input::kApproach], d[Input::kWaterFlow],
            basis.acceptance.fanPower};
}

std::vector<std::string> ReadingColumns(UnitSystem units, const std::string& fanPowerUnit) {
    const auto caption = [units](const std::string& name, Quantity quantity) {
        return name + " " + ReportUnit(quantity, units);
    };
    return {caption("Wet bulb", Quantity::kTemperature),
            caption("Dry bulb", Quantity::kTemperature),
            caption("Hot water", Quantity::kTemperature),
            caption("Cold water", Quantity::kTemperature),
            caption("Range", Quantity::kTemperatureDifference),
            caption("Flow", Quantity::kWaterFlow),
            fanPowerUnit.empty() ? "Fan power" : "Fan power " + fanPowerUnit,
            caption("Pressure", Quantity::kPressure)};
}

/// The figures a limit is about: the heat load is the flow times the range, so both show it.
std::vector<std::size_t> FiguresOfLimit(TestLimit limit) {
    switch (limit) {
        case TestLimit::kWetBulb:
            return {0};
        case TestLimit::kRange:
            return {4};
        case TestLimit::kWaterFlow:
            return {5};
        case TestLimit::kHeatLoad:
            return {4, 5};
        case TestLimit::kFanPower:
            return {6};
        case TestLimit::kPressure:
            return {7};
    }
    return {};
}

/// The reading's figures, each beyond a limit it passes marked, as the batch tool's Notes
/// name them (LimitsPassed).
std::vector<ReadingFigure> MarkedFigures(const TestReading& r, const EvaluatedTest& test);

std::vector<ReadingFigure> FiguresOf(const TestReading& r, const DesignPoint& d, UnitSystem units) {
    const double range = D(r.hotWater) - D(r.coldWater);
    const auto temperature = [units](float value) {
        return ReadingFigure{Shown(Quantity::kTemperature, units, D(value), 1), "", false};
    };
    return {
        {Shown(Quantity::kTemperature, units, D(r.wetBulb), 1),
         Signed(Quantity::kTemperatureDifference, units, D(r.wetBulb) - D(d.wetBulb), 1), false},
        temperature(r.dryBulb),
        temperature(r.hotWater),
        temperature(r.coldWater),
        {Shown(Quantity::kTemperatureDifference, units, range, 2),
         Percent(100.0 * range / D(d.range)), false},
        {Shown(Quantity::kWaterFlow, units, D(r.waterFlow), 0),
         Percent(100.0 * D(r.waterFlow) / D(d.waterFlow)), false},
        {Fixed(D(r.fanPower), 2), Percent(100.0 * D(r.fanPower) / D(d.fanPower)), false},
        {Shown(Quantity::kPressure, units, D(r.pressure), 3),
         Signed(Quantity::kPressure, units, D(r.pressure) - D(d.pressure), 3), false},
    };
}

ReportReading ReportRowOf(const EvaluatedReading& r, const EvaluatedTest& test) {
    ReportReading row{r.name, MarkedFigures(r.reading, test), {}, r.notes};
    if (test.curves) {
        const bool evaluated = r.byCurves && r.byCurves->outcome == CurvesOutcome::kEvaluated;
        row.capabilities.push_back(evaluated ? CapabilityText(r.byCurves->capability) : "—");
    }
    if (test.characteristic) {
        const bool evaluated =
            r.byCharacteristic && r.byCharacteristic->outcome == EvaluationOutcome::kEvaluated;
        row.capabilities.push_back(evaluated ? CapabilityText(r.byCharacteristic->capability)
                                             : "—");
    }
    return row;
}

std::vector<ReadingFigure> MarkedFigures(const TestReading& r, const EvaluatedTest& test) {
    std::vector<ReadingFigure> figures = FiguresOf(r, DesignPointOf(test.basis), test.units);
    for (const LimitPassed& passed : LimitsPassed(test.basis.acceptance, r, test.limits)) {
        for (const std::size_t k : FiguresOfLimit(passed.limit))
            figures[k].limitPassed = true;
    }
    return figures;
}

/// Each limit as "± 12" with its unit, in the units the limits were given in.
std::vector<ReportRow> LimitRows(const TestLimits& limits) {
    std::vector<ReportRow> rows;
    for (const TestLimitDefinition& definition : kTestLimits) {
        std::string name(definition.name);
        name.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
        const std::string_view unit =
            limits.units == UnitSystem::kSI ? definition.siUnit : definition.usUnit;
        rows.push_back({std::move(name), "± " + Fixed(limits[definition.limit], 1),
                        std::string(unit == "F" ? "°F" : unit)});
    }
    return rows;
}

std::vector<ReportRow> DesignRows(const EvaluatedTest& test) {
    const DesignInputs& d = test.basis.acceptance.design;
    const UnitSystem u = test.units;
    const auto row = [u](std::string caption, Quantity quantity, float us, int decimals) {
        return ReportRow{std::move(caption), Shown(quantity, u, D(us), decimals),
                         ReportUnit(quantity, u)};
    };
    return {
        row("Wet bulb", Quantity::kTemperature, d[Input::kWetBulb], 1),
        row("Dry bulb", Quantity::kTemperature, d[Input::kDryBulb], 1),
        row("Hot water", Quantity::kTemperature, d[Input::kHotWater], 1),
        row("Cold water", Quantity::kTemperature, d[Input::kWetBulb] + d[Input::kApproach], 1),
        row("Water flow", Quantity::kWaterFlow, d[Input::kWaterFlow], 0),
        {"Liquid/gas ratio L/G", Fixed(D(d[Input::kLiquidGas]), 3), ""},
        {"Fan power", Fixed(D(test.basis.acceptance.fanPower), 2), test.fanPowerUnit},
        row("Atmospheric pressure", Quantity::kPressure, d[Input::kAtmosPress], 3),
    };
}

/// "40, 45, 50" for at most four values, else "40 to 80 (9 values)": one line of the table.
std::string ListOf(const std::vector<float>& values, const auto& text) {
    constexpr std::size_t kListed = 4;
    if (values.size() > kListed)
        return text(values.front()) + " to " + text(values.back()) + " (" +
               std::to_string(values.size()) + " values)";
    std::string list;
    for (const float value : values)
        list += (list.empty() ? "" : ", ") + text(value);
    return list;
}

std::vector<ReportRow> TowerRows(const EvaluatedTest& test) {
    std::vector<ReportRow> rows;
    if (test.characteristic) {
        rows.push_back({"Characteristic slope m", Fixed(D(test.basis.acceptance.slope), 2), ""});
        rows.push_back({"Design C through the design point", Fixed(D(test.basis.c), 4), ""});
    }
    rows.push_back({"Fan draft",
                    test.basis.acceptance.draft == FanDraft::kInduced ? "induced" : "forced", ""});
    if (test.curves) {
        const auto percent = [](float p) { return Fixed(D(p), 0); };
        std::vector<float> wetBulbs;
        for (const CurvePoint& point : test.curves->curves.front())
            wetBulbs.push_back(point.wetBulb);
        const auto temperature = [&test](float t) {
            return Shown(Quantity::kTemperature, test.units, D(t), 1);
        };
        rows.push_back({"Maker's curves: flows", ListOf(test.curves->flowPercents, percent), "%"});
        rows.push_back(
            {"Maker's curves: ranges", ListOf(test.curves->rangePercents, percent), "%"});
        rows.push_back({"Maker's curves: wet bulbs", ListOf(wetBulbs, temperature),
                        ReportUnit(Quantity::kTemperature, test.units)});
    }
    return rows;
}

MethodResult ResultBy(AcceptanceMethod method, float capability, float predicted, float deviation,
                      const EvaluatedTest& test) {
    std::string name(AcceptanceMethodName(method));
    name.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
    if (method == AcceptanceMethod::kCharacteristic)
        name += " (m = " + Fixed(D(test.basis.acceptance.slope), 2) + ")";
    return {name, CapabilityText(capability) + " %",
            WithUnit(Quantity::kTemperature, test.units, D(predicted), 2),
            Signed(Quantity::kTemperatureDifference, test.units, D(deviation), 2),
            method == test.deciding};
}

std::vector<MethodResult> MethodResults(const EvaluatedReading& mean, const EvaluatedTest& test) {
    std::vector<MethodResult> results;
    if (mean.byCurves && mean.byCurves->outcome == CurvesOutcome::kEvaluated) {
        const CurvesEvaluation& e = *mean.byCurves;
        results.push_back(ResultBy(AcceptanceMethod::kCurves, e.capability, e.predictedColdWater,
                                   e.coldWaterDeviation, test));
    }
    if (mean.byCharacteristic && mean.byCharacteristic->outcome == EvaluationOutcome::kEvaluated) {
        const CapabilityEvaluation& e = *mean.byCharacteristic;
        results.push_back(ResultBy(AcceptanceMethod::kCharacteristic, e.capability,
                                   e.predictedColdWater, e.coldWaterDeviation, test));
    }
    return results;
}

/// The deciding method's capability of a reading, when it has one.
std::optional<float> DecidingCapability(const EvaluatedReading& r, AcceptanceMethod method) {
    if (method == AcceptanceMethod::kCurves) {
        if (r.byCurves && r.byCurves->outcome == CurvesOutcome::kEvaluated)
            return r.byCurves->capability;
        return std::nullopt;
    }
    if (r.byCharacteristic && r.byCharacteristic->outcome == EvaluationOutcome::kEvaluated)
        return r.byCharacteristic->capability;
    return std::nullopt;
}

std::string SpreadText(const EvaluatedTest& test) {
    std::vector<float> capabilities;
    for (const EvaluatedReading& r : test.readings) {
        if (const std::optional<float> c = DecidingCapability(r, test.deciding))
            capabilities.push_back(*c);
    }
    if (capabilities.empty()) return {};
    const auto [low, high] = std::minmax_element(capabilities.begin(), capabilities.end());
    return "capability by the " + std::string(AcceptanceMethodName(test.deciding)) + " " +
           Fixed(D(*low), 1) + " to " + Fixed(D(*high), 1) + " % (" + Fixed(D(*high) - D(*low), 1) +
           " points) over " + std::to_string(capabilities.size()) +
           (capabilities.size() == 1 ? " reading" : " readings");
}

void FillResult(TestReport& report, const EvaluatedTest& test) {
    if (!test.mean) {
        report.result.verdict = "no verdict: no reading was evaluated";
        return;
    }
    const EvaluatedReading& mean = *test.mean;
    report.result.mean = ReportRowOf(mean, test);
    report.result.methods = MethodResults(mean, test);
    report.result.spread = SpreadText(test);
    const std::optional<Verdict> verdict = JudgeMean(mean, test.deciding, test.units);
    report.result.meetsDesign = verdict && verdict->meetsDesign;
    report.result.verdict = verdict ? verdict->text
                                    : "no verdict: the mean reading was not evaluated by the " +
                                          std::string(AcceptanceMethodName(test.deciding));
}

void FillCharts(TestReport& report, const EvaluatedTest& test) {
    if (!test.mean) return;
    const EvaluatedReading& mean = *test.mean;
    if (mean.byCharacteristic && mean.byCharacteristic->outcome == EvaluationOutcome::kEvaluated) {
        DemandChartRequest request;
        request.tower = TowerCharacteristic{mean.byCharacteristic->c, test.basis.acceptance.slope};
        report.demandChart = BuildDemandChart(test.basis.acceptance.design, request);
    }
    if (test.curves && mean.byCurves) {
        report.crossPlot =
            CrossPlotOf(*test.curves, *mean.byCurves, mean.reading.coldWater, test.units);
    }
    if (report.crossPlot) {
        const TestReading& r = mean.reading;
        report.crossPlot->conditions =
            "wet bulb " + WithUnit(Quantity::kTemperature, test.units, D(r.wetBulb), 1) +
            ", range " +
            WithUnit(Quantity::kTemperatureDifference, test.units, D(r.hotWater) - D(r.coldWater),
                     1) +
            " (" + Percent(D(mean.byCurves->rangePercent)) + " of design)";
    }
}

}  // namespace

std::optional<Verdict> JudgeMean(const EvaluatedReading& mean, AcceptanceMethod method,
                                 UnitSystem units) {
    if (method == AcceptanceMethod::kCurves) {
        if (!mean.byCurves || mean.byCurves->outcome != CurvesOutcome::kEvaluated)
            return std::nullopt;
        return JudgeCapability(mean.byCurves->capability, mean.byCurves->coldWaterDeviation, units);
    }
    if (!mean.byCharacteristic || mean.byCharacteristic->outcome != EvaluationOutcome::kEvaluated)
        return std::nullopt;
    return JudgeCapability(mean.byCharacteristic->capability,
                           mean.byCharacteristic->coldWaterDeviation, units);
}

TestReport FillTestReport(const ReportRequest& request, const EvaluatedTest& test) {
    TestReport report;
    report.title = request.title;
    report.fields = request.fields;
    report.units = test.units;
    report.design = DesignRows(test);
    report.tower = TowerRows(test);
    report.limits = LimitRows(test.limits);
    report.readingColumns = ReadingColumns(test.units, test.fanPowerUnit);
    if (test.curves) report.methods.emplace_back("Curves %");
    if (test.characteristic) report.methods.emplace_back("Char. curve %");
    for (const EvaluatedReading& r : test.readings)
        report.readings.push_back(ReportRowOf(r, test));
    FillResult(report, test);
    FillCharts(report, test);
    return report;
}

}  // namespace veltrane::cli
