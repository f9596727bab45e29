#include "rating.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "bisection.h"
#include "bracket_search.h"
#include "constants.h"
#include "ieee_step.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::BisectToAdjacent;
using detail::D;
using detail::RoundToSingle;

/// The cold water temperature as the calculation forms it from the wet bulb and the approach.
float ColdWater(const DesignInputs& design, float approach) {
    return RoundToSingle(D(design[Input::kWetBulb]) + D(approach));
}

/// The row at a trial approach, its hot water the held range above the cold water so that the
/// calculation forms that range again.
DesignInputs AtApproach(const DesignInputs& design, float range, float approach) {
    DesignInputs row = design;
    row[Input::kApproach] = approach;
    return WithRange(row, range);
}

/// Whether the row's hot water lies below the boiling point at the row's pressure. A saturation
/// pressure that faults (far above the critical point) counts as boiling.
bool HotWaterBelowBoiling(const DesignInputs& row) {
    float reducedT = 0.0F, tau = 0.0F, reducedP = 0.0F, psat = 0.0F;
    const Status status = SatPressure(row[Input::kHotWater], reducedT, tau, reducedP, psat);
    return status == Status::Ok && psat < row[Input::kAtmosPress];
}

bool AllFinite(const DesignInputs& design) {
    return std::all_of(design.begin(), design.end(), [](float v) { return std::isfinite(v); });
}

/// Regula falsi takes 12 calculations a row on average and 20 at most over a wide spread of
/// designs. Past this many, bisection alone closes any bracket the search range allows, down
/// to adjacent approaches, within the limit.
constexpr int kSecantCalculations = 50;
static_assert(kSecantCalculations + 45 <= kRatingCalculationLimit);

/// Evaluates the row's demand at trial approaches and keeps the count and the trace.
class DemandSearch {
  public:
    DemandSearch(const DesignInputs& design, float towerKaVL, std::vector<ApproachTrial>* trace)
        : design_(design), range_(RowRange(design)), towerKaVL_(towerKaVL), trace_(trace) {}

    ApproachTrial Evaluate(float approach) {
        ++calculations_;
        const WorkingQuantities q = CalculateMerkelIntegral(Row(approach));
        const ApproachTrial trial{approach, q.kaVL, AllDrivingForcesPositive(q)};
        if (trace_ != nullptr) trace_->push_back(trial);
        return trial;
    }

    /// Below the operating point: a driving force not positive (the demand's pole lies above),
    /// or more demanded than the tower gives. Not finite counts as below.
    bool BelowOperatingPoint(const ApproachTrial& trial) const {
        return !trial.allDrivingForcesPositive || !(trial.kaVL <= towerKaVL_);
    }

    /// The reciprocal demand less the tower's reciprocal: near-linear in the approach, crossing
    /// zero at the operating point and tending to the tower's negative reciprocal at the pole,
    /// which is taken for every approach where a driving force is not positive.
    double Excess(const ApproachTrial& trial) const {
        const double demand = trial.allDrivingForcesPositive ? 1.0 / D(trial.kaVL) : 0.0;
        return demand - 1.0 / D(towerKaVL_);
    }

    /// Nothing lies between the two approaches once their cold water temperatures are adjacent,
    /// or once the approaches themselves are: where the wet bulb carries finer bits than the
    /// approach, Twb + approach rounds half the time up and half down, so that adjacent
    /// approaches can give cold water temperatures two apart with none to try between them.
    bool Resolved(float low, float high) const {
        if (std::nextafter(low, high) == high) return true;
        const float coldLow = ColdWater(design_, low);
        return ColdWater(design_, high) <= std::nextafter(coldLow, HUGE_VALF);
    }

    /// Of the two ends, the one whose demand is nearer the tower's.
    ApproachTrial Nearer(const ApproachTrial& below, const ApproachTrial& above) const {
        if (!below.allDrivingForcesPositive) return above;
        return std::fabs(D(below.kaVL) - D(towerKaVL_)) < std::fabs(D(above.kaVL) - D(towerKaVL_))
                   ? below
                   : above;
    }

