#include "characteristic_fit.h"

#include <cmath>

#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::D;
using detail::RoundToSingle;

/// A pair of logarithms: x = log L/G, y = log KaV/L.
struct LogPoint {
    double x;
    double y;
};

/// The least-squares line y = a + b·x and its coefficient of determination.
struct Line {
    double intercept;
    double slope;
    double rSquared;
};

/// Sums about the means, so that the result keeps its figures when the L/G are close.
Line LeastSquares(const std::vector<LogPoint>& points) {
    const double n = static_cast<double>(points.size());
    double meanX = 0.0, meanY = 0.0;
    for (const LogPoint& p : points) {
        meanX += p.x / n;
        meanY += p.y / n;
    }
    double sxx = 0.0, sxy = 0.0, syy = 0.0;
    for (const LogPoint& p : points) {
        sxx += (p.x - meanX) * (p.x - meanX);
        sxy += (p.x - meanX) * (p.y - meanY);
        syy += (p.y - meanY) * (p.y - meanY);
    }
    const double slope = sxy / sxx;
    // Every point on the line (syy zero) is a perfect fit.
    const double rSquared = syy > 0.0 ? (sxy * sxy) / (sxx * syy) : 1.0;
    return {meanY - slope * meanX, slope, rSquared};
}

/// L/G whose logarithms lie closer than this (0.1 %) leave the slope to the rounding of KaV/L to
/// single precision (a relative 6e-8): such data cannot fix it.
constexpr double kLeastLogLiquidGasSpread = 1e-3;

bool LiquidGasSpreadTooSmall(const std::vector<LogPoint>& points) {
    double least = points.front().x, most = points.front().x;
    for (const LogPoint& p : points) {
        least = std::fmin(least, p.x);
        most = std::fmax(most, p.x);
    }
    return !(most - least >= kLeastLogLiquidGasSpread);
}

std::optional<float> Demand(const DesignInputs& row) {
    const WorkingQuantities q = CalculateMerkelIntegral(row);
    if (!IsDemandKaVL(q) || !(row[Input::kLiquidGas] > 0.0F) ||
        !std::isfinite(row[Input::kLiquidGas])) {
        return std::nullopt;
    }
    return q.kaVL;
}

float ColdWater(const DesignInputs& row) {
    return RoundToSingle(D(row[Input::kWetBulb]) + D(row[Input::kApproach]));
}

void RateBack(const std::vector<DesignInputs>& rows, const std::vector<std::size_t>& used,
              CharacteristicFit& fit) {
    for (const std::size_t i : used) {
        const Rating rating = RateDesign(rows[i], fit.tower);
        if (rating.outcome != RatingOutcome::kRated) {
            fit.unrated.push_back({i, rating.outcome});
            continue;
        }
        const float deviation =
            RoundToSingle(D(rating.results.values[Result::kColdWater]) - D(ColdWater(rows[i])));
        if (std::fabs(deviation) > std::fabs(fit.largestColdWaterDeviation)) {
            fit.largestColdWaterDeviation = deviation;
            fit.largestDeviationRow = i;
        }
    }
}

}  // namespace

std::string_view DescribeFitOutcome(FitOutcome outcome) noexcept {
    switch (outcome) {
        case FitOutcome::kFitted:
            return "fitted";
        case FitOutcome::kTooFewRows:
            return "fewer than 2 rows have a KaV/L (every driving force positive)";
        case FitOutcome::kOneLiquidGas:
            return "every row with a KaV/L has the same L/G (within 0.1 %): at least 2 different "
                   "L/G are needed";
        case FitOutcome::kSlopeNegative:
            return "KaV/L rises with L/G in these rows (m below 0): the rating needs m of 0 or "
                   "more";
        case FitOutcome::kCharacteristicFaulty:
            return "the fitted characteristic is not a finite positive number";
    }
    return "";
}

CharacteristicFit FitCharacteristic(const std::vector<DesignInputs>& rows) {
    CharacteristicFit fit;
    std::vector<LogPoint> points;
    std::vector<std::size_t> used;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::optional<float> kaVL = Demand(rows[i]);
        if (!kaVL) {
            fit.unused.push_back({i});
            continue;
        }
        points.push_back({std::log(D(rows[i][Input::kLiquidGas])), std::log(D(*kaVL))});
        used.push_back(i);
    }
    fit.points = static_cast<int>(points.size());
    if (points.size() < 2) return fit;
    if (LiquidGasSpreadTooSmall(points)) {
        fit.outcome = FitOutcome::kOneLiquidGas;
        return fit;
    }
    const Line line = LeastSquares(points);
    // 0 − slope rather than −slope: a level line gives m = +0, which is written "0", not "-0".
    fit.tower = {RoundToSingle(std::exp(line.intercept)), RoundToSingle(0.0 - line.slope)};
    fit.rSquared = line.rSquared;
    if (!std::isfinite(fit.tower.c) || !(fit.tower.c > 0.0F) || !std::isfinite(fit.tower.m)) {
        fit.outcome = FitOutcome::kCharacteristicFaulty;
        return fit;
    }
    if (fit.tower.m < 0.0F) {
        fit.outcome = FitOutcome::kSlopeNegative;
        return fit;
    }
    fit.outcome = FitOutcome::kFitted;
    RateBack(rows, used, fit);
    return fit;
}

}  // namespace veltrane
