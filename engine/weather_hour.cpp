#include "weather_hour.h"

#include "constants.h"
#include "ieee_step.h"
#include "units.h"

namespace veltrane {
namespace {

constexpr double kPascalsPerKilopascal = 1000.0;

}  // namespace

HourAirConversion AirOfRecord(const WeatherRecord& record) {
    HourAirConversion conversion;
    HourAir& air = conversion.air;
    air.pressure = InputFromUnits(Quantity::kPressure, UnitSystem::kSI,
                                  record.stationPressure / kPascalsPerKilopascal);
    air.dryBulb = InputFromUnits(Quantity::kTemperature, UnitSystem::kSI, record.dryBulb);
    air.dewPoint = InputFromUnits(Quantity::kTemperature, UnitSystem::kSI, record.dewPoint);
    const WetBulbSolution solution = WetBulbFromDewPoint(air.dryBulb, air.dewPoint, air.pressure);
    conversion.outcome = solution.outcome;
    if (solution.outcome == WetBulbOutcome::kSolved) air.wetBulb = solution.wetBulb;
    return conversion;
}

std::string_view DescribeWetBulbOutcome(WetBulbOutcome outcome) noexcept {
    switch (outcome) {
        case WetBulbOutcome::kSolved:
            return "";
        case WetBulbOutcome::kDewPointAboveDryBulb:
            return "above the dry bulb";
        case WetBulbOutcome::kNotBracketed:
            return "no wet bulb gives its vapour pressure";
    }
    return "";
}

DesignInputs DesignAtHour(const DesignInputs& design, const HourAir& air, float loadPercent) {
    const float range =
        detail::RoundToSingle(detail::D(RowRange(design)) * detail::D(loadPercent) / kPercent);
    DesignInputs atHour = design;
    atHour[Input::kAtmosPress] = air.pressure;
    atHour[Input::kWetBulb] = air.wetBulb;
    atHour[Input::kDryBulb] = air.dryBulb;
    return WithRange(atHour, range);
}

FanOperation RunHour(const DesignInputs& design, TowerCharacteristic tower,
                     const FanControl& control, const HourAir& air, float loadPercent) {
    return ControlFans(DesignAtHour(design, air, loadPercent), tower, control,
                       LeavingAirRule::kExact);
}

}  // namespace veltrane
