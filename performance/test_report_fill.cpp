#include "test_report_fill.h"

#include <QLocale>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "acceptance_limits.h"
#include "utf8_text.h"

namespace veltrane::performance {

namespace {

std::string Text(const QString& text) {
    return text.toStdString();
}

/// Formats values in the units shown, the locale's decimal mark.
class Shown {
  public:
    explicit Shown(const UnitLayer& units) : units_(units) {}

    [[nodiscard]] double value(Quantity quantity, float engine) const {
        return units_.toDisplay(quantity, static_cast<double>(engine));
    }
    [[nodiscard]] std::string number(double value, int decimals) const {
        return Text(QLocale().toString(value, 'f', decimals));
    }
    [[nodiscard]] std::string of(Quantity quantity, float engine, int decimals) const {
        return number(value(quantity, engine), decimals);
    }
    [[nodiscard]] std::string unit(Quantity quantity) const { return Text(units_.unit(quantity)); }
    [[nodiscard]] std::string withUnit(Quantity quantity, float engine, int decimals) const {
        return of(quantity, engine, decimals) + " " + unit(quantity);
    }
    [[nodiscard]] std::string signedWithUnit(Quantity quantity, double shown, int decimals) const {
        return (shown >= 0.0 ? "+" : "") + number(shown, decimals) + " " + unit(quantity);
    }
    [[nodiscard]] std::string percent(double value) const { return number(value, 1) + " %"; }
    [[nodiscard]] UnitSystem system() const { return units_.system(); }

