#include "sample_test_report.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "acceptance.h"
#include "maker_curves.h"
#include "performance.h"
#include "performance_curves.h"
#include "verdict.h"

namespace veltrane {
namespace {

constexpr float kSlope = 0.6F;
/// The limits the sample's readings are checked against (percent of design, or °F and psia).
constexpr float kWetBulbLimit = 10.0F;
constexpr float kRangeLimit = 20.0F;
constexpr float kFlowLimit = 10.0F;
constexpr float kHeatLoadLimit = 20.0F;
constexpr float kFanPowerLimit = 10.0F;
constexpr float kPressureLimit = 1.0F;

std::string Fixed(double value, int decimals) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}
std::string Signed(double value, int decimals, const char* unit) {
    return (value >= 0.0 ? "+" : "") + Fixed(value, decimals) + " " + unit;
}
double D(float value) {
    return static_cast<double>(value);
}

/// What the readings are set against.
struct Design {
    float pressure;   ///< psia
    float wetBulb;    ///< °F
    float range;      ///< °F
    float waterFlow;  ///< gpm
    float fanPower;   ///< hp
};

ReportReading RowOf(const std::string& name, const TestReading& r, const Design& d,
                    const CurvesEvaluation& byCurves, const CapabilityEvaluation& byCurve,
                    const std::string& notes) {
    const double range = D(r.hotWater) - D(r.coldWater);
    const double rangePercent = 100.0 * range / D(d.range);
    const double flowPercent = 100.0 * D(r.waterFlow) / D(d.waterFlow);
    const double heatPercent = rangePercent * flowPercent / 100.0;
    const double fanPercent = 100.0 * D(r.fanPower) / D(d.fanPower);
    const double wetBulbDifference = D(r.wetBulb) - D(d.wetBulb);
    const double pressureDifference = D(r.pressure) - D(d.pressure);
    const auto percent = [](double p) { return Fixed(p, 1) + " %"; };
    const auto beyond = [](double away, float limit) { return std::fabs(away) > D(limit); };
    ReportReading row;
    row.name = name;
    row.figures = {
        {Fixed(D(r.wetBulb), 1), Signed(wetBulbDifference, 1, "°F"),
         beyond(wetBulbDifference, kWetBulbLimit)},
        {Fixed(D(r.dryBulb), 1), "", false},
        {Fixed(D(r.hotWater), 2), "", false},
        {Fixed(D(r.coldWater), 2), "", false},
        {Fixed(range, 2), percent(rangePercent), beyond(rangePercent - 100.0, kRangeLimit)},
        {Fixed(D(r.waterFlow), 0), percent(flowPercent), beyond(flowPercent - 100.0, kFlowLimit)},
        {Fixed(range * D(r.waterFlow) * 500.0 / 1e6, 2), percent(heatPercent),
         beyond(heatPercent - 100.0, kHeatLoadLimit)},
        {Fixed(D(r.fanPower), 1), percent(fanPercent), beyond(fanPercent - 100.0, kFanPowerLimit)},
        {Fixed(D(r.pressure), 3), Signed(pressureDifference, 3, "psia"),
         beyond(pressureDifference, kPressureLimit)},
    };
    row.capabilities = {
        byCurves.outcome == CurvesOutcome::kEvaluated ? Fixed(D(byCurves.capability), 1) : "—",
        byCurve.outcome == EvaluationOutcome::kEvaluated ? Fixed(D(byCurve.capability), 1) : "—"};
    row.notes = notes;
    return row;
}

/// The reading the design tower gives at these conditions, `warmer` °F added to the water.
TestReading TowerReading(const DesignBasis& basis, float wetBulb, float dryBulb, float range,
                         float flowShare, float fanShare, float warmer) {
    const DesignInputs& design = basis.acceptance.design;
    TestReading reading{design[Input::kAtmosPress],
                        wetBulb,
                        dryBulb,
                        wetBulb + 10.0F + range,
                        wetBulb + 10.0F,
                        design[Input::kWaterFlow] * flowShare,
                        basis.acceptance.fanPower * fanShare};
    CapabilityEvaluation fanLaws;
    SolveTestLiquidGas(basis, reading, fanLaws);
    const Rating rating =
        RateDesign(TestRow(design, reading, fanLaws.liquidGas), {basis.c, basis.acceptance.slope});
    reading.coldWater = rating.results.values[Result::kColdWater] + warmer;
    reading.hotWater = rating.inputs[Input::kHotWater] + warmer;
    return reading;
}

MakerCurves CurvesOfTheDesignTower(const DesignInputs& design) {
    const PerformanceCurves curves = CalculatePerformanceCurves(
        design, *TowerThroughDesign(design, kSlope), {40.0F, 80.0F, 5.0F, UnitSystem::kUS});
    const std::vector<MakerCurveRow> rows = MakerCurveRows(curves);
    return *BuildMakerCurves(rows).curves;
}

void FillConditions(TestReport& report, const DesignInputs& design, float fanPower) {
    report.design = {
        {"Wet bulb", Fixed(D(design[Input::kWetBulb]), 1), "°F"},
        {"Dry bulb", Fixed(D(design[Input::kDryBulb]), 1), "°F"},
        {"Hot water", Fixed(D(design[Input::kHotWater]), 1), "°F"},
        {"Cold water", Fixed(D(design[Input::kWetBulb] + design[Input::kApproach]), 1), "°F"},
        {"Water flow", Fixed(D(design[Input::kWaterFlow]), 0), "gpm"},
        {"Liquid/gas ratio L/G", Fixed(D(design[Input::kLiquidGas]), 3), ""},
        {"Fan power", Fixed(D(fanPower), 1), "hp"},
        {"Atmospheric pressure", Fixed(D(design[Input::kAtmosPress]), 3), "psia"},
    };
    report.tower = {
        {"Characteristic slope m", Fixed(D(kSlope), 2), ""},
        {"Fan draft", "induced", ""},
        {"Maker's curves: flows", "90, 100, 110", "%"},
        {"Maker's curves: ranges", "80, 100, 120", "%"},
        {"Maker's curves: wet bulbs", "40 to 80 by 5", "°F"},
    };
    report.limits = {
        {"Wet bulb from design", "± " + Fixed(D(kWetBulbLimit), 0), "°F"},
        {"Range, of design", "± " + Fixed(D(kRangeLimit), 0), "%"},
        {"Water flow, of design", "± " + Fixed(D(kFlowLimit), 0), "%"},
        {"Heat load, of design", "± " + Fixed(D(kHeatLoadLimit), 0), "%"},
        {"Fan power, of design", "± " + Fixed(D(kFanPowerLimit), 0), "%"},
        {"Pressure from design", "± " + Fixed(D(kPressureLimit), 1), "psia"},
    };
}

}  // namespace

