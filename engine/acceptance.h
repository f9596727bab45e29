#pragma once
// Tower capability from a field test by the characteristic-curve method: how much of the design
// water flow the tower, as tested, would cool to the design cold water at the design conditions.
//
// The evaluation steps, in the order they run. The subscript d marks the design, t the test
// reading; m is the characteristic's slope, FanPower the fan's input power (any unit, the same
// for design and test). Working values are single precision, as the calculation stores them.
//   1. Design demand KaV/L_d: the calculation's KaV/L of the design row; the design tower line
//      C_d = KaV/L_d · (L/G_d)^m.
//   2. The air at the fan. Induced draft: the leaving air, saturated at the enthalpy
//      hOut = hIn + Q/G of the calculation's steps 13 and 14, its temperature solved exactly.
//      Forced draft: the entering air at the dry bulb with its humidity ratio (step 12).
//      v = its specific volume, ft³ per lb of dry air; ρ = (1 + W) / v, lb per ft³.
//   3. Test L/G_t = L/G_d · (Flow_t / Flow_d) · (FanPower_d / FanPower_t)^(1/3)
//                   · (ρ_t / ρ_d)^(1/3) · (v_t / v_d).
//      The fan moves a volume that goes as (power / density)^(1/3); the dry air it carries is
//      that volume over v. For induced draft the leaving air depends on L/G_t: the step repeats
//      with the air of the last L/G_t until L/G_t moves by less than kLiquidGasTolerance of
//      itself.
//   4. Test KaV/L_t: the calculation's KaV/L at the test wet bulb, hot and cold water
//      (approach = TCold − Twb), pressure and L/G_t; the test tower line C_t = KaV/L_t ·
//      (L/G_t)^m. Every driving force must be positive.
//   5. L/G_cap: where the design demand curve (design wet bulb, hot and cold water, pressure)
//      meets the test line C_t · (L/G)^−m, the demand curves' own crossing.
//   6. Capability = 100 · L/G_cap / L/G_d, percent.
//   7. Predicted cold water: the design tower (C_d, m) rated at the test wet bulb, range, L/G_t
//      and pressure; deviation = measured TCold − predicted TCold, °F (positive: the tower runs
//      warmer than the design tower would).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "performance.h"
#include "rating.h"

