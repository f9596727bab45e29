#include "fan_control.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "bracket_search.h"
#include "constants.h"
#include "ieee_step.h"
#include "number_text.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RoundToSingle;

/// Fan power at air flow fraction f by the fan laws: f³ × the full-speed power, hp.
float FanLawPower(float fullSpeedPower, float fraction) {
    const double f = D(fraction);
    return RoundToSingle(D(fullSpeedPower) * f * f * f);
}

/// One rating of the row at an air flow fraction.
struct AirFlowTrial {
    float fraction;
    float coldWater;  ///< °F; +infinity when the row has no operating point there
    Rating rating;
};

/// The rated cold water against the setpoint along the air flow fraction: it falls as the air
/// flow grows, and a fraction at which the row has no operating point counts as too warm (the
/// tower delivers too little).
class AirFlowSearch {
  public:
    using Trial = AirFlowTrial;
    static constexpr float AirFlowTrial::*kPosition = &AirFlowTrial::fraction;

    AirFlowSearch(const DesignInputs& design, TowerCharacteristic tower, float setpoint)
        : design_(design), tower_(tower), setpoint_(setpoint) {}

    AirFlowTrial Evaluate(float fraction) {
        ++ratings_;
        return Rated(fraction, RateDesign(AtAirFlow(design_, fraction), tower_));
    }

    static AirFlowTrial Rated(float fraction, Rating rating) {
        const float coldWater = rating.outcome == RatingOutcome::kRated
                                    ? rating.results.values[Result::kColdWater]
                                    : HUGE_VALF;
        return {fraction, coldWater, rating};
    }

    /// Warmer than the setpoint: more air is wanted.
    bool Below(const AirFlowTrial& trial) const { return !(trial.coldWater <= setpoint_); }
    double Excess(const AirFlowTrial& trial) const { return D(setpoint_) - D(trial.coldWater); }
    bool Exact(const AirFlowTrial& trial) const {
        return std::fabs(D(trial.coldWater) - D(setpoint_)) <= D(kSetpointTolerance);
    }
    bool Resolved(float low, float high) const { return std::nextafter(low, high) == high; }
    int Evaluations() const { return ratings_; }

    /// Of the two ends, the one whose cold water is nearer the setpoint; the upper end is always
    /// rated.
    const AirFlowTrial& Nearer(const AirFlowTrial& below, const AirFlowTrial& above) const {
        const double belowMiss = std::fabs(D(below.coldWater) - D(setpoint_));
        const double aboveMiss = std::fabs(D(above.coldWater) - D(setpoint_));
        return belowMiss < aboveMiss ? below : above;
    }

  private:
    const DesignInputs& design_;
    TowerCharacteristic tower_;
    float setpoint_;
    int ratings_ = 0;
};

/// The whole hour at one air flow fraction.
void RunAt(FanOperation& run, Rating rating, float fraction, LeavingAirRule rule) {
    run.controlled = rating;
    PerformanceResults& results = run.controlled.results;
    // The rating holds the window's results; at full speed they are fullSpeed's, already with
    // the leaving air asked for.
    if (fraction == 1.0F) {
        results = run.fullSpeed.results;
    } else if (rule == LeavingAirRule::kExact) {
        results = CalculatePerformance(run.controlled.inputs, rule);
    }
    results.values[Result::kFanPower] =
        FanLawPower(run.fullSpeed.results.values[Result::kFanPower], fraction);
    run.airFlow = fraction;
    run.fullSpeedShare = fraction == 1.0F ? 1.0F : 0.0F;
    run.coldWater = results.values[Result::kColdWater];
    run.fanPower = results.values[Result::kFanPower];
    run.evaporation = results.values[Result::kEvaporation];
    run.blowdown = results.values[Result::kBlowdown];
    run.makeup = results.values[Result::kMakeup];
}

