#pragma once
// Performance curves: the cold water a tower gives against the wet bulb, for 90, 100 and 110 %
// of the design water flow, each at 80, 100 and 120 % of the design range. The fans run at their
// design power, so the L/G scales with the flow. Each point is the rating of the design row at
// that wet bulb, flow and range against one tower characteristic; a wet bulb at which the tower
// has no operating point is left out of its curve, never given a number.

#include <array>
#include <optional>
#include <vector>

#include "performance.h"
#include "rating.h"
#include "units.h"

namespace veltrane {

/// The shares of the design water flow and of the design range the curves are drawn for, in
/// percent, as performance data sheets and acceptance codes give them.
inline constexpr std::array<float, 3> kCurveFlowPercents{90.0F, 100.0F, 110.0F};
inline constexpr std::array<float, 3> kCurveRangePercents{80.0F, 100.0F, 120.0F};

/// The wet bulbs of every curve: from, from + step, ... up to `to` (included when reached), in
/// `units`: °F in US units, °C with the step in K in SI. Each wet bulb is formed in those units
/// and converted once to the calculation's °F, so that an SI span falls on whole °C.
struct WetBulbSpan {
    float from = 40.0F;
    float to = 75.0F;
    float step = 1.0F;
    UnitSystem units = UnitSystem::kUS;
};

/// The default span in `units`, in steps of 1 degree: 40 °F to 10 °F above the design wet bulb;
/// in SI the same ends in °C, rounded outward to whole °C (4 °C to 24 °C for the defaults).
WetBulbSpan DefaultWetBulbSpan(const DesignInputs& design,
                               UnitSystem units = UnitSystem::kUS) noexcept;

/// The span's step in °F, the unit of every CurvePoint.
double SpanStepFahrenheit(WetBulbSpan span) noexcept;

/// Most wet bulbs in one curve; a span that asks for more is refused.
inline constexpr int kMostCurvePoints = 10'000;

struct CurvePoint {
    float wetBulb;    ///< °F
    float coldWater;  ///< °F, the rated cold water
};

struct PerformanceCurve {
    float flowPercent;   ///< of the design water flow
    float rangePercent;  ///< of the design range
    /// Rising wet bulb; only the wet bulbs at which the tower has an operating point.
    std::vector<CurvePoint> points;
};

struct PerformanceCurves {
    TowerCharacteristic tower{};
    WetBulbSpan span;
    float designRange = 0.0F;      ///< °F
    float designFlow = 0.0F;       ///< gpm
    float designLiquidGas = 0.0F;  ///< lb/lb
    /// The design's own wet bulb and cold water, where the 100 %/100 % curve passes when the
    /// tower is the one through the design point.
    CurvePoint designPoint{};
    /// Flow by flow, range by range within each flow, in the order of the percent tables.
    std::vector<PerformanceCurve> curves;
};

/// The tower through the design point with this exponent: C = KaV/L_d · (L/G_d)^m, where KaV/L_d
/// is the design's demand. Nothing when that demand is not one (a driving force not positive,
/// or not finite).
/// @param design [in] the design row
/// @param slope  [in] m, dimensionless, m ≥ 0
std::optional<TowerCharacteristic> TowerThroughDesign(const DesignInputs& design, float slope);

/// The design row at a share of its flow and range and at another wet bulb: flow and L/G times
/// flowPercent / 100, the range times rangePercent / 100, the dry bulb as far above the wet bulb
/// as the design's, the approach the design's (the rating moves it). Every other input the
/// design's own.
DesignInputs CurveRow(const DesignInputs& design, float flowPercent, float rangePercent,
                      float wetBulb);

/// The nine curves. Empty when the span is not finite, falls (from > to), has a step that is
/// not positive or asks for more than kMostCurvePoints wet bulbs.
PerformanceCurves CalculatePerformanceCurves(const DesignInputs& design, TowerCharacteristic tower,
                                             WetBulbSpan span);

/// The wet bulbs of the span in °F, or nothing when it is refused (see
/// CalculatePerformanceCurves).
std::optional<std::vector<float>> SpanWetBulbs(WetBulbSpan span);

}  // namespace veltrane
