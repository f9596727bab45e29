#include "fit_report.h"

#include <array>
#include <cstdio>

#include "number_text.h"

namespace veltrane::cli {
namespace {

/// Four figures: enough to tell the interval's width, not more than the data carry.
std::string Figures(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g", value);
    return buffer;
}

std::string Shortest(float value) {
    return std::string(PlainShortestText(value).View());
}

std::string WithInterval(std::string_view name, float value,
                         const std::optional<Interval>& interval) {
    std::string text = std::string(name) + " " + Shortest(value);
    if (interval)
        text += " (95 %: " + Figures(interval->lower) + " to " + Figures(interval->upper) + ")";
    return text;
}

/// A CSV field: the place is whatever name the command line gave, commas and quotes included.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string FitSummary(const CharacteristicFit& fit, UnitSystem units) {
    std::string text = WithInterval("C", fit.tower.c, fit.cInterval) + ", ";
    text += fit.slopeFixed ? "m " + Shortest(fit.tower.m) + " (fixed)"
                           : WithInterval("m", fit.tower.m, fit.mInterval);
    text += ", from " + std::to_string(fit.points) + (fit.points == 1 ? " row" : " rows");
    if (!fit.cInterval) text += " (no interval: no degree of freedom is left)";
    const double rms = ValueInUnits(Quantity::kTemperatureDifference, units,
                                    static_cast<double>(fit.rmsColdWaterDeviation));
    text += "; RMS of the cold-water deviations " + Figures(rms) + " " +
            std::string(UnitOf(Quantity::kTemperatureDifference, units));
    return text;
}

std::string FitRowsCsv(const CharacteristicFit& fit, const std::vector<std::string>& places,
                       UnitSystem units) {
    constexpr std::array<Caption, 5> kCaptions{{
        {"Row"},
        {"KaV/L"},
        {"L/G", Quantity::kMassRatio, UnitShown::kNever},
        {"Cold Water", Quantity::kTemperature},
        {"Deviation", Quantity::kTemperatureDifference},
    }};
    std::string csv;
    for (const Caption& caption : kCaptions)
        csv += (csv.empty() ? "" : ",") + CaptionText(caption, units);
    csv += '\n';
    for (const FitResidual& r : fit.residuals) {
        csv += CsvField(r.row < places.size() ? places[r.row] : std::to_string(r.row + 1));
        csv += ',' + Shortest(r.kaVL) + ',' + Shortest(r.liquidGas) + ',';
        csv += std::string(ExactText(Quantity::kTemperature, units, r.coldWater).View()) + ',';
        csv += std::string(ExactText(Quantity::kTemperatureDifference, units, r.deviation).View());
        csv += '\n';
    }
    return csv;
}

}  // namespace veltrane::cli