/// Two-speed: the hour shared between full speed (fullSpeed) and half speed (controlled) so
/// that the mean cold water is the setpoint.
void ShareTheHour(FanOperation& run, float setpoint) {
    const ResultArray<float>& full = run.fullSpeed.results.values;
    const ResultArray<float>& half = run.controlled.results.values;
    const double coldHalf = D(half[Result::kColdWater]);
    const double share =
        std::clamp((coldHalf - D(setpoint)) / (coldHalf - D(full[Result::kColdWater])), 0.0, 1.0);
    const auto mean = [share](float atFull, float atHalf) {
        return RoundToSingle(share * D(atFull) + (1.0 - share) * D(atHalf));
    };
    run.fullSpeedShare = RoundToSingle(share);
    run.airFlow = mean(1.0F, kHalfSpeed);
    run.coldWater = mean(full[Result::kColdWater], half[Result::kColdWater]);
    run.fanPower = mean(full[Result::kFanPower], half[Result::kFanPower]);
    run.evaporation = mean(full[Result::kEvaporation], half[Result::kEvaporation]);
    run.blowdown = mean(full[Result::kBlowdown], half[Result::kBlowdown]);
    run.makeup = mean(full[Result::kMakeup], half[Result::kMakeup]);
}

FanOutcome FollowWithVariableSpeed(FanOperation& run, AirFlowSearch& search,
                                   const AirFlowTrial& full, float lowest, LeavingAirRule rule) {
    if (search.Exact(full)) {
        RunAt(run, full.rating, 1.0F, rule);
        return FanOutcome::kSetpointMet;
    }
    if (search.Below(full)) {
        RunAt(run, full.rating, 1.0F, rule);
        return FanOutcome::kFullSpeedTooWarm;
    }
    const AirFlowTrial low = search.Evaluate(lowest);
    if (!search.Below(low) || search.Exact(low)) {
        RunAt(run, low.rating, lowest, rule);
        return search.Exact(low) ? FanOutcome::kSetpointMet : FanOutcome::kColderAtLowest;
    }
    const auto bracket =
        detail::CloseBracket(search, low, full, kFanControlRatingLimit, kFanControlSecantRatings);
    const AirFlowTrial& chosen = search.Nearer(bracket.Below(), bracket.Above());
    RunAt(run, chosen.rating, chosen.fraction, rule);
    // The search closes on the setpoint, or on the edge below which the row has no operating
    // point: there the water is still colder than wanted, and slower is not possible.
    const Rating& slower = bracket.Below().rating;
    if (slower.outcome == RatingOutcome::kRated || search.Exact(chosen)) {
        return FanOutcome::kSetpointMet;
    }
    run.slowerOutcome = slower.outcome;
    return FanOutcome::kColderAtLowestOperatingPoint;
}

FanOutcome FollowWithTwoSpeeds(FanOperation& run, AirFlowSearch& search, const AirFlowTrial& full,
                               float setpoint, LeavingAirRule rule) {
    if (search.Below(full) && !search.Exact(full)) {
        RunAt(run, full.rating, 1.0F, rule);
        return FanOutcome::kFullSpeedTooWarm;
    }
    const AirFlowTrial half = search.Evaluate(kHalfSpeed);
    if (half.rating.outcome != RatingOutcome::kRated) {
        RunAt(run, full.rating, 1.0F, rule);
        return FanOutcome::kNoLowSpeedPoint;
    }
    RunAt(run, half.rating, kHalfSpeed, rule);
    if (!search.Below(half)) {
        return search.Exact(half) ? FanOutcome::kSetpointMet : FanOutcome::kColderAtLowest;
    }
    ShareTheHour(run, setpoint);
    return FanOutcome::kSetpointMet;
}

/// Whether the figures of the hour are all numbers: the exact leaving air of a speed run can be
/// missing though the speed is rated, and then its water and fan power are NaN.
bool FiguresFormed(const FanOperation& run) noexcept {
    return std::isfinite(run.coldWater) && std::isfinite(run.fanPower) &&
           std::isfinite(run.evaporation) && std::isfinite(run.blowdown) &&
           std::isfinite(run.makeup);
}

