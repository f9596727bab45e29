#pragma once
// The acceptance test by the maker's performance curves: the cold water the maker promises
// against the wet bulb, one curve per share of the design water flow and of the design range,
// read at each test reading's conditions to tell what flow the design tower would have cooled to
// the cold water measured.
//
// The evaluation steps of one reading, the subscript d marking the design, t the test:
//   1. L/G_t by the fan laws, as the characteristic-curve method forms it (acceptance.h step 3).
//   2. Adjusted flow = Flow_d · L/G_t / L/G_d: the flow that at the design air flow gives L/G_t.
//   3. Each curve read at Twb_t by the second-order curve through its three wet bulbs nearest
//      Twb_t; then, for each flow, the three ranges nearest the test range read at the test range
//      the same way: one predicted cold water per flow. Neither the wet bulb nor the range is
//      ever read beyond the curves.
//   4. Predicted flow: the cold water as the second-order function of flow through three
//      (flow, cold water) points, solved for TCold_t on the branch where the cold water rises
//      with the flow. The three flows are those nearest that root. A root beyond the outer
//      flows stands with a note that the curves were extrapolated, as far as kLowestPredictedFlow
//      and kHighestPredictedFlow; beyond them the reading is not evaluated.
//   5. Capability = 100 · adjusted flow / predicted flow, percent.
//   6. Predicted cold water: the same function of flow at the adjusted flow; deviation = TCold_t −
//      predicted, °F (positive: the tower runs warmer than the curves promise).

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "acceptance.h"
#include "performance_curves.h"
#include "units.h"

namespace veltrane {

/// One point of the maker's curves, as `--curves-csv` writes a row.
struct MakerCurveRow {
    float flowPercent;   ///< of the design water flow
    float rangePercent;  ///< of the design range
    float wetBulb;       ///< Twb, °F
    float coldWater;     ///< TCold, °F
};

/// Fewest flows, ranges and wet bulbs per curve: a second-order curve needs three points.
inline constexpr std::size_t kLeastCurvePoints = 3;
/// The predicted flow may lie beyond the curves' outer flows as far as these shares of the
/// design flow, percent; the curves are then extrapolated, and the evaluation says so.
inline constexpr float kLowestPredictedFlow = 80.0F;
inline constexpr float kHighestPredictedFlow = 125.0F;
/// A reading this close to the end of a curve (a wet bulb, °F, or a range, percent) counts as on
/// it: a reading converted from °C lands a rounding away from a curve converted the same way.
inline constexpr double kCurveEndSlack = 1e-3;

/// The maker's curves, checked: rising flows and ranges, every flow with every range, each curve
/// of at least three rising wet bulbs.
struct MakerCurves {
    std::vector<float> flowPercents;   ///< rising, percent of the design flow
    std::vector<float> rangePercents;  ///< rising, percent of the design range
    /// curves[f · rangePercents.size() + r]: the curve of flow f and range r, rising wet bulb.
    std::vector<std::vector<CurvePoint>> curves;

    [[nodiscard]] const std::vector<CurvePoint>& Curve(std::size_t flow, std::size_t range) const {
        return curves[flow * rangePercents.size() + range];
    }
};

/// The curves built from rows, or the reason they are refused.
struct MakerCurvesTable {
    std::optional<MakerCurves> curves;  ///< nothing when refused
    std::string refusal;                ///< why, in plain words; empty when built
    /// The row at fault, from 0, where one row is (a value not finite, the later of a wet bulb
    /// given twice in one curve).
    std::optional<std::size_t> row;
    /// With a wet bulb given twice: the earlier row, from 0.
    std::optional<std::size_t> earlierRow;
};

/// Groups the rows into curves, in any order, and checks them: every value finite, flow and
/// range above 0, at least three flows and three ranges, a curve for every flow and range, at
/// least three wet bulbs per curve, no wet bulb twice in one curve. Reading the numbers (and
/// refusing text) is the caller's.
MakerCurvesTable BuildMakerCurves(std::span<const MakerCurveRow> rows);

/// The rows of the engine's own performance curves, as `--curves-csv` writes them.
std::vector<MakerCurveRow> MakerCurveRows(const PerformanceCurves& curves);

enum class CurvesOutcome {
    kEvaluated,
    kReadingRefused,      ///< the reading or its L/G_t: see CurvesEvaluation::readingOutcome
    kWetBulbOutside,      ///< a curve used does not reach the test wet bulb
    kRangeOutside,        ///< the test range lies beyond the curves' ranges
    kColdWaterNotRising,  ///< the curves' cold water does not rise with the flow
    kNoFlowGivesIt,       ///< no flow on the rising branch gives the test cold water
    kFlowBeyondLimits,    ///< the predicted flow lies beyond kLowest/kHighestPredictedFlow
    kNoCurves,            ///< the curves are not a checked table (BuildMakerCurves)
};

struct CurvesEvaluation {
    CurvesOutcome outcome = CurvesOutcome::kReadingRefused;
    EvaluationOutcome readingOutcome = EvaluationOutcome::kEvaluated;  ///< with kReadingRefused
    float liquidGas = 0.0F;                                            ///< L/G_t
    float rangePercent = 0.0F;          ///< the test range, percent of the design range
    float adjustedFlowPercent = 0.0F;   ///< percent of the design flow
    float adjustedFlow = 0.0F;          ///< gpm
    std::vector<float> flowColdWater;   ///< step 3: per flow of the curves, °F (where read)
    std::size_t firstFlowUsed = 0;      ///< step 4: the first of the three flows, an index
    float predictedFlowPercent = 0.0F;  ///< step 4, percent of the design flow
    float predictedFlow = 0.0F;         ///< gpm
    float capability = 0.0F;            ///< percent
    float predictedColdWater = 0.0F;    ///< °F, at the adjusted flow
    float coldWaterDeviation = 0.0F;    ///< measured − predicted, °F
    /// A flow beyond the curves' outer flows was read (the predicted or the adjusted one).
    bool extrapolated = false;
    float lowestWetBulb = 0.0F;   ///< with kWetBulbOutside: the span the curves used share, °F
    float highestWetBulb = 0.0F;  ///< with kWetBulbOutside
};

/// Steps 1 to 6 for one reading against the design and the maker's curves.
CurvesEvaluation EvaluateWithCurves(const DesignBasis& basis, const MakerCurves& curves,
                                    const TestReading& reading);

/// The cross-plot of step 4 at the reading's wet bulb and range: the cold water, °F, that the
/// second-order function of flow through the three flows used gives at `flowPercent` (percent of
/// the design flow). Nothing unless the evaluation reached step 4 (kEvaluated or
/// kFlowBeyondLimits).
std::optional<float> CrossPlotColdWater(const MakerCurves& curves, const CurvesEvaluation& e,
                                        float flowPercent);

/// What a reading's evaluation says beside its figures: the reason it was not evaluated, or the
/// note that the curves were extrapolated; empty for a plain evaluation. Temperatures in `units`.
std::string DescribeCurvesEvaluation(const MakerCurves& curves, const CurvesEvaluation& e,
                                     UnitSystem units);

}  // namespace veltrane
