#pragma once
// Thermal performance of a wet counter-flow mechanical-draft tower: KaV/L by the four-point
// Chebyshev form of the Merkel integral, the water balance, the leaving air, fan and pump power.

#include <array>
#include <string>

#include "design_sets.h"
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
WorkingQuantities CalculateWorkingQuantities(const DesignInputs& inputs) noexcept;

/// The sixteen results of the design.
PerformanceResults CalculatePerformance(const DesignInputs& inputs) noexcept;

/// The default texts of the inputs read with '.' as the decimal mark.
DesignInputs DefaultDesignInputs();

}  // namespace veltrane
