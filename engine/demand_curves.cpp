#include "demand_curves.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "bisection.h"

namespace veltrane {
namespace {

/// Points spaced evenly in log L/G from the start of the span to its end or the pole.
constexpr int kEvenSteps = 120;
/// Beyond the last even point each further point halves what is left of the way to the pole,
/// so the curve is drawn right up to where it leaves the top of the plot.
constexpr double kPoleStepShare = 0.5;
constexpr int kMaxPolePoints = 60;
/// Between neighbouring points the curve may rise or fall by at most this much in log10 KaV/L
/// (a hundredth of a two-decade plot); steeper steps get a point between them.
constexpr double kMaxLogStep = 0.02;
constexpr int kMaxRefinements = 8;
using detail::BisectToAdjacent;

/// The first L/G in (low, high] at which there is no demand, given demand at `low` and none at
/// `high`.
float BisectPole(const DesignInputs& design, float approach, float low, float high) {
    BisectToAdjacent(low, high, [&](float liquidGas) {
        return DemandKaVL(design, approach, liquidGas).has_value();
    });
    return high;
}

float EvenPoint(LiquidGasSpan span, float end, int step) {
    const double ratio = static_cast<double>(end) / static_cast<double>(span.from);
    return static_cast<float>(static_cast<double>(span.from) *
                              std::pow(ratio, static_cast<double>(step) / kEvenSteps));
}

/// Appends the point if it is a demand; false once the curve has passed its ceiling.
bool AppendPoint(const DesignInputs& design, float approach, float liquidGas, float ceiling,
                 DemandCurve& curve) {
    const std::optional<float> kaVL = DemandKaVL(design, approach, liquidGas);
    if (!kaVL) return true;
    curve.points.push_back({liquidGas, *kaVL});
    return *kaVL <= ceiling;
}

double LogKaVL(float kaVL, float ceiling) {
    return std::log10(static_cast<double>(std::min(kaVL, 2.0f * ceiling)));
}

/// Adds points between `left` and `right` (both demands) until the curve's steps are small.
void Refine(const DesignInputs& design, float approach, DemandPoint left, DemandPoint right,
            float ceiling, int depth, std::vector<DemandPoint>& out) {
    const double step = std::abs(LogKaVL(right.kaVL, ceiling) - LogKaVL(left.kaVL, ceiling));
    if (depth == 0 || step <= kMaxLogStep) return;
    const float middle = static_cast<float>(
        std::sqrt(static_cast<double>(left.liquidGas) * static_cast<double>(right.liquidGas)));
    if (middle <= left.liquidGas || middle >= right.liquidGas) return;
    const std::optional<float> kaVL = DemandKaVL(design, approach, middle);
    if (!kaVL) return;
    const DemandPoint centre{middle, *kaVL};
    Refine(design, approach, left, centre, ceiling, depth - 1, out);
    out.push_back(centre);
    Refine(design, approach, centre, right, ceiling, depth - 1, out);
}

/// The points with the steep steps filled in, ending at the first one above the ceiling.
std::vector<DemandPoint> Refined(const DesignInputs& design, float approach,
                                 const std::vector<DemandPoint>& points, float ceiling) {
    std::vector<DemandPoint> out;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            Refine(design, approach, points[i - 1], points[i], ceiling, kMaxRefinements, out);
        out.push_back(points[i]);
    }
    const auto above =
        std::find_if(out.begin(), out.end(), [&](DemandPoint p) { return p.kaVL > ceiling; });
    if (above != out.end()) out.erase(above + 1, out.end());
    return out;
}

}  // namespace

DesignInputs DemandInputs(const DesignInputs& design, float approach, float liquidGas) {
    DesignInputs inputs = AtApproachHoldingRange(design, approach);
    inputs[Input::kLiquidGas] = liquidGas;
    return inputs;
}

std::optional<float> DemandKaVL(const DesignInputs& design, float approach, float liquidGas) {
    // KaV/L and the driving forces are steps 1 to 6: the exit air is not needed here.
    const WorkingQuantities q = CalculateMerkelIntegral(DemandInputs(design, approach, liquidGas));
    if (!IsDemandKaVL(q)) return std::nullopt;
    return q.kaVL;
}

