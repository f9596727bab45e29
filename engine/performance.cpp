#include "performance.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "exit_air_solver.h"
#include "ieee_step.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::RaisesFault;
using detail::RoundingOverflows;
using detail::RoundToSingle;

constexpr double kLbPerHourPerGpm = 500.0;    // gpm of water to lb/h
constexpr double kFanPowerConstant = 6356.0;  // ft³/min · inH2O per hp
constexpr double kPumpHpPerGpm = 0.012;
constexpr double kPercent = 100.0;

// The Chebyshev points lie at these fractions of the range from either end of the tower.
constexpr double kNearFraction = 0.1;
constexpr double kFarFraction = 0.4;

double D(float value) {
    return static_cast<double>(value);
}

/// One of the four Chebyshev points of step 5: water temperature, its saturated enthalpy, the air
/// enthalpy and the driving force.
void MerkelPoint(std::size_t point, float p, float lg, float tHot, WorkingQuantities& q) {
    const bool fromColdEnd = point < 2;
    const double fraction = (point == 0 || point == 3) ? kNearFraction : kFarFraction;

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
    const float p = in[kAtmosPress];
    const float tHot = in[kHotWater];
    const float lg = in[kLiquidGas];

    // NaN marks the saturation pressure as not handed back: a SatPressure that gives NaN itself
    // cannot make SatAirEnthalpy fault.
    float psatAtWetBulb = std::numeric_limits<float>::quiet_NaN();
    (void)SatAirEnthalpy(in[kWetBulb], p, psatAtWetBulb, q.hInSat);
    q.tCold = RoundToSingle(D(in[kWetBulb]) + D(in[kApproach]));
    q.range = RoundToSingle(D(tHot) - D(q.tCold));
    q.hOutLG = RoundToSingle(D(lg) * D(q.range) + D(q.hInSat));
    for (std::size_t point = 0; point < 4; ++point)
        MerkelPoint(point, p, lg, tHot, q);

    // R / 4 first, the reciprocals summed in point order, the product rounded once.
    const auto& d = q.drivingForce;
    q.kaVL = RoundToSingle(D(q.range) / 4.0 *
                           (1.0 / D(d[0]) + 1.0 / D(d[1]) + 1.0 / D(d[2]) + 1.0 / D(d[3])));
    return psatAtWetBulb;
}

/// Steps 10 to 13: the entering air from the psychrometer readings.
void EnteringAir(const DesignInputs& in, float psatAtWetBulb, WorkingQuantities& q) {
    const float p = in[kAtmosPress];
    const float twb = in[kWetBulb];
    // Step 10 asks SatPressure(Twb), which step 1 already evaluated inside SatAirEnthalpy; the
    // pure function gives the same value again. Only where step 1 got none is it asked once
    // more, since on its own it may hand back +infinity before it signals its fault.
    if (!std::isnan(psatAtWetBulb)) {
        q.psatWetBulb = psatAtWetBulb;
    } else {
        float reducedT = 0.0F, tau = 0.0F, reducedP = 0.0F;
        (void)SatPressure(twb, reducedT, tau, reducedP, q.psatWetBulb);
    }
    (void)VaporPressureFromWetBulb(q.psatWetBulb, p, in[kDryBulb], twb, q.vapourPressure);
    (void)HumidityRatio(q.vapourPressure, p, q.wIn);
    q.hIn = q.hInSat;  // the entering enthalpy keeps hInSat when its function faults
    (void)MoistAirEnthalpy(in[kDryBulb], q.wIn, q.hIn);
}

/// Steps 16 to 23: water balance, leaving-air volume, fan and pump power.
void BalanceAndPower(const DesignInputs& in, WorkingQuantities& q) {
    const float flow = in[kWaterFlow];
    q.evaporation = RoundToSingle(D(q.airFlow) / kLbPerHourPerGpm * (D(q.wExit) - D(q.wIn)));
    q.driftRate = RoundToSingle(D(flow) * D(in[kDriftLoss]) / kPercent);
    q.blowdown = RoundToSingle(D(q.evaporation) / (D(in[kCycles]) - 1.0) - D(q.driftRate));
    q.makeup = RoundToSingle(D(q.evaporation) + D(q.blowdown) + D(q.driftRate));

    double volume = 0.0;
    if (SpecificVolume(q.tExit, in[kAtmosPress], q.wExit, volume) == Status::Ok) {
        q.specificVolume = RoundToSingle(volume);
    }
    q.airVolumeFlow = RoundToSingle(D(q.specificVolume) * D(q.airFlow) / 60.0);
    q.fanPower = RoundToSingle(D(in[kFanPress]) * D(q.airVolumeFlow) /
                               (kFanPowerConstant * D(in[kFanEff]) / kPercent));
    q.pumpPower = RoundToSingle(kPumpHpPerGpm * D(flow));
}

}  // namespace

WorkingQuantities CalculateWorkingQuantities(const DesignInputs& in,
                                             SolverTrace* exitAirTrace) noexcept {
    WorkingQuantities q;
    const float psatAtWetBulb = MerkelIntegral(in, q);

    // Steps 7 to 9: air flow, heat load and the enthalpy rise of the air.
    const double waterLbPerHour = kLbPerHourPerGpm * D(in[kWaterFlow]);
    q.airFlow = RoundToSingle(waterLbPerHour / D(in[kLiquidGas]));
    q.heatLoad = RoundToSingle(waterLbPerHour * (D(in[kHotWater]) - D(q.tCold)));
    q.enthalpyRise = RoundToSingle(D(q.heatLoad) / D(q.airFlow));

    EnteringAir(in, psatAtWetBulb, q);

    // Steps 14 and 15: the leaving air, saturated, searched between the wet bulb and THot.
    q.hOut = RoundToSingle(D(q.hIn) + D(q.enthalpyRise));
    (void)SolveSatTemperature(in[kWetBulb], in[kHotWater], q.hOut, in[kAtmosPress], q.psatExit,
                              q.wExit, q.tExit, exitAirTrace);

    BalanceAndPower(in, q);
    return q;
}

WorkingQuantities CalculateMerkelIntegral(const DesignInputs& inputs) noexcept {
    WorkingQuantities q;
    (void)MerkelIntegral(inputs, q);
    return q;
}

PerformanceResults CalculatePerformance(const DesignInputs& inputs) noexcept {
    const WorkingQuantities q = CalculateWorkingQuantities(inputs);
    PerformanceResults r;
    r.values = {q.kaVL,
                q.tCold,
                q.range,
                q.evaporation,
                q.blowdown,
                q.driftRate,
                q.makeup,
                q.tExit,
                0.0F,
                RoundToSingle(D(q.airFlow) / 1000.0),
                q.hIn,
                q.hOut,
                q.specificVolume,
                RoundToSingle(D(q.airVolumeFlow) / 1000.0),
                q.fanPower,
                q.pumpPower};
    r.heatRejected = D(q.heatLoad) / 1'000'000.0;  // stays in double precision
    r.values[kHeatRejected] = RoundToSingle(r.heatRejected);
    return r;
}

DesignInputs DefaultDesignInputs() {
    DesignInputs inputs{};
    for (const InputDefinition& entry : kInputs) {
        // The defaults are plain decimals; std::stof would follow the C locale, from_chars does
        // not.
        std::string text(entry.defaultText);
        if (!text.empty() && text.front() == '.') text.insert(text.begin(), '0');
        float value = 0.0F;
        std::from_chars(text.data(), text.data() + text.size(), value);
        inputs[entry.index] = value;
    }
    return inputs;
}

}  // namespace veltrane
