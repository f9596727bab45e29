#pragma once
// The bracketed search that the rating, the leaving air and the fan control share: regula falsi
// with the Illinois modification between a trial below the root and one above it, falling back
// to the midpoint where the straight line leaves the bracket or after a set number of
// evaluations.
//
// A search is a class that knows its own function; CloseBracket asks it for
//   using Trial;                                  one evaluation, its position a float member
//   static constexpr float Trial::*kPosition;     which member that is
//   Trial Evaluate(float position);               evaluates and counts
//   bool Below(const Trial&) const;               on the low side of the root
//   double Excess(const Trial&) const;            negative below the root, positive above
//   bool Exact(const Trial&) const;               the root itself: no need to go on
//   bool Resolved(float low, float high) const;   nothing worth testing lies between them
//   int Evaluations() const;                      evaluations made so far

#include "ieee_step.h"

namespace veltrane::detail {

/// The two ends around a root with the excesses that the next step interpolates between. When
/// the same end moves twice in a row, the other end's excess is halved (the Illinois method), so
/// that a bracket that narrows from one side only still closes quickly.
template <typename Trial, float Trial::*kPosition>
class SearchBracket {
  public:
    SearchBracket(const Trial& below, double belowExcess, const Trial& above, double aboveExcess)
        : below_(below), above_(above), belowExcess_(belowExcess), aboveExcess_(aboveExcess) {}

    const Trial& Below() const { return below_; }
    const Trial& Above() const { return above_; }

    /// The next trial: where the straight line through the two ends' excesses crosses zero
    /// (regula falsi), or the midpoint where that line leaves the bracket or is not formed, or
    /// when asked for.
    float Next(bool midpointOnly) const {
        const float low = below_.*kPosition;
        const float high = above_.*kPosition;
        if (!midpointOnly && belowExcess_ < 0.0 && aboveExcess_ > 0.0) {
            const double share = -belowExcess_ / (aboveExcess_ - belowExcess_);
            const float secant =
                RoundToSingle(static_cast<double>(low) +
                              (static_cast<double>(high) - static_cast<double>(low)) * share);
            // The bracket may run either way along the axis: the secant must lie strictly
            // between its ends.
            const bool inside =
                low < high ? secant > low && secant < high : secant < low && secant > high;
            if (inside) return secant;
        }
        return Midpoint(low, high);
    }

    void Narrow(const Trial& trial, bool isBelow, double excess) {
        const bool sameEndAgain = anyMoved_ && lastMovedBelow_ == isBelow;
        if (isBelow) {
            below_ = trial;
            belowExcess_ = excess;
            if (sameEndAgain) aboveExcess_ /= 2.0;
        } else {
            above_ = trial;
            aboveExcess_ = excess;
            if (sameEndAgain) belowExcess_ /= 2.0;
        }
        lastMovedBelow_ = isBelow;
        anyMoved_ = true;
    }

  private:
    Trial below_;
    Trial above_;
    double belowExcess_;
    double aboveExcess_;
    bool lastMovedBelow_ = false;
    bool anyMoved_ = false;
};

/// Closes the bracket between a trial below the root and one above it until the search calls
/// the ends resolved, finds the root exactly, or has made `limit` evaluations; from
/// `secantLimit` evaluations on it bisects only. Hands back the last bracket.
template <typename Search>
auto CloseBracket(Search& search, const typename Search::Trial& below,
                  const typename Search::Trial& above, int limit, int secantLimit) {
    using Trial = typename Search::Trial;
    constexpr auto kAt = Search::kPosition;
    SearchBracket<Trial, kAt> bracket(below, search.Excess(below), above, search.Excess(above));
    while (search.Evaluations() < limit &&
           !search.Resolved(bracket.Below().*kAt, bracket.Above().*kAt)) {
        const float next = bracket.Next(search.Evaluations() >= secantLimit);
        if (next == bracket.Below().*kAt || next == bracket.Above().*kAt) break;
        const Trial trial = search.Evaluate(next);
        bracket.Narrow(trial, search.Below(trial), search.Excess(trial));
        if (search.Exact(trial)) break;
    }
    return bracket;
}

}  // namespace veltrane::detail
