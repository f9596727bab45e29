#include "chart_axes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veltrane::chart {
namespace {

/// The KaV/L axis shows at least up to 10 and at most four decades.
constexpr float kLowestAxisTop = 10.0f;
constexpr double kMostDecades = 4.0;

/// The steps of a log axis: 1, 2 and 5 times a power of ten.
constexpr std::array<double, 3> kAxisSteps{1.0, 2.0, 5.0};

double Decade(float value) {
    return std::pow(10.0, std::floor(std::log10(static_cast<double>(value))));
}

/// The smallest 1, 2 or 5 × 10^k at or above `value`.
float StepAbove(float value) {
    const double decade = Decade(value);
    for (const double step : kAxisSteps) {
        if (step * decade >= static_cast<double>(value)) return static_cast<float>(step * decade);
    }
    return static_cast<float>(10.0 * decade);
}

/// The largest 1, 2 or 5 × 10^k at or below `value`.
float StepBelow(float value) {
    const double decade = Decade(value);
    const auto step = std::find_if(kAxisSteps.rbegin(), kAxisSteps.rend(), [&](double s) {
        return s * decade <= static_cast<double>(value);
    });
    return static_cast<float>(step == kAxisSteps.rend() ? decade : *step * decade);
}

}  // namespace

bool IsDrawableSpan(LiquidGasSpan span) noexcept {
    return span.from >= kLowestChartLiquidGas && span.to <= kHighestChartLiquidGas &&
           static_cast<double>(span.to) >=
               static_cast<double>(kLeastChartSpanRatio) * static_cast<double>(span.from);
}

float KaVLAxisTop(const DesignInputs& design, const DemandChartRequest& request) {
    float top = kLowestAxisTop;
    const float designLG = design[Input::kLiquidGas];
    if (const auto kaVL = DemandKaVL(design, design[Input::kApproach], designLG)) {
        top = std::max(top, StepAbove(*kaVL));
    }
    if (request.tower) {
        const float atStart = TowerKaVL(*request.tower, request.span.from);
        if (std::isfinite(atStart)) top = std::max(top, StepAbove(atStart));
    }
    return top;
}

float KaVLAxisBottom(const DemandChart& chart) {
    float lowest = chart.kaVLTop;
    for (const ChartCurve& c : chart.curves) {
        if (!c.curve.points.empty()) lowest = std::min(lowest, c.curve.points.front().kaVL);
    }
    if (chart.designPoint) lowest = std::min(lowest, chart.designPoint->kaVL);
    if (chart.tower) {
        const float atEnd = TowerKaVL(*chart.tower, chart.span.to);
        if (atEnd > 0.0f) lowest = std::min(lowest, atEnd);
    }
    const float floor =
        static_cast<float>(static_cast<double>(chart.kaVLTop) * std::pow(10.0, -kMostDecades));
    return std::max(std::min(StepBelow(lowest), chart.kaVLTop / 10.0f), floor);
}

DemandChart BuildChartWithAxes(const DesignInputs& design, DemandChartRequest request) {
    request.kaVLCeiling = KaVLAxisTop(design, request);
    DemandChart chart = BuildDemandChart(design, request);
    chart.kaVLBottom = KaVLAxisBottom(chart);
    return chart;
}

}  // namespace veltrane::chart
