#include "performance_curves.h"

#include <cmath>

#include "constants.h"
#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RoundToSingle;

/// How far above the design wet bulb the default span reaches, °F.
constexpr float kDefaultSpanAboveDesign = 10.0F;
/// How far an SI end of the default span may stand beyond a whole °C and still count as on it:
/// a float °F that a whole °C was converted to reads back up to a few millionths of a K off.
constexpr double kWholeDegreeSlack = 1e-4;  // K

/// A °F end of the span in °C, rounded outward (`up` for the upper end) to a whole degree.
float WholeCelsius(float fahrenheit, bool up) {
    const double celsius = ToSI(Quantity::kTemperature, D(fahrenheit));
    return RoundToSingle(up ? std::ceil(celsius - kWholeDegreeSlack)
                            : std::floor(celsius + kWholeDegreeSlack));
}

float Share(float value, float percent) {
    return RoundToSingle(D(value) * D(percent) / kPercent);
}

}  // namespace

WetBulbSpan DefaultWetBulbSpan(const DesignInputs& design, UnitSystem units) noexcept {
    WetBulbSpan span;
    span.to = RoundToSingle(D(design[Input::kWetBulb]) + D(kDefaultSpanAboveDesign));
    if (units == UnitSystem::kSI) {
        span.from = WholeCelsius(span.from, false);
        span.to = WholeCelsius(span.to, true);
        span.units = units;
    }
    return span;
}

double SpanStepFahrenheit(WetBulbSpan span) noexcept {
    const double step = D(span.step);
    return span.units == UnitSystem::kSI ? ToUS(Quantity::kTemperatureDifference, step) : step;
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
    // Each wet bulb is from + i·step in the span's units, formed afresh so that no error gathers
    // along the span, and converted to °F once; the last is `to` itself when the steps reach it
    // to within a thousandth of a step.
    const double steps = (D(span.to) - D(span.from)) / D(span.step);
    if (steps + 1.0 > kMostCurvePoints) return std::nullopt;
    const int count = static_cast<int>(std::floor(steps + 1e-3)) + 1;
    std::vector<float> wetBulbs;
    wetBulbs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double wetBulb = std::fmin(D(span.from) + i * D(span.step), D(span.to));
        wetBulbs.push_back(InputFromUnits(Quantity::kTemperature, span.units, wetBulb));
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
