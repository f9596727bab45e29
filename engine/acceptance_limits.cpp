#include "acceptance_limits.h"

#include <algorithm>
#include <cmath>

#include "constants.h"
#include "message_text.h"
#include "number_text.h"
#include "rating.h"

namespace veltrane {
namespace {

constexpr std::string_view kLimitNames = "twb, range, flow, load, fan and p";
/// Figures of a departure or limit in a note: enough to tell 10.04 % from a 10 % limit.
constexpr int kNoteFigures = 4;

const TestLimitDefinition& DefinitionOf(TestLimit limit) {
    return kTestLimits[static_cast<std::size_t>(limit)];
}

std::string_view UnitOf(TestLimit limit, UnitSystem units) {
    const TestLimitDefinition& d = DefinitionOf(limit);
    return units == UnitSystem::kSI ? d.siUnit : d.usUnit;
}

std::string Figures(double value) {
    return std::string(SignificantText(value, kNoteFigures).View());
}

/// The departure of `reading` from `design` in percent of the design's.
double PercentOf(double reading, double design) {
    return kPercent * (reading - design) / design;
}

/// The reading's departure from the design for each limit, in the limits' units.
std::array<double, kTestLimitCount> Departures(const AcceptanceDesign& a, const TestReading& r,
                                               UnitSystem units) {
    const auto d = [](float value) { return static_cast<double>(value); };
    const DesignInputs& design = a.design;
    const double designRange = d(RowRange(design));
    const double readingRange = d(r.hotWater) - d(r.coldWater);
    const double designFlow = d(design[Input::kWaterFlow]);
    const double wetBulb = d(r.wetBulb) - d(design[Input::kWetBulb]);
    const double pressure = d(r.pressure) - d(design[Input::kAtmosPress]);
    const bool si = units == UnitSystem::kSI;
    return {
        si ? ToSI(Quantity::kTemperatureDifference, wetBulb) : wetBulb,
        PercentOf(readingRange, designRange),
        PercentOf(d(r.waterFlow), designFlow),
        PercentOf(d(r.waterFlow) * readingRange, designFlow * designRange),
        PercentOf(d(r.fanPower), d(a.fanPower)),
        si ? ToSI(Quantity::kPressure, pressure) : pressure / kPsiPerInchOfMercury,
    };
}

/// "wet bulb 35 F below the design, beyond 12 F"
std::string DescribeLimitPassed(const LimitPassed& p, UnitSystem units) {
    const std::string unit = " " + std::string(UnitOf(p.limit, units));
    std::string text(DefinitionOf(p.limit).name);
    text += " " + Figures(std::fabs(p.departure)) + unit;
    text += p.departure > 0.0 ? " above" : " below";
    text += " the design, beyond " + Figures(p.allowed) + unit;
    return text;
}

/// "twb=12" read into `limits`; false with `error` set when it cannot be.
bool ReadLimit(std::string_view item, UnitSystem units, TestLimits& limits,
               std::array<bool, kTestLimitCount>& given, std::string& error) {
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
        error = QuoteForMessage(item) + " needs a value: NAME=VALUE";
        return false;
    }
    const std::string_view key = TrimBlanks(item.substr(0, equals));
    const std::string_view text = TrimBlanks(item.substr(equals + 1));
    const auto named = std::find_if(kTestLimits.begin(), kTestLimits.end(),
                                    [key](const TestLimitDefinition& d) { return d.key == key; });
    if (named == kTestLimits.end()) {
        error =
            QuoteForMessage(key) + " is not a limit: the limits are " + std::string(kLimitNames);
        return false;
    }
    const auto k = static_cast<std::size_t>(named->limit);
    if (given[k]) {
        error = std::string(key) + " is given twice";
        return false;
    }
    float value = 0.0F;
    const NumberError numberError = ReadInputNumber(text, value);
    if (numberError != NumberError::None) {
        error = std::string(key) + ": " + QuoteForMessage(text) + " is " +
                std::string(Describe(numberError));
        return false;
    }
    if (!(value > 0.0F)) {
        error = std::string(key) + ": " + QuoteForMessage(text) + " is not above 0 " +
                std::string(UnitOf(named->limit, units));
        return false;
    }
    given[k] = true;
    limits.allowed[k] = static_cast<double>(value);
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

TestLimits DefaultTestLimits(UnitSystem units) noexcept {
    TestLimits limits;
    limits.units = units;
    for (const TestLimitDefinition& d : kTestLimits) {
        limits.allowed[static_cast<std::size_t>(d.limit)] =
            units == UnitSystem::kSI ? d.siDefault : d.usDefault;
    }
    return limits;
}

TestLimitsText ParseTestLimits(std::string_view text, UnitSystem units) {
    TestLimitsText parsed{DefaultTestLimits(units), {}};
    if (TrimBlanks(text).empty()) {
        parsed.error = "no limit given: NAME=VALUE separated by commas, NAME one of " +
                       std::string(kLimitNames);
        return parsed;
    }
    std::array<bool, kTestLimitCount> given{};
    while (true) {
        const std::size_t comma = std::min(text.find(','), text.size());
        if (!ReadLimit(text.substr(0, comma), units, parsed.limits, given, parsed.error)) {
            parsed.limits = DefaultTestLimits(units);
            return parsed;
        }
        if (comma == text.size()) return parsed;
        text.remove_prefix(comma + 1);
    }
}

std::vector<LimitPassed> LimitsPassed(const AcceptanceDesign& design, const TestReading& reading,
                                      const TestLimits& limits) {
    const std::array<double, kTestLimitCount> departures =
        Departures(design, reading, limits.units);
    std::vector<LimitPassed> passed;
    for (std::size_t k = 0; k < kTestLimitCount; ++k) {
        // A departure that is no number passes nothing: the evaluation names it.
        if (std::fabs(departures[k]) > limits.allowed[k])
            passed.push_back({kTestLimits[k].limit, departures[k], limits.allowed[k]});
    }
    return passed;
}

std::string DescribeLimitsPassed(std::span<const LimitPassed> passed, UnitSystem units) {
    if (passed.empty()) return {};
    std::string note = "outside the test limits: ";
    for (std::size_t k = 0; k < passed.size(); ++k) {
        if (k > 0) note += "; ";
        note += DescribeLimitPassed(passed[k], units);
    }
    return note;
}

std::string ReadingNote(const CapabilityEvaluation& evaluation, std::span<const LimitPassed> passed,
                        UnitSystem units) {
    std::string note;
    if (evaluation.outcome != EvaluationOutcome::kEvaluated)
        note = "not evaluated: " + ExplainEvaluation(evaluation);
    const std::string limits = DescribeLimitsPassed(passed, units);
    if (!note.empty() && !limits.empty()) note += "; ";
    return note + limits;
}

CapabilitySpread SpreadOf(std::span<const float> capabilities) {
    CapabilitySpread spread;
    spread.count = capabilities.size();
    if (capabilities.empty()) return spread;
    std::vector<double> values(capabilities.begin(), capabilities.end());
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    spread.lowest = *lowest;
    spread.highest = *highest;
    const double n = static_cast<double>(values.size());
    double sum = 0.0;
    for (const double v : values)
        sum += v;
    const double mean = sum / n;
    double squares = 0.0;
    for (const double v : values)
        squares += (v - mean) * (v - mean);
    spread.standardDeviation = values.size() > 1 ? std::sqrt(squares / (n - 1.0)) : std::nan("");
    spread.median = Median(values);
    std::vector<double> deviations;
    deviations.reserve(values.size());
    for (const double v : values)
        deviations.push_back(std::fabs(v - spread.median));
    spread.scaledMedianDeviation = kMedianDeviationScale * Median(deviations);
    return spread;
}

bool StandsApart(float capability, const CapabilitySpread& spread) noexcept {
    constexpr std::size_t kFewestReadings = 3;
    if (spread.count < kFewestReadings || !(spread.scaledMedianDeviation > 0.0)) return false;
    return std::fabs(static_cast<double>(capability) - spread.median) >
           kStandingApartDeviations * spread.scaledMedianDeviation;
}

std::string DescribeStandingApart(float capability, const CapabilitySpread& spread) {
    const double deviations =
        std::fabs(static_cast<double>(capability) - spread.median) / spread.scaledMedianDeviation;
    return "stands apart: " + std::string(SignificantText(deviations, 2).View()) +
           " scaled median absolute deviations from the readings' median capability of " +
           Figures(spread.median) + " %";
}

std::string DescribeSpread(const CapabilitySpread& spread) {
    if (spread.count == 0) return {};
    std::string note = "spread of " + std::to_string(spread.count) +
                       (spread.count == 1 ? " reading" : " readings") + ": lowest " +
                       Figures(spread.lowest) + " %, highest " + Figures(spread.highest) + " %";
    if (spread.count > 1)
        note += ", sample standard deviation " + Figures(spread.standardDeviation) + " %";
    return note;
}

}  // namespace veltrane
