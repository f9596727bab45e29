#include "psychrometrics.h"

#include <cmath>

#include "ieee_step.h"

namespace veltrane {
namespace {

using detail::RaisesFault;
using detail::RoundingOverflows;
using detail::RoundToSingle;
using detail::StoreRounded;

// Saturation line of the 1967 IFC Formulation for Industrial Use, in US units:
//   ln(Psat / Pc) = (k1 τ + k2 τ² + k3 τ³ + k4 τ⁴ + k5 τ⁵) / (Tr (1 + k6 τ + k7 τ²))
//                   − τ / (k8 τ² + k9),
// with Tr = T / Tc and τ = 1 − Tr; k1 to k9 are its dimensionless coefficients.
constexpr double kRankineOffset = 459.67;          // °R at 0 °F
constexpr double kCriticalTemperature = 1165.14;   // °R (647.3 K)
constexpr double kCriticalPressure = 3208.234759;  // psia (22.12 MPa)
constexpr double k1 = -7.691234564;
constexpr double k2 = -26.08023696;
constexpr double k3 = -168.1706546;
constexpr double k4 = 64.23285504;
constexpr double k5 = -118.9646225;
constexpr double k6 = 4.16711732;
constexpr double k7 = 20.9750676;
constexpr double k8 = 1e9;
constexpr double k9 = 6.0;

// Moist air as an ideal mixture of dry air and water vapour, enthalpy zero for dry air at 0 °F
// and for liquid water at 32 °F: h = 0.24 t + W (1061.2 + 0.444 t).
constexpr double kMolarMassRatio = 0.622;         // water to dry air, 18.015 / 28.965, lb/lb
constexpr double kDryAirSpecificHeat = 0.24;      // Btu/(lb °F), dry air at constant pressure
constexpr double kVapourEnthalpyAtZero = 1061.2;  // Btu/lb, water vapour at 0 °F
constexpr double kVapourSpecificHeat = 0.444;     // Btu/(lb °F), water vapour at constant pressure

// Coefficients of Carrier's psychrometer equation in US units, temperatures in °F and pressures
// in psia: pv = PsatWb − (P − PsatWb)(Tdb − Twb) / (2830 − 1.44 Twb).
constexpr double kCarrierA = 2830.0;  // °F
constexpr double kCarrierB = 1.44;    // dimensionless: 1.44 Twb is in °F

// Ideal-gas volume of moist air per lb of dry air, v = 0.754 (t + 459.8) / (2.036 P)
// (1 + 28.9 W / 18). The formula rounds its own Rankine offset: 459.8, not 459.67.
constexpr double kVolumeRankineOffset = 459.8;  // °R at 0 °F
// ft³ inHg / (lb °R): 53.35 ft·lbf/(lb °R) over 70.73 lbf/ft² per inHg.
constexpr double kDryAirGasConstant = 0.754;
constexpr double kInHgPerPsi = 2.036;     // inHg per psi
constexpr double kMolarMassAir = 28.9;    // lb/lbmol, dry air
constexpr double kMolarMassWater = 18.0;  // lb/lbmol, water

// τ² to τ⁵ each come from the general power function with the integer exponent, as the
// correlation was always evaluated; repeated multiplication rounds differently.
inline double Power(double base, int exponent) {
    return std::pow(base, static_cast<double>(exponent));
}

}  // namespace

Status SatPressure(float t, float& reducedT, float& tau, float& reducedP, float& psat) {
    const double absolute = static_cast<double>(t) + kRankineOffset;
    if (RaisesFault(absolute, t)) return Status::ArithmeticFault;

    // Tr and τ are kept in locals as well as handed back: the steps below read what was stored,
    // whichever variables the caller passed.
    float tr = 0.0F;
    if (StoreRounded(absolute / kCriticalTemperature, tr, absolute) != Status::Ok) {
        return Status::ArithmeticFault;
    }
    reducedT = tr;

    float tauSingle = 0.0F;
    if (StoreRounded(1.0 - static_cast<double>(tr), tauSingle, tr) != Status::Ok) {
        return Status::ArithmeticFault;
    }
    tau = tauSingle;

    const double x = static_cast<double>(tauSingle);
    // τ² enters three terms; the power function gives the same value each time it is asked.
    const double x2 = Power(x, 2);
    double numerator = k2 * x2 + k1 * x;
    numerator = numerator + k3 * Power(x, 3);
    numerator = numerator + k4 * Power(x, 4);
    numerator = numerator + k5 * Power(x, 5);
    if (RaisesFault(numerator, x)) return Status::ArithmeticFault;

    const double denominator = (k7 * x2 + (k6 * x + 1.0)) * static_cast<double>(tr);
    if (RaisesFault(denominator, x, tr)) return Status::ArithmeticFault;

    const double exponent = numerator / denominator - x / (k8 * x2 + k9);
    if (RaisesFault(exponent, numerator, denominator, x)) return Status::ArithmeticFault;

    const double power = std::exp(exponent);
    if (RaisesFault(power, exponent)) return Status::ArithmeticFault;

    // Pr and Psat are handed back before the closing test: an e^L beyond the single-precision
    // range leaves both written as +infinity and is reported only then. The one step that
    // stores before it tests, so it does not go through StoreRounded.
    const float pr = RoundToSingle(power);
    reducedP = pr;
    const double psatExact = static_cast<double>(pr) * kCriticalPressure;
    psat = RoundToSingle(psatExact);
    if (RoundingOverflows(power, pr) || RaisesFault(psatExact, pr) ||
        RoundingOverflows(psatExact, psat)) {
        return Status::ArithmeticFault;
    }
    return Status::Ok;
}

Status HumidityRatio(float pv, float p, float& w) {
    const double product = kMolarMassRatio * static_cast<double>(pv);
    const double difference = static_cast<double>(p) - static_cast<double>(pv);
    return StoreRounded(product / difference, w, pv, p);
}

Status MoistAirEnthalpy(float t, float w, float& h) {
    const double td = static_cast<double>(t);
    const double enthalpy =
        (kVapourSpecificHeat * td + kVapourEnthalpyAtZero) * static_cast<double>(w) +
        kDryAirSpecificHeat * td;
    return StoreRounded(enthalpy, h, t, w);
}

Status VaporPressureFromWetBulb(float psatWb, float p, float tdb, float twb, float& pv) {
    const double depression = static_cast<double>(tdb) - static_cast<double>(twb);
    const double product = depression * (static_cast<double>(p) - static_cast<double>(psatWb));
    const double divisor = kCarrierA - kCarrierB * static_cast<double>(twb);
    const double pressure = static_cast<double>(psatWb) - product / divisor;
    return StoreRounded(pressure, pv, psatWb, p, tdb, twb);
}

Status SatAirEnthalpy(float t, float p, float& psat, float& h) {
    float reducedT = 0.0F;
    float tau = 0.0F;
    float reducedP = 0.0F;
    float saturation = 0.0F;
    if (SatPressure(t, reducedT, tau, reducedP, saturation) != Status::Ok) {
        return Status::ArithmeticFault;
    }
    psat = saturation;

    float ws = 0.0F;
    if (HumidityRatio(saturation, p, ws) != Status::Ok) return Status::ArithmeticFault;
    return MoistAirEnthalpy(t, ws, h);
}

Status SpecificVolume(float t, float p, float w, double& v) {
    const double gasTerm = kDryAirGasConstant * (static_cast<double>(t) + kVolumeRankineOffset);
    const double pressureTerm = kInHgPerPsi * static_cast<double>(p);
    const double moistureTerm = kMolarMassAir * static_cast<double>(w) / kMolarMassWater + 1.0;
    const double volume = gasTerm / pressureTerm * moistureTerm;
    if (RaisesFault(volume, t, p, w)) return Status::ArithmeticFault;
    v = volume;
    return Status::Ok;
}

}  // namespace veltrane
