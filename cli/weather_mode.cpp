// --weather: every hour of a site's weather file becomes the design row at the hour's air (its
// pressure, wet bulb and dry bulb replaced, its range held and scaled by the load), rated against
// the tower with its fans run to the setpoint and the exact leaving air. The engine runs the year
// (RunWeatherYear); this mode writes it, hour by hour or month by month, and says what the file
// left out.
#include "weather_mode.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

#include "batch_mode.h"
#include "byte_source.h"
#include "calc_options.h"
#include "constants.h"
#include "csv_convention.h"
#include "csv_reader.h"
#include "fan_mode.h"
#include "fan_rows.h"
#include "hours_totals.h"
#include "input_columns.h"
#include "number_text.h"
#include "option_reading.h"
#include "units.h"
#include "weather_year.h"

namespace veltrane::cli {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

/// The leading columns of an hourly row: where the hour is in the file's year.
constexpr std::array<std::string_view, 3> kHourColumns = {"Month", "Day", "Hour"};

enum MonthColumn : std::size_t {
    kMonthHours,
    kMeanColdWater,
    kMonthHoursAboveSetpoint,
    kMonthEvaporation,
    kMonthBlowdown,
    kMonthDrift,
    kMonthMakeup,
    kMonthFanEnergy,
    kMeanAirFlow,
    kMonthColumnCount,
};

constexpr std::array<Caption, kMonthColumnCount> kMonthColumns = {{
    kHoursCaption,
    {"Cold Water", Quantity::kTemperature},
    {"Hours Above Setpoint", Quantity::kHours, UnitShown::kNever},
    kBinColumns[kEvaporationVolume],
    kBinColumns[kBlowdownVolume],
    kBinColumns[kDriftVolume],
    kBinColumns[kMakeupVolume],
    kBinColumns[kFanEnergy],
    {"Air Flow", Quantity::kPercentage},
}};

/// A figure of a note, as short as it reads back ("8760", "0.5").
std::string NoteNumber(double value) {
    return std::string(ShortestText(value).View());
}

/// A design wet bulb as people quote it, to a tenth of a degree: "77.9", "65".
std::string Tenths(double value) {
    return NoteNumber(std::round(value * 10.0) / 10.0);
}

/// A load file, 12 × 24 rows of Month, Hour, Load (%); none, with `error`, when it cannot be used.
std::optional<LoadProfile> ReadLoadFile(const std::string& file, const CsvFormat& format,
                                        std::string& error) {
    const std::string label = "--load " + QuoteForMessage(file);
    std::FILE* stream = std::fopen(file.c_str(), "rb");
    if (stream == nullptr) {
        error = label + ": cannot read it: " + std::strerror(errno);
        return std::nullopt;
    }
    FileSource source(stream);
    CsvReader reader(source, format);
    CsvRecord record;
    LoadProfileReader profile;
    std::vector<std::string> plain;
    std::vector<std::string_view> fields;
    while (reader.Next(record)) {
        if (!record.error.empty()) {
            error =
                label + ": line " + std::to_string(record.line) + ": " + std::string(record.error);
            std::fclose(stream);
            return std::nullopt;
        }
        if (format.decimalMark == '.') {
            profile.AddRow(record.line, record.fields);
            continue;
        }
        plain.clear();
        for (const std::string_view field : record.fields) {
            std::optional<std::string> text = PlainNumberText(field, format);
            if (!text) {
                error = label + ": line " + std::to_string(record.line) + ": " +
                        QuoteForMessage(field) +
                        " holds a '.', which a decimal-comma file uses for grouping";
                std::fclose(stream);
                return std::nullopt;
            }
            plain.push_back(std::move(*text));
        }
        fields.assign(plain.begin(), plain.end());
        profile.AddRow(record.line, fields);
    }
    std::fclose(stream);
    if (!source.Error().empty()) {
        error = label + ": " + source.Error();
        return std::nullopt;
    }
    std::optional<LoadProfile> load = profile.Finish();
    if (load) return load;
    const std::size_t more = profile.ErrorCount() - std::min<std::size_t>(profile.ErrorCount(), 1);
    error = label + ": " + (profile.Errors().empty() ? "no rows" : profile.Errors().front()) +
            (more > 0 ? " (and " + std::to_string(more) + " more)" : "");
    return std::nullopt;
}

bool IsLoadFile(std::string_view text) {
    return text.size() > 4 && EqualIgnoringCase(text.substr(text.size() - 4), ".csv");
}

class WeatherMode final : public FanRowsMode {
  public:
    explicit WeatherMode(const ModeContext& context)
        : FanRowsMode(context), weather_(std::get<WeatherSettings>(context.settings.mode)) {}

