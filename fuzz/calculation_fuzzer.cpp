// The calculation takes any twelve single-precision inputs (NaN, infinities and denormals
// included) and always returns its sixteen values, the same each time. The same bytes, read as
// shares of the ranges a real tower works in, must give sixteen finite results; only KaV/L may
// be infinite, and only where the Merkel integral itself diverges.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "design_sets.h"
#include "fuzz_check.h"
#include "performance.h"

namespace veltrane::fuzz {
namespace {

constexpr std::size_t kInputBytes = kInputCount * sizeof(float);

/// The raw inputs: the defaults, overwritten by as many bytes as the fuzzer gave.
DesignInputs RawInputs(const std::uint8_t* data, std::size_t size) {
    DesignInputs inputs = DefaultDesignInputs();
    if (size > 0) std::memcpy(inputs.items.data(), data, size < kInputBytes ? size : kInputBytes);
    return inputs;
}

/// A value between low and high inclusive, placed by the bits of `raw`.
float Within(float raw, float low, float high) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &raw, sizeof bits);
    constexpr std::uint32_t kSteps = 1U << 24;
    const double share = static_cast<double>(bits % (kSteps + 1)) / kSteps;
    const double from = static_cast<double>(low);
    return static_cast<float>(from + share * (static_cast<double>(high) - from));
}

/// A design inside the working ranges of a real tower: the dry bulb at or above the wet bulb and
/// the hot water at or above the cold water.
DesignInputs PlausibleInputs(const DesignInputs& raw) {
    DesignInputs design{};
    design[Input::kAtmosPress] = Within(raw[Input::kAtmosPress], 10.0F, 16.0F);
    design[Input::kWetBulb] = Within(raw[Input::kWetBulb], 30.0F, 90.0F);
    design[Input::kDryBulb] = Within(raw[Input::kDryBulb], design[Input::kWetBulb], 120.0F);
    design[Input::kApproach] = Within(raw[Input::kApproach], 5.0F, 30.0F);
    const float coldWater = design[Input::kWetBulb] + design[Input::kApproach];
    design[Input::kHotWater] = Within(raw[Input::kHotWater], coldWater, 160.0F);
    design[Input::kLiquidGas] = Within(raw[Input::kLiquidGas], 0.5F, 3.0F);
    design[Input::kWaterFlow] = Within(raw[Input::kWaterFlow], 1.0F, 1e6F);
    design[Input::kCycles] = Within(raw[Input::kCycles], 1.5F, 10.0F);
    design[Input::kDriftLoss] = Within(raw[Input::kDriftLoss], 0.0F, 1.0F);
    design[Input::kMakeupTemp] = Within(raw[Input::kMakeupTemp], 32.0F, 100.0F);
    design[Input::kFanPress] = Within(raw[Input::kFanPress], 0.1F, 3.0F);
    design[Input::kFanEff] = Within(raw[Input::kFanEff], 30.0F, 90.0F);
    return design;
}

bool SameBits(const PerformanceResults& a, const PerformanceResults& b) {
    return std::memcmp(a.values.items.data(), b.values.items.data(), sizeof a.values.items) == 0 &&
           std::memcmp(&a.heatRejected, &b.heatRejected, sizeof a.heatRejected) == 0;
}

/// Every result is finite, but KaV/L may be infinite or NaN where a driving force is exactly
/// zero: there the air's enthalpy line touches the saturation curve and the Merkel integral has
/// no finite value (the ranges above allow it at high L/G with a cold wet bulb).
bool FiniteWhereDefined(const DesignInputs& design, const PerformanceResults& results) {
    for (const Result j : kAllResults) {
        if (j != Result::kKaVL && !std::isfinite(results.values[j])) return false;
    }
    if (!std::isfinite(results.heatRejected)) return false;
    if (std::isfinite(results.values[Result::kKaVL])) return true;
    const WorkingQuantities working = CalculateWorkingQuantities(design);
    for (const float drivingForce : working.drivingForce) {
        if (drivingForce == 0.0F) return true;
    }
    return false;
}

/// The design and its results in full precision, for a reproducer.
void PrintDesign(const DesignInputs& design, const PerformanceResults& results) {
    for (const InputDefinition& input : kInputs) {
        std::fprintf(stderr, "input %2zu %-30.*s %.9g\n", PositionOf(input.index),
                     static_cast<int>(input.caption.size()), input.caption.data(),
                     static_cast<double>(design[input.index]));
    }
    for (const ResultDefinition& result : kResults) {
        std::fprintf(stderr, "result %2zu %-30.*s %.9g\n", PositionOf(result.index),
                     static_cast<int>(result.caption.size()), result.caption.data(),
                     static_cast<double>(results.values[result.index]));
    }
}

}  // namespace
}  // namespace veltrane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane;
    using namespace veltrane::fuzz;

    const DesignInputs raw = RawInputs(data, size);
    const PerformanceResults first = CalculatePerformance(raw);
    // The makeup water temperature enters no result, and a read of anything left unset would
    // show as a second run that differs.
    DesignInputs otherMakeup = raw;
    otherMakeup[Input::kMakeupTemp] = first.values[Result::kKaVL];
    Require(SameBits(first, CalculatePerformance(otherMakeup)),
            "neither a second run nor the makeup water temperature changes a result");

    const DesignInputs design = PlausibleInputs(raw);
    const PerformanceResults plausible = CalculatePerformance(design);
    if (!FiniteWhereDefined(design, plausible)) {
        PrintDesign(design, plausible);
        Require(false, "a plausible design gives finite results");
    }
    return 0;
}
