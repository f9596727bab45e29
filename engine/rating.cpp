#include "rating.h"

#include <algorithm>
#include <cmath>

#include "bracket_search.h"
#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::RoundToSingle;

double D(float value) {
    return static_cast<double>(value);
}

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

    /// Closes the bracket between a trial below the operating point and one that is not, down
    /// to adjacent cold water temperatures, and hands back the end nearer the tower's value.
    ApproachTrial OperatingPoint(const ApproachTrial& below, const ApproachTrial& above) {
        // The bracket is on "below the operating point", which holds for every approach under
        // it and for none above: the demand falls as the approach grows wherever every driving
        // force is positive, and rises without bound towards the approach at which one reaches
        // zero.
        const auto bracket =
            detail::CloseBracket(*this, below, above, kRatingCalculationLimit, kSecantCalculations);
        return Nearer(bracket.Below(), bracket.Above());
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
        case RatingOutcome::kNoRange:
            return "the range is zero or negative (the hot water is not above the cold water)";
        case RatingOutcome::kNotFinite:
            return "the characteristic or the design is not a finite number";
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

    ApproachTrial above = search.Evaluate(kHighestApproach);
    if (!above.allDrivingForcesPositive) return finish(RatingOutcome::kNoPositiveDrivingForce);
    if (search.BelowOperatingPoint(above)) return finish(RatingOutcome::kTowerBelowDemand);
    ApproachTrial below = search.Evaluate(kLowestApproach);
    const auto rateAt = [&](const ApproachTrial& chosen) {
        rating.inputs = search.Row(chosen.approach);
        rating.results = CalculatePerformance(rating.inputs);
        return finish(RatingOutcome::kRated);
    };
    if (!search.BelowOperatingPoint(below)) {
        if (below.kaVL == rating.towerKaVL) return rateAt(below);
        return finish(RatingOutcome::kTowerExceedsDemand);
    }

    return rateAt(search.OperatingPoint(below, above));
}

}  // namespace veltrane