    void StartOutput(const RowReader* header, bool writeHeader) override {
        if (!weather_.monthly) {
            if (writeHeader) {
                for (const std::string_view caption : kHourColumns) {
                    context_.csv.Plain(caption);
                    context_.csv.Comma();
                }
            }
            FanRowsMode::StartOutput(header, writeHeader);
            return;
        }
        if (!writeHeader) return;
        CsvWriter& csv = context_.csv;
        csv.Plain(kHourColumns.front());
        for (const Caption& caption : kMonthColumns) {
            csv.Comma();
            csv.Field(CaptionText(caption, settings_.units));
        }
        csv.Comma();
        csv.Field(kNotesCaption.base);
        csv.EndLine();
    }

    void WriteTotals() override {
        if (weather_.monthly) return;  // each design's year row closes its months
        context_.csv.Commas(kHourColumns.size());
        FanRowsMode::WriteTotals();
    }

  private:
    [[nodiscard]] bool AlwaysHours() const override { return true; }
    [[nodiscard]] FanMode FanModeRun() const override { return weather_.control.mode; }
    // Without --setpoint the fans run at full speed: Cold Water Out Temp is the plant's water.
    [[nodiscard]] bool UnderSetpoint() const override {
        return !std::isnan(weather_.control.setpoint);
    }

    [[nodiscard]] std::string DesignPlace() const override {
        if (hourLine_ == 0) return FanRowsMode::DesignPlace();
        return PlaceOfLine(weather_.file, hourLine_);
    }

    void WriteDesign() override {
        const DesignInputs design = design_.values;
        const std::optional<TowerCharacteristic> tower = weather_.tower.For(design);
        if (!tower) {
            context_.problems.At(DesignPlace(), kNoTowerThroughDesignNote);
            return;
        }
        std::ifstream in(weather_.file, std::ios::binary);
        if (!in) {
            context_.problems.Whole(std::string(kProgramName) + ": cannot read " +
                                    QuoteForMessage(weather_.file) + ": " + std::strerror(errno));
            return;
        }
        WeatherFileReader reader(in);
        if (!reader.HeaderError().empty()) {
            context_.problems.At(PlaceOfLine(weather_.file, 1), reader.HeaderError());
            return;
        }
        TellSite(reader.Header(), design);
        RunYear(reader, {design, *tower, weather_.control, weather_.load});
    }

    void RunYear(WeatherFileReader& reader, const WeatherYearSettings& year) {
        const auto onProblem = [this](const std::string& message) {
            context_.problems.At(FileName(), message);
        };
        std::function<void(const WeatherHourRun&)> onHour;
        if (!weather_.monthly) onHour = [this](const WeatherHourRun& hour) { WriteHour(hour); };
        const WeatherYear result = RunWeatherYear(reader, year, onHour, onProblem);
        hourLine_ = 0;
        const std::string notes = YearNotes(reader.Tally(), result);
        if (weather_.monthly) {
            WriteMonths(result.sums, notes);
        } else if (const double withoutAir =
                       result.notes.hoursUnreadable + result.notes.hoursWithoutWetBulb;
                   withoutAir > 0.0) {
            // The rows written are in the totals already; these hours have no row.
            LeaveOutOfTotals(withoutAir, FileName() + " records without an hour's air");
        }
        const double leftOut = result.notes.HoursLeftOut(result.sums.Year());
        const WeatherTally& tally = reader.Tally();
        if (tally.records + tally.recordsLeftOut == 0) {
            // A header alone is not a year of nothing: no hour was calculated.
            context_.problems.At(FileName(), "no hourly records after the header");
        } else if (leftOut > 0.0) {
            context_.problems.At(FileName(), NoteNumber(leftOut) + " hours left out of the year");
        } else if (tally.ShortOfAYear()) {
            context_.problems.NoteAt(FileName(), notes);
        }
    }

