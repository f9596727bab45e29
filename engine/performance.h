#pragma once
// Thermal performance of a wet counter-flow mechanical-draft tower: KaV/L by the four-point
// Chebyshev form of the Merkel integral, the water balance, the leaving air, fan and pump power.
//
// The calculation steps, in the order they run. Each is evaluated in double precision and its
// quantity stored in single precision before the next begins; the code names them by number.
// The inputs by their short names: P (atmospheric pressure, psia), Twb and Tdb (inlet wet and dry
// bulb, °F), THot, Approach (°F), L/G (lb/lb), Flow (gpm), Cycles, DriftPct (%), FanPress (inH2O)
// and FanEff (%). Enthalpies are Btu per lb of dry air, humidity ratios lb of water per lb of dry
// air.
//   1. hInSat = SatAirEnthalpy(Twb, P): saturated air at the wet bulb, Btu/lb.
//   2. TCold = Twb + Approach, °F.
//   3. Range R = THot − TCold, °F.
//   4. hOutLG = L/G × R + hInSat: the leaving air of the Merkel line, Btu/lb.
//   5. The four Chebyshev points, in order: the water temperature (TCold + 0.1 R, TCold + 0.4 R,
//      THot − 0.4 R, THot − 0.1 R; °F), its saturated enthalpy hw, the air enthalpy ha (points
//      1 and 2 counted from hInSat, points 3 and 4 back from hOutLG) and the driving force
//      d = hw − ha, Btu/lb.
//   6. KaV/L = R / 4 × (1/d1 + 1/d2 + 1/d3 + 1/d4), dimensionless.
//   7. Dry air flow G = 500 × Flow / (L/G), lb/h.
//   8. Heat load Q = 500 × Flow × (THot − TCold), Btu/h.
//   9. Enthalpy rise of the air dh = Q / G, Btu/lb.
//  10. PsatWb = SatPressure(Twb), psia.
//  11. pv = VaporPressureFromWetBulb(PsatWb, P, Tdb, Twb), psia.
//  12. Win = HumidityRatio(pv, P), lb/lb.
//  13. hIn = MoistAirEnthalpy(Tdb, Win): the entering air, Btu/lb.
//  14. hOut = hIn + dh: the leaving air, Btu/lb.
//  15. TExit = SolveSatTemperature(Twb, THot, hOut, P), °F (−1 when the search runs out);
//      WExit, the humidity ratio of its last trial, lb/lb.
//  16. Evaporation = G / 500 × (WExit − Win), gpm.
//  17. Drift = Flow × DriftPct / 100, gpm.
//  18. Blowdown = Evaporation / (Cycles − 1) − Drift, gpm.
//  19. Makeup = Evaporation + Blowdown + Drift, gpm.
//  20. V = SpecificVolume(TExit, P, WExit), ft³ per lb of dry air.
//  21. Air volume flow = V × G / 60, ft³/min.
//  22. Fan power = FanPress × air volume flow / (6356 × FanEff / 100), hp.
//  23. Pump power = 0.012 × Flow, hp.
//  24. The scaled results: Q / 1,000,000 (million Btu/h, kept in double precision), G / 1000
//      (thousand lb/h) and the air volume flow / 1000 (thousand ft³/min).

#include <array>
#include <string>

#include "design_sets.h"
#include "exit_air_solver.h"
#include "result_text.h"

namespace veltrane {

/// The twelve design inputs, single precision.
using DesignInputs = InputArray<float>;

/// The sixteen results. Result 8 (heat rejected) is formed in double precision: `heatRejected`
/// holds it, and `values[Result::kHeatRejected]` only its single rounding. Read a result through
/// Visit, Value or Text, which know which of the two stands for it.
struct PerformanceResults {
    ResultArray<float> values{};
    double heatRejected = 0.0;  ///< million Btu per hour

    /// Calls `use` with result `j` as the calculation formed it: the float, or for result 8 the
    /// double.
    template <typename Use>
    auto Visit(Result j, Use&& use) const {
        if (j == Result::kHeatRejected) return use(heatRejected);
        return use(values[j]);
    }

    /// Result `j` in double precision (widened from single where it was formed in single).
    [[nodiscard]] double Value(Result j) const noexcept {
        return Visit(j, [](auto value) { return static_cast<double>(value); });
    }

    /// The text of result `j`'s box, by the result text rule.
    [[nodiscard]] std::string Text(Result j, NumberMarks marks = {}) const {
        return Visit(j, [marks](auto value) { return ResultText(value, marks); });
    }
};

static_assert(IndexableBy<DesignInputs, Input>);
static_assert(!IndexableBy<DesignInputs, Result>, "a result index must not read an input");
static_assert(!IndexableBy<DesignInputs, std::size_t>);

/// Every working quantity of one calculation. All start at zero; a step whose property function
/// or solver faults leaves its quantity as it was.
/// The four Chebyshev points of the Merkel integral lie at these fractions of the range from
/// either end of the tower (dimensionless; 0.1 and 0.4 are the four-point Chebyshev abscissae):
/// points 1 and 2 count from the cold end, where the air enters, points 3 and 4 back from the
/// hot end, where it leaves.
inline constexpr std::array<double, 4> kChebyshevFractions = {0.1, 0.4, 0.4, 0.1};
inline constexpr bool CountsFromColdEnd(std::size_t point) noexcept {
    return point < 2;
}

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

/// Whether all four driving forces are positive. Only then is the KaV/L a demand: below it the
/// integrand has a pole and the KaV/L takes meaningless values of either sign.
bool AllDrivingForcesPositive(const WorkingQuantities& q) noexcept;

/// Steps 16 to 23 again from the leaving air that `q` holds (tExit, wExit) and the quantities
/// before it: water balance, leaving-air volume, fan and pump power.
/// @param inputs [in] the design
/// @param q      [in, out] evaporation to pumpPower are rewritten
void CalculateBalanceAndPower(const DesignInputs& inputs, WorkingQuantities& q) noexcept;

/// The sixteen results of the design.
PerformanceResults CalculatePerformance(const DesignInputs& inputs) noexcept;

/// The sixteen results that a calculation's working quantities give (step 24's scaling).
PerformanceResults ResultsOf(const WorkingQuantities& q) noexcept;

/// The default texts of the inputs read with '.' as the decimal mark.
DesignInputs DefaultDesignInputs();

}  // namespace veltrane
