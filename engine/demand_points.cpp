#include "demand_points.h"

#include "number_text.h"

namespace veltrane {

std::vector<float> DefaultChartApproaches(UnitSystem units) {
    if (units == UnitSystem::kUS) return DemandChartRequest{}.approaches;
    std::vector<float> approaches;
    approaches.reserve(std::size(kDefaultApproachesSI));
    for (const double kelvins : kDefaultApproachesSI)
        approaches.push_back(InputFromUnits(Quantity::kTemperatureDifference, units, kelvins));
    return approaches;
}

std::string ApproachCaption(UnitSystem units) {
    return CaptionText({"Approach", Quantity::kTemperatureDifference}, units);
}

std::string DemandPointsText(const DemandChart& chart, UnitSystem units,
                             std::string_view approachCaption, CsvFormat format) {
    const char separator = format.separator;
    std::string text(approachCaption);
    text += separator;
    text += "LG";
    text += separator;
    text += "KaVL\n";
    for (const ChartCurve& c : chart.curves) {
        char approach[kNumberTextCapacity];
        const std::string approachText = FormatNumberText(
            std::string_view(approach, static_cast<std::size_t>(
                                           WriteLossless(approach, Quantity::kTemperatureDifference,
                                                         units, c.curve.approach) -
                                           approach)),
            format);
        for (const DemandPoint& point : c.curve.points) {
            text += approachText;
            text += separator;
            text += FormatNumberText(ShortestText(point.liquidGas).View(), format);
            text += separator;
            text += FormatNumberText(ShortestText(point.kaVL).View(), format);
            text += '\n';
        }
    }
    return text;
}

}  // namespace veltrane