    /// The file's name as messages show it.
    [[nodiscard]] std::string FileName() const {
        const std::string place = PlaceOfLine(weather_.file, 0);
        return place.substr(0, place.rfind(':'));
    }

    /// The site's name in the worksheet, its design wet bulbs beside the design's own.
    void TellSite(const WeatherHeader& header, const DesignInputs& design) {
        const WeatherSite& site = header.site;
        const UnitSystem units = settings_.units;
        const std::string_view unit = UnitOf(Quantity::kTemperature, units);
        std::string text;
        if (header.evaporationWetBulbs) {
            const double site04 = header.evaporationWetBulbs->percent04;
            const double shown =
                units == UnitSystem::kSI ? site04 : ToUS(Quantity::kTemperature, site04);
            text = "site: 0.4 % wet bulb " + Tenths(shown) + " " + std::string(unit) +
                   "; the design uses " +
                   Tenths(ValueInUnits(Quantity::kTemperature, units,
                                       static_cast<double>(design[Input::kWetBulb]))) +
                   " " + std::string(unit);
        }
        if (!Tracing()) {
            if (!text.empty()) context_.problems.NoteAt(FileName(), text);
            return;
        }
        std::string sheet = "Weather file " + FileName() + "\n";
        sheet += "  LOCATION " + site.name + ", " + site.region + ", " + site.country +
                 ": latitude " + NoteNumber(site.latitude) + ", longitude " +
                 NoteNumber(site.longitude) + ", elevation " + NoteNumber(site.elevation) + " m\n";
        sheet += "  records an hour " + std::to_string(header.recordsPerHour) + "\n";
        if (header.evaporationWetBulbs) {
            const EvaporationWetBulbs& wb = *header.evaporationWetBulbs;
            sheet += "  evaporation design wet bulbs 0.4 % " + NoteNumber(wb.percent04) +
                     " C, 1 % " + NoteNumber(wb.percent1) + " C, 2 % " + NoteNumber(wb.percent2) +
                     " C\n  " + text + "\n";
        }
        Trace(sheet);
    }

    /// One hour's row: Month, Day, Hour, then the design at the hour as --setpoint writes it.
    void WriteHour(const WeatherHourRun& hour) {
        hourLine_ = hour.record.line;
        const UnitSystem units = settings_.units;
        const auto exact = [&](Input input, NumberText& text) {
            text = ExactText(kInputUnits[input].quantity, units, hour.inputs[input]);
            design_.texts[input] = text.View();
        };
        exact(Input::kAtmosPress, pressureText_);
        exact(Input::kWetBulb, wetBulbText_);
        exact(Input::kDryBulb, dryBulbText_);
        design_.hasHours = true;
        design_.hours = static_cast<float>(hour.record.hours);
        hoursText_ = PlainShortestText(design_.hours);
        design_.hoursText = hoursText_.View();
        CsvWriter& csv = context_.csv;
        for (const int part : {hour.record.month, hour.record.day, hour.record.hour}) {
            csv.Plain(std::to_string(part));
            csv.Comma();
        }
        WriteFanRow(weather_.control, hour.run);
    }

    void WriteMonths(const MonthlyYear& sums, const std::string& notes) {
        for (int month = 1; month <= static_cast<int>(kMonthsPerYear); ++month)
            WriteMonthRow(std::to_string(month), sums.Month(month), MonthNotes(sums.Month(month)));
        if (settings_.totals) WriteMonthRow("Year", sums.Year(), notes);
    }