DemandCurve CalculateDemandCurve(const DesignInputs& design, float approach, LiquidGasSpan span,
                                 float kaVLCeiling) {
    DemandCurve curve;
    curve.approach = approach;
    if (!(span.from > 0.0f && span.from < span.to) || !std::isfinite(span.to)) return curve;
    if (!DemandKaVL(design, approach, span.from)) {
        curve.poleLiquidGas = span.from;
        return curve;
    }
    if (!DemandKaVL(design, approach, span.to)) {
        curve.poleLiquidGas = BisectPole(design, approach, span.from, span.to);
    }
    const float end = curve.poleLiquidGas.value_or(span.to);
    const int evenPoints = curve.poleLiquidGas ? kEvenSteps : kEvenSteps + 1;
    bool belowCeiling = true;
    for (int step = 0; step < evenPoints && belowCeiling; ++step) {
        belowCeiling =
            AppendPoint(design, approach, EvenPoint(span, end, step), kaVLCeiling, curve);
    }
    if (belowCeiling && curve.poleLiquidGas && !curve.points.empty()) {
        const double pole = static_cast<double>(end);
        double gap = pole - static_cast<double>(curve.points.back().liquidGas);
        for (int i = 0; i < kMaxPolePoints && belowCeiling; ++i) {
            gap *= kPoleStepShare;
            const float liquidGas = static_cast<float>(pole - gap);
            if (liquidGas <= curve.points.back().liquidGas || liquidGas >= end) break;
            belowCeiling = AppendPoint(design, approach, liquidGas, kaVLCeiling, curve);
        }
    }
    curve.points = Refined(design, approach, curve.points, kaVLCeiling);
    return curve;
}

std::optional<float> TowerCrossing(const DesignInputs& design, float approach,
                                   const TowerLine& tower, LiquidGasSpan span) {
    // Demand rises with L/G and the tower's KaV/L falls, so they cross at most once; past the
    // pole the demand counts as unbounded.
    const auto demandExceedsTower = [&](float liquidGas) {
        const std::optional<float> demand = DemandKaVL(design, approach, liquidGas);
        return !demand || *demand >= tower(liquidGas);
    };
    if (!(span.from > 0.0f && span.from < span.to)) return std::nullopt;
    const std::optional<float> start = DemandKaVL(design, approach, span.from);
    if (!start) return std::nullopt;
    if (*start >= tower(span.from)) {
        return *start == tower(span.from) ? std::optional<float>(span.from) : std::nullopt;
    }
    if (!demandExceedsTower(span.to)) return std::nullopt;
    float low = span.from;
    float high = span.to;
    BisectToAdjacent(low, high, [&](float liquidGas) { return !demandExceedsTower(liquidGas); });
    // A bracket closed on the pole is no crossing: the demand there stays below the tower's.
    const std::optional<float> atHigh = DemandKaVL(design, approach, high);
    if (!atHigh) return std::nullopt;
    const float lowMiss = tower(low) - *DemandKaVL(design, approach, low);
    return (*atHigh - tower(high)) < lowMiss ? high : low;
}

namespace {

/// The approaches to draw, rising, each once; the design's own among them.
std::vector<float> ChartApproaches(const std::vector<float>& listed, float designApproach) {
    std::vector<float> approaches;
    for (const float approach : listed) {
        if (std::isfinite(approach) && approach > 0.0f) approaches.push_back(approach);
    }
    if (std::isfinite(designApproach)) approaches.push_back(designApproach);
    std::sort(approaches.begin(), approaches.end());
    approaches.erase(std::unique(approaches.begin(), approaches.end()), approaches.end());
    return approaches;
}

void RateOperatingPoint(const DesignInputs& design, TowerCharacteristic tower, DemandChart& chart) {
    const Rating rating = RateDesign(design, tower);
    if (rating.outcome != RatingOutcome::kRated) {
        chart.noOperatingPoint = DescribeOutcome(rating.outcome);
        return;
    }
    chart.operatingPoint =
        OperatingPoint{design[Input::kLiquidGas], rating.towerKaVL, rating.inputs[Input::kApproach],
                       rating.results.values[Result::kColdWater]};
}

}  // namespace

DemandChart BuildDemandChart(const DesignInputs& design, const DemandChartRequest& request) {
    DemandChart chart;
    chart.wetBulb = design[Input::kWetBulb];
    chart.range = RowRange(design);
    chart.pressure = design[Input::kAtmosPress];
    chart.hotWater = design[Input::kHotWater];
    chart.coldWater = CalculateMerkelIntegral(design).tCold;
    chart.approach = design[Input::kApproach];
    chart.liquidGas = design[Input::kLiquidGas];
    chart.span = request.span;
    chart.tower = request.tower;
    const float designLG = design[Input::kLiquidGas];
    if (const std::optional<float> kaVL = DemandKaVL(design, design[Input::kApproach], designLG)) {
        chart.designPoint = DemandPoint{designLG, *kaVL};
    }
    TowerLine towerLine;
    if (request.tower) {
        towerLine = [tower = *request.tower](float lg) { return TowerKaVL(tower, lg); };
        RateOperatingPoint(design, *request.tower, chart);
    }
    const TowerLine* tower = request.tower ? &towerLine : nullptr;
    chart.kaVLTop = request.kaVLCeiling;
    for (const float approach : ChartApproaches(request.approaches, design[Input::kApproach])) {
        ChartCurve c;
        c.curve = CalculateDemandCurve(design, approach, request.span, chart.kaVLTop);
        c.design = approach == design[Input::kApproach];
        if (tower != nullptr)
            c.towerCrossingLG = TowerCrossing(design, approach, *tower, request.span);
        chart.curves.push_back(std::move(c));
    }
    return chart;
}

}  // namespace veltrane
