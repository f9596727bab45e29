#pragma once
// One hour of a weather file as the design's air: the design row with its pressure, wet bulb and
// dry bulb replaced by the hour's, its range held (scaled by the plant's load), rated against
// its tower with its fans run to the setpoint and the exact leaving air.

#include <string_view>

#include "fan_control.h"
#include "weather_file.h"
#include "wet_bulb_from_dew_point.h"

namespace veltrane {

/// The hour's air in the calculation's units.
struct HourAir {
    float pressure = 0.0F;  ///< station pressure, psia
    float dryBulb = 0.0F;   ///< °F
    float dewPoint = 0.0F;  ///< °F, a frost point below 32 °F
    float wetBulb = 0.0F;   ///< °F, by the psychrometer relation (WetBulbFromDewPoint)
};

struct HourAirConversion {
    WetBulbOutcome outcome = WetBulbOutcome::kNotBracketed;
    HourAir air;  ///< the wet bulb only when solved
};

/// The record's air: Pa to psia and °C to °F each rounded once from double precision, then the
/// wet bulb solved.
HourAirConversion AirOfRecord(const WeatherRecord& record);

/// Plain words for an hour whose wet bulb was not solved, said of its dew point ("" when
/// solved): "above the dry bulb".
std::string_view DescribeWetBulbOutcome(WetBulbOutcome outcome) noexcept;

/// The design at the hour's air: P, Twb and Tdb the hour's, the design's range × load / 100
/// (the flow held, so the heat load scales), THot following the wet bulb.
/// @param design      [in] the design row as read
/// @param air         [in] the hour's air
/// @param loadPercent [in] the plant's heat load, % of the design's, above 0
DesignInputs DesignAtHour(const DesignInputs& design, const HourAir& air, float loadPercent);

/// The hour rated against the tower, its fans run to the setpoint, with the exact leaving air.
FanOperation RunHour(const DesignInputs& design, TowerCharacteristic tower,
                     const FanControl& control, const HourAir& air, float loadPercent);

}  // namespace veltrane
