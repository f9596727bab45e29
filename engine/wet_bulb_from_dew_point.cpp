#include "wet_bulb_from_dew_point.h"

#include <cmath>
#include <limits>

#include "bracket_search.h"
#include "ieee_step.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::D;
using detail::StoreRounded;

// ln p = C1/T + C2 + C3 T + C4 T² + C5 T³ + C6 T⁴ + C7 ln T, T in °R and p in psia: the ASHRAE
// Handbook's saturation line over ice, its published coefficients.
constexpr double kIceC1 = -1.0214165E+04;
constexpr double kIceC2 = -4.8932428E+00;
constexpr double kIceC3 = -5.3765794E-03;
constexpr double kIceC4 = 1.9202377E-07;
constexpr double kIceC5 = 3.5575832E-10;
constexpr double kIceC6 = -9.0344688E-14;
constexpr double kIceC7 = 4.1635019E+00;
constexpr double kRankineOffset = 459.67;  // °R at 0 °F

// The search starts this far below the lower of dew point and dry bulb, °F. Over a frost point
// the liquid-water wet bulb of nearly saturated air lies below the frost point (about 4 °F at
// 0 °F, 8 °F at −40 °F); the margin covers that with room to spare.
constexpr float kBelowDewPoint = 40.0F;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct WetBulbTrial {
    float wetBulb;  ///< °F
    double excess;  ///< vapour pressure by the relation less the dew point's, psia
};

/// The psychrometer relation's vapour pressure against the dew point's along the wet bulb; it
/// rises with the wet bulb.
class WetBulbSearch {
  public:
    using Trial = WetBulbTrial;
    static constexpr float WetBulbTrial::*kPosition = &WetBulbTrial::wetBulb;

    WetBulbSearch(float dryBulb, float p, float dewPointPressure)
        : dryBulb_(dryBulb), p_(p), dewPointPressure_(dewPointPressure) {}

    /// A faulting property function gives a NaN excess, which is neither below nor above.
    WetBulbTrial Evaluate(float wetBulb) {
        ++evaluations_;
        float reducedT = 0.0F, tau = 0.0F, reducedP = 0.0F, psat = 0.0F, pv = 0.0F;
        const bool formed = SatPressure(wetBulb, reducedT, tau, reducedP, psat) == Status::Ok &&
                            VaporPressureFromWetBulb(psat, p_, dryBulb_, wetBulb, pv) == Status::Ok;
        return {wetBulb, formed ? D(pv) - D(dewPointPressure_) : kNaN};
    }

    bool Below(const WetBulbTrial& trial) const { return trial.excess < 0.0; }
    double Excess(const WetBulbTrial& trial) const { return trial.excess; }
    bool Exact(const WetBulbTrial& trial) const { return trial.excess == 0.0; }
    bool Resolved(float low, float high) const {
        return std::nextafter(low, high) == high ||
               std::fabs(D(high) - D(low)) <= D(kWetBulbTolerance);
    }
    int Evaluations() const { return evaluations_; }

  private:
    float dryBulb_;
    float p_;
    float dewPointPressure_;
    int evaluations_ = 0;
};

}  // namespace

Status SatPressureOverIce(float t, float& psat) {
    const double rankine = D(t) + kRankineOffset;
    const double logPressure =
        kIceC1 / rankine + kIceC2 +
        rankine * (kIceC3 + rankine * (kIceC4 + rankine * (kIceC5 + rankine * kIceC6))) +
        kIceC7 * std::log(rankine);
    return StoreRounded(std::exp(logPressure), psat, t);
}

Status DewPointVapourPressure(float dewPoint, float& pv) {
    if (dewPoint < kFrostPointBelow) return SatPressureOverIce(dewPoint, pv);
    float reducedT = 0.0F, tau = 0.0F, reducedP = 0.0F;
    return SatPressure(dewPoint, reducedT, tau, reducedP, pv);
}

WetBulbSolution WetBulbFromDewPoint(float dryBulb, float dewPoint, float p) {
    WetBulbSolution solution;
    if (dewPoint > dryBulb) {
        solution.outcome = WetBulbOutcome::kDewPointAboveDryBulb;
        return solution;
    }
    float dewPointPressure = 0.0F;
    if (DewPointVapourPressure(dewPoint, dewPointPressure) != Status::Ok) return solution;

    WetBulbSearch search(dryBulb, p, dewPointPressure);
    const WetBulbTrial low = search.Evaluate(dewPoint - kBelowDewPoint);
    const WetBulbTrial high = search.Evaluate(dryBulb);
    solution.evaluations = search.Evaluations();
    if (search.Exact(high)) {
        solution.outcome = WetBulbOutcome::kSolved;
        solution.wetBulb = high.wetBulb;
        return solution;
    }
    if (!(low.excess < 0.0 && high.excess > 0.0)) return solution;

    const auto bracket =
        detail::CloseBracket(search, low, high, kWetBulbEvaluationLimit, kWetBulbSecantEvaluations);
    solution.evaluations = search.Evaluations();
    const WetBulbTrial& below = bracket.Below();
    const WetBulbTrial& above = bracket.Above();
    if (search.Exact(below) || search.Exact(above) ||
        search.Resolved(below.wetBulb, above.wetBulb)) {
        solution.outcome = WetBulbOutcome::kSolved;
        solution.wetBulb =
            std::fabs(below.excess) <= std::fabs(above.excess) ? below.wetBulb : above.wetBulb;
    }
    return solution;
}

}  // namespace veltrane
