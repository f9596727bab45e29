#include "acceptance.h"

#include <algorithm>
#include <cmath>

#include "constants.h"
#include "demand_curves.h"
#include "design_checks.h"
#include "ieee_step.h"
#include "leaving_air.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RoundToSingle;

/// The fan laws: the volume a fan moves goes as the cube root of power over density.
constexpr double kFanLawExponent = 1.0 / 3.0;

/// The air at the fan from its state: ρ = (1 + W) / v.
std::optional<FanAir> AirOf(float temperature, float humidityRatio, float enthalpy,
                            float specificVolume) {
    FanAir air{temperature, humidityRatio, enthalpy, specificVolume, 0.0F};
    air.density = RoundToSingle((1.0 + D(humidityRatio)) / D(specificVolume));
    if (!std::isfinite(air.density) || !(air.density > 0.0F)) return std::nullopt;
    return air;
}

/// Step 2 for a row: the entering air of steps 12 and 13 at the dry bulb, or the leaving air
/// saturated at step 14's enthalpy, solved exactly between the wet bulb and the hot water.
std::optional<FanAir> AirAtFan(const DesignInputs& row, FanDraft draft) {
    const WorkingQuantities q = CalculateWorkingQuantities(row);
    const float p = row[Input::kAtmosPress];
    if (draft == FanDraft::kForced) {
        double volume = 0.0;
        if (SpecificVolume(row[Input::kDryBulb], p, q.wIn, volume) != Status::Ok)
            return std::nullopt;
        return AirOf(row[Input::kDryBulb], q.wIn, q.hIn, RoundToSingle(volume));
    }
    const LeavingAir air = SolveLeavingAir(q.hOut, p, row[Input::kWetBulb], row[Input::kHotWater]);
    if (!air.found) return std::nullopt;
    return AirOf(air.temperature, air.humidityRatio, q.hOut, air.specificVolume);
}

bool AllFinite(const TestReading& r) {
    return std::isfinite(r.pressure) && std::isfinite(r.wetBulb) && std::isfinite(r.dryBulb) &&
           std::isfinite(r.hotWater) && std::isfinite(r.coldWater) && std::isfinite(r.waterFlow) &&
           std::isfinite(r.fanPower);
}

/// What keeps the air at the fan from being formed, by the draft: each names its own cause.
EvaluationOutcome NoAirAtFan(FanDraft draft) {
    return draft == FanDraft::kInduced ? EvaluationOutcome::kFanAirNotFound
                                       : EvaluationOutcome::kEnteringAirNotFound;
}

bool IsUsableLiquidGas(float liquidGas) {
    return std::isfinite(liquidGas) && liquidGas > 0.0F;
}

}  // namespace

EvaluationOutcome SolveTestLiquidGas(const DesignBasis& basis, const TestReading& reading,
                                     CapabilityEvaluation& e) {
    const AcceptanceDesign& a = basis.acceptance;
    const DesignInputs& design = a.design;
    // Everything in L/G_t but the air: the flow and the fan power.
    const double withoutAir = D(design[Input::kLiquidGas]) *
                              (D(reading.waterFlow) / D(design[Input::kWaterFlow])) *
                              std::pow(D(a.fanPower) / D(reading.fanPower), kFanLawExponent);
    float liquidGas = RoundToSingle(withoutAir);
    // A flow or fan power at the edge of single precision leaves no L/G to form the air from.
    if (!IsUsableLiquidGas(liquidGas)) return EvaluationOutcome::kNoTestLiquidGas;
    for (int pass = 0; pass < kLiquidGasPassLimit; ++pass) {
        const std::optional<FanAir> air = AirAtFan(TestRow(design, reading, liquidGas), a.draft);
        if (!air) return NoAirAtFan(a.draft);
        e.air = *air;
        const float next = RoundToSingle(
            withoutAir * std::pow(D(air->density) / D(basis.air.density), kFanLawExponent) *
            (D(air->specificVolume) / D(basis.air.specificVolume)));
        e.passes.push_back(next);
        if (!IsUsableLiquidGas(next)) return EvaluationOutcome::kNoTestLiquidGas;
        const bool settled = std::fabs(D(next) - D(liquidGas)) < kLiquidGasTolerance * D(next);
        liquidGas = next;
        // The entering air does not depend on L/G: one pass gives the answer.
        if (settled || a.draft == FanDraft::kForced) break;
    }
    e.liquidGas = liquidGas;
    return EvaluationOutcome::kEvaluated;
}

