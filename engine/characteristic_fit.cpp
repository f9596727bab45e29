#include "characteristic_fit.h"

#include <cmath>
#include <limits>

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

/// The least-squares line y = a + b·x, its coefficient of determination and the standard
/// errors of a and b (zero where the line leaves no degree of freedom).
struct Line {
    double intercept;
    double slope;
    double rSquared;
    double interceptError;
    double slopeError;
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
    // The residuals about the line, summed from the centred values rather than as
    // syy − sxy²/sxx, which cancels to rounding noise for a near-perfect fit.
    double squares = 0.0;
    for (const LogPoint& p : points) {
        const double residual = (p.y - meanY) - slope * (p.x - meanX);
        squares += residual * residual;
    }
    const double variance = points.size() > 2 ? squares / (n - 2.0) : 0.0;
    return {meanY - slope * meanX, slope, rSquared,
            std::sqrt(variance * (1.0 / n + meanX * meanX / sxx)), std::sqrt(variance / sxx)};
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
              const std::vector<float>& kaVLs, CharacteristicFit& fit) {
    double squares = 0.0;
    for (std::size_t k = 0; k < used.size(); ++k) {
        const std::size_t i = used[k];
        const Rating rating = RateDesign(rows[i], fit.tower);
        if (rating.outcome != RatingOutcome::kRated) {
            fit.unrated.push_back({i, rating.outcome});
            continue;
        }
        const float coldWater = rating.results.values[Result::kColdWater];
        const float deviation = RoundToSingle(D(coldWater) - D(ColdWater(rows[i])));
        fit.residuals.push_back({i, kaVLs[k], rows[i][Input::kLiquidGas], coldWater, deviation});
        squares += D(deviation) * D(deviation);
        if (std::fabs(deviation) > std::fabs(fit.largestColdWaterDeviation)) {
            fit.largestColdWaterDeviation = deviation;
            fit.largestDeviationRow = i;
        }
    }
    if (!fit.residuals.empty()) {
        fit.rmsColdWaterDeviation =
            RoundToSingle(std::sqrt(squares / static_cast<double>(fit.residuals.size())));
    }
}

/// The rows with a demand, as logarithms; the others are named in fit.unused.
struct Demands {
    std::vector<LogPoint> points;
    std::vector<std::size_t> used;
    std::vector<float> kaVLs;
};

Demands GatherDemands(const std::vector<DesignInputs>& rows, CharacteristicFit& fit) {
    Demands d;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::optional<float> kaVL = Demand(rows[i]);
        if (!kaVL) {
            fit.unused.push_back({i});
            continue;
        }
        d.points.push_back({std::log(D(rows[i][Input::kLiquidGas])), std::log(D(*kaVL))});
        d.used.push_back(i);
        d.kaVLs.push_back(*kaVL);
    }
    fit.points = static_cast<int>(d.points.size());
    return d;
}

/// log C ± t·s carried through exp: the interval of C, wider above it than below.
Interval CInterval(double logC, double standardError, int degreesOfFreedom) {
    const double half = StudentT95(degreesOfFreedom) * standardError;
    return {std::exp(logC - half), std::exp(logC + half)};
}

bool CharacteristicUsable(const CharacteristicFit& fit) {
    return std::isfinite(fit.tower.c) && fit.tower.c > 0.0F && std::isfinite(fit.tower.m);
}

/// Two-sided 95 %: the t at which P(|T| < t) is 0.95.
constexpr double kConfidence = 0.95;
/// Beyond these degrees of freedom t is the normal quantile with its first 1/ν correction,
/// which errs by less than 1e-9 there.
constexpr int kStudentSeriesLimit = 100'000;
constexpr double kNormalQuantile95 = 1.959963984540054;
/// The bisection for t: its span, and steps enough to close it to a double's resolution.
constexpr double kLargestStudentT = 1000.0;
constexpr int kStudentBisectionSteps = 100;

