#pragma once
// The tower characteristic fitted from performance data: each row's demand KaV/L at its own L/G
// (the calculation's steps 1 to 6), then least squares on
//     log KaV/L = log C − m · log L/G
// over the rows whose demand is one (every driving force positive). The fitted tower is then
// rated back at every such row, and the largest difference between its cold water and the
// row's tells how well the straight line in log-log coordinates carries the data.

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
};

/// Fits C and m to the rows. Each row is a design: its L/G, approach and hot water give the
/// demand; its cold water (Twb + Approach) is what the fitted tower is rated back against.
CharacteristicFit FitCharacteristic(const std::vector<DesignInputs>& rows);

}  // namespace veltrane
