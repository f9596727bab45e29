#include "test_report.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace veltrane {
namespace {

/// Territories whose office paper is Letter, as the C library's locale data sets LC_PAPER.
constexpr std::array<std::string_view, 15> kLetterTerritories{
    "US", "CA", "MX", "PH", "CL", "CO", "CR", "DO", "GT", "NI", "PA", "PR", "SV", "VE", "BZ"};

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

/// "US" of "en_US.UTF-8", "en-us" or "en_US@euro": the part after the language, upper case.
std::string Territory(std::string_view localeName) {
    const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
    const std::size_t separator = name.find_first_of("_-");
    if (separator == std::string_view::npos) return {};
    std::string territory(name.substr(separator + 1));
    std::transform(territory.begin(), territory.end(), territory.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return territory;
}

double Shown(UnitSystem units, float fahrenheit) {
    return ValueInUnits(Quantity::kTemperature, units, static_cast<double>(fahrenheit));
}

}  // namespace

std::optional<PaperSize> ParsePaperSize(std::string_view text) noexcept {
    try {
        const std::string lowered = Lowered(text);
        if (lowered == "a4") return PaperSize::kA4;
        if (lowered == "letter") return PaperSize::kLetter;
    } catch (...) {
        // No memory for a two-word comparison: no paper either.
    }
    return std::nullopt;
}

PaperSize PaperSizeForLocale(std::string_view localeName) noexcept {
    try {
        const std::string territory = Territory(localeName);
        const bool letter = std::find(kLetterTerritories.begin(), kLetterTerritories.end(),
                                      territory) != kLetterTerritories.end();
        return letter ? PaperSize::kLetter : PaperSize::kA4;
    } catch (...) {
        return PaperSize::kA4;
    }
}

std::string PaperLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

std::optional<CrossPlot> CrossPlotOf(const MakerCurves& curves, const CurvesEvaluation& e,
                                     float testColdWater, UnitSystem units) {
    const std::optional<float> atAdjusted = CrossPlotColdWater(curves, e, e.adjustedFlowPercent);
    if (!atAdjusted) return std::nullopt;
    CrossPlot plot;
    plot.temperatureUnit = units == UnitSystem::kUS ? "°F" : "°C";
    for (std::size_t f = 0; f < curves.flowPercents.size(); ++f) {
        plot.flows.push_back(
            {static_cast<double>(curves.flowPercents[f]), Shown(units, e.flowColdWater[f])});
    }
    // The line spans the curves' flows and reaches the test's own flows where they lie beyond.
    const float from =
        std::min({curves.flowPercents.front(), e.predictedFlowPercent, e.adjustedFlowPercent});
    const float to =
        std::max({curves.flowPercents.back(), e.predictedFlowPercent, e.adjustedFlowPercent});
    for (int i = 0; i <= kCrossPlotLinePoints; ++i) {
        const float flow =
            from + (to - from) * static_cast<float>(i) / static_cast<float>(kCrossPlotLinePoints);
        if (const std::optional<float> cold = CrossPlotColdWater(curves, e, flow))
            plot.line.push_back({static_cast<double>(flow), Shown(units, *cold)});
    }
    plot.test = {static_cast<double>(e.predictedFlowPercent), Shown(units, testColdWater)};
    plot.adjusted = {static_cast<double>(e.adjustedFlowPercent), Shown(units, *atAdjusted)};
    return plot;
}

}  // namespace veltrane
