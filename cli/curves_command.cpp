#include "curves_command.h"

#include <array>
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

/// A temperature of the curves (°F) in `units`: the shortest text that reads back as the very
/// value calculated, in either system.
void AppendTemperature(std::string& out, UnitSystem units, float fahrenheit) {
    if (units == UnitSystem::kUS) return AppendNumber(out, fahrenheit);
    char text[kNumberTextCapacity];
    out.append(text, WriteLossless(text, Quantity::kTemperature, units, fahrenheit));
}

/// An end of the span as the messages write it, with its unit ("40 F", "4 C").
std::string SpanEndText(float end, UnitSystem units) {
    return std::string(PlainShortestText(end).View()) + " " +
           std::string(UnitOf(Quantity::kTemperature, units));
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
    std::optional<TowerCharacteristic> tower;
    if (options.tower) tower = options.tower->For(design);
    if (!options.tower) tower = TowerThroughDesign(design, *options.slope);
    if (!tower) {
        error = Label(options) +
                ": the design's KaV/L has no meaning (a driving force is zero or "
                "negative), so no tower passes through it";
        return std::nullopt;
    }
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    WetBulbSpan span = DefaultWetBulbSpan(design, units);
    if (options.wetBulbs) {
        span.from = options.wetBulbs->from;
        span.to = options.wetBulbs->to;
    }
    if (!SpanWetBulbs(span)) {
        const std::string unit(UnitOf(Quantity::kTemperature, units));
        error = Label(options) + ": the wet bulbs run from " + std::to_string(span.from) + " " +
                unit + " to " + std::to_string(span.to) + " " + unit +
                ", which is no span of whole steps of 1 " +
                std::string(UnitOf(Quantity::kTemperatureDifference, units));
        return std::nullopt;
    }
    PerformanceCurves curves = CalculatePerformanceCurves(design, *tower, span);
    if (!HasAnyPoint(curves)) {
        error = Label(options) + ": the tower has no operating point at any wet bulb from " +
                SpanEndText(span.from, units) + " to " + SpanEndText(span.to, units);
        return std::nullopt;
    }
    return curves;
}

/// The curves' columns; the US temperatures have always been written without their unit.
constexpr std::array<Caption, 4> kCurveColumns{{
    {"Flow", Quantity::kPercentage},
    {"Range", Quantity::kPercentage},
    {"Twb", Quantity::kTemperature, UnitShown::kSIOnly},
    {"TCold", Quantity::kTemperature, UnitShown::kSIOnly},
}};

std::string CurvesCsv(const PerformanceCurves& curves, UnitSystem units) {
    std::string out;
    for (const Caption& caption : kCurveColumns) {
        if (!out.empty()) out += ',';
        out += CaptionText(caption, units);
    }
    out += '\n';
    for (const PerformanceCurve& curve : curves.curves) {
        for (const CurvePoint& point : curve.points) {
            AppendNumber(out, curve.flowPercent);
            out += ',';
            AppendNumber(out, curve.rangePercent);
            out += ',';
            AppendTemperature(out, units, point.wetBulb);
            out += ',';
            AppendTemperature(out, units, point.coldWater);
            out += '\n';
        }
    }
    return out;
}

std::string WriteCurvesOutputs(const CalcOptions& options, const DesignInputs& design) {
    std::string error;
    const std::optional<PerformanceCurves> curves = BuildCurves(options, design, error);
    if (!curves) return error;
    const UnitSystem units = options.units.value_or(UnitSystem::kUS);
    if (options.curvesCsv && !WriteTextFile(*options.curvesCsv, CurvesCsv(*curves, units), error))
        return error;
    if (options.curves && !DrawCurves(*curves, units, *options.curves, error)) return error;
    return {};
}

}  // namespace veltrane::cli
