#pragma once
// What makes an acceptance test's reading a fair test of its design, one rule for both front
// ends: each reading lies within the usual limits of the acceptance test codes of the design
// (wet bulb ±12 °F, range ±20 %, water flow ±10 %, heat load ±20 %, fan power ±10 %, barometric
// pressure ±1 inHg). A reading beyond them is still evaluated, so that the engineer sees it, but
// its notes name every limit passed with its value. A contract may set other limits.
//
// Limits are held in the units a run is read and written in: °F and inHg in US units, K and kPa
// in SI (whose defaults, 6.7 K and 3.4 kPa, are the codes' own rounded figures, not the US ones
// converted); the others are percentages of the design's value.
//
// Over the readings of a test: their spread (lowest, highest, sample standard deviation), and a
// reading whose capability lies more than 3 scaled median absolute deviations from the median
// noted as standing apart.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "acceptance.h"
#include "units.h"

namespace veltrane {

enum class TestLimit : std::size_t {
    kWetBulb,    ///< reading − design wet bulb, °F or K
    kRange,      ///< % of the design range
    kWaterFlow,  ///< % of the design flow
    kHeatLoad,   ///< % of the design heat load (flow × range)
    kFanPower,   ///< % of the design fan power
    kPressure,   ///< reading − design barometric pressure, inHg or kPa
};

inline constexpr std::size_t kTestLimitCount = 6;

struct TestLimitDefinition {
    TestLimit limit;
    std::string_view key;   ///< its name in a limits text ("twb")
    std::string_view name;  ///< its name in a note ("wet bulb")
    std::string_view usUnit;
    std::string_view siUnit;
    double usDefault;  ///< in usUnit
    double siDefault;  ///< in siUnit
};

inline constexpr std::array<TestLimitDefinition, kTestLimitCount> kTestLimits{{
    {TestLimit::kWetBulb, "twb", "wet bulb", "F", "K", 12.0, 6.7},
    {TestLimit::kRange, "range", "range", "%", "%", 20.0, 20.0},
    {TestLimit::kWaterFlow, "flow", "water flow", "%", "%", 10.0, 10.0},
    {TestLimit::kHeatLoad, "load", "heat load", "%", "%", 20.0, 20.0},
    {TestLimit::kFanPower, "fan", "fan power", "%", "%", 10.0, 10.0},
    {TestLimit::kPressure, "p", "barometric pressure", "inHg", "kPa", 1.0, 3.4},
}};

constexpr bool TestLimitsInOrder() {
    for (std::size_t k = 0; k < kTestLimits.size(); ++k) {
        if (static_cast<std::size_t>(kTestLimits[k].limit) != k) return false;
    }
    return true;
}
static_assert(TestLimitsInOrder());

/// psia per inch of mercury at 32 °F: 3386.389 Pa over the psi's 6894.757 Pa.
inline constexpr double kPsiPerInchOfMercury = 0.4911541996344655;

/// The limits of a test, each the largest departure from the design allowed either way, in
/// the units of `units` (see kTestLimits).
struct TestLimits {
    UnitSystem units = UnitSystem::kUS;
    std::array<double, kTestLimitCount> allowed{};
    [[nodiscard]] double operator[](TestLimit limit) const noexcept {
        return allowed[static_cast<std::size_t>(limit)];
    }
};

/// The test codes' limits in a unit system.
[[nodiscard]] TestLimits DefaultTestLimits(UnitSystem units) noexcept;

/// Limits from a text such as "twb=12,range=20,flow=10,load=20,fan=10,p=1": any subset, each
/// at most once, each value above 0 in the units of `units`; the others keep their defaults.
struct TestLimitsText {
    TestLimits limits;
    std::string error;  ///< empty when the text was read; else why it is refused
};
[[nodiscard]] TestLimitsText ParseTestLimits(std::string_view text, UnitSystem units);

/// A limit a reading passed: its departure from the design and the limit, both in the units
/// of the limits, the departure signed (positive: above the design).
struct LimitPassed {
    TestLimit limit;
    double departure;
    double allowed;
};

/// Every limit the reading passes, in kTestLimits' order; none for a fair reading. Values that
/// are not numbers pass no limit (the evaluation refuses them for themselves).
/// @param design  [in] the design and its fan power, in the readings' fan-power unit
/// @param reading [in] one reading, US units
/// @param limits  [in] the limits
[[nodiscard]] std::vector<LimitPassed> LimitsPassed(const AcceptanceDesign& design,
                                                    const TestReading& reading,
                                                    const TestLimits& limits);

/// The note of a reading's limits: "outside the test limits: wet bulb 35 F below the design,
/// beyond 12 F; ..."; empty when none is passed.
[[nodiscard]] std::string DescribeLimitsPassed(std::span<const LimitPassed> passed,
                                               UnitSystem units);

/// The Notes of one reading, one rule for both front ends: "not evaluated: <why>" for a
/// reading that was not, then the limits it passes; empty for a fair reading evaluated.
[[nodiscard]] std::string ReadingNote(const CapabilityEvaluation& evaluation,
                                      std::span<const LimitPassed> passed, UnitSystem units);

/// The spread of the capabilities of a test's evaluated readings, percent.
struct CapabilitySpread {
    std::size_t count = 0;
    double lowest = 0.0;
    double highest = 0.0;
    double median = 0.0;
    /// Sample standard deviation (n − 1); NaN for fewer than two readings.
    double standardDeviation = 0.0;
    /// 1.4826 × the median absolute deviation from the median: the standard deviation it
    /// estimates for normally spread readings, undisturbed by one wild reading.
    double scaledMedianDeviation = 0.0;
};

/// The scale that turns a median absolute deviation into a standard deviation (1 / Φ⁻¹(3/4)).
inline constexpr double kMedianDeviationScale = 1.4826;
/// A reading this many scaled median absolute deviations from the median stands apart.
inline constexpr double kStandingApartDeviations = 3.0;

[[nodiscard]] CapabilitySpread SpreadOf(std::span<const float> capabilities);

/// Whether a capability (%) stands apart from the readings' median by more than
/// kStandingApartDeviations scaled median absolute deviations. Never with fewer than three
/// readings, nor when more than half of them are equal (the deviation is zero, no scale).
[[nodiscard]] bool StandsApart(float capability, const CapabilitySpread& spread) noexcept;

/// The totals' note on the spread: "spread of 5 readings: lowest 98 %, highest 130 %, sample
/// standard deviation 13.69 %" (no deviation for one reading); empty for none.
[[nodiscard]] std::string DescribeSpread(const CapabilitySpread& spread);

/// The note of a reading that stands apart: "stands apart: 5.2 scaled median absolute
/// deviations from the readings' median capability of 100 %".
[[nodiscard]] std::string DescribeStandingApart(float capability, const CapabilitySpread& spread);

}  // namespace veltrane
