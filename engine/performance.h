#pragma once
// Thermal performance of a wet counter-flow mechanical-draft tower: KaV/L by the four-point
// Chebyshev form of the Merkel integral, the water balance, the leaving air, fan and pump power.

#include <array>

#include "design_sets.h"
#include "exit_air_solver.h"

namespace veltrane {

/// The twelve design inputs in the order of InputIndex, single precision.
using DesignInputs = std::array<float, kInputCount>;

/// The sixteen results in the order of ResultIndex. Result 8 (heat rejected) is formed in double
/// precision: `heatRejected` holds it, and `values[kHeatRejected]` only its single rounding.
struct PerformanceResults {
    std::array<float, kResultCount> values{};
    double heatRejected = 0.0;  ///< million Btu per hour
};

/// Every working quantity of one calculation. All start at zero; a step whose property function
/// or solver faults leaves its quantity as it was.
struct WorkingQuantities {
    float hInSat = 0;                     ///< saturated enthalpy at the wet bulb, Btu/lb
    float tCold = 0;                      ///< °F
    float range = 0;                      ///< THot − TCold, °F
    float hOutLG = 0;                     ///< leaving-air enthalpy of the Merkel line, Btu/lb
    std::array<float, 4> waterTemp{};     ///< °F at the four Chebyshev points
    std::array<float, 4> hWater{};        ///< saturated enthalpy at those temperatures
    std::array<float, 4> hAir{};          ///< air enthalpy at the four points
    std::array<float, 4> drivingForce{};  ///< hWater − hAir, Btu/lb
    float kaVL = 0;
    float airFlow = 0;         ///< dry air, lb/h
    float heatLoad = 0;        ///< Btu/h
    float enthalpyRise = 0;    ///< Btu/lb
    float psatWetBulb = 0;     ///< psia
    float vapourPressure = 0;  ///< psia
    float wIn = 0;             ///< lb/lb
    float hIn = 0;             ///< Btu/lb
    float hOut = 0;            ///< Btu/lb
    float psatExit = 0;        ///< psia, the solver's last trial
    float tExit = 0;           ///< °F, or -1 when the solver ran out
    float wExit = 0;           ///< lb/lb, the solver's last trial
    float evaporation = 0;     ///< gpm
    float driftRate = 0;       ///< gpm
    float blowdown = 0;        ///< gpm
    float makeup = 0;          ///< gpm
    float specificVolume = 0;  ///< ft³/lb
    float airVolumeFlow = 0;   ///< ft³/min
    float fanPower = 0;        ///< hp
    float pumpPower = 0;       ///< hp
};

/// Runs the calculation steps in their order. Never fails: an arithmetic fault leaves its IEEE
/// value in its quantity and later steps use it.
/// @param exitAirTrace [out, optional] every iteration of the exit-air search
WorkingQuantities CalculateWorkingQuantities(const DesignInputs& inputs,
                                             SolverTrace* exitAirTrace = nullptr) noexcept;

/// Steps 1 to 6 alone, by the same code as the whole calculation: KaV/L and the quantities it
/// is formed from (hInSat to drivingForce); the later quantities stay zero. About half the
/// cost of the whole calculation, for searches that need only the demand.
WorkingQuantities CalculateMerkelIntegral(const DesignInputs& inputs) noexcept;

/// The sixteen results of the design.
PerformanceResults CalculatePerformance(const DesignInputs& inputs) noexcept;

/// The default texts of the inputs read with '.' as the decimal mark.
DesignInputs DefaultDesignInputs();

}  // namespace veltrane