/// P(|T| < t) for ν degrees of freedom, by the finite series in θ = atan(t / √ν) that holds for
/// whole ν (Abramowitz and Stegun 26.7.3 and 26.7.4).
double StudentProbabilityWithin(double t, int nu) {
    const double theta = std::atan(t / std::sqrt(static_cast<double>(nu)));
    const double s = std::sin(theta), c = std::cos(theta), c2 = c * c;
    constexpr double kTwoOverPi = 0.636619772367581343;
    if (nu == 1) return kTwoOverPi * theta;
    double term = 1.0, sum = 1.0;
    if (nu % 2 == 0) {
        for (int k = 1; k <= (nu - 2) / 2; ++k) {
            term *= c2 * (2.0 * k - 1.0) / (2.0 * k);
            sum += term;
        }
        return s * sum;
    }
    for (int k = 1; k <= (nu - 3) / 2; ++k) {
        term *= c2 * (2.0 * k) / (2.0 * k + 1.0);
        sum += term;
    }
    return kTwoOverPi * (theta + s * c * sum);
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
        case FitOutcome::kNoRows:
            return "no row has a KaV/L (every driving force positive)";
        case FitOutcome::kFixedSlopeUnusable:
            return "the fixed m must be a finite number of 0 or more";
    }
    return "";
}

CharacteristicFit FitCharacteristic(const std::vector<DesignInputs>& rows) {
    CharacteristicFit fit;
    const Demands demands = GatherDemands(rows, fit);
    const std::vector<LogPoint>& points = demands.points;
    if (points.size() < 2) return fit;
    if (LiquidGasSpreadTooSmall(points)) {
        fit.outcome = FitOutcome::kOneLiquidGas;
        return fit;
    }
    const Line line = LeastSquares(points);
    // 0 − slope rather than −slope: a level line gives m = +0, which is written "0", not "-0".
    fit.tower = {RoundToSingle(std::exp(line.intercept)), RoundToSingle(0.0 - line.slope)};
    fit.rSquared = line.rSquared;
    if (!CharacteristicUsable(fit)) {
        fit.outcome = FitOutcome::kCharacteristicFaulty;
        return fit;
    }
    if (fit.tower.m < 0.0F) {
        fit.outcome = FitOutcome::kSlopeNegative;
        return fit;
    }
    fit.outcome = FitOutcome::kFitted;
    if (points.size() > 2) {
        const int freedom = static_cast<int>(points.size()) - 2;
        fit.cInterval = CInterval(line.intercept, line.interceptError, freedom);
        const double half = StudentT95(freedom) * line.slopeError;
        fit.mInterval = Interval{-line.slope - half, -line.slope + half};
    }
    RateBack(rows, demands.used, demands.kaVLs, fit);
    return fit;
}

CharacteristicFit FitCharacteristicWithSlope(const std::vector<DesignInputs>& rows, float slope) {
    CharacteristicFit fit;
    fit.slopeFixed = true;
    if (!std::isfinite(slope) || !(slope >= 0.0F)) {
        fit.outcome = FitOutcome::kFixedSlopeUnusable;
        return fit;
    }
    const Demands demands = GatherDemands(rows, fit);
    if (demands.points.empty()) {
        fit.outcome = FitOutcome::kNoRows;
        return fit;
    }
    // log C = log KaV/L + m · log L/G for every row; the fit is their mean.
    const double n = static_cast<double>(demands.points.size());
    double logC = 0.0;
    for (const LogPoint& p : demands.points)
        logC += (p.y + D(slope) * p.x) / n;
    double squares = 0.0;
    for (const LogPoint& p : demands.points)
        squares += (p.y + D(slope) * p.x - logC) * (p.y + D(slope) * p.x - logC);
    fit.tower = {RoundToSingle(std::exp(logC)), slope};
    if (!CharacteristicUsable(fit)) {
        fit.outcome = FitOutcome::kCharacteristicFaulty;
        return fit;
    }
    fit.outcome = FitOutcome::kFitted;
    if (demands.points.size() > 1) {
        const int freedom = static_cast<int>(demands.points.size()) - 1;
        fit.cInterval = CInterval(logC, std::sqrt(squares / (n - 1.0) / n), freedom);
    }
    RateBack(rows, demands.used, demands.kaVLs, fit);
    return fit;
}

double StudentT95(int degreesOfFreedom) {
    if (degreesOfFreedom < 1) return std::numeric_limits<double>::quiet_NaN();
    if (degreesOfFreedom > kStudentSeriesLimit) {
        const double z = kNormalQuantile95;
        return z + (z * z * z + z) / (4.0 * static_cast<double>(degreesOfFreedom));
    }
    double low = 0.0, high = kLargestStudentT;
    for (int step = 0; step < kStudentBisectionSteps && high - low > 0.0; ++step) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high) break;
        (StudentProbabilityWithin(middle, degreesOfFreedom) < kConfidence ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

}  // namespace veltrane
