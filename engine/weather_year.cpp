#include "weather_year.h"

#include <cstdio>

namespace veltrane {

double WeatherYearNotes::HoursLeftOut(const OperationSums& year) const noexcept {
    return hoursUnreadable + hoursWithoutWetBulb + year.hoursWithoutOperatingPoint +
           year.hoursWithoutLeavingAir;
}

namespace {

/// A value read from the file, as short as it reads back: the file writes tenths.
std::string FieldText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void Report(const std::function<void(const std::string&)>& onProblem, const std::string& text) {
    if (onProblem) onProblem(text);
}

}  // namespace

WeatherYear RunWeatherYear(WeatherFileReader& reader, const WeatherYearSettings& settings,
                           const std::function<void(const WeatherHourRun&)>& onHour,
                           const std::function<void(const std::string&)>& onProblem,
                           const std::atomic<bool>* cancel) {
    WeatherYear year;
    WeatherYearNotes& notes = year.notes;
    WeatherRecord record;
    WeatherLineError error;
    for (;;) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
            notes.cancelled = true;
            break;
        }
        const WeatherLineKind kind = reader.Next(record, error);
        if (kind == WeatherLineKind::kEnd) break;
        if (kind == WeatherLineKind::kLeftOut) {
            Report(onProblem, error.Message());
            continue;
        }
        const HourAirConversion conversion = AirOfRecord(record);
        if (conversion.outcome != WetBulbOutcome::kSolved) {
            ++notes.recordsWithoutWetBulb;
            notes.hoursWithoutWetBulb += record.hours;
            Report(onProblem, "line " + std::to_string(record.line) + ": dew point (field 8): " +
                                  std::string(DescribeWetBulbOutcome(conversion.outcome)) + " (" +
                                  FieldText(record.dewPoint) + " C, dry bulb " +
                                  FieldText(record.dryBulb) + " C)");
            continue;
        }
        const float load = settings.load.PercentAt(record.month, record.hour);
        const DesignInputs inputs = DesignAtHour(settings.design, conversion.air, load);
        const FanOperation run =
            ControlFans(inputs, settings.tower, settings.control, LeavingAirRule::kExact);
        // The reader hands on months 1 to 12 only, so every hour is added.
        (void)year.sums.Add(record.month, run, record.hours, settings.control.setpoint);
        if (onHour) onHour({record, conversion.air, load, inputs, run});
    }
    notes.recordsUnreadable = reader.Tally().recordsLeftOut;
    notes.hoursUnreadable = reader.Tally().hoursLeftOut;
    return year;
}

}  // namespace veltrane
