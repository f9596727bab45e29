#include "maker_curves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <utility>

#include "constants.h"
#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RoundToSingle;

/// Three points of a second-order curve, x rising.
struct ThreePoints {
    std::array<double, 3> x;
    std::array<double, 3> y;
};

/// The second-order curve through three points, about the middle one: y = y1 + b·u + a·u² with
/// u = x − x1. Formed from divided differences, so that it passes through the three points to
/// rounding and keeps its figures where the points lie close.
struct SecondOrder {
    double middle;  ///< x1
    double y1;
    double b;  ///< the slope at x1
    double a;

    [[nodiscard]] double At(double x) const {
        const double u = x - middle;
        return y1 + u * (b + a * u);
    }
};

SecondOrder SecondOrderThrough(const ThreePoints& p) {
    const double first = (p.y[1] - p.y[0]) / (p.x[1] - p.x[0]);
    const double second = ((p.y[2] - p.y[1]) / (p.x[2] - p.x[1]) - first) / (p.x[2] - p.x[0]);
    return {p.x[1], p.y[1], first + second * (p.x[1] - p.x[0]), second};
}

double ThroughThree(const ThreePoints& p, double at) {
    return SecondOrderThrough(p).At(at);
}

/// The first of three consecutive points (of `count`, at least three, rising in `valueAt`)
/// nearest `at`: the three whose farther end lies closest to it.
template <typename ValueAt>
std::size_t NearestThree(std::size_t count, ValueAt valueAt, double at) {
    std::size_t best = 0;
    double bestReach = std::numeric_limits<double>::infinity();
    for (std::size_t first = 0; first + kLeastCurvePoints <= count; ++first) {
        const double reach =
            std::fmax(std::fabs(valueAt(first) - at), std::fabs(valueAt(first + 2) - at));
        if (reach < bestReach) {
            bestReach = reach;
            best = first;
        }
    }
    return best;
}

std::size_t NearestThree(const std::vector<float>& rising, double at) {
    return NearestThree(
        rising.size(), [&rising](std::size_t i) { return D(rising[i]); }, at);
}

/// A curve's cold water at this wet bulb (within the curve): second order through the three
/// nearest wet bulbs.
double ReadCurve(const std::vector<CurvePoint>& curve, double wetBulb) {
    const std::size_t first = NearestThree(
        curve.size(), [&curve](std::size_t i) { return D(curve[i].wetBulb); }, wetBulb);
    ThreePoints p{};
    for (std::size_t k = 0; k < 3; ++k) {
        p.x[k] = D(curve[first + k].wetBulb);
        p.y[k] = D(curve[first + k].coldWater);
    }
    return ThroughThree(p, wetBulb);
}

std::string PercentText(float percent) {
    return std::string(PlainShortestText(percent).View()) + " %";
}

std::string CurveName(float flowPercent, float rangePercent) {
    return "the curve of flow " + PercentText(flowPercent) + " and range " +
           PercentText(rangePercent);
}

MakerCurvesTable Refuse(std::string reason, std::optional<std::size_t> row = std::nullopt) {
    return {std::nullopt, std::move(reason), row, std::nullopt};
}

/// " (90 %, 110 %)", or nothing for no values.
std::string ListOf(const std::vector<float>& percents) {
    std::string list;
    for (const float p : percents)
        list += (list.empty() ? " (" : ", ") + PercentText(p);
    return list.empty() ? list : list + ")";
}

/// The rows of each curve, by (flow, range), each with its position in the data.
using Grouped = std::map<std::pair<float, float>, std::vector<std::pair<CurvePoint, std::size_t>>>;

std::optional<MakerCurvesTable> RefusedRow(const MakerCurveRow& r, std::size_t i) {
    if (!std::isfinite(r.flowPercent) || !std::isfinite(r.rangePercent) ||
        !std::isfinite(r.wetBulb) || !std::isfinite(r.coldWater)) {
        return Refuse("a value is not a finite number", i);
    }
    if (!(r.flowPercent > 0.0F) || !(r.rangePercent > 0.0F))
        return Refuse("the flow and the range must be above 0 %", i);
    return std::nullopt;
}

/// Each grouped curve sorted by wet bulb and checked: enough wet bulbs, none twice.
std::optional<MakerCurvesTable> SortAndCheckCurves(Grouped& grouped) {
    for (auto& [key, points] : grouped) {
        std::stable_sort(points.begin(), points.end(), [](const auto& a, const auto& b) {
            return a.first.wetBulb < b.first.wetBulb;
        });
        for (std::size_t i = 1; i < points.size(); ++i) {
            if (points[i].first.wetBulb == points[i - 1].first.wetBulb) {
                const auto [earlier, later] = std::minmax(points[i].second, points[i - 1].second);
                MakerCurvesTable refused =
                    Refuse("a wet bulb comes twice in " + CurveName(key.first, key.second), later);
                refused.earlierRow = earlier;
                return refused;
            }
        }
        if (points.size() < kLeastCurvePoints) {
            return Refuse(CurveName(key.first, key.second) + " has " +
                          std::to_string(points.size()) +
                          " wet bulbs: at least 3 are needed for a second-order curve");
        }
    }
    return std::nullopt;
}

