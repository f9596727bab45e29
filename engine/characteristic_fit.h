#pragma once
// The tower characteristic fitted from performance data: each row's demand KaV/L at its own L/G
// (the calculation's steps 1 to 6), then least squares on
//     log KaV/L = log C − m · log L/G
// over the rows whose demand is one (every driving force positive). The fitted tower is then
// rated back at every such row, and the largest difference between its cold water and the
// row's tells how well the straight line in log-log coordinates carries the data.
//
// The 95 % intervals are those of the least-squares line with Student's t at n − 2 degrees of
// freedom (n − 1 with m fixed): m ± t·s_m, and log C ± t·s_logC carried through exp, so that C's
// interval is wider above C than below it (C / lower = upper / C).

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "performance.h"
#include "rating.h"

namespace veltrane {

enum class FitOutcome {
    kFitted,
    kTooFewRows,     ///< fewer than two rows have a demand
    kOneLiquidGas,   ///< the rows with a demand have L/G within 0.1 %: the slope is not fixed
    kSlopeNegative,  ///< the demand rises with L/G (m < 0), which the rating cannot take
    kCharacteristicFaulty,  ///< the fitted C is not a finite positive number
    kNoRows,                ///< with m fixed: no row has a demand
    kFixedSlopeUnusable,    ///< with m fixed: m is not a finite number of 0 or more
};

/// Plain words for an outcome that is not a fit, for one-line messages.
std::string_view DescribeFitOutcome(FitOutcome outcome) noexcept;

/// A row whose demand is no KaV/L: a driving force zero or negative, or not finite.
struct UnusedRow {
    std::size_t row;  ///< position in the data, from 0
};

/// A row that the fitted tower could not be rated back at.
struct UnratedRow {
    std::size_t row;  ///< position in the data, from 0
    RatingOutcome outcome;
};

/// A 95 % confidence interval.
struct Interval {
    double lower;
    double upper;
};

/// A row rated back with the fitted tower.
struct FitResidual {
    std::size_t row;  ///< position in the data, from 0
    float kaVL;       ///< the row's demand KaV/L at its own L/G
    float liquidGas;  ///< the row's L/G, lb/lb
    float coldWater;  ///< the fitted tower's cold water at the row, °F
    float deviation;  ///< fitted − given cold water, °F (positive: the tower runs warmer)
};

struct CharacteristicFit {
    FitOutcome outcome = FitOutcome::kTooFewRows;
    TowerCharacteristic tower{};  ///< C and m, single precision
    int points = 0;               ///< rows in the fit
    double rSquared = 0.0;        ///< of log KaV/L against log L/G, dimensionless
    /// Of the rows rated back, the largest |rated − given| cold water, °F, with its sign
    /// (positive: the fitted tower runs warmer than the data) and its row.
    float largestColdWaterDeviation = 0.0F;
    std::size_t largestDeviationRow = 0;
    std::vector<UnusedRow> unused;
    std::vector<UnratedRow> unrated;
    bool slopeFixed = false;  ///< m was given, not fitted
    /// 95 % intervals; nothing where no degree of freedom is left (two rows, or one with m
    /// fixed) and, for m, when it was fixed.
    std::optional<Interval> cInterval;
    std::optional<Interval> mInterval;
    /// Root mean square of the rated-back rows' deviations, °F; 0 with none rated back.
    float rmsColdWaterDeviation = 0.0F;
    std::vector<FitResidual> residuals;  ///< every row rated back, in the data's order
};

/// Fits C and m to the rows. Each row is a design: its L/G, approach and hot water give the
/// demand; its cold water (Twb + Approach) is what the fitted tower is rated back against.
CharacteristicFit FitCharacteristic(const std::vector<DesignInputs>& rows);

/// Fits C alone to the rows with m given (`slope`, dimensionless, m ≥ 0): log C is the mean of
/// log KaV/L + m · log L/G. One row with a demand is enough.
CharacteristicFit FitCharacteristicWithSlope(const std::vector<DesignInputs>& rows, float slope);

/// Student's t at which a two-sided 95 % interval closes, for these degrees of freedom (≥ 1):
/// 12.706 for 1, 2.228 for 10, tending to 1.960.
double StudentT95(int degreesOfFreedom);

}  // namespace veltrane