    void WriteMonthRow(std::string_view label, const OperationSums& sums, std::string_view notes) {
        const bool compared = !std::isnan(weather_.control.setpoint);
        std::array<double, kMonthColumnCount> values{};
        values[kMonthHours] = sums.hours;
        values[kMeanColdWater] = sums.MeanColdWater();
        values[kMonthHoursAboveSetpoint] = compared ? sums.hoursAboveSetpoint : kNone;
        values[kMonthEvaporation] = sums.evaporationGallons;
        values[kMonthBlowdown] = sums.blowdownGallons;
        values[kMonthDrift] = sums.driftGallons;
        values[kMonthMakeup] = sums.makeupGallons;
        values[kMonthFanEnergy] = sums.fanKilowattHours;
        values[kMeanAirFlow] = sums.MeanAirFlow() * kPercent;
        CsvWriter& csv = context_.csv;
        csv.Plain(label);
        for (std::size_t k = 0; k < kMonthColumnCount; ++k) {
            csv.Comma();
            if (std::isnan(values[k])) continue;
            const double value =
                ValueInUnits(kMonthColumns[k].quantity, settings_.units, values[k]);
            const bool volume = k >= kMonthEvaporation && k <= kMonthFanEnergy;
            if (volume) {
                AppendBinNumber(csv, value, settings_.raw);
            } else {
                AppendOwnNumber(csv, value, settings_.raw);
            }
        }
        csv.Comma();
        csv.Field(notes);
        csv.EndRow();
    }

    /// Hours of a month that have no figures.
    static std::string MonthNotes(const OperationSums& sums) {
        std::string notes;
        if (sums.hoursWithoutOperatingPoint > 0.0)
            notes += NoteNumber(sums.hoursWithoutOperatingPoint) + " h without an operating point";
        if (sums.hoursWithoutLeavingAir > 0.0) {
            if (!notes.empty()) notes += "; ";
            notes += NoteNumber(sums.hoursWithoutLeavingAir) + " h without leaving air";
        }
        return notes;
    }

    /// The year's Notes: the hours it holds, those left out and why, and what year the file is.
    static std::string YearNotes(const WeatherTally& tally, const WeatherYear& year) {
        const OperationSums& sums = year.sums.Year();
        const WeatherYearNotes& notes = year.notes;
        std::string text = NoteNumber(sums.hours) + " h with figures";
        const double leftOut = notes.HoursLeftOut(sums);
        if (leftOut > 0.0) {
            text += "; left out: " + NoteNumber(leftOut) + " h (" +
                    NoteNumber(notes.hoursUnreadable) + " unreadable, " +
                    NoteNumber(notes.hoursWithoutWetBulb) + " without a wet bulb, " +
                    NoteNumber(sums.hoursWithoutOperatingPoint) + " without an operating point, " +
                    NoteNumber(sums.hoursWithoutLeavingAir) + " without leaving air)";
        }
        if (tally.leapYear) text += "; a leap year";
        if (tally.ShortOfAYear()) {
            text += "; a year of its own hours: the file holds " +
                    NoteNumber(tally.hours + tally.hoursLeftOut) + " of " +
                    NoteNumber(tally.leapYear ? kHoursPerLeapYear : kHoursPerYear);
        }
        return text;
    }

    const WeatherSettings& weather_;
    std::size_t hourLine_ = 0;  ///< the line of the hour being written, 0 between years
    NumberText pressureText_;
    NumberText wetBulbText_;
    NumberText dryBulbText_;
    NumberText hoursText_;
};

}  // namespace

bool WeatherSettings::ChosenBy(const CalcOptions& options) {
    return options.weather.has_value();
}