  private:
    const UnitLayer& units_;
};

/// A capability as the window shows it: never 100.0 for one below 100 %.
std::string CapabilityFigure(float capability) {
    if (capability < kFullCapability) {
        return Text(desktop::FromUtf8(DeficientCapabilityText(capability))
                        .replace(u'.', QLocale().decimalPoint()));
    }
    return Text(QLocale().toString(static_cast<double>(capability), 'f', 1));
}

bool Passed(const std::vector<LimitPassed>& passed, TestLimit limit) {
    return std::any_of(passed.begin(), passed.end(),
                       [limit](const LimitPassed& p) { return p.limit == limit; });
}

/// One reading beside the design. The fan power as logged; its share of the design's in the
/// design's unit, as the limit is judged.
ReportReading RowOf(const std::string& name, const TestReading& r, const TestReading& judged,
                    const AcceptanceDesign& d, const std::vector<LimitPassed>& passed,
                    const Shown& shown) {
    const DesignInputs& in = d.design;
    const double designRange =
        static_cast<double>(in[Input::kHotWater] - in[Input::kWetBulb] - in[Input::kApproach]);
    const double range = static_cast<double>(r.hotWater - r.coldWater);
    const double rangePercent = 100.0 * range / designRange;
    const double flowPercent =
        100.0 * static_cast<double>(r.waterFlow) / static_cast<double>(in[Input::kWaterFlow]);
    const double wetBulbAway =
        shown.value(Quantity::kTemperatureDifference, r.wetBulb - in[Input::kWetBulb]);
    const double pressureAway = shown.value(Quantity::kPressure, r.pressure) -
                                shown.value(Quantity::kPressure, in[Input::kAtmosPress]);
    ReportReading row;
    row.name = name;
    row.figures = {
        {shown.of(Quantity::kTemperature, r.wetBulb, 1),
         shown.signedWithUnit(Quantity::kTemperatureDifference, wetBulbAway, 1),
         Passed(passed, TestLimit::kWetBulb)},
        {shown.of(Quantity::kTemperature, r.dryBulb, 1), "", false},
        {shown.of(Quantity::kTemperature, r.hotWater, 2), "", false},
        {shown.of(Quantity::kTemperature, r.coldWater, 2), "", false},
        {shown.of(Quantity::kTemperatureDifference, r.hotWater - r.coldWater, 2),
         shown.percent(rangePercent), Passed(passed, TestLimit::kRange)},
        {shown.of(Quantity::kWaterFlow, r.waterFlow, 0), shown.percent(flowPercent),
         Passed(passed, TestLimit::kWaterFlow)},
        {shown.percent(rangePercent * flowPercent / 100.0), "",
         Passed(passed, TestLimit::kHeatLoad)},
        {shown.of(Quantity::kPower, r.fanPower, 1),
         shown.percent(100.0 * static_cast<double>(judged.fanPower) /
                       static_cast<double>(d.fanPower)),
         Passed(passed, TestLimit::kFanPower)},
        {shown.of(Quantity::kPressure, r.pressure, 3),
         shown.signedWithUnit(Quantity::kPressure, pressureAway, 3),
         Passed(passed, TestLimit::kPressure)},
    };
    return row;
}

std::string List(const std::vector<float>& values, const Shown& shown, int decimals) {
    std::string text;
    for (const float v : values)
        text += (text.empty() ? "" : ", ") + shown.number(static_cast<double>(v), decimals);
    return text;
}

void FillConditions(TestReport& report, const AcceptanceModel& readings, const Shown& shown) {
    const DesignBasis& basis = readings.basis();
    const DesignInputs& in = basis.acceptance.design;
    const auto row = [&](const char* caption, Quantity q, float value, int decimals) {
        return ReportRow{caption, shown.of(q, value, decimals), shown.unit(q)};
    };
    report.design = {
        row("Wet bulb", Quantity::kTemperature, in[Input::kWetBulb], 1),
        row("Dry bulb", Quantity::kTemperature, in[Input::kDryBulb], 1),
        row("Hot water", Quantity::kTemperature, in[Input::kHotWater], 1),
        row("Cold water", Quantity::kTemperature, in[Input::kWetBulb] + in[Input::kApproach], 1),
        row("Water flow", Quantity::kWaterFlow, in[Input::kWaterFlow], 0),
        row("Liquid/gas ratio L/G", Quantity::kMassRatio, in[Input::kLiquidGas], 3),
        {"Fan power", Text(readings.fanPower().text),
         readings.designPowerUnit() == PowerUnit::kUnstated ? shown.unit(Quantity::kPower) : ""},
        row("Atmospheric pressure", Quantity::kPressure, in[Input::kAtmosPress], 3),
    };
    report.tower = {
        {"Characteristic C (through the design point)",
         shown.number(static_cast<double>(basis.c), 4), ""},
        {"Characteristic slope m", shown.number(static_cast<double>(basis.acceptance.slope), 3),
         ""},
        {"Fan draft", basis.acceptance.draft == FanDraft::kInduced ? "induced" : "forced", ""},
    };
    if (const std::optional<MakerCurves>& curves = readings.makerCurves().curves()) {
        float lowest = curves->curves.front().front().wetBulb;
        float highest = curves->curves.front().back().wetBulb;
        for (const std::vector<CurvePoint>& curve : curves->curves) {
            lowest = std::min(lowest, curve.front().wetBulb);
            highest = std::max(highest, curve.back().wetBulb);
        }
        report.tower.push_back(
            {"Maker's curves: flows", List(curves->flowPercents, shown, 0), "%"});
        report.tower.push_back(
            {"Maker's curves: ranges", List(curves->rangePercents, shown, 0), "%"});
        report.tower.push_back({"Maker's curves: wet bulbs",
                                shown.of(Quantity::kTemperature, lowest, 1) + " to " +
                                    shown.of(Quantity::kTemperature, highest, 1),
                                shown.unit(Quantity::kTemperature)});
    }
    const TestLimits limits = readings.limits();
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        const TestLimitDefinition& limit = kTestLimits[k];
        const bool percent = limit.usUnit == "%";
        std::string caption(limit.name);
        caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
        caption += percent ? ", of design" : " from design";
        std::string unit(shown.system() == UnitSystem::kSI ? limit.siUnit : limit.usUnit);
        if (unit == "F") unit = "°F";
        report.limits.push_back(
            {caption, "± " + Text(QLocale().toString(limits.allowed[k], 'g', 4)), unit});
    }
}

/// A method's capability, predicted cold water and deviation as the report shows them.
void ShowFigures(MethodResult& result, float capability, float predictedColdWater, float deviation,
                 const Shown& shown) {
    result.capability = CapabilityFigure(capability) + " %";
    result.predictedColdWater = shown.withUnit(Quantity::kTemperature, predictedColdWater, 2);
    result.deviation =
        shown.signedWithUnit(Quantity::kTemperatureDifference,
                             shown.value(Quantity::kTemperatureDifference, deviation), 2);
}

void FillResult(TestReport& report, AcceptanceModel& readings, const Shown& shown) {
    const AcceptanceMethod deciding = readings.decidingMethod();
    const std::optional<CurvesEvaluation>& byCurves = readings.meanByCurves();
    if (readings.makerCurves().curves()) {
        MethodResult result{"Maker's curves", "—", "—", "—", deciding == AcceptanceMethod::kCurves};
        if (byCurves && byCurves->outcome == CurvesOutcome::kEvaluated) {
            ShowFigures(result, byCurves->capability, byCurves->predictedColdWater,
                        byCurves->coldWaterDeviation, shown);
        }
        report.result.methods.push_back(result);
    }
    const std::optional<CapabilityEvaluation>& byCurve = readings.meanEvaluation();
    MethodResult result{
        "Characteristic curve (m = " +
            shown.number(static_cast<double>(readings.basis().acceptance.slope), 2) + ")",
        "—", "—", "—", deciding == AcceptanceMethod::kCharacteristic};
    if (byCurve && byCurve->outcome == EvaluationOutcome::kEvaluated) {
        ShowFigures(result, byCurve->capability, byCurve->predictedColdWater,
                    byCurve->coldWaterDeviation, shown);
    }
    report.result.methods.push_back(result);
    // The report captions it "Spread" already.
    std::string spread = DescribeSpread(readings.spread());
    if (spread.rfind("spread of ", 0) == 0) spread.erase(0, std::string_view("spread of ").size());
    report.result.spread = spread;
    if (const std::optional<Verdict>& verdict = readings.verdict()) {
        report.result.meetsDesign = verdict->meetsDesign;
        report.result.verdict = verdict->text;
    }
}

std::vector<std::string> Capabilities(const std::optional<CurvesEvaluation>& byCurves,
                                      const std::optional<CapabilityEvaluation>& byCurve,
                                      bool curvesGiven) {
    std::vector<std::string> capabilities;
    if (curvesGiven) {
        capabilities.push_back(byCurves && byCurves->outcome == CurvesOutcome::kEvaluated
                                   ? CapabilityFigure(byCurves->capability)
                                   : "—");
    }
    capabilities.push_back(byCurve && byCurve->outcome == EvaluationOutcome::kEvaluated
                               ? CapabilityFigure(byCurve->capability)
                               : "—");
    return capabilities;
}

}  // namespace