namespace {

/// Step 5: the test line against the design demand curve at the design approach.
std::optional<float> CapabilityLiquidGas(const DesignBasis& basis, float testC) {
    const DesignInputs& design = basis.acceptance.design;
    const float designLG = design[Input::kLiquidGas];
    const TowerCharacteristic testTower{testC, basis.acceptance.slope};
    const LiquidGasSpan span{RoundToSingle(D(designLG) * D(kLowestCapability) / kPercent),
                             RoundToSingle(D(designLG) * D(kHighestCapability) / kPercent)};
    return TowerCrossing(
        design, design[Input::kApproach],
        [testTower](float liquidGas) { return TowerKaVL(testTower, liquidGas); }, span);
}

}  // namespace

std::string_view DescribeEvaluation(EvaluationOutcome outcome) noexcept {
    switch (outcome) {
        case EvaluationOutcome::kEvaluated:
            return "evaluated";
        case EvaluationOutcome::kNotFinite:
            return "a reading or the design is not a finite number";
        case EvaluationOutcome::kNoFlowOrFanPower:
            return "the water flow or the fan power is zero or negative";
        case EvaluationOutcome::kWetBulbAboveDryBulb:
            return "the wet bulb is above the dry bulb: no air gives such readings";
        case EvaluationOutcome::kNoRange:
            return "the hot water is not above the cold water";
        case EvaluationOutcome::kDesignNotFeasible:
            return "the design's KaV/L has no meaning (a driving force is zero or negative)";
        case EvaluationOutcome::kFanAirNotFound:
            return "the air at the fan is not known, so neither is the test L/G (induced draft: "
                   "no saturated air at the leaving enthalpy lies between the wet bulb and the "
                   "hot water)";
        case EvaluationOutcome::kDesignWetBulbAboveDryBulb:
            return "the design's wet bulb is above its dry bulb: no air has such a design point";
        case EvaluationOutcome::kColdWaterBelowWetBulb:
            return "the cold water is below the wet bulb: evaporation cools water no lower than "
                   "the wet bulb of its air";
        case EvaluationOutcome::kNoTestLiquidGas:
            return "the test L/G is no number above 0 in single precision: the flow or the fan "
                   "power is too small or too large beside the design's";
        case EvaluationOutcome::kEnteringAirNotFound:
            return "the air at the fan is not known, so neither is the test L/G (forced draft: "
                   "the entering air has no specific volume at the dry bulb and pressure)";
        case EvaluationOutcome::kTestNotFeasible:
            return "the test KaV/L has no meaning: the air line reaches the saturation curve "
                   "(a driving force is zero or negative)";
        case EvaluationOutcome::kNoCrossing:
            return "the test line does not meet the design demand curve between 1 % and 1000 % "
                   "of the design L/G";
        case EvaluationOutcome::kDesignTowerNotRated:
            return "the design tower has no operating point at the test conditions";
    }
    return "";
}

std::string ExplainEvaluation(const CapabilityEvaluation& evaluation) {
    if (evaluation.outcome == EvaluationOutcome::kEvaluated) return {};
    std::string reason(DescribeEvaluation(evaluation.outcome));
    if (evaluation.outcome == EvaluationOutcome::kDesignTowerNotRated)
        reason += " (" + std::string(DescribeOutcome(evaluation.ratingOutcome)) + ")";
    return reason;
}

DesignInputs TestRow(const DesignInputs& design, const TestReading& reading, float liquidGas) {
    DesignInputs row = design;
    row[Input::kAtmosPress] = reading.pressure;
    row[Input::kWetBulb] = reading.wetBulb;
    row[Input::kDryBulb] = reading.dryBulb;
    row[Input::kHotWater] = reading.hotWater;
    row[Input::kApproach] = RoundToSingle(D(reading.coldWater) - D(reading.wetBulb));
    row[Input::kWaterFlow] = reading.waterFlow;
    row[Input::kLiquidGas] = liquidGas;
    return row;
}

