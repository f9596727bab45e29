#include "rating.h"

#include <algorithm>
#include <cmath>

#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::RoundToSingle;

double D(float value) {
    return static_cast<double>(value);
}

/// The cold water temperature as the calculation forms it from the wet bulb and the approach.
float ColdWater(const DesignInputs& design, float approach) {
    return RoundToSingle(D(design[kWetBulb]) + D(approach));
}

/// The range the row gives, THot − TCold, as the calculation forms it.
float HeldRange(const DesignInputs& design) {
    return RoundToSingle(D(design[kHotWater]) - D(ColdWater(design, design[kApproach])));
}

/// The row at a trial approach, its hot water the held range above the cold water so that the
/// calculation forms that range again.
DesignInputs AtApproach(const DesignInputs& design, float range, float approach) {
    DesignInputs row = design;
    row[kApproach] = approach;
    row[kHotWater] = RoundToSingle(D(ColdWater(design, approach)) + D(range));
    return row;
}

bool AllFinite(const DesignInputs& design) {
    return std::all_of(design.begin(), design.end(), [](float v) { return std::isfinite(v); });
}

float Midpoint(float low, float high) {
    return RoundToSingle((D(low) + D(high)) / 2.0);
}

/// Evaluates the row's demand at trial approaches and keeps the count and the trace.
class DemandSearch {
  public:
    DemandSearch(const DesignInputs& design, float towerKaVL, std::vector<ApproachTrial>* trace)
        : design_(design), range_(HeldRange(design)), towerKaVL_(towerKaVL), trace_(trace) {}

    ApproachTrial Evaluate(float approach) {
        ++calculations_;
        const WorkingQuantities q = CalculateMerkelIntegral(Row(approach));
        const bool positive = std::all_of(q.drivingForce.begin(), q.drivingForce.end(),
                                          [](float d) { return d > 0.0F; });
        const ApproachTrial trial{approach, q.kaVL, positive};
        if (trace_ != nullptr) trace_->push_back(trial);
        return trial;
    }

    /// Below the operating point: a driving force not positive (the demand's pole lies above),
    /// or more demanded than the tower gives. Not finite counts as below.
    bool BelowOperatingPoint(const ApproachTrial& trial) const {
        return !trial.allDrivingForcesPositive || !(trial.kaVL <= towerKaVL_);
    }

    /// Nothing lies between the two approaches once their cold water temperatures are adjacent.
    bool Resolved(float low, float high) const {
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

    DesignInputs Row(float approach) const { return AtApproach(design_, range_, approach); }
    int Calculations() const { return calculations_; }
    bool RangeFinite() const { return std::isfinite(range_); }

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

std::string_view DescribeOutcome(RatingOutcome outcome) noexcept {
    switch (outcome) {
        case RatingOutcome::kRated:
            return "rated";
        case RatingOutcome::kNoPositiveDrivingForce:
            return "the air line reaches the saturation curve at every approach up to 100 F "
                   "(a driving force stays zero or negative)";
        case RatingOutcome::kTowerExceedsDemand:
            return "the tower is larger than the demand even at the smallest approach searched "
                   "(the cold water would reach the wet bulb)";
        case RatingOutcome::kTowerBelowDemand:
            return "the tower is smaller than the demand even at an approach of 100 F";
        case RatingOutcome::kNotFinite:
            return "the characteristic or the design is not a finite number";
    }
    return "";
}

Rating RateDesign(const DesignInputs& design, TowerCharacteristic tower,
                  std::vector<ApproachTrial>* trace) {
    Rating rating;
    rating.inputs = design;
    rating.towerKaVL = TowerKaVL(tower, design[kLiquidGas]);
    DemandSearch search(design, rating.towerKaVL, trace);
    const auto finish = [&](RatingOutcome outcome) {
        rating.outcome = outcome;
        rating.calculations = search.Calculations();
        return rating;
    };
    if (!AllFinite(design) || !search.RangeFinite() || !std::isfinite(rating.towerKaVL)) {
        return finish(RatingOutcome::kNotFinite);
    }

    ApproachTrial above = search.Evaluate(kHighestApproach);
    if (!above.allDrivingForcesPositive) return finish(RatingOutcome::kNoPositiveDrivingForce);
    if (search.BelowOperatingPoint(above)) return finish(RatingOutcome::kTowerBelowDemand);
    ApproachTrial below = search.Evaluate(kLowestApproach);
    if (!search.BelowOperatingPoint(below) && below.kaVL != rating.towerKaVL) {
        return finish(RatingOutcome::kTowerExceedsDemand);
    }

    // Bisection on "below the operating point", which holds for every approach under it and for
    // none above: the demand falls as the approach grows wherever every driving force is
    // positive, and rises without bound towards the approach at which one reaches zero.
    while (search.Calculations() < kRatingCalculationLimit &&
           !search.Resolved(below.approach, above.approach)) {
        const float mid = Midpoint(below.approach, above.approach);
        if (mid == below.approach || mid == above.approach) break;
        const ApproachTrial trial = search.Evaluate(mid);
        (search.BelowOperatingPoint(trial) ? below : above) = trial;
    }

    const ApproachTrial chosen = search.Nearer(below, above);
    rating.inputs = search.Row(chosen.approach);
    rating.results = CalculatePerformance(rating.inputs);
    return finish(RatingOutcome::kRated);
}

}  // namespace veltrane