namespace veltrane {

enum class FanDraft {
    kInduced,  ///< the fan moves the leaving air
    kForced,   ///< the fan moves the entering air
};

/// One set of field readings, or the mean of a test period's readings.
struct TestReading {
    float pressure;   ///< P, psia
    float wetBulb;    ///< Twb, °F
    float dryBulb;    ///< Tdb, °F
    float hotWater;   ///< THot, °F
    float coldWater;  ///< TCold, °F
    float waterFlow;  ///< Flow, gpm
    float fanPower;   ///< FanPower, the unit of the design fan power
};

/// What a test is judged against.
struct AcceptanceDesign {
    DesignInputs design{};
    float slope = 0.0F;     ///< m, dimensionless
    float fanPower = 0.0F;  ///< the design fan power, any unit
    FanDraft draft = FanDraft::kInduced;
};

/// Step 3 stops once L/G_t moves by less than this share of itself between two passes.
inline constexpr double kLiquidGasTolerance = 1e-6;
/// Step 3 makes no more passes than this; the leaving air settles in three or four.
inline constexpr int kLiquidGasPassLimit = 20;
/// Step 5 searches L/G_cap between these shares of L/G_d, percent.
inline constexpr float kLowestCapability = 1.0F;
inline constexpr float kHighestCapability = 1000.0F;

/// The air the fan moves (step 2).
struct FanAir {
    float temperature = 0.0F;     ///< °F
    float humidityRatio = 0.0F;   ///< lb water per lb dry air
    float enthalpy = 0.0F;        ///< Btu per lb dry air (induced: hOut; forced: hIn)
    float specificVolume = 0.0F;  ///< ft³ per lb dry air
    float density = 0.0F;         ///< ρ = (1 + W) / v, lb moist air per ft³
};

enum class EvaluationOutcome {
    kEvaluated,
    kNotFinite,            ///< a reading or the design is not a finite number
    kNoFlowOrFanPower,     ///< test or design flow or fan power zero or negative
    kWetBulbAboveDryBulb,  ///< the wet-bulb reading is above the dry-bulb reading
    kNoRange,              ///< the hot water is not above the cold water
    kDesignNotFeasible,    ///< the design's own demand is no KaV/L
    kFanAirNotFound,       ///< induced draft: no leaving air at the enthalpy of a pass
    // Appended, so that the outcomes above keep their values.
    kDesignWetBulbAboveDryBulb,  ///< the design's wet bulb is above its dry bulb
    kColdWaterBelowWetBulb,      ///< the cold-water reading is below the wet-bulb reading
    kNoTestLiquidGas,            ///< L/G_t is no finite single-precision number above 0
    kEnteringAirNotFound,        ///< forced draft: no specific volume of the entering air
    kTestNotFeasible,            ///< the test KaV/L is no KaV/L (a driving force not positive)
    kNoCrossing,                 ///< the test line misses the design demand curve
    kDesignTowerNotRated,        ///< the design tower has no operating point at the test conditions
};

/// Plain words for an outcome, for notes and messages.
std::string_view DescribeEvaluation(EvaluationOutcome outcome) noexcept;

/// Steps 1 and 2 for the design, formed once for all readings of a test.
struct DesignBasis {
    EvaluationOutcome outcome = EvaluationOutcome::kNotFinite;
    AcceptanceDesign acceptance;
    float kaVL = 0.0F;  ///< KaV/L_d
    float c = 0.0F;     ///< C_d
    FanAir air;         ///< at the fan, design
};

DesignBasis PrepareDesign(const AcceptanceDesign& acceptance);

struct CapabilityEvaluation {
    EvaluationOutcome outcome = EvaluationOutcome::kNotFinite;
    /// With kDesignTowerNotRated: why the design tower has no operating point.
    RatingOutcome ratingOutcome = RatingOutcome::kRated;
    FanAir air;                        ///< step 2 at the last L/G_t
    std::vector<float> passes;         ///< step 3: L/G_t after each pass
    float liquidGas = 0.0F;            ///< L/G_t
    float kaVL = 0.0F;                 ///< KaV/L_t
    float c = 0.0F;                    ///< C_t
    float capabilityLiquidGas = 0.0F;  ///< L/G_cap
    float capability = 0.0F;           ///< percent
    float predictedColdWater = 0.0F;   ///< °F
    float coldWaterDeviation = 0.0F;   ///< measured − predicted, °F
};

/// Step 3 alone, for a reading already found finite, with positive flow and fan power: L/G_t
/// into e.liquidGas, the air at the fan into e.air and each pass into e.passes. kEvaluated, or
/// why the air at the fan cannot be formed or L/G_t is not a finite positive number.
EvaluationOutcome SolveTestLiquidGas(const DesignBasis& basis, const TestReading& reading,
                                     CapabilityEvaluation& e);

/// Steps 3 to 7 for one reading. Every value up to the step that failed is filled in.
CapabilityEvaluation EvaluateReading(const DesignBasis& basis, const TestReading& reading);

/// Why a reading was not evaluated, in full: DescribeEvaluation, and for kDesignTowerNotRated
/// the rating's own reason in parentheses; empty when evaluated.
std::string ExplainEvaluation(const CapabilityEvaluation& evaluation);

/// The design row with the reading's conditions: P, Twb, Tdb, THot, approach TCold − Twb, water
/// flow and this L/G; the other inputs the design's.
DesignInputs TestRow(const DesignInputs& design, const TestReading& reading, float liquidGas);

/// The test period's average reading, column by column; nothing for no readings.
std::optional<TestReading> MeanReading(const std::vector<TestReading>& readings);

}  // namespace veltrane