DesignBasis PrepareDesign(const AcceptanceDesign& acceptance) {
    DesignBasis basis;
    basis.acceptance = acceptance;
    const DesignInputs& design = acceptance.design;
    const bool finite =
        std::all_of(design.begin(), design.end(), [](float v) { return std::isfinite(v); }) &&
        std::isfinite(acceptance.slope) && std::isfinite(acceptance.fanPower);
    if (!finite) return basis;
    if (RefusesWetBulb(design[Input::kWetBulb], design[Input::kDryBulb])) {
        basis.outcome = EvaluationOutcome::kDesignWetBulbAboveDryBulb;
        return basis;
    }
    if (!(acceptance.fanPower > 0.0F) || !(design[Input::kWaterFlow] > 0.0F)) {
        basis.outcome = EvaluationOutcome::kNoFlowOrFanPower;
        return basis;
    }
    const WorkingQuantities q = CalculateMerkelIntegral(design);
    if (!IsDemandKaVL(q)) {
        basis.outcome = EvaluationOutcome::kDesignNotFeasible;
        return basis;
    }
    basis.kaVL = q.kaVL;
    basis.c = TowerCThrough(q.kaVL, design[Input::kLiquidGas], acceptance.slope);
    const std::optional<FanAir> air = AirAtFan(design, acceptance.draft);
    basis.outcome = air ? EvaluationOutcome::kEvaluated : NoAirAtFan(acceptance.draft);
    if (air) basis.air = *air;
    return basis;
}

CapabilityEvaluation EvaluateReading(const DesignBasis& basis, const TestReading& reading) {
    CapabilityEvaluation e;
    const auto finish = [&e](EvaluationOutcome outcome) {
        e.outcome = outcome;
        return e;
    };
    if (basis.outcome != EvaluationOutcome::kEvaluated) return finish(basis.outcome);
    if (!AllFinite(reading)) return finish(EvaluationOutcome::kNotFinite);
    if (!(reading.waterFlow > 0.0F) || !(reading.fanPower > 0.0F))
        return finish(EvaluationOutcome::kNoFlowOrFanPower);
    if (reading.wetBulb > reading.dryBulb) return finish(EvaluationOutcome::kWetBulbAboveDryBulb);
    if (!(reading.hotWater > reading.coldWater)) return finish(EvaluationOutcome::kNoRange);
    if (reading.coldWater < reading.wetBulb)
        return finish(EvaluationOutcome::kColdWaterBelowWetBulb);
    if (const EvaluationOutcome air = SolveTestLiquidGas(basis, reading, e);
        air != EvaluationOutcome::kEvaluated) {
        return finish(air);
    }

    const DesignInputs row = TestRow(basis.acceptance.design, reading, e.liquidGas);
    const WorkingQuantities q = CalculateMerkelIntegral(row);
    if (!IsDemandKaVL(q)) return finish(EvaluationOutcome::kTestNotFeasible);
    e.kaVL = q.kaVL;
    e.c = TowerCThrough(q.kaVL, e.liquidGas, basis.acceptance.slope);

    const std::optional<float> capabilityLG = CapabilityLiquidGas(basis, e.c);
    if (!capabilityLG) return finish(EvaluationOutcome::kNoCrossing);
    e.capabilityLiquidGas = *capabilityLG;
    e.capability =
        RoundToSingle(kPercent * D(*capabilityLG) / D(basis.acceptance.design[Input::kLiquidGas]));

    const Rating rating = RateDesign(row, {basis.c, basis.acceptance.slope});
    e.ratingOutcome = rating.outcome;
    if (rating.outcome != RatingOutcome::kRated)
        return finish(EvaluationOutcome::kDesignTowerNotRated);
    e.predictedColdWater = rating.results.values[Result::kColdWater];
    e.coldWaterDeviation = RoundToSingle(D(reading.coldWater) - D(e.predictedColdWater));
    return finish(EvaluationOutcome::kEvaluated);
}

std::optional<TestReading> MeanReading(const std::vector<TestReading>& readings) {
    if (readings.empty()) return std::nullopt;
    // Summed in double, so that a long test period keeps every figure of its readings.
    const double n = static_cast<double>(readings.size());
    const auto mean = [&](float TestReading::*column) {
        double sum = 0.0;
        for (const TestReading& r : readings)
            sum += D(r.*column);
        return RoundToSingle(sum / n);
    };
    return TestReading{mean(&TestReading::pressure),  mean(&TestReading::wetBulb),
                       mean(&TestReading::dryBulb),   mean(&TestReading::hotWater),
                       mean(&TestReading::coldWater), mean(&TestReading::waterFlow),
                       mean(&TestReading::fanPower)};
}

}  // namespace veltrane
