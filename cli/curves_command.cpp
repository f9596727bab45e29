#include "curves_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "chart_command.h"
#include "input_columns.h"
#include "number_text.h"

namespace veltrane::cli {
namespace {

void AppendNumber(std::string& out, float value) {
    char text[kNumberTextCapacity];
    out.append(text, WritePlainShortest(text, value));
}

/// The option that asked for the curves, naming each failure.
std::string Label(const CalcOptions& options) {
    return options.curves ? "--curves" : "--curves-csv";
}

bool HasAnyPoint(const PerformanceCurves& curves) {
    for (const PerformanceCurve& curve : curves.curves)
        if (!curve.points.empty()) return true;
    return false;
}

}  // namespace

std::optional<PerformanceCurves> BuildCurves(const CalcOptions& options, const DesignInputs& design,
                                             std::string& error) {
    std::optional<TowerCharacteristic> tower = options.tower;
    if (!tower) tower = TowerThroughDesign(design, *options.slope);
    if (!tower) {
        error = Label(options) +
                ": the design's KaV/L has no meaning (a driving force is zero or "
                "negative), so no tower passes through it";
        return std::nullopt;
    }
    WetBulbSpan span = DefaultWetBulbSpan(design);
    if (options.wetBulbs) {
        span.from = options.wetBulbs->from;
        span.to = options.wetBulbs->to;
    }
    if (!SpanWetBulbs(span)) {
        error = Label(options) + ": the wet bulbs run from " + std::to_string(span.from) +
                " F to " + std::to_string(span.to) + " F, which is no span of whole steps of 1 F";
        return std::nullopt;
    }
    PerformanceCurves curves = CalculatePerformanceCurves(design, *tower, span);
    if (!HasAnyPoint(curves)) {
        error = Label(options) + ": the tower has no operating point at any wet bulb from " +
                std::string(PlainShortestText(span.from).View()) + " F to " +
                std::string(PlainShortestText(span.to).View()) + " F";
        return std::nullopt;
    }
    return curves;
}

std::string CurvesCsv(const PerformanceCurves& curves) {
    std::string out = "Flow (%),Range (%),Twb,TCold\n";
    for (const PerformanceCurve& curve : curves.curves) {
        for (const CurvePoint& point : curve.points) {
            AppendNumber(out, curve.flowPercent);
            out += ',';
            AppendNumber(out, curve.rangePercent);
            out += ',';
            AppendNumber(out, point.wetBulb);
            out += ',';
            AppendNumber(out, point.coldWater);
            out += '\n';
        }
    }
    return out;
}

std::string WriteCurvesOutputs(const CalcOptions& options, const DesignInputs& design) {
    std::string error;
    const std::optional<PerformanceCurves> curves = BuildCurves(options, design, error);
    if (!curves) return error;
    if (options.curvesCsv && !WriteTextFile(*options.curvesCsv, CurvesCsv(*curves), error))
        return error;
    if (options.curves && !DrawCurves(*curves, *options.curves, error)) return error;
    return {};
}

}  // namespace veltrane::cli
