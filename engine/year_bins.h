#pragma once
// A year of weather bins: the design rated against its tower at each bin's wet and dry bulb (its
// range held), its fans run to the setpoint, and the year's water and fan energy summed. The
// water is the exact leaving air's (the window's exit-air search is off by several percent).
// A bin without an operating point enters no sum; it is listed so that a note can name it.

#include <cstddef>
#include <span>
#include <vector>

#include "fan_control.h"

namespace veltrane {

/// gpm × this × hours gives US gallons.
inline constexpr double kMinutesPerHour = 60.0;
/// kW per mechanical horsepower (550 ft·lbf/s = 745.7 W).
inline constexpr double kKilowattsPerHorsepower = 0.7457;

/// US gallons that flow at `gpm` (US gpm) for `hours` (h).
double GallonsOver(float gpm, double hours) noexcept;
/// kWh a fan of `horsepower` (hp) takes in `hours` (h).
double KilowattHoursOver(float horsepower, double hours) noexcept;
/// Whether the cold water reached (°F) misses the setpoint (°F) by more than the fan control's
/// tolerance, kSetpointTolerance.
bool AboveSetpoint(float coldWater, float setpoint) noexcept;

/// One weather bin: the air for `hours` of the year.
struct WeatherBin {
    float wetBulb = 0.0F;  ///< °F
    float dryBulb = 0.0F;  ///< °F
    double hours = 0.0;    ///< h, finite and not negative
};

/// The design at the bin's air, its range held (THot follows the wet bulb).
DesignInputs DesignAtBin(const DesignInputs& design, const WeatherBin& bin) noexcept;

/// One bin run: its fan operation and, when it has an operating point, its figures over its
/// hours.
struct BinOperation {
    FanOperation run;
    double makeupGallons = 0.0;     ///< US gal over the bin's hours
    double fanKilowattHours = 0.0;  ///< kWh over the bin's hours
    bool aboveSetpoint = false;     ///< the cold water reached is above the setpoint
    [[nodiscard]] bool operating() const noexcept {
        return run.outcome != FanOutcome::kNoOperatingPoint;
    }
};

struct YearTotals {
    double hours = 0.0;               ///< h of the bins with an operating point
    double fanKilowattHours = 0.0;    ///< kWh
    double makeupGallons = 0.0;       ///< US gal
    double evaporationGallons = 0.0;  ///< US gal
    double blowdownGallons = 0.0;     ///< US gal
    /// The hours-weighted mean of the cold water reached, °F; NaN when no bin has hours.
    double meanColdWater = 0.0;
    double hoursAboveSetpoint = 0.0;       ///< h
    std::vector<std::size_t> binsLeftOut;  ///< indices of the bins without an operating point
    double hoursLeftOut = 0.0;             ///< h of those bins
};

struct YearRun {
    std::vector<BinOperation> bins;  ///< one per bin, in order
    YearTotals totals;
};

/// Runs every bin. Pure.
/// @param design  [in] the design whose air the bins replace, its range held
/// @param tower   [in] the tower's characteristic at full air flow
/// @param control [in] fan mode, setpoint (°F), vfd's lowest air flow
/// @param bins    [in] the weather bins, hours finite and not negative
YearRun RunYear(const DesignInputs& design, TowerCharacteristic tower, const FanControl& control,
                std::span<const WeatherBin> bins);

}  // namespace veltrane
