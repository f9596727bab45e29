#include "exit_air_solver.h"

#include <cmath>

#include "ieee_step.h"
#include "psychrometrics.h"

namespace veltrane {
namespace {

using detail::Midpoint;
using detail::RaisesFault;
using detail::RoundToSingle;
using detail::StoreRounded;

/// r(t) = hTarget − hsat(t), rounded to single precision. The saturation pressure at t is written
/// to `psat` as SatAirEnthalpy hands it back.
Status ResidualAt(float t, float hTarget, float p, float& psat, float& residual) {
    float hSat = 0.0F;
    if (SatAirEnthalpy(t, p, psat, hSat) != Status::Ok) return Status::ArithmeticFault;
    const double exact = static_cast<double>(hTarget) - static_cast<double>(hSat);
    return StoreRounded(exact, residual, hTarget, hSat);
}

/// rb × ra in single precision.
Status ResidualProduct(float ra, float rb, float& product) {
    const double exact = static_cast<double>(rb) * static_cast<double>(ra);
    return StoreRounded(exact, product, ra, rb);
}

/// The residual and saturation pressure at the low end of the bracket. The low end is either the
/// caller's own or a midpoint tested before, so after the first iteration both are known and
/// the property functions, being pure, would only give them again.
struct LowEnd {
    float t;
    float residual = 0.0F;
    float psat = 0.0F;
    bool known = false;
};

}  // namespace

Status BracketResidual(float a, float b, float hTarget, float p, float& psat, float& ws,
                       float& product) {
    float ra = 0.0F;
    if (ResidualAt(a, hTarget, p, psat, ra) != Status::Ok) return Status::ArithmeticFault;
    float rb = 0.0F;
    if (ResidualAt(b, hTarget, p, psat, rb) != Status::Ok) return Status::ArithmeticFault;
    if (HumidityRatio(psat, p, ws) != Status::Ok) return Status::ArithmeticFault;
    return ResidualProduct(ra, rb, product);
}

Status SolveSatTemperature(float lowEnd, float highEnd, float hTarget, float p, float& psat,
                           float& ws, float& temperature, SolverTrace* trace) {
    LowEnd low{lowEnd};
    float high = highEnd;
    float mid = Midpoint(low.t, high);

    for (std::int16_t counter = 1; counter <= kSolverIterationLimit; ++counter) {
        if (trace != nullptr) {
            trace->iterations = counter;
            trace->mids[static_cast<std::size_t>(counter - 1)] = mid;
            trace->moves[static_cast<std::size_t>(counter - 1)] = BracketMove::kNeither;
        }
        // BracketResidual(low, mid), with r(low) and Psat(low) taken from an earlier iteration
        // once known: every output, including a fault at mid, is the same.
        if (low.known) {
            psat = low.psat;
        } else {
            if (ResidualAt(low.t, hTarget, p, psat, low.residual) != Status::Ok) {
                return Status::ArithmeticFault;
            }
            low.psat = psat;
            low.known = true;
        }
        float midResidual = 0.0F;
        float product = 0.0F;
        if (ResidualAt(mid, hTarget, p, psat, midResidual) != Status::Ok ||
            HumidityRatio(psat, p, ws) != Status::Ok ||
            ResidualProduct(low.residual, midResidual, product) != Status::Ok) {
            return Status::ArithmeticFault;
        }

        // A product of exactly zero (either sign) moves neither end.
        BracketMove move = BracketMove::kNeither;
        if (product < 0.0F) {
            high = mid;
            move = BracketMove::kDown;
        } else if (product > 0.0F) {
            low = LowEnd{mid, midResidual, psat, true};
            move = BracketMove::kUp;
        }
        if (trace != nullptr) trace->moves[static_cast<std::size_t>(counter - 1)] = move;

        const float newMid = Midpoint(low.t, high);
        const double changeExact = std::fabs(
            (static_cast<double>(newMid) - static_cast<double>(mid)) / static_cast<double>(newMid));
        if (RaisesFault(changeExact, newMid, mid)) return Status::ArithmeticFault;
        if (RoundToSingle(changeExact) < kSolverRelativeTolerance) {
            temperature = newMid;
            return Status::Ok;
        }
        mid = newMid;
    }
    temperature = kSolverNoSolution;
    return Status::Ok;
}

}  // namespace veltrane