std::vector<float> Distinct(const Grouped& grouped, bool flows) {
    std::vector<float> values;
    for (const auto& entry : grouped)
        values.push_back(flows ? entry.first.first : entry.first.second);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

}  // namespace

MakerCurvesTable BuildMakerCurves(std::span<const MakerCurveRow> rows) {
    Grouped grouped;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MakerCurveRow& r = rows[i];
        if (std::optional<MakerCurvesTable> refused = RefusedRow(r, i)) return std::move(*refused);
        grouped[{r.flowPercent, r.rangePercent}].push_back({{r.wetBulb, r.coldWater}, i});
    }
    MakerCurves curves;
    curves.flowPercents = Distinct(grouped, true);
    curves.rangePercents = Distinct(grouped, false);
    if (curves.flowPercents.size() < kLeastCurvePoints) {
        return Refuse("the curves give " + std::to_string(curves.flowPercents.size()) + " flows" +
                      ListOf(curves.flowPercents) + ": at least 3 are needed");
    }
    if (curves.rangePercents.size() < kLeastCurvePoints) {
        return Refuse("the curves give " + std::to_string(curves.rangePercents.size()) + " ranges" +
                      ListOf(curves.rangePercents) + ": at least 3 are needed");
    }
    for (const float flow : curves.flowPercents) {
        for (const float range : curves.rangePercents) {
            if (!grouped.contains({flow, range}))
                return Refuse(CurveName(flow, range) + " is missing: every flow needs every range");
        }
    }
    if (std::optional<MakerCurvesTable> refused = SortAndCheckCurves(grouped))
        return std::move(*refused);
    for (const auto& entry : grouped) {
        std::vector<CurvePoint> curve;
        for (const auto& point : entry.second)
            curve.push_back(point.first);
        curves.curves.push_back(std::move(curve));
    }
    return {std::move(curves), {}, std::nullopt, std::nullopt};
}

std::vector<MakerCurveRow> MakerCurveRows(const PerformanceCurves& curves) {
    std::vector<MakerCurveRow> rows;
    for (const PerformanceCurve& curve : curves.curves) {
        for (const CurvePoint& point : curve.points)
            rows.push_back({curve.flowPercent, curve.rangePercent, point.wetBulb, point.coldWater});
    }
    return rows;
}