std::optional<WeatherSettings> WeatherSettings::From(const CalcOptions& options,
                                                     std::string& error) {
    WeatherSettings settings;
    settings.file = *options.weather;
    settings.tower = *options.tower;
    settings.monthly = options.monthly;
    settings.control = options.fan.value_or(FanControl{});
    settings.control.setpoint =
        options.setpoint ? SetpointIn(*options.setpoint, options.units.value_or(UnitSystem::kUS))
                         : std::numeric_limits<float>::quiet_NaN();
    if (options.load && IsLoadFile(*options.load)) {
        std::optional<LoadProfile> load = ReadLoadFile(*options.load, CsvFormatOf(options), error);
        if (!load) return std::nullopt;
        settings.load = *load;
    } else if (options.load) {
        float percent = 0.0F;
        ReadInputNumber(*options.load, percent);  // checked when the option was read
        settings.load = LoadProfile(percent);
    }
    return settings;
}

void WeatherSettings::DeclareOptions(CLI::App& app, CalcOptions& options) {
    OptionalArgumentOption(
        app, "--weather", "[SITE.epw]", options.weather,
        [](std::string_view path) { return std::string(path); },
        "with --tower and --defaults or a design FILE: a year from the site's hourly\n"
        "weather file (EnergyPlus weather format). Each hour is the design row with\n"
        "P from the station pressure, Tdb from the dry bulb and Twb solved from the\n"
        "dry bulb, the dew point (a frost point below 32 F) and the pressure; the\n"
        "range and flow the row's (the range scaled by --load), rated against the\n"
        "tower with its fans run as --setpoint and --fan say (full speed without\n"
        "--setpoint) and the exact leaving air. Writes a row an hour: Month, Day,\n"
        "Hour, then the columns of --setpoint, Hours the record's share of its\n"
        "hour. A line that cannot be used is named with its field on standard\n"
        "error and left out, its hours counted in the totals' Notes (status 1);\n"
        "a file of fewer hours is a year of its own hours, several records an\n"
        "hour share it. The site's 0.4 % design wet bulb is told beside the\n"
        "design's on standard error, or with the site in --trace. With --study\n"
        "SITE.epw may be left out for the study's weather file, and the study\n"
        "gives the tower, --setpoint, --fan and --load");
    SingleOption(
        app, "--load", "PCT|FILE.csv", options.load,
        [](std::string_view text) {
            if (IsLoadFile(text)) return std::string(text);
            const float percent = ReadOptionNumber("--load", text);
            const std::string problem = LoadPercentProblem(static_cast<double>(percent));
            if (!problem.empty()) Refuse("--load: " + problem);
            return std::string(text);
        },
        "with --weather: the plant's heat load, % of the design's, at the design\n"
        "flow (the range scales): one figure for every hour, or a FILE.csv of\n"
        "Month (1-12), Hour (1-24, the hour ending), Load (%) giving a typical\n"
        "day of each month, every one of the 288 month-hours once");
    app.add_flag("--monthly", options.monthly,
                 "with --weather: instead of a row an hour, twelve month rows for each\n"
                 "design: Month, Hours, Cold Water (F, the hours' mean the plant gets),\n"
                 "Hours Above Setpoint, Evaporation, Blowdown, Drift, Makeup (gal), Fan\n"
                 "Energy (kWh), Air Flow (%, the hours' mean) and Notes; with --totals a\n"
                 "Year row closes them, its Notes the hours left out and why. Streams\n"
                 "the file: a year of any length in constant memory");
}

void WeatherSettings::CheckOptions(const CalcOptions& options) {
    if (options.weather && options.weather->empty()) Refuse("--weather needs an argument SITE.epw");
    if (options.weather && !options.tower)
        Refuse("--weather needs --tower C:m or --tower design:m");
    if (options.load && !options.weather) Refuse("--load belongs to --weather");
    if (options.monthly && !options.weather) Refuse("--monthly belongs to --weather");
    if (options.weather && options.exitAir == LeavingAirRule::kWindow)
        Refuse(
            "--weather runs every hour with the exact leaving air: --exit-air window does "
            "not apply");
}

std::unique_ptr<BatchMode> WeatherSettings::Make(const ModeContext& context) {
    return std::make_unique<WeatherMode>(context);
}

}  // namespace veltrane::cli