    /// The test of an operating point (see the header): the closed bracket's upper end meets the
    /// tower's value exactly, or its ends are adjacent cold water temperatures, both demands,
    /// whose demands lie on either side of the tower's.
    RatingOutcome Check(const ApproachTrial& below, const ApproachTrial& above) const {
        if (above.allDrivingForcesPositive && above.kaVL == towerKaVL_)
            return RatingOutcome::kRated;
        if (!below.allDrivingForcesPositive) return RatingOutcome::kTowerExceedsDemandAtThePole;
        const bool straddles = above.allDrivingForcesPositive && below.kaVL >= towerKaVL_ &&
                               above.kaVL <= towerKaVL_ && std::isfinite(below.kaVL);
        if (!straddles || !Resolved(below.approach, above.approach)) {
            return RatingOutcome::kSearchNotClosed;
        }
        return RatingOutcome::kRated;
    }

    /// Closes the bracket between a trial below the operating point and one that is not, down
    /// to adjacent cold water temperatures, and hands back its ends.
    auto Close(const ApproachTrial& below, const ApproachTrial& above) {
        // The bracket is on "below the operating point", which holds for every approach under
        // it and for none above: the demand falls as the approach grows wherever every driving
        // force is positive, and rises without bound towards the approach at which one reaches
        // zero.
        return detail::CloseBracket(*this, below, above, kRatingCalculationLimit,
                                    kSecantCalculations);
    }

    // The search's side of the bracketed search.
    using Trial = ApproachTrial;
    static constexpr float ApproachTrial::*kPosition = &ApproachTrial::approach;
    bool Below(const ApproachTrial& trial) const { return BelowOperatingPoint(trial); }
    bool Exact(const ApproachTrial& trial) const {
        return trial.allDrivingForcesPositive && trial.kaVL == towerKaVL_;
    }
    int Evaluations() const { return calculations_; }

    DesignInputs Row(float approach) const { return AtApproach(design_, range_, approach); }
    float Range() const { return range_; }

  private:
    const DesignInputs& design_;
    float range_;
    float towerKaVL_;
    std::vector<ApproachTrial>* trace_;
    int calculations_ = 0;
};

}  // namespace

float TowerKaVL(TowerCharacteristic tower, float liquidGas) noexcept {
    return RoundToSingle(D(tower.c) * std::pow(D(liquidGas), -D(tower.m)));
}

float TowerCThrough(float kaVL, float liquidGas, float slope) noexcept {
    return RoundToSingle(D(kaVL) * std::pow(D(liquidGas), D(slope)));
}

bool IsDemandKaVL(const WorkingQuantities& q) noexcept {
    return AllDrivingForcesPositive(q) && std::isfinite(q.kaVL) && q.kaVL > 0.0F;
}

std::string_view DescribeOutcome(RatingOutcome outcome) noexcept {
    switch (outcome) {
        case RatingOutcome::kRated:
            return "rated";
        case RatingOutcome::kNoPositiveDrivingForce:
            return "the air line reaches the saturation curve at every approach searched, up to "
                   "100 F and below the boiling of the hot water (a driving force stays zero or "
                   "negative)";
        case RatingOutcome::kTowerExceedsDemand:
            return "the tower is larger than the demand even at the smallest approach searched "
                   "(the cold water would reach the wet bulb)";
        case RatingOutcome::kTowerBelowDemand:
            return "the tower is smaller than the demand even at the highest approach searched "
                   "(100 F, or below it where the hot water would boil)";
        case RatingOutcome::kNoRange:
            return "the range is zero or negative (the hot water is not above the cold water)";
        case RatingOutcome::kNotFinite:
            return "the characteristic or the design is not a finite number";
        case RatingOutcome::kHotWaterBoils:
            return "the hot water would boil at the row's pressure at every approach (its range "
                   "puts THot at or above the boiling point)";
        case RatingOutcome::kTowerExceedsDemandAtThePole:
            return "the tower is larger than the demand even where the demand is largest (where "
                   "the air line reaches the saturation curve)";
        case RatingOutcome::kSearchNotClosed:
            return "the search did not close on the tower's KaV/L within its calculation limit";
        case RatingOutcome::kColdWaterFreezes:
            return "the cold water would be below freezing (32 F), and the method holds for water "
                   "only";
    }
    return "";
}

