#include "weather_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace veltrane {
namespace {

constexpr char kSeparator = ',';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Fields of a record, counted from 1, and the fewest a usable record has.
constexpr std::size_t kMonthField = 2;
constexpr std::size_t kDayField = 3;
constexpr std::size_t kHourField = 4;
constexpr std::size_t kDryBulbField = 7;
constexpr std::size_t kDewPointField = 8;
constexpr std::size_t kPressureField = 10;
constexpr std::size_t kFieldsUsed = kPressureField;

// LOCATION, city, state, country, source, WMO, latitude, longitude, time zone, elevation.
constexpr std::size_t kSiteName = 1;
constexpr std::size_t kSiteRegion = 2;
constexpr std::size_t kSiteCountry = 3;
constexpr std::size_t kSiteLatitude = 6;
constexpr std::size_t kSiteLongitude = 7;
constexpr std::size_t kSiteElevation = 9;
// DATA PERIODS, number of periods, records an hour, then each period's name and dates.
constexpr std::size_t kRecordsPerHourField = 2;
// The cooling part of DESIGN CONDITIONS (the Handbook's climatic design conditions), counted
// from its "Cooling" field: hottest month, its daily range, the 0.4 %, 1 % and 2 % dry bulbs
// each with its coincident wet bulb, then the evaporation wet bulbs of 0.4 %, 1 % and 2 % each
// with its coincident dry bulb.
constexpr std::size_t kWetBulb04AfterCooling = 9;
constexpr std::size_t kWetBulb1AfterCooling = 11;
constexpr std::size_t kWetBulb2AfterCooling = 13;

constexpr std::array<int, 12> kDaysInMonth = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kFebruary = 2;
constexpr int kLeapDay = 29;
constexpr int kHoursPerDay = 24;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const auto comma = line.find(kSeparator, start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

/// The field as a finite number, or nothing when it holds anything else.
std::optional<double> NumberIn(std::string_view field) {
    const std::string_view text = Trimmed(field);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> WholeNumberIn(std::string_view field) {
    const std::string_view text = Trimmed(field);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

double NumberOrNaN(const std::vector<std::string_view>& fields, std::size_t index) {
    if (index >= fields.size()) return std::numeric_limits<double>::quiet_NaN();
    return NumberIn(fields[index]).value_or(std::numeric_limits<double>::quiet_NaN());
}

std::string TextOr(const std::vector<std::string_view>& fields, std::size_t index) {
    return index < fields.size() ? std::string(Trimmed(fields[index])) : std::string();
}

/// A header line opens with its keyword; a record with its year.
bool IsHeaderLine(std::string_view line) {
    const std::string_view text = Trimmed(line);
    return !text.empty() &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

bool IsBlank(std::string_view line) {
    return Trimmed(line).empty();
}

WeatherSite SiteOf(const std::vector<std::string_view>& fields) {
    WeatherSite site;
    site.name = TextOr(fields, kSiteName);
    site.region = TextOr(fields, kSiteRegion);
    site.country = TextOr(fields, kSiteCountry);
    site.latitude = NumberOrNaN(fields, kSiteLatitude);
    site.longitude = NumberOrNaN(fields, kSiteLongitude);
    site.elevation = NumberOrNaN(fields, kSiteElevation);
    return site;
}

std::optional<EvaporationWetBulbs> EvaporationWetBulbsOf(
    const std::vector<std::string_view>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!SameWord(Trimmed(fields[i]), "Cooling")) continue;
        const auto at = [&](std::size_t after) {
            return i + after < fields.size() ? NumberIn(fields[i + after]) : std::nullopt;
        };
        const auto wb04 = at(kWetBulb04AfterCooling);
        const auto wb1 = at(kWetBulb1AfterCooling);
        const auto wb2 = at(kWetBulb2AfterCooling);
        if (!wb04 || !wb1 || !wb2) return std::nullopt;
        return EvaporationWetBulbs{*wb04, *wb1, *wb2};
    }
    return std::nullopt;
}

std::string FieldName(std::string_view name, std::size_t number) {
    return std::string(name) + " (field " + std::to_string(number) + ")";
}

/// Checks and reads the used fields of a record line; false with `error` filled when one
/// cannot be used.
class RecordFields {
  public:
    RecordFields(std::string_view line, std::size_t lineNumber, WeatherLineError& error)
        : lineNumber_(lineNumber), error_(error) {
        std::size_t start = 0;
        for (;;) {
            const auto comma = line.find(kSeparator, start);
            if (count_ < used_.size()) used_[count_] = line.substr(start, comma - start);
            ++count_;
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    }

    bool Read(WeatherRecord& record) {
        if (count_ < kFieldsUsed) {
            return Fail("record", std::to_string(count_) + " fields; a record needs at least " +
                                      std::to_string(kFieldsUsed));
        }
        return WholeIn(kMonthField, "month", 1, 12, record.month) &&
               WholeIn(kDayField, "day", 1, kDaysInMonth[std::size_t(record.month - 1)],
                       record.day) &&
               WholeIn(kHourField, "hour", 1, kHoursPerDay, record.hour) &&
               MeasuredIn(kDryBulbField, "dry bulb", kMissingTemperatureC, kLowestTemperatureC,
                          kHighestTemperatureC, record.dryBulb) &&
               MeasuredIn(kDewPointField, "dew point", kMissingTemperatureC, kLowestTemperatureC,
                          kHighestTemperatureC, record.dewPoint) &&
               MeasuredIn(kPressureField, "station pressure", kMissingPressurePa, kLowestPressurePa,
                          kHighestPressurePa, record.stationPressure);
    }

  private:
    std::string_view Field(std::size_t number) const { return used_[number - 1]; }

    bool Fail(std::string field, std::string problem) {
        error_.line = lineNumber_;
        error_.field = std::move(field);
        error_.problem = std::move(problem);
        return false;
    }

    bool NotANumber(std::size_t number, std::string_view name) {
        return Fail(FieldName(name, number),
                    "\"" + std::string(Trimmed(Field(number))) + "\" is not a number");
    }

    bool WholeIn(std::size_t number, std::string_view name, int lowest, int highest, int& value) {
        const auto read = WholeNumberIn(Field(number));
        if (!read) return NotANumber(number, name);
        if (*read < lowest || *read > highest) {
            return Fail(FieldName(name, number), std::to_string(*read) + " is not from " +
                                                     std::to_string(lowest) + " to " +
                                                     std::to_string(highest));
        }
        value = *read;
        return true;
    }

    bool MeasuredIn(std::size_t number, std::string_view name, double missing, double lowest,
                    double highest, double& value) {
        const auto read = NumberIn(Field(number));
        if (!read) return NotANumber(number, name);
        const std::string text(Trimmed(Field(number)));
        if (*read >= missing) return Fail(FieldName(name, number), "missing (" + text + ")");
        if (*read < lowest || *read > highest) {
            return Fail(FieldName(name, number), text + " is outside the format's range");
        }
        value = *read;
        return true;
    }

    std::size_t lineNumber_;
    WeatherLineError& error_;
    std::array<std::string_view, kFieldsUsed> used_{};
    std::size_t count_ = 0;
};

/// The month and day of a line whose fields cannot all be used, when they can: enough to know a
/// leap day among the left-out records.
bool IsLeapDayLine(std::string_view line) {
    const auto fields = SplitFields(line);
    if (fields.size() <= kDayField) return false;
    return WholeNumberIn(fields[kMonthField - 1]) == kFebruary &&
           WholeNumberIn(fields[kDayField - 1]) == kLeapDay;
}

}  // namespace

std::string WeatherLineError::Message() const {
    return "line " + std::to_string(line) + ": " + field + ": " + problem;
}

bool WeatherTally::ShortOfAYear() const noexcept {
    const double year = leapYear ? kHoursPerLeapYear : kHoursPerYear;
    // Each record's share is 1 / n, so a whole year sums to within rounding of the year.
    constexpr double kRoundingOfShares = 1e-6;
    return hours + hoursLeftOut < year - kRoundingOfShares;
}

WeatherFileReader::WeatherFileReader(std::istream& in) : in_(in) {
    ReadHeader();
}

bool WeatherFileReader::ReadLine() {
    if (!std::getline(in_, line_)) return false;
    ++lineNumber_;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    return true;
}

void WeatherFileReader::ReadHeader() {
    if (!ReadLine()) {
        headerError_ = "not a weather file: it is empty (an EPW file opens with a LOCATION line)";
        return;
    }
    if (line_.starts_with(kByteOrderMark)) line_.erase(0, kByteOrderMark.size());
    if (!ReadHeaderLine("LOCATION")) {
        headerError_ =
            "not a weather file: line 1 is not a LOCATION line (an EPW file opens "
            "with one)";
        return;
    }
    while (ReadLine()) {
        if (IsBlank(line_)) continue;
        if (!IsHeaderLine(line_)) {
            pendingRecordLine_ = true;
            return;
        }
        if (!ReadHeaderLine("") && !headerError_.empty()) return;
    }
}

/// Reads a header line into the header; false when `expected` is given and the line is not
/// that line, or when the line cannot be used (headerError_ then says why).
bool WeatherFileReader::ReadHeaderLine(std::string_view expected) {
    const auto fields = SplitFields(line_);
    const std::string_view keyword = Trimmed(fields.front());
    if (!expected.empty() && !SameWord(keyword, expected)) return false;
    if (SameWord(keyword, "LOCATION")) {
        header_.site = SiteOf(fields);
    } else if (SameWord(keyword, "DESIGN CONDITIONS")) {
        header_.evaporationWetBulbs = EvaporationWetBulbsOf(fields);
    } else if (SameWord(keyword, "DATA PERIODS")) {
        const auto perHour = kRecordsPerHourField < fields.size()
                                 ? WholeNumberIn(fields[kRecordsPerHourField])
                                 : std::optional<int>(1);
        if (!perHour || *perHour < 1 || *perHour > kMostRecordsPerHour) {
            headerError_ = "line " + std::to_string(lineNumber_) +
                           ": DATA PERIODS: records an hour (field 3) \"" +
                           TextOr(fields, kRecordsPerHourField) +
                           "\" is not a whole number from 1 to 60";
            return false;
        }
        header_.recordsPerHour = *perHour;
    }
    return true;
}

WeatherLineKind WeatherFileReader::Next(WeatherRecord& record, WeatherLineError& error) {
    if (!headerError_.empty()) return WeatherLineKind::kEnd;
    do {
        if (pendingRecordLine_) {
            pendingRecordLine_ = false;
        } else if (!ReadLine()) {
            return WeatherLineKind::kEnd;
        }
    } while (IsBlank(line_));

    const double share = 1.0 / static_cast<double>(header_.recordsPerHour);
    WeatherRecord read;
    read.line = lineNumber_;
    read.hours = share;
    if (!RecordFields(line_, lineNumber_, error).Read(read)) {
        ++tally_.recordsLeftOut;
        tally_.hoursLeftOut += share;
        if (IsLeapDayLine(line_)) tally_.leapYear = true;
        return WeatherLineKind::kLeftOut;
    }
    if (read.month == kFebruary && read.day == kLeapDay) tally_.leapYear = true;
    ++tally_.records;
    tally_.hours += share;
    record = read;
    return WeatherLineKind::kRecord;
}

}  // namespace veltrane