TestReport SampleTestReport(std::size_t readings, float coldWaterWarmer) {
    const DesignInputs design = DefaultDesignInputs();
    const float fanPower = CalculatePerformance(design).values[Result::kFanPower];
    const DesignBasis basis = PrepareDesign({design, kSlope, fanPower, FanDraft::kInduced});
    const MakerCurves curves = CurvesOfTheDesignTower(design);

    TestReport report;
    report.title = "Acceptance test of cooling tower CT-2, Brenholt works";
    report.fields = {{"Project", "Brenholt condenser water upgrade"},
                     {"Tower", "CT-2, three cells, induced draft"},
                     {"Test date", "2026-08-14"},
                     {"Tested by", "R. Ostrander, Maravent field services"},
                     {"Witness", "J. Keel for the owner"},
                     {"Contract", "BW-2207 schedule C"}};
    report.date = "2026-08-21";
    FillConditions(report, design, fanPower);
    report.readingColumns = {"Wet bulb °F",      "Dry bulb °F",  "Hot water °F",
                             "Cold water °F",    "Range °F",     "Flow gpm",
                             "Heat load MBtu/h", "Fan power hp", "Pressure psia"};
    report.methods = {"Curves %", "Char. curve %"};

    const Design against{
        design[Input::kAtmosPress], design[Input::kWetBulb],
        design[Input::kHotWater] - design[Input::kWetBulb] - design[Input::kApproach],
        design[Input::kWaterFlow], fanPower};
    std::vector<TestReading> taken;
    for (std::size_t i = 0; i < readings; ++i) {
        const float step = static_cast<float>(i % 7);
        const float fanShare = i == 2 ? 1.14F : 0.97F + 0.01F * step;
        taken.push_back(TowerReading(basis, 66.0F + 0.4F * step, 80.0F + 0.5F * step,
                                     26.0F + 0.2F * step, 0.97F + 0.01F * step, fanShare,
                                     coldWaterWarmer));
        const CurvesEvaluation byCurves = EvaluateWithCurves(basis, curves, taken.back());
        const CapabilityEvaluation byCurve = EvaluateReading(basis, taken.back());
        std::string note = DescribeCurvesEvaluation(curves, byCurves, UnitSystem::kUS);
        if (i == 2) note = "fan power beyond its limit" + (note.empty() ? "" : "; " + note);
        report.readings.push_back(
            RowOf(std::to_string(i + 1), taken.back(), against, byCurves, byCurve, note));
    }

    const TestReading mean = *MeanReading(taken);
    const CurvesEvaluation byCurves = EvaluateWithCurves(basis, curves, mean);
    const CapabilityEvaluation byCurve = EvaluateReading(basis, mean);
    report.result.mean = RowOf("Mean", mean, against, byCurves, byCurve, "");
    report.result.methods = {
        {"Maker's curves", Fixed(D(byCurves.capability), 1) + " %",
         Fixed(D(byCurves.predictedColdWater), 2) + " °F",
         Signed(D(byCurves.coldWaterDeviation), 2, "°F"), true},
        {"Characteristic curve (m = 0.60)", Fixed(D(byCurve.capability), 1) + " %",
         Fixed(D(byCurve.predictedColdWater), 2) + " °F",
         Signed(D(byCurve.coldWaterDeviation), 2, "°F"), false},
    };
    report.result.spread = "capability by the maker's curves within 0.4 points over " +
                           std::to_string(readings) + " readings";
    const Verdict verdict =
        JudgeCapability(byCurves.capability, byCurves.coldWaterDeviation, UnitSystem::kUS);
    report.result.meetsDesign = verdict.meetsDesign;
    report.result.verdict = verdict.text;

    DemandChartRequest request;
    request.tower = TowerCharacteristic{byCurve.c, kSlope};
    report.demandChart = BuildDemandChart(design, request);
    report.crossPlot = CrossPlotOf(curves, byCurves, mean.coldWater, UnitSystem::kUS);
    if (report.crossPlot) {
        report.crossPlot->conditions = "wet bulb " + Fixed(D(mean.wetBulb), 1) + " °F, range " +
                                       Fixed(D(mean.hotWater) - D(mean.coldWater), 1) + " °F";
    }
    return report;
}

}  // namespace veltrane