float RowRange(const DesignInputs& design) noexcept {
    return RoundToSingle(D(design[Input::kHotWater]) -
                         D(ColdWater(design, design[Input::kApproach])));
}

DesignInputs WithRange(DesignInputs design, float range) noexcept {
    design[Input::kHotWater] =
        RoundToSingle(D(ColdWater(design, design[Input::kApproach])) + D(range));
    return design;
}

DesignInputs AtApproachHoldingRange(const DesignInputs& design, float approach) noexcept {
    return AtApproach(design, RowRange(design), approach);
}

float HighestSearchedApproach(const DesignInputs& design) noexcept {
    const float range = RowRange(design);
    const auto belowBoiling = [&](float approach) {
        return HotWaterBelowBoiling(AtApproach(design, range, approach));
    };
    if (belowBoiling(kHighestApproach)) return kHighestApproach;
    if (!belowBoiling(kLowestApproach)) return std::numeric_limits<float>::quiet_NaN();
    float low = kLowestApproach;
    float high = kHighestApproach;
    BisectToAdjacent(low, high, belowBoiling);
    return low;
}

Rating RateDesign(const DesignInputs& design, TowerCharacteristic tower,
                  std::vector<ApproachTrial>* trace) {
    Rating rating;
    rating.inputs = design;
    rating.towerKaVL = TowerKaVL(tower, design[Input::kLiquidGas]);
    DemandSearch search(design, rating.towerKaVL, trace);
    const auto finish = [&](RatingOutcome outcome) {
        rating.outcome = outcome;
        rating.calculations = search.Evaluations();
        return rating;
    };
    if (!AllFinite(design) || !std::isfinite(search.Range()) || !std::isfinite(rating.towerKaVL)) {
        return finish(RatingOutcome::kNotFinite);
    }
    // Without a range the demand is zero or negative wherever it means anything.
    if (!(search.Range() > 0.0F)) return finish(RatingOutcome::kNoRange);

    const float highest = HighestSearchedApproach(design);
    if (std::isnan(highest)) return finish(RatingOutcome::kHotWaterBoils);
    rating.highestApproach = highest;

    ApproachTrial above = search.Evaluate(rating.highestApproach);
    if (!above.allDrivingForcesPositive) return finish(RatingOutcome::kNoPositiveDrivingForce);
    if (search.BelowOperatingPoint(above)) return finish(RatingOutcome::kTowerBelowDemand);
    ApproachTrial below = search.Evaluate(kLowestApproach);
    const auto rateAt = [&](const ApproachTrial& chosen) {
        const DesignInputs row = search.Row(chosen.approach);
        const PerformanceResults results = CalculatePerformance(row);
        // Far below freezing the search can still close on a demand, but what would leave the
        // basin is ice: the Merkel balance of water and saturated air no longer describes it.
        if (results.values[Result::kColdWater] < kFreezingPointF)
            return finish(RatingOutcome::kColdWaterFreezes);
        rating.inputs = row;
        rating.results = results;
        return finish(RatingOutcome::kRated);
    };
    if (!search.BelowOperatingPoint(below)) {
        if (below.kaVL == rating.towerKaVL) return rateAt(below);
        return finish(RatingOutcome::kTowerExceedsDemand);
    }

    const auto closed = search.Close(below, above);
    const RatingOutcome outcome = search.Check(closed.Below(), closed.Above());
    if (outcome != RatingOutcome::kRated) return finish(outcome);
    return rateAt(search.Nearer(closed.Below(), closed.Above()));
}

}  // namespace veltrane