namespace {

/// The checks of a reading before its L/G_t, in the order EvaluateReading makes them.
EvaluationOutcome CheckReading(const DesignBasis& basis, const TestReading& r) {
    if (basis.outcome != EvaluationOutcome::kEvaluated) return basis.outcome;
    const bool finite = std::isfinite(r.pressure) && std::isfinite(r.wetBulb) &&
                        std::isfinite(r.dryBulb) && std::isfinite(r.hotWater) &&
                        std::isfinite(r.coldWater) && std::isfinite(r.waterFlow) &&
                        std::isfinite(r.fanPower);
    if (!finite) return EvaluationOutcome::kNotFinite;
    if (!(r.waterFlow > 0.0F) || !(r.fanPower > 0.0F)) return EvaluationOutcome::kNoFlowOrFanPower;
    if (r.wetBulb > r.dryBulb) return EvaluationOutcome::kWetBulbAboveDryBulb;
    if (!(r.hotWater > r.coldWater)) return EvaluationOutcome::kNoRange;
    return EvaluationOutcome::kEvaluated;
}

bool Within(double value, double lowest, double highest) {
    return value >= lowest - kCurveEndSlack && value <= highest + kCurveEndSlack;
}

/// Step 3 at every flow: false (with the outcome set) when a curve used does not reach the wet
/// bulb.
bool ReadFlows(const MakerCurves& curves, const TestReading& reading, CurvesEvaluation& e) {
    const std::size_t firstRange = NearestThree(curves.rangePercents, D(e.rangePercent));
    e.lowestWetBulb = -INFINITY;
    e.highestWetBulb = INFINITY;
    for (std::size_t f = 0; f < curves.flowPercents.size(); ++f) {
        for (std::size_t r = firstRange; r < firstRange + 3; ++r) {
            const std::vector<CurvePoint>& curve = curves.Curve(f, r);
            e.lowestWetBulb = std::fmax(e.lowestWetBulb, curve.front().wetBulb);
            e.highestWetBulb = std::fmin(e.highestWetBulb, curve.back().wetBulb);
        }
    }
    if (!Within(D(reading.wetBulb), D(e.lowestWetBulb), D(e.highestWetBulb))) {
        e.outcome = CurvesOutcome::kWetBulbOutside;
        return false;
    }
    for (std::size_t f = 0; f < curves.flowPercents.size(); ++f) {
        ThreePoints byRange{};
        for (std::size_t k = 0; k < 3; ++k) {
            byRange.x[k] = D(curves.rangePercents[firstRange + k]);
            byRange.y[k] = ReadCurve(curves.Curve(f, firstRange + k), D(reading.wetBulb));
        }
        e.flowColdWater.push_back(RoundToSingle(ThroughThree(byRange, D(e.rangePercent))));
    }
    return true;
}

/// The flow on the rising branch (where the slope 2·a·u + b is +√disc) that gives `coldWater`.
/// Written as 2c / (−b − √disc), which keeps its figures where a is small; b is positive for
/// three rising points (the slope at the middle is a weighted mean of the two chords).
std::optional<double> RisingRoot(const SecondOrder& fn, double coldWater) {
    const double c = fn.y1 - coldWater;
    const double disc = fn.b * fn.b - 4.0 * fn.a * c;
    if (!(disc >= 0.0)) return std::nullopt;
    return fn.middle + 2.0 * c / (-fn.b - std::sqrt(disc));
}

/// The three flows nearest the root: the pair of flows whose cold waters hold the test's, or
/// the outer pair the test lies beyond, and the nearer neighbour.
std::size_t FlowsAroundRoot(const MakerCurves& curves, const std::vector<float>& coldWater,
                            double testColdWater) {
    const std::vector<float>& flows = curves.flowPercents;
    std::size_t upper = 1;
    while (upper + 1 < flows.size() && D(coldWater[upper]) < testColdWater)
        ++upper;
    const double share =
        (testColdWater - D(coldWater[upper - 1])) / (D(coldWater[upper]) - D(coldWater[upper - 1]));
    const double estimate = D(flows[upper - 1]) + share * (D(flows[upper]) - D(flows[upper - 1]));
    return NearestThree(flows, estimate);
}

/// Step 4's second-order function of flow through the three flows used.
SecondOrder FunctionOfFlow(const MakerCurves& curves, const CurvesEvaluation& e) {
    ThreePoints byFlow{};
    for (std::size_t k = 0; k < 3; ++k) {
        byFlow.x[k] = D(curves.flowPercents[e.firstFlowUsed + k]);
        byFlow.y[k] = D(e.flowColdWater[e.firstFlowUsed + k]);
    }
    return SecondOrderThrough(byFlow);
}

/// Whether the curves have the shape BuildMakerCurves gives them, which every step relies on.
bool Checked(const MakerCurves& curves) {
    const auto atLeastThree = [](const auto& list) { return list.size() >= kLeastCurvePoints; };
    return atLeastThree(curves.flowPercents) && atLeastThree(curves.rangePercents) &&
           curves.curves.size() == curves.flowPercents.size() * curves.rangePercents.size() &&
           std::all_of(curves.curves.begin(), curves.curves.end(), atLeastThree);
}

CurvesEvaluation Finish(CurvesEvaluation& e, CurvesOutcome outcome) {
    e.outcome = outcome;
    return e;
}

}  // namespace

