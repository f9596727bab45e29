#pragma once
// A year of weather bins: the design rated against its tower at each bin's wet and dry bulb (its
// range held, or the bin's own), its fans run to the setpoint, and the year's water and fan
// energy summed. The water is the exact leaving air's (the window's exit-air search is off by
// several percent). A bin without figures (no operating point, or no exact leaving air at the
// speed run) enters no sum; it is listed so that a note can name it.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "constants.h"
#include "fan_control.h"

namespace veltrane {

/// The hours of a leap year: bins adding up to more describe more than a year.
inline constexpr double kHoursInLeapYear = 8784.0;

/// US gallons that flow at `gpm` (US gpm) for `hours` (h).
double GallonsOver(float gpm, double hours) noexcept;
/// kWh a fan of `horsepower` (hp, at the fan shaft) takes in `hours` (h), by
/// kKilowattsPerHorsepower.
double KilowattHoursOver(float horsepower, double hours) noexcept;
/// Whether the cold water reached (°F) misses the setpoint (°F) by more than the fan control's
/// tolerance, kSetpointTolerance.
bool AboveSetpoint(float coldWater, float setpoint) noexcept;

/// The hours whose cold water lands above the setpoint and by how much: what a plant under a
/// setpoint is short of, summed over rows.
struct SetpointShortfall {
    double hours = 0.0;        ///< h above the setpoint
    double degreeHours = 0.0;  ///< °F·h: (cold water − setpoint) × h over those hours
    /// Adds a row of `hours` (h) whose cold water reached is `coldWater` (°F).
    void Add(float coldWater, float setpoint, double hours) noexcept;
    /// How far above the setpoint the water is over the hours above it, °F; 0 when none.
    [[nodiscard]] double MeanAbove() const noexcept;
};

/// The fan's electrical input: the shaft power over the motor and, for a variable-speed drive,
/// over the drive too. Efficiencies in percent, above 0 and at most 100 (CheckEfficiency).
struct FanDriveEfficiency {
    float motorPercent = 100.0F;  ///< %
    float drivePercent = 100.0F;  ///< %, counted for FanMode::kVariableSpeed alone
};

/// kWh taken from the supply for `shaftKilowattHours` (kWh at the fan shaft) under `mode`.
double ElectricalKilowattHours(double shaftKilowattHours, FanDriveEfficiency efficiency,
                               FanMode mode) noexcept;

/// One weather bin: the air for `hours` of the year.
struct WeatherBin {
    float wetBulb = 0.0F;  ///< °F
    float dryBulb = 0.0F;  ///< °F
    double hours = 0.0;    ///< h, finite and not negative
    /// The bin's own range THot − TCold, °F, above 0; without it the design's range is held.
    std::optional<float> range{};
    std::optional<float> approach{};  ///< °F, the bin's own; without it the design's
    std::optional<float> hotWater{};  ///< °F, the bin's own THot; it wins over the range
};

/// The design at the bin's air and the bin's own approach, its range held (THot follows the wet
/// bulb), or the bin's range where it has one; a bin's own hot water replaces the THot so formed.
/// The one rule by which the window and the batch tool rate a bin.
DesignInputs DesignAtBin(const DesignInputs& design, const WeatherBin& bin) noexcept;

/// One bin run: its fan operation and, when it has figures, its figures over its hours.
struct BinOperation {
    FanOperation run;
    double makeupGallons = 0.0;     ///< US gal over the bin's hours
    double fanKilowattHours = 0.0;  ///< kWh at the fan shaft over the bin's hours
    bool aboveSetpoint = false;     ///< the cold water reached is above the setpoint
    [[nodiscard]] bool operating() const noexcept { return HasFigures(run); }
};

struct YearTotals {
    double hours = 0.0;               ///< h of the bins with figures
    double fanKilowattHours = 0.0;    ///< kWh at the fan shaft
    double makeupGallons = 0.0;       ///< US gal
    double evaporationGallons = 0.0;  ///< US gal
    double blowdownGallons = 0.0;     ///< US gal
    /// The hours-weighted mean of the cold water reached (the plant's, under the fan control),
    /// °F; NaN when no bin has hours.
    double meanColdWater = 0.0;
    double hoursAboveSetpoint = 0.0;        ///< h
    double degreeHoursAboveSetpoint = 0.0;  ///< °F·h
    double meanAboveSetpoint = 0.0;  ///< °F over the hours above the setpoint alone; 0 when none
    std::vector<std::size_t> binsLeftOut;  ///< indices of the bins without figures
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

/// The rows left out that a totals note names; more are counted only.
inline constexpr std::size_t kNamedRowsLeftOut = 5;

/// What a totals row's sums cover.
struct TotalsCoverage {
    std::size_t rows = 0;         ///< rows in the sums
    double hours = 0.0;           ///< h of those rows
    std::size_t rowsLeftOut = 0;  ///< rows with Hours but no figures
    /// The names of the first kNamedRowsLeftOut of them ("in.csv:4"), in order; more are
    /// ignored.
    std::span<const std::string> namedLeftOut;
    double hoursLeftOut = 0.0;   ///< h of the rows left out
    bool underSetpoint = false;  ///< whether the fans follow a setpoint
};

/// The Notes of a totals row: what its sums cover and what its cold water means (under a
/// setpoint Cold Water Reached is the plant's mean, and Cold Water Out Temp is left empty), the
/// rows without figures named with their hours, and hours adding up to more than a leap year.
std::string TotalsNote(const TotalsCoverage& coverage);

/// Which leaving air a row's water and fan power come from, one rule for both front ends: a row
/// with an Hours value, and every row under a setpoint, takes the exact leaving air (its sums
/// must not carry the window's search error); a plain design row keeps the design window's
/// search, so that its texts are the window's. `asked` (an explicit choice) wins.
LeavingAirRule LeavingAirForRow(bool hasHours, bool underSetpoint,
                                std::optional<LeavingAirRule> asked) noexcept;

}  // namespace veltrane