TestReport FillTestReport(AcceptanceModel& readings, const UnitLayer& units,
                          const ReportIdentification& identification) {
    if (readings.isStale()) readings.evaluate();
    const Shown shown(units);
    TestReport report;
    report.units = units.system();
    report.title =
        Text(identification.title.trimmed().isEmpty() ? QStringLiteral("Acceptance test report")
                                                      : identification.title.trimmed());
    const std::pair<const char*, const QString*> fields[] = {
        {"Project", &identification.project},
        {"Tower", &identification.tower},
        {"Test date", &identification.testDate},
        {"Tested by", &identification.testedBy}};
    for (const auto& [name, text] : fields) {
        if (!text->trimmed().isEmpty()) report.fields.push_back({name, Text(text->trimmed())});
    }
    FillConditions(report, readings, shown);

    const QString t = units.unit(Quantity::kTemperature);
    const QString dt = units.unit(Quantity::kTemperatureDifference);
    const QString power = readings.headerData(kReadingColumns - 1, Qt::Horizontal, Qt::DisplayRole)
                              .toString()
                              .section(u'(', 1)
                              .remove(u')');
    report.readingColumns = {Text("Wet bulb " + t),
                             Text("Dry bulb " + t),
                             Text("Hot water " + t),
                             Text("Cold water " + t),
                             Text("Range " + dt),
                             Text("Flow " + units.unit(Quantity::kWaterFlow)),
                             "Heat load, of design",
                             Text("Fan power " + power),
                             Text("Pressure " + units.unit(Quantity::kPressure))};
    const bool curvesGiven = readings.makerCurves().curves().has_value();
    if (curvesGiven) report.methods.emplace_back("Curves %");
    report.methods.emplace_back("Char. curve %");

    const AcceptanceDesign& against = readings.basis().acceptance;
    for (int row = 0; row < readings.rowCount(); ++row) {
        const std::optional<TestReading>& reading = readings.reading(row);
        if (!reading) continue;
        const TestReading judged = readings.judged(*reading);
        // Named by the table's row, as the summary and the notes name a reading.
        ReportReading line = RowOf(std::to_string(row + 1), *reading, judged, against,
                                   readings.limitsPassed(row), shown);
        line.capabilities =
            Capabilities(readings.byCurves(row), readings.evaluation(row), curvesGiven);
        line.notes = Text(readings.note(row));
        report.readings.push_back(std::move(line));
    }
    if (const std::optional<TestReading>& mean = readings.meanReading()) {
        const TestReading judged = readings.judged(*mean);
        ReportReading line = RowOf("Mean", *mean, judged, against,
                                   LimitsPassed(against, judged, readings.limits()), shown);
        line.capabilities =
            Capabilities(readings.meanByCurves(), readings.meanEvaluation(), curvesGiven);
        report.result.mean = std::move(line);
    }
    FillResult(report, readings, shown);
    report.demandChart = readings.chart();
    report.crossPlot = readings.crossPlot();
    return report;
}

}  // namespace veltrane::performance
