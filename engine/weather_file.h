#pragma once
// A site's hourly weather in the EnergyPlus weather format (EPW), read a line at a time.
//
// The file: header lines, each opened by its keyword (LOCATION, DESIGN CONDITIONS, TYPICAL/
// EXTREME PERIODS, GROUND TEMPERATURES, HOLIDAYS/DAYLIGHT SAVINGS, COMMENTS 1, COMMENTS 2, DATA
// PERIODS), then one line a record. Of a record's comma-separated fields, counted from 1, this
// reader uses 2 month, 3 day, 4 hour (1 to 24, the hour ending), 7 dry bulb (°C), 8 dew point
// (°C, a frost point below 0 °C) and 10 station pressure (Pa).
//
// A file without a LOCATION line first is not a weather file. A record that cannot be used (too
// few fields, text or a missing-value marker in a used field, a value outside the format's
// range) is left out, its line and field named, and the rest of the file is still read: the
// tally counts what was left out. DATA PERIODS gives the records an hour; each record then
// stands for its share of the hour. A leap year is known by its 29 February rows.
//
// The reader holds one line at a time, so a year of any length is read in constant memory.

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

/// The format's missing-value markers and the limits of its fields.
inline constexpr double kMissingTemperatureC = 99.9;
inline constexpr double kMissingPressurePa = 999999.0;
inline constexpr double kLowestTemperatureC = -70.0;
inline constexpr double kHighestTemperatureC = 70.0;
inline constexpr double kLowestPressurePa = 31000.0;
inline constexpr double kHighestPressurePa = 120000.0;
/// The most records an hour DATA PERIODS may give: one a minute.
inline constexpr int kMostRecordsPerHour = 60;
/// Hours of a year and of a leap year.
inline constexpr double kHoursPerYear = 8760.0;
inline constexpr double kHoursPerLeapYear = 8784.0;

/// The site, from the LOCATION line: LOCATION, city, state, country, source, WMO station,
/// latitude, longitude, time zone, elevation. A number that is not one is NaN.
struct WeatherSite {
    std::string name;    ///< the city field
    std::string region;  ///< state or province
    std::string country;
    double latitude = 0.0;   ///< degrees, north positive
    double longitude = 0.0;  ///< degrees, east positive
    double elevation = 0.0;  ///< m above sea level
};

/// The evaporation design wet bulbs of the cooling part of DESIGN CONDITIONS, °C: the wet bulbs
/// exceeded 0.4 %, 1 % and 2 % of the year's hours.
struct EvaporationWetBulbs {
    double percent04 = 0.0;
    double percent1 = 0.0;
    double percent2 = 0.0;
};

struct WeatherHeader {
    WeatherSite site;
    std::optional<EvaporationWetBulbs> evaporationWetBulbs;  ///< when the file gives them
    int recordsPerHour = 1;
};

/// One usable record. The temperatures and the pressure are the file's, unconverted.
struct WeatherRecord {
    std::size_t line = 0;          ///< 1-based line of the file
    int month = 0;                 ///< 1 to 12
    int day = 0;                   ///< 1 to the month's days (29 February included)
    int hour = 0;                  ///< 1 to 24, the hour ending
    double dryBulb = 0.0;          ///< °C
    double dewPoint = 0.0;         ///< °C, a frost point below 0 °C
    double stationPressure = 0.0;  ///< Pa
    double hours = 1.0;            ///< the record's share of an hour, 1 / records an hour
};

/// Why a record was left out.
struct WeatherLineError {
    std::size_t line = 0;
    std::string field;    ///< the field, named with its number ("dry bulb (field 7)")
    std::string problem;  ///< what is wrong with it
    /// "line 12: dry bulb (field 7): missing (99.9)".
    [[nodiscard]] std::string Message() const;
};

/// What has been read so far.
struct WeatherTally {
    std::size_t records = 0;  ///< usable records
    double hours = 0.0;       ///< their hours
    std::size_t recordsLeftOut = 0;
    double hoursLeftOut = 0.0;
    bool leapYear = false;  ///< a 29 February record has been met (usable or not)
    /// Whether the records read, usable or not, cover less than a whole year (8,760 hours, or
    /// 8,784 in a leap year): such a file is a year of its own hours.
    [[nodiscard]] bool ShortOfAYear() const noexcept;
};

enum class WeatherLineKind {
    kRecord,   ///< a usable record
    kLeftOut,  ///< a record left out, with its error
    kEnd,      ///< no more lines
};

/// Reads the header on construction, then one record a call.
class WeatherFileReader {
  public:
    explicit WeatherFileReader(std::istream& in);

    /// Empty for a weather file; else why the file cannot be read (no LOCATION line, records an
    /// hour that are not a whole number from 1 to 60). Next then gives kEnd.
    [[nodiscard]] const std::string& HeaderError() const noexcept { return headerError_; }
    [[nodiscard]] const WeatherHeader& Header() const noexcept { return header_; }
    [[nodiscard]] const WeatherTally& Tally() const noexcept { return tally_; }

    /// The next record: kRecord fills `record`, kLeftOut fills `error`; blank lines are
    /// passed over.
    WeatherLineKind Next(WeatherRecord& record, WeatherLineError& error);

  private:
    bool ReadLine();
    void ReadHeader();
    bool ReadHeaderLine(std::string_view keyword);

    std::istream& in_;
    std::string line_;
    std::size_t lineNumber_ = 0;
    bool pendingRecordLine_ = false;  ///< line_ holds the first record, met after the header
    std::string headerError_;
    WeatherHeader header_;
    WeatherTally tally_;
};

}  // namespace veltrane
