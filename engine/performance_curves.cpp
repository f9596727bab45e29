#include "performance_curves.h"

#include <cmath>

#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::RoundToSingle;

double D(float value) {
    return static_cast<double>(value);
}

/// How far above the design wet bulb the default span reaches, °F.
constexpr float kDefaultSpanAboveDesign = 10.0F;
constexpr double kPercent = 100.0;

float Share(float value, float percent) {
    return RoundToSingle(D(value) * D(percent) / kPercent);
}

}  // namespace

WetBulbSpan DefaultWetBulbSpan(const DesignInputs& design) noexcept {
    WetBulbSpan span;
    span.to = RoundToSingle(D(design[Input::kWetBulb]) + D(kDefaultSpanAboveDesign));
    return span;
}

std::optional<TowerCharacteristic> TowerThroughDesign(const DesignInputs& design, float slope) {
    const WorkingQuantities q = CalculateMerkelIntegral(design);
    if (!IsDemandKaVL(q)) return std::nullopt;
    const float c = TowerCThrough(q.kaVL, design[Input::kLiquidGas], slope);
    if (!std::isfinite(c) || !(c > 0.0F)) return std::nullopt;
    return TowerCharacteristic{c, slope};
}

DesignInputs CurveRow(const DesignInputs& design, float flowPercent, float rangePercent,
                      float wetBulb) {
    DesignInputs row = design;
    const double depression = D(design[Input::kDryBulb]) - D(design[Input::kWetBulb]);
    row[Input::kWetBulb] = wetBulb;
    row[Input::kDryBulb] = RoundToSingle(D(wetBulb) + depression);
    row[Input::kWaterFlow] = Share(design[Input::kWaterFlow], flowPercent);
    row[Input::kLiquidGas] = Share(design[Input::kLiquidGas], flowPercent);
    return WithRange(row, Share(RowRange(design), rangePercent));
}

std::optional<std::vector<float>> SpanWetBulbs(WetBulbSpan span) {
    if (!std::isfinite(span.from) || !std::isfinite(span.to) || !std::isfinite(span.step) ||
        !(span.step > 0.0F) || span.from > span.to) {
        return std::nullopt;
    }
    // Each wet bulb is from + i·step, formed afresh so that no error gathers along the span; the
    // last is `to` itself when the steps reach it to within a thousandth of a step.
    const double steps = (D(span.to) - D(span.from)) / D(span.step);
    if (steps + 1.0 > kMostCurvePoints) return std::nullopt;
    const int count = static_cast<int>(std::floor(steps + 1e-3)) + 1;
    std::vector<float> wetBulbs;
    wetBulbs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float wetBulb = RoundToSingle(D(span.from) + i * D(span.step));
        wetBulbs.push_back(std::fmin(wetBulb, span.to));
    }
    return wetBulbs;
}

PerformanceCurves CalculatePerformanceCurves(const DesignInputs& design, TowerCharacteristic tower,
                                             WetBulbSpan span) {
    PerformanceCurves result;
    result.tower = tower;
    result.span = span;
    result.designRange = RowRange(design);
    result.designFlow = design[Input::kWaterFlow];
    result.designLiquidGas = design[Input::kLiquidGas];
    result.designPoint = {design[Input::kWetBulb],
                          RoundToSingle(D(design[Input::kWetBulb]) + D(design[Input::kApproach]))};
    const std::optional<std::vector<float>> wetBulbs = SpanWetBulbs(span);
    if (!wetBulbs) return result;
    for (const float flow : kCurveFlowPercents) {
        for (const float range : kCurveRangePercents) {
            PerformanceCurve curve{flow, range, {}};
            for (const float wetBulb : *wetBulbs) {
                const Rating rating = RateDesign(CurveRow(design, flow, range, wetBulb), tower);
                if (rating.outcome != RatingOutcome::kRated) continue;
                curve.points.push_back({wetBulb, rating.results.values[Result::kColdWater]});
            }
            result.curves.push_back(std::move(curve));
        }
    }
    return result;
}

}  // namespace veltrane
