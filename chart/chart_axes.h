#pragma once
// The chart's KaV/L axis: log scale from 1, 2 or 5 × 10^k to another, chosen from the numbers
// the chart shows. Standard library only, so that veltrane-calc forms the same chart, and writes
// the same --demand points, whether or not the chart module is there to draw it.

#include <string_view>

#include "demand_curves.h"

namespace veltrane::chart {

/// The L/G a chart can draw, lb/lb: four decades at most, and the end at least twice the start
/// so that the axis carries two labelled ticks.
inline constexpr float kLowestChartLiquidGas = 0.01f;
inline constexpr float kHighestChartLiquidGas = 100.0f;
inline constexpr float kLeastChartSpanRatio = 2.0f;
inline constexpr std::string_view kDrawableSpanRule =
    "FROM and TO must lie between 0.01 and 100, TO at least twice FROM";

/// Whether `span` keeps kDrawableSpanRule.
bool IsDrawableSpan(LiquidGasSpan span) noexcept;

/// The top of the KaV/L axis: the smallest 1, 2 or 5 × 10^k at or above the design's own demand
/// and the tower's KaV/L at the start of the span, and at least 10. Curves end just above it.
float KaVLAxisTop(const DesignInputs& design, const DemandChartRequest& request);

/// The bottom of the KaV/L axis: the largest 1, 2 or 5 × 10^k at or below every curve's first
/// point, the design point and the tower's KaV/L at the end of the span; at most a tenth of the
/// top and at least four decades below it.
float KaVLAxisBottom(const DemandChart& chart);

/// The chart of the design's demand curves that `request` asks for, its axis chosen.
DemandChart BuildChartWithAxes(const DesignInputs& design, DemandChartRequest request);

}  // namespace veltrane::chart
