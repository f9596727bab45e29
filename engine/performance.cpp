#include "performance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "constants.h"
#include "exit_air_solver.h"
#include "ieee_step.h"
#include "number_text.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RaisesFault;
using detail::RoundingOverflows;
using detail::RoundToSingle;

// lb/h of water per gpm: 8.33 lb per US gallon × 60 min per hour, the customary round value.
constexpr double kLbPerHourPerGpm = 500.0;
// (ft³/min · inH2O) per hp: 33,000 ft·lbf/min per hp over 5.192 lbf/ft² per inH2O, rounded.
constexpr double kFanPowerConstant = 6356.0;
// hp per gpm of circulating water: the design's allowance for the pump, which has no head input.
constexpr double kPumpHpPerGpm = 0.012;
constexpr double kThousand = 1000.0;      // lb/h and ft³/min to the results' thousands
constexpr double kMillion = 1'000'000.0;  // Btu/h to the heat rejected's million Btu/h
constexpr double kChebyshevPoints = 4.0;  // each point weighs one quarter of the range

/// One of the four Chebyshev points of step 5: water temperature, its saturated enthalpy, the air
/// enthalpy and the driving force.
void MerkelPoint(std::size_t point, float p, float lg, float tHot, WorkingQuantities& q) {
    const bool fromColdEnd = CountsFromColdEnd(point);
    const double fraction = kChebyshevFractions[point];

    const double temperature =
        fromColdEnd ? D(q.tCold) + fraction * D(q.range) : D(tHot) - fraction * D(q.range);
    const float waterTemp = RoundToSingle(temperature);
    q.waterTemp[point] = waterTemp;
    const bool formed = !(fromColdEnd ? RaisesFault(temperature, q.tCold, q.range)
                                      : RaisesFault(temperature, tHot, q.range)) &&
                        !RoundingOverflows(temperature, waterTemp);
    if (formed) {
        float psat = 0.0F;
        // A faulting property call leaves hWater at the value it had.
        (void)SatAirEnthalpy(waterTemp, p, psat, q.hWater[point]);
    }

    // Air enthalpies of points 1 and 2 count forward from the entering air, those of points 3
    // and 4 back from the leaving air.
    q.hAir[point] = RoundToSingle(fromColdEnd ? D(q.hInSat) + D(lg) * fraction * D(q.range)
                                              : D(q.hOutLG) - D(lg) * fraction * D(q.range));
    q.drivingForce[point] = RoundToSingle(D(q.hWater[point]) - D(q.hAir[point]));
}

/// Steps 1 to 6: the tower characteristic KaV/L by the four-point Chebyshev form of the Merkel
/// integral. Hands back the wet-bulb saturation pressure that step 1 met, or NaN when none was
/// handed back.
float MerkelIntegral(const DesignInputs& in, WorkingQuantities& q) {
    const float p = in[Input::kAtmosPress];
    const float tHot = in[Input::kHotWater];
    const float lg = in[Input::kLiquidGas];

    // NaN marks the saturation pressure as not handed back: a SatPressure that gives NaN itself
    // cannot make SatAirEnthalpy fault.
    float psatAtWetBulb = std::numeric_limits<float>::quiet_NaN();
    (void)SatAirEnthalpy(in[Input::kWetBulb], p, psatAtWetBulb, q.hInSat);
    q.tCold = RoundToSingle(D(in[Input::kWetBulb]) + D(in[Input::kApproach]));
    q.range = RoundToSingle(D(tHot) - D(q.tCold));
    q.hOutLG = RoundToSingle(D(lg) * D(q.range) + D(q.hInSat));
    for (std::size_t point = 0; point < 4; ++point)
        MerkelPoint(point, p, lg, tHot, q);

    // R / 4 first, the reciprocals summed in point order, the product rounded once.
    const auto& d = q.drivingForce;
    q.kaVL = RoundToSingle(D(q.range) / kChebyshevPoints *
                           (1.0 / D(d[0]) + 1.0 / D(d[1]) + 1.0 / D(d[2]) + 1.0 / D(d[3])));
    return psatAtWetBulb;
}

/// Steps 10 to 13: the entering air from the psychrometer readings.
void EnteringAir(const DesignInputs& in, float psatAtWetBulb, WorkingQuantities& q) {
    const float p = in[Input::kAtmosPress];
    const float twb = in[Input::kWetBulb];
    // Step 10 asks SatPressure(Twb), which step 1 already evaluated inside SatAirEnthalpy; the
    // pure function gives the same value again. Only where step 1 got none is it asked once
    // more, since on its own it may hand back +infinity before it signals its fault.
    if (!std::isnan(psatAtWetBulb)) {
        q.psatWetBulb = psatAtWetBulb;
    } else {
        float reducedT = 0.0F, tau = 0.0F, reducedP = 0.0F;
        (void)SatPressure(twb, reducedT, tau, reducedP, q.psatWetBulb);
    }
    (void)VaporPressureFromWetBulb(q.psatWetBulb, p, in[Input::kDryBulb], twb, q.vapourPressure);
    (void)HumidityRatio(q.vapourPressure, p, q.wIn);
    q.hIn = q.hInSat;  // the entering enthalpy keeps hInSat when its function faults
    (void)MoistAirEnthalpy(in[Input::kDryBulb], q.wIn, q.hIn);
}

}  // namespace

