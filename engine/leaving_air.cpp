#include "leaving_air.h"

#include <cmath>
#include <limits>

#include "bracket_search.h"
#include "ieee_step.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RoundToSingle;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// The saturated enthalpy against hOut along the temperature; it rises with the temperature up
/// to the boiling point at the pressure.
class SaturationSearch {
  public:
    using Trial = LeavingAirTrial;
    static constexpr float LeavingAirTrial::*kPosition = &LeavingAirTrial::temperature;

    SaturationSearch(float hOut, float p, std::vector<LeavingAirTrial>* trials)
        : hOut_(hOut), p_(p), trials_(trials) {}

    /// A faulting property function gives a NaN excess, which is neither below nor above.
    LeavingAirTrial Evaluate(float temperature) {
        ++evaluations_;
        float psat = 0.0F;
        float h = 0.0F;
        const bool formed = SatAirEnthalpy(temperature, p_, psat, h) == Status::Ok;
        const LeavingAirTrial trial{temperature, formed ? D(h) - D(hOut_) : kNaN};
        if (trials_ != nullptr) trials_->push_back(trial);
        return trial;
    }

    bool Below(const LeavingAirTrial& trial) const { return trial.excess < 0.0; }
    double Excess(const LeavingAirTrial& trial) const { return trial.excess; }
    bool Exact(const LeavingAirTrial& trial) const { return trial.excess == 0.0; }
    /// Closed once the two temperatures are adjacent single-precision numbers.
    bool Resolved(float low, float high) const { return std::nextafter(low, high) == high; }
    int Evaluations() const { return evaluations_; }

  private:
    float hOut_;
    float p_;
    std::vector<LeavingAirTrial>* trials_;
    int evaluations_ = 0;
};

/// The end whose saturated enthalpy is nearer hOut, and whether the pair meets the tolerance.
LeavingAirTrial Nearer(const LeavingAirTrial& below, const LeavingAirTrial& above) {
    return std::fabs(below.excess) < std::fabs(above.excess) ? below : above;
}

bool WithinTolerance(const LeavingAirTrial& below, const LeavingAirTrial& above) {
    return std::fabs(D(above.temperature) - D(below.temperature)) <= D(kLeavingAirTolerance);
}

/// The humidity ratio and specific volume of air saturated at the solved temperature.
void TakeStateAt(float temperature, float p, LeavingAir& air) {
    float h = 0.0F;
    double volume = 0.0;
    air.found = SatAirEnthalpy(temperature, p, air.saturationPressure, h) == Status::Ok &&
                HumidityRatio(air.saturationPressure, p, air.humidityRatio) == Status::Ok &&
                SpecificVolume(temperature, p, air.humidityRatio, volume) == Status::Ok;
    air.temperature = temperature;
    air.specificVolume = RoundToSingle(volume);
}

}  // namespace

LeavingAir SolveLeavingAir(float hOut, float p, float lowEnd, float highEnd, bool keepTrials) {
    LeavingAir air;
    SaturationSearch search(hOut, p, keepTrials ? &air.trials : nullptr);
    const LeavingAirTrial low = search.Evaluate(lowEnd);
    const LeavingAirTrial high = search.Evaluate(highEnd);
    const auto finish = [&](const LeavingAirTrial& chosen) {
        air.evaluations = search.Evaluations();
        TakeStateAt(chosen.temperature, p, air);
        return air;
    };
    if (search.Exact(low)) return finish(low);
    if (search.Exact(high)) return finish(high);
    if (!(low.excess < 0.0 && high.excess > 0.0)) {
        air.evaluations = search.Evaluations();
        return air;
    }
    const auto bracket = detail::CloseBracket(search, low, high, kLeavingAirEvaluationLimit,
                                              kLeavingAirSecantEvaluations);
    const LeavingAirTrial chosen = Nearer(bracket.Below(), bracket.Above());
    if (!search.Exact(chosen) && !WithinTolerance(bracket.Below(), bracket.Above())) {
        air.evaluations = search.Evaluations();
        return air;
    }
    return finish(chosen);
}

WorkingQuantities CalculateWithExactLeavingAir(const DesignInputs& inputs, LeavingAir* leavingAir) {
    WorkingQuantities q = CalculateWorkingQuantities(inputs);
    const LeavingAir air =
        SolveLeavingAir(q.hOut, inputs[Input::kAtmosPress], inputs[Input::kWetBulb],
                        inputs[Input::kHotWater], leavingAir != nullptr);
    const float none = std::numeric_limits<float>::quiet_NaN();
    q.tExit = air.found ? air.temperature : none;
    q.wExit = air.found ? air.humidityRatio : none;
    q.psatExit = air.found ? air.saturationPressure : none;
    // Steps 16 to 23 from the exact leaving air; the specific volume starts again from zero as
    // in a fresh calculation, so that none of the window's leaving air is left in it.
    q.specificVolume = 0.0F;
    CalculateBalanceAndPower(inputs, q);
    if (leavingAir != nullptr) *leavingAir = air;
    return q;
}

PerformanceResults CalculatePerformanceExactLeavingAir(const DesignInputs& inputs) noexcept {
    return ResultsOf(CalculateWithExactLeavingAir(inputs));
}

PerformanceResults CalculatePerformance(const DesignInputs& inputs, LeavingAirRule rule) noexcept {
    return rule == LeavingAirRule::kExact ? CalculatePerformanceExactLeavingAir(inputs)
                                          : CalculatePerformance(inputs);
}

}  // namespace veltrane
