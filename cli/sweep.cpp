#include "sweep.h"

#include <array>
#include <cmath>

#include "columns.h"
#include "design_sets.h"
#include "input_columns.h"
#include "number_text.h"

namespace veltrane::cli {
namespace {

/// Allowance for FROM + n·STEP landing a rounding error short of TO (0.5:2:0.1 gives
/// (2 − 0.5) / 0.1 = 14.999999999999998 in double precision).
constexpr double kStepCountAllowance = 1e-9;

/// Splits "FROM:TO:STEP" into its three texts; false unless there are exactly three.
bool SplitRange(std::string_view range, std::array<std::string_view, 3>& parts) {
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t colon = range.find(':');
        if ((colon == std::string_view::npos) != (i == 2)) return false;
        parts[i] = range.substr(0, colon);
        if (colon != std::string_view::npos) range.remove_prefix(colon + 1);
    }
    return true;
}

/// The three numbers, each read like an input (so within single precision), kept in double
/// precision for the stepping.
bool ReadRange(const std::array<std::string_view, 3>& parts, std::array<double, 3>& numbers,
               std::string& error) {
    static constexpr std::array<std::string_view, 3> kPartNames{"FROM", "TO", "STEP"};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        float single = 0.0F;
        const NumberError numberError = ReadInputNumber(parts[i], single);
        if (numberError != NumberError::None) {
            error = std::string(kPartNames[i]) + " " + QuoteForMessage(parts[i]) + " is " +
                    std::string(Describe(numberError));
            return false;
        }
        numbers[i] = ReadAcceptedNumberAsDouble(parts[i]);
    }
    return true;
}

}  // namespace

float Sweep::ValueAt(std::size_t k) const {
    return static_cast<float>(from + static_cast<double>(k) * step);
}

std::optional<Sweep> ParseSweep(std::string_view argument, std::string& error) {
    const std::size_t equals = argument.rfind('=');
    std::array<std::string_view, 3> parts;
    if (equals == std::string_view::npos || !SplitRange(argument.substr(equals + 1), parts)) {
        error = "--sweep needs NAME=FROM:TO:STEP, not " + QuoteForMessage(argument);
        return std::nullopt;
    }
    const std::string_view name = argument.substr(0, equals);
    std::optional<UnitSystem> captionUnits;
    std::optional<Input> input = FindInput(name);
    if (input && EqualIgnoringCase(TrimBlanks(name), kInputs[*input].caption) &&
        kInputs[*input].caption != CaptionIn(*input, UnitSystem::kSI)) {
        captionUnits = UnitSystem::kUS;
    }
    for (const Input i : kAllInputs) {
        if (input || !EqualIgnoringCase(TrimBlanks(name), CaptionIn(i, UnitSystem::kSI))) continue;
        input = i;
        captionUnits = UnitSystem::kSI;
    }
    if (!input) {
        error = "--sweep: unknown input " + QuoteForMessage(TrimBlanks(name));
        return std::nullopt;
    }
    const std::string prefix = "--sweep " + std::string(kInputs[*input].shortName) + ": ";
    std::array<double, 3> numbers{};
    if (!ReadRange(parts, numbers, error)) {
        error = prefix + error;
        return std::nullopt;
    }
    const auto [from, to, step] = numbers;
    if (step == 0.0) {
        error = prefix + "STEP must not be zero";
        return std::nullopt;
    }
    const double steps = (to - from) / step;
    if (steps < -kStepCountAllowance) {
        error = prefix + "STEP leads away from TO";
        return std::nullopt;
    }
    const double lastStep = std::floor(steps + kStepCountAllowance);
    if (!(lastStep < static_cast<double>(kMaxSweepValues))) {
        error = prefix + "more than " + std::to_string(kMaxSweepValues) + " values";
        return std::nullopt;
    }
    Sweep sweep;
    sweep.input = *input;
    sweep.from = from;
    sweep.step = step;
    sweep.count = static_cast<std::size_t>(lastStep < 0 ? 0.0 : lastStep) + 1;
    sweep.captionUnits = captionUnits;
    return sweep;
}

}  // namespace veltrane::cli