void CalculateBalanceAndPower(const DesignInputs& in, WorkingQuantities& q) noexcept {
    const float flow = in[Input::kWaterFlow];
    q.evaporation = RoundToSingle(D(q.airFlow) / kLbPerHourPerGpm * (D(q.wExit) - D(q.wIn)));
    q.driftRate = RoundToSingle(D(flow) * D(in[Input::kDriftLoss]) / kPercent);
    q.blowdown = RoundToSingle(D(q.evaporation) / (D(in[Input::kCycles]) - 1.0) - D(q.driftRate));
    q.makeup = RoundToSingle(D(q.evaporation) + D(q.blowdown) + D(q.driftRate));

    double volume = 0.0;
    if (SpecificVolume(q.tExit, in[Input::kAtmosPress], q.wExit, volume) == Status::Ok) {
        q.specificVolume = RoundToSingle(volume);
    }
    q.airVolumeFlow = RoundToSingle(D(q.specificVolume) * D(q.airFlow) / kMinutesPerHour);
    q.fanPower = RoundToSingle(D(in[Input::kFanPress]) * D(q.airVolumeFlow) /
                               (kFanPowerConstant * D(in[Input::kFanEff]) / kPercent));
    q.pumpPower = RoundToSingle(kPumpHpPerGpm * D(flow));
}

WorkingQuantities CalculateWorkingQuantities(const DesignInputs& in,
                                             SolverTrace* exitAirTrace) noexcept {
    WorkingQuantities q;
    const float psatAtWetBulb = MerkelIntegral(in, q);

    // Steps 7 to 9: air flow, heat load and the enthalpy rise of the air.
    const double waterLbPerHour = kLbPerHourPerGpm * D(in[Input::kWaterFlow]);
    q.airFlow = RoundToSingle(waterLbPerHour / D(in[Input::kLiquidGas]));
    q.heatLoad = RoundToSingle(waterLbPerHour * (D(in[Input::kHotWater]) - D(q.tCold)));
    q.enthalpyRise = RoundToSingle(D(q.heatLoad) / D(q.airFlow));

    EnteringAir(in, psatAtWetBulb, q);

    // Steps 14 and 15: the leaving air, saturated, searched between the wet bulb and THot.
    q.hOut = RoundToSingle(D(q.hIn) + D(q.enthalpyRise));
    (void)SolveSatTemperature(in[Input::kWetBulb], in[Input::kHotWater], q.hOut,
                              in[Input::kAtmosPress], q.psatExit, q.wExit, q.tExit, exitAirTrace);

    CalculateBalanceAndPower(in, q);
    return q;
}

WorkingQuantities CalculateMerkelIntegral(const DesignInputs& inputs) noexcept {
    WorkingQuantities q;
    (void)MerkelIntegral(inputs, q);
    return q;
}

bool AllDrivingForcesPositive(const WorkingQuantities& q) noexcept {
    return std::all_of(q.drivingForce.begin(), q.drivingForce.end(),
                       [](float force) { return force > 0.0F; });
}

PerformanceResults CalculatePerformance(const DesignInputs& inputs) noexcept {
    return ResultsOf(CalculateWorkingQuantities(inputs));
}

PerformanceResults ResultsOf(const WorkingQuantities& q) noexcept {
    PerformanceResults r;
    // In result order; step 24 scales the air flow and air volume flow to thousands here.
    r.values.items = {q.kaVL,
                      q.tCold,
                      q.range,
                      q.evaporation,
                      q.blowdown,
                      q.driftRate,
                      q.makeup,
                      q.tExit,
                      0.0F,
                      RoundToSingle(D(q.airFlow) / kThousand),
                      q.hIn,
                      q.hOut,
                      q.specificVolume,
                      RoundToSingle(D(q.airVolumeFlow) / kThousand),
                      q.fanPower,
                      q.pumpPower};
    // The last scaled result, the heat rejected, stays in double precision.
    r.heatRejected = D(q.heatLoad) / kMillion;
    r.values[Result::kHeatRejected] = RoundToSingle(r.heatRejected);
    return r;
}

DesignInputs DefaultDesignInputs() {
    DesignInputs inputs{};
    for (const InputDefinition& entry : kInputs) {
        // The defaults are plain decimals that always read; a failure would leave the value 0.
        float value = 0.0F;
        (void)ReadInputNumber(entry.defaultText, value);
        inputs[entry.index] = value;
    }
    return inputs;
}

}  // namespace veltrane