/// Air flows in notes: three figures tell 50.7 % from its neighbours.
constexpr int kAirFlowFigures = 3;

}  // namespace

bool HasFigures(const FanOperation& run) noexcept {
    return run.outcome != FanOutcome::kNoOperatingPoint &&
           run.outcome != FanOutcome::kNoLeavingAir && FiguresFormed(run);
}

std::string ExplainFanOperation(const FanOperation& run, FanMode mode) {
    if (run.outcome != FanOutcome::kColderAtLowestOperatingPoint)
        return std::string(DescribeFanOutcome(run.outcome, mode));
    const NumberText airFlow = SignificantText(D(run.airFlow) * kPercent, kAirFlowFigures);
    return "colder than the setpoint at " + std::string(airFlow.View()) +
           " % air flow, the lowest with an operating point: the fans run there; slower, " +
           std::string(DescribeOutcome(run.slowerOutcome));
}

std::string_view DescribeFanOutcome(FanOutcome outcome, FanMode mode) noexcept {
    switch (outcome) {
        case FanOutcome::kSetpointMet:
        case FanOutcome::kFullSpeed:
            return "";
        case FanOutcome::kFullSpeedTooWarm:
            return "full speed cannot reach the setpoint: the fans run at full speed";
        case FanOutcome::kColderAtLowest:
            return mode == FanMode::kTwoSpeed
                       ? "colder than the setpoint at half speed: the fans run at half speed"
                       : "colder than the setpoint at the lowest air flow: the fans run there";
        case FanOutcome::kNoLowSpeedPoint:
            return "no operating point at half speed: the fans run at full speed";
        case FanOutcome::kNoOperatingPoint:
            return "no operating point at full speed";
        case FanOutcome::kColderAtLowestOperatingPoint:
            return "colder than the setpoint at the lowest air flow with an operating point: "
                   "the fans run there";
        case FanOutcome::kNoLeavingAir:
            return "no exact leaving air at the speed the fans run (no saturated air at the "
                   "leaving enthalpy lies between the wet bulb and the hot water): no water or "
                   "fan power";
    }
    return "";
}

DesignInputs AtAirFlow(const DesignInputs& design, float fraction) noexcept {
    DesignInputs row = design;
    row[Input::kLiquidGas] = RoundToSingle(D(design[Input::kLiquidGas]) / D(fraction));
    return row;
}

FanOperation ControlFans(const DesignInputs& design, TowerCharacteristic tower,
                         const FanControl& control, LeavingAirRule rule) {
    FanOperation run;
    AirFlowSearch search(design, tower, control.setpoint);
    const AirFlowTrial full = search.Evaluate(1.0F);
    run.fullSpeed = full.rating;
    if (full.rating.outcome != RatingOutcome::kRated) {
        run.ratings = search.Evaluations();
        return run;
    }
    if (rule == LeavingAirRule::kExact)
        run.fullSpeed.results = CalculatePerformance(run.fullSpeed.inputs, rule);
    switch (control.mode) {
        case FanMode::kFull:
            RunAt(run, full.rating, 1.0F, rule);
            run.outcome = FanOutcome::kFullSpeed;
            break;
        case FanMode::kVariableSpeed:
            run.outcome = FollowWithVariableSpeed(run, search, full, control.minimumAirFlow, rule);
            break;
        case FanMode::kTwoSpeed:
            run.outcome = FollowWithTwoSpeeds(run, search, full, control.setpoint, rule);
            break;
    }
    // The window's search always hands on some leaving air; the exact one may not exist.
    if (rule == LeavingAirRule::kExact && !FiguresFormed(run))
        run.outcome = FanOutcome::kNoLeavingAir;
    run.ratings = search.Evaluations();
    return run;
}

}  // namespace veltrane
