#pragma once
// Demand curves: the KaV/L a design demands as its liquid/gas ratio varies, for one approach at a
// time, holding the design's wet bulb, range and pressure. Each point is the window's own
// calculation of the design with that approach and L/G; nothing here approximates it.

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "performance.h"
#include "rating.h"

namespace veltrane {

/// The L/G over which curves are drawn, lb/lb; 0 < from < to.
struct LiquidGasSpan {
    float from = 0.3f;
    float to = 5.0f;
};

struct DemandPoint {
    float liquidGas;  ///< lb/lb
    float kaVL;       ///< the calculation's KaV/L at that L/G
};

struct DemandCurve {
    float approach = 0;  ///< °F
    /// Rising L/G, every point with all four driving forces positive. Empty when the span holds
    /// no such L/G. When the curve meets its ceiling, the last point is the first one above it.
    std::vector<DemandPoint> points;
    /// The smallest L/G in the span at which a driving force is zero or less, when there is one:
    /// the air line meets the saturation curve there and the KaV/L has its pole.
    std::optional<float> poleLiquidGas;
};

/// The design's inputs with another approach and L/G: THot = Twb + approach + R, where R is the
/// design's range THot − (Twb + Approach). Every other input is the design's own.
DesignInputs DemandInputs(const DesignInputs& design, float approach, float liquidGas);

/// The KaV/L of DemandInputs, or nothing where a driving force is not positive or the KaV/L is
/// not finite: there the number is not a demand.
std::optional<float> DemandKaVL(const DesignInputs& design, float approach, float liquidGas);

/// The demand curve for one approach over `span`, ending at the first point whose KaV/L exceeds
/// `kaVLCeiling` (the top of a plot). Points are spaced evenly in log L/G and close in
/// geometrically on the pole, where the curve bends up.
DemandCurve CalculateDemandCurve(const DesignInputs& design, float approach, LiquidGasSpan span,
                                 float kaVLCeiling);

/// The tower's KaV/L at an L/G, falling as the L/G grows.
using TowerLine = std::function<float(float liquidGas)>;

/// The L/G in `span` at which the demand for `approach` equals the tower's KaV/L, found by
/// bisection between the start of the span and the curve's pole or the span's end; nothing when
/// the two do not cross inside the span, or the demand stays below the tower's up to its pole.
std::optional<float> TowerCrossing(const DesignInputs& design, float approach,
                                   const TowerLine& tower, LiquidGasSpan span);

/// What a chart of demand curves shows besides the design's own approach.
struct DemandChartRequest {
    std::vector<float> approaches{5.0f, 7.0f, 10.0f, 15.0f, 20.0f};  ///< °F
    LiquidGasSpan span;
    std::optional<TowerCharacteristic> tower;
    /// The KaV/L at which every curve ends, its first point above it the last: the top of the
    /// plot, which the chart chooses (chart/chart_axes.h).
    float kaVLCeiling = 10.0f;
};

struct ChartCurve {
    DemandCurve curve;
    bool design = false;                   ///< the design's own approach
    std::optional<float> towerCrossingLG;  ///< where the tower line crosses it, L/G
};

/// Where the tower runs at the design's L/G: on the tower line, at the rated approach.
struct OperatingPoint {
    float liquidGas;
    float kaVL;
    float approach;   ///< °F
    float coldWater;  ///< °F
};

struct DemandChart {
    float wetBulb = 0;   ///< °F
    float range = 0;     ///< °F
    float pressure = 0;  ///< psia
    /// The design's own conditions, as the row gives them.
    float hotWater = 0;   ///< °F
    float coldWater = 0;  ///< °F, Twb + Approach as the calculation forms it
    float approach = 0;   ///< °F
    float liquidGas = 0;  ///< lb/lb
    LiquidGasSpan span;
    /// The KaV/L axis: the top is the request's ceiling, at whose first point above every curve
    /// ends; the bottom is the chart's to choose (chart/chart_axes.h).
    float kaVLBottom = 0.1f;
    float kaVLTop = 10.0f;
    std::vector<ChartCurve> curves;  ///< rising approach
    std::optional<DemandPoint> designPoint;
    std::optional<TowerCharacteristic> tower;
    std::optional<OperatingPoint> operatingPoint;
    /// Why the tower has no operating point at the design, when it has none.
    std::string_view noOperatingPoint;
};

/// Everything a chart of the design's demand curves shows, in numbers.
DemandChart BuildDemandChart(const DesignInputs& design, const DemandChartRequest& request);

}  // namespace veltrane
