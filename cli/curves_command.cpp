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

}  // namespace

std::optional<PerformanceCurves> BuildCurves(const CalcOptions& options, const DesignInputs& design,
                                             std::string& error) {
    std::optional<TowerCharacteristic> tower = options.tower;
    if (!tower) tower = TowerThroughDesign(design, *options.slope);
    if (!tower) {
        error =
            "--curves: the design's KaV/L has no meaning (a driving force is zero or "
            "negative), so no tower passes through it";
        return std::nullopt;
    }
    WetBulbSpan span = DefaultWetBulbSpan(design);
    if (options.wetBulbs) {
        span.from = options.wetBulbs->from;
        span.to = options.wetBulbs->to;
    }
    if (!SpanWetBulbs(span)) {
        error = "--curves: the wet bulbs run from " + std::to_string(span.from) + " F to " +
                std::to_string(span.to) + " F, which is no span of whole steps of 1 F";
        return std::nullopt;
    }
    return CalculatePerformanceCurves(design, *tower, span);
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