CurvesEvaluation EvaluateWithCurves(const DesignBasis& basis, const MakerCurves& curves,
                                    const TestReading& reading) {
    CurvesEvaluation e;
    if (!Checked(curves)) return Finish(e, CurvesOutcome::kNoCurves);
    e.readingOutcome = CheckReading(basis, reading);
    if (e.readingOutcome != EvaluationOutcome::kEvaluated)
        return Finish(e, CurvesOutcome::kReadingRefused);
    CapabilityEvaluation fanLaws;
    e.readingOutcome = SolveTestLiquidGas(basis, reading, fanLaws);
    if (e.readingOutcome != EvaluationOutcome::kEvaluated)
        return Finish(e, CurvesOutcome::kReadingRefused);
    const DesignInputs& design = basis.acceptance.design;
    e.liquidGas = fanLaws.liquidGas;
    e.adjustedFlowPercent = RoundToSingle(kPercent * D(e.liquidGas) / D(design[Input::kLiquidGas]));
    e.adjustedFlow =
        RoundToSingle(D(design[Input::kWaterFlow]) * D(e.adjustedFlowPercent) / kPercent);
    e.rangePercent = RoundToSingle(kPercent * (D(reading.hotWater) - D(reading.coldWater)) /
                                   D(RowRange(design)));
    if (!Within(D(e.rangePercent), D(curves.rangePercents.front()),
                D(curves.rangePercents.back()))) {
        return Finish(e, CurvesOutcome::kRangeOutside);
    }
    if (!ReadFlows(curves, reading, e)) return e;
    const auto notRising = [](float lower, float higher) { return !(lower < higher); };
    if (std::adjacent_find(e.flowColdWater.begin(), e.flowColdWater.end(), notRising) !=
        e.flowColdWater.end()) {
        return Finish(e, CurvesOutcome::kColdWaterNotRising);
    }
    e.firstFlowUsed = FlowsAroundRoot(curves, e.flowColdWater, D(reading.coldWater));
    const SecondOrder fn = FunctionOfFlow(curves, e);
    const std::optional<double> root = RisingRoot(fn, D(reading.coldWater));
    if (!root) return Finish(e, CurvesOutcome::kNoFlowGivesIt);
    e.predictedFlowPercent = RoundToSingle(*root);
    if (!Within(*root, D(kLowestPredictedFlow), D(kHighestPredictedFlow)))
        return Finish(e, CurvesOutcome::kFlowBeyondLimits);
    const double lowestFlow = D(curves.flowPercents.front());
    const double highestFlow = D(curves.flowPercents.back());
    e.extrapolated = !Within(*root, lowestFlow, highestFlow) ||
                     !Within(D(e.adjustedFlowPercent), lowestFlow, highestFlow);
    e.predictedFlow = RoundToSingle(D(design[Input::kWaterFlow]) * *root / kPercent);
    e.capability = RoundToSingle(kPercent * D(e.adjustedFlowPercent) / *root);
    e.predictedColdWater = RoundToSingle(fn.At(D(e.adjustedFlowPercent)));
    e.coldWaterDeviation = RoundToSingle(D(reading.coldWater) - D(e.predictedColdWater));
    return Finish(e, CurvesOutcome::kEvaluated);
}

std::optional<float> CrossPlotColdWater(const MakerCurves& curves, const CurvesEvaluation& e,
                                        float flowPercent) {
    const bool reachedStepFour =
        e.outcome == CurvesOutcome::kEvaluated || e.outcome == CurvesOutcome::kFlowBeyondLimits;
    if (!reachedStepFour || !Checked(curves) ||
        e.flowColdWater.size() != curves.flowPercents.size() ||
        e.firstFlowUsed + kLeastCurvePoints > curves.flowPercents.size()) {
        return std::nullopt;
    }
    return RoundToSingle(FunctionOfFlow(curves, e).At(D(flowPercent)));
}

namespace {

std::string TemperatureText(float fahrenheit, UnitSystem units) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s",
                  ValueInUnits(Quantity::kTemperature, units, D(fahrenheit)),
                  units == UnitSystem::kSI ? "°C" : "°F");
    return text;
}

std::string FlowPercentText(float percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", D(percent));
    return text;
}

}  // namespace

std::string DescribeCurvesEvaluation(const MakerCurves& curves, const CurvesEvaluation& e,
                                     UnitSystem units) {
    if (e.outcome == CurvesOutcome::kNoCurves || !Checked(curves))
        return "no maker's curves of at least three flows, ranges and wet bulbs are given";
    const std::string flows =
        PercentText(curves.flowPercents.front()) + " to " + PercentText(curves.flowPercents.back());
    switch (e.outcome) {
        case CurvesOutcome::kEvaluated:
            if (!e.extrapolated) return {};
            return "the maker's curves were extrapolated: they hold from " + flows +
                   " of the design flow; predicted " + FlowPercentText(e.predictedFlowPercent) +
                   ", adjusted " + FlowPercentText(e.adjustedFlowPercent);
        case CurvesOutcome::kReadingRefused:
            return std::string(DescribeEvaluation(e.readingOutcome));
        case CurvesOutcome::kWetBulbOutside:
            return "the wet bulb lies outside the maker's curves, which are never extrapolated: "
                   "they hold from " +
                   TemperatureText(e.lowestWetBulb, units) + " to " +
                   TemperatureText(e.highestWetBulb, units);
        case CurvesOutcome::kRangeOutside:
            return "the range, " + FlowPercentText(e.rangePercent) +
                   " of the design range, lies outside the maker's curves, which are never "
                   "extrapolated: they hold from " +
                   PercentText(curves.rangePercents.front()) + " to " +
                   PercentText(curves.rangePercents.back());
        case CurvesOutcome::kColdWaterNotRising:
            return "the maker's curves at the test wet bulb and range do not rise with the flow, "
                   "as a tower's cold water does";
        case CurvesOutcome::kNoFlowGivesIt:
            return "no flow on the maker's curves gives the test cold water";
        case CurvesOutcome::kNoCurves:
            break;
        case CurvesOutcome::kFlowBeyondLimits:
            return "not evaluated: the maker's curves, which hold from " + flows +
                   " of the design flow, would have to be extrapolated to " +
                   FlowPercentText(e.predictedFlowPercent) + ", beyond 80 % to 125 %";
    }
    return {};
}

}  // namespace veltrane
