#pragma once
// A year from a site's weather file: every hour read, its air formed, the design run at it under
// the plant's load and fan control, and the hours summed by month. The batch tool and the window
// both run a weather file through here, so that they agree hour for hour and note for note.
//
// Streams: one hour is held at a time, and each is handed to the caller as it is run (an hourly
// table writes it, a monthly one ignores it).

#include <atomic>
#include <functional>
#include <string>

#include "load_profile.h"
#include "monthly_year.h"
#include "weather_file.h"
#include "weather_hour.h"

namespace veltrane {

struct WeatherYearSettings {
    DesignInputs design{};        ///< the design row as read: its range, flow and the rest are held
    TowerCharacteristic tower{};  ///< e.g. TowerThroughDesign (performance_curves.h)
    FanControl control;
    LoadProfile load;  ///< % of the design's heat load by month and hour
};

/// One hour run, handed to the caller.
struct WeatherHourRun {
    const WeatherRecord& record;
    const HourAir& air;
    float loadPercent;           ///< %
    const DesignInputs& inputs;  ///< the design at the hour (DesignAtHour)
    const FanOperation& run;
};

/// What the year left out and why, besides the sums.
struct WeatherYearNotes {
    std::size_t recordsUnreadable = 0;  ///< records the reader left out
    double hoursUnreadable = 0.0;
    std::size_t recordsWithoutWetBulb = 0;  ///< dew point above the dry bulb, or no root
    double hoursWithoutWetBulb = 0.0;
    bool cancelled = false;  ///< the run stopped when asked, its sums partial
    /// Hours of the file left out for any reason, those without an operating point or leaving
    /// air included.
    [[nodiscard]] double HoursLeftOut(const OperationSums& year) const noexcept;
};

struct WeatherYear {
    MonthlyYear sums;
    WeatherYearNotes notes;
};

/// Runs every remaining record of the reader.
/// @param reader    [in, out] a reader whose header was read without error
/// @param settings  [in] the design, tower, fan control and load
/// @param onHour    [in, optional] called with every hour run, in file order, those without an
///                  operating point included (their run's outcome says so)
/// @param onProblem [in, optional] called with each left-out record's message
///                  ("line 12: dry bulb (field 7): missing (99.9)")
/// @param cancel    [in, optional] checked before each hour: once true, the run stops
WeatherYear RunWeatherYear(WeatherFileReader& reader, const WeatherYearSettings& settings,
                           const std::function<void(const WeatherHourRun&)>& onHour = {},
                           const std::function<void(const std::string&)>& onProblem = {},
                           const std::atomic<bool>* cancel = nullptr);

}  // namespace veltrane
