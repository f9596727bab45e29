#include "study_settings.h"

#include <filesystem>
#include <string_view>

#include "acceptance_mode.h"
#include "batch_mode.h"
#include "fan_mode.h"
#include "input_columns.h"
#include "number_text.h"
#include "performance_curves.h"
#include "rating.h"
#include "study_file.h"
#include "weather_mode.h"
#include "year_bins.h"

namespace veltrane::cli {
namespace {

using study::Study;

/// A value as a row of the run's units writes it: the text that reads back to the very value
/// the study holds, so that the study's design is calculated bit for bit.
std::string Exact(Quantity quantity, UnitSystem units, float value) {
    return std::string(ExactText(quantity, units, value).View());
}

std::string InputText(Input input, UnitSystem units, float value) {
    return Exact(kInputUnits[input].quantity, units, value);
}

/// "P,Twb,...,FanEff": the design's columns by their short names.
std::string DesignHeader() {
    std::string header;
    for (const InputDefinition& entry : kInputs) {
        if (!header.empty()) header += ',';
        header += entry.shortName;
    }
    return header;
}

std::string DesignFields(const DesignInputs& design, UnitSystem units) {
    std::string fields;
    for (const Input input : kAllInputs) {
        if (!fields.empty()) fields += ',';
        fields += InputText(input, units, design[input]);
    }
    return fields;
}

/// The study's design as a one-row design file.
std::string DesignRows(const DesignInputs& design, UnitSystem units) {
    return DesignHeader() + '\n' + DesignFields(design, units) + '\n';
}

/// The design at a bin as the performance window's year takes it, so that every row gives THot
/// and a bin never falls back to the program's defaults.
DesignInputs DesignAt(const DesignInputs& design, const study::YearBin& bin) {
    return DesignAtBin(design, WeatherBin{bin.wetBulb, bin.dryBulb, bin.hours, bin.range,
                                          bin.approach, bin.hotWater});
}

/// The study's weather bins as rows of the design with Hours.
std::string BinRows(const Study& study, UnitSystem units) {
    std::string rows = DesignHeader() + ",Hours\n";
    for (const study::YearBin& bin : study.year.bins) {
        rows += DesignFields(DesignAt(study.design, bin), units) + ',' +
                Exact(Quantity::kHours, units, static_cast<float>(bin.hours)) + '\n';
    }
    return rows;
}

std::string_view PowerUnitText(study::PowerUnit unit) {
    return unit == study::PowerUnit::kKilowatt ? "kW" : "hp";
}

PowerUnit EnginePowerUnit(study::PowerUnit unit) {
    return unit == study::PowerUnit::kKilowatt ? PowerUnit::kKilowatt : PowerUnit::kHorsepower;
}

/// The readings as a readings file, the header naming their fan power's unit.
std::string ReadingRows(const study::AcceptanceSetting& test, UnitSystem units) {
    std::string rows = "P,Twb,Tdb,THot,TCold,Flow,FanPower (" +
                       std::string(PowerUnitText(test.readingsPowerUnit)) + ")\n";
    for (const TestReading& r : test.readings) {
        rows += Exact(Quantity::kPressure, units, r.pressure) + ',' +
                Exact(Quantity::kTemperature, units, r.wetBulb) + ',' +
                Exact(Quantity::kTemperature, units, r.dryBulb) + ',' +
                Exact(Quantity::kTemperature, units, r.hotWater) + ',' +
                Exact(Quantity::kTemperature, units, r.coldWater) + ',' +
                Exact(Quantity::kWaterFlow, units, r.waterFlow) + ',' +
                std::string(PlainShortestText(r.fanPower).View()) + '\n';
    }
    return rows;
}

/// The study's limits in the run's units; each it leaves out is the test codes'.
TestLimits LimitsOf(const study::ValidityLimits& given, UnitSystem units) {
    TestLimits limits = DefaultTestLimits(units);
    const bool si = units == UnitSystem::kSI;
    const auto set = [&](TestLimit limit, const std::optional<float>& value, double inUnits) {
        if (value) limits.allowed[static_cast<std::size_t>(limit)] = inUnits;
    };
    const auto d = [](const std::optional<float>& value) {
        return static_cast<double>(value.value_or(0.0F));
    };
    set(TestLimit::kWetBulb, given.wetBulb,
        si ? ValueInUnits(Quantity::kTemperatureDifference, units, d(given.wetBulb))
           : d(given.wetBulb));
    set(TestLimit::kRange, given.range, d(given.range));
    set(TestLimit::kWaterFlow, given.flow, d(given.flow));
    set(TestLimit::kHeatLoad, given.load, d(given.load));
    set(TestLimit::kFanPower, given.fanPower, d(given.fanPower));
    set(TestLimit::kPressure, given.pressure,
        si ? ValueInUnits(Quantity::kPressure, units, d(given.pressure) * kPsiPerInchOfMercury)
           : d(given.pressure));
    return limits;
}

/// A file the study names, as the run shows it: where the study keeps it relative to its own
/// folder, that path from the study's folder as the command line named it ("../x/site.epw"),
/// so that messages read the same on every machine; else the absolute path.
std::string ShownPath(const std::filesystem::path& file, const std::string& studyFile) {
    const std::filesystem::path given(studyFile);
    const std::filesystem::path folder = std::filesystem::absolute(given).parent_path();
    const std::string stored = study::StoredPath(file, folder);
    if (std::filesystem::path(stored).is_absolute()) return file.string();
    return (given.parent_path() / std::filesystem::path(stored)).generic_string();
}

TowerOption TowerOf(const study::TowerSetting& tower) {
    TowerOption option;
    option.given = TowerCharacteristic{tower.c, tower.m};
    option.throughDesign = tower.throughDesignPoint;
    return option;
}

/// A tower "through the design point" is the one through the study's design: a bin's row is the
/// same tower in other weather, and a tower fitted through each bin would reach every bin's
/// approach at full speed. Left as it is where no tower goes through the design.
void PinTowerToDesign(const DesignInputs& design, TowerOption& tower) {
    if (!tower.throughDesign) return;
    if (const std::optional<TowerCharacteristic> fitted =
            TowerThroughDesign(design, tower.given.m)) {
        tower.given = *fitted;
        tower.throughDesign = false;
    }
}

/// The tower, the fan control and the setpoint of the year, where the command line gave none.
/// An empty --setpoint is the study's.
void TakeFans(const Study& study, UnitSystem units, CalcOptions& options) {
    if (!options.tower) options.tower = TowerOf(study.tower);
    if (!options.fan) options.fan = study.year.fanControl;
    if (!options.setpoint || options.setpoint->empty())
        options.setpoint = Exact(Quantity::kTemperature, units, study.year.fanControl.setpoint);
}

/// The acceptance test's settings; the readings are the rows unless FILEs are given.
std::string TakeTest(const Study& study, const std::string& path, UnitSystem units,
                     CalcOptions& options, StudyInputs& inputs) {
    const study::AcceptanceSetting& test = study.acceptance;
    if (!options.slope) options.slope = test.slope.value_or(study.tower.m);
    if (!options.draft) options.draft = test.draft;
    if (!options.method) options.method = test.method;
    if (!options.designFanPower && test.designFanPower) {
        options.designFanPower =
            StatedPower{test.designFanPower->value, EnginePowerUnit(test.designFanPower->unit)};
    }
    if (!options.testLimits) inputs.limits = LimitsOf(test.limits, units);
    if (!options.makerCurves && !test.makerCurvesFile.empty()) {
        options.makerCurves = ShownPath(test.makerCurvesFile, path);
    } else if (!options.makerCurves) {
        inputs.makerCurves = test.makerCurves;
    }
    if (options.report && !options.title && !study.report.title.empty())
        options.title = study.report.title;
    if (options.report && options.fields.empty()) {
        const study::ReportSetting& report = study.report;
        for (const ReportField& field :
             {ReportField{"Project", report.project}, ReportField{"Tower", report.tower},
              ReportField{"Test date", report.testDate},
              ReportField{"Tested by", report.testedBy}}) {
            if (!field.text.empty()) options.fields.push_back(field);
        }
        for (const study::ReportField& field : report.fields)
            options.fields.push_back({field.name, field.text});
    }
    if (!options.files.empty()) return {};
    if (test.readings.empty()) return "--study " + path + ": the study holds no test readings";
    inputs.rows = ReadingRows(test, units);
    return {};
}

/// The year of a weather file: the study's when --weather names none.
std::string TakeWeatherYear(const Study& study, const std::string& path, UnitSystem units,
                            CalcOptions& options) {
    if (options.weather->empty()) {
        if (study.year.weatherFile.empty()) {
            return "--weather: the study " + path + " names no weather file" +
                   (study.year.bins.empty() ? "" : "; its weather bins run with --setpoint");
        }
        options.weather = ShownPath(study.year.weatherFile, path);
    }
    TakeFans(study, units, options);
    if (options.load) return {};
    if (study.year.loadFile.empty()) {
        options.load = std::string(PlainShortestText(study.year.loadPercent).View());
        return {};
    }
    options.load = ShownPath(study.year.loadFile, path);
    constexpr std::string_view kCsv = ".csv";
    const std::string& load = *options.load;
    if (load.size() <= kCsv.size() || !EqualIgnoringCase(load.substr(load.size() - 4), kCsv))
        return "--study " + path + ": the load file " + QuoteForMessage(load) + " is no .csv file";
    return {};
}

}  // namespace

std::string TakeStudy(CalcOptions& options) {
    const std::string& path = *options.study;
    if (options.defaults) return "--defaults does not go with --study: the study holds the design";
    study::StudyReading reading = study::ReadStudyFile(std::filesystem::path(path));
    if (!reading.study) return "--study " + reading.error;
    const Study& study = *reading.study;
    if (!options.units) options.units = study.units;
    const UnitSystem units = *options.units;
    StudyInputs inputs;
    inputs.design = study.design;
    inputs.name = path;
    inputs.rows = DesignRows(study.design, units);
    if (options.towerFromStudy) options.tower = TowerOf(study.tower);
    const std::string_view mode = ModeChosenBy(options).name;
    std::string error;
    if (mode == AcceptanceSettings::kName) {
        error = TakeTest(study, path, units, options, inputs);
    } else if (mode == WeatherSettings::kName) {
        error = TakeWeatherYear(study, path, units, options);
    } else if ((options.curves || options.curvesCsv) && !options.slope && !options.tower) {
        // The curves of the study's tower: through the design point with its m, or C and m.
        if (study.tower.throughDesignPoint) {
            options.slope = study.tower.m;
        } else {
            options.tower = TowerOf(study.tower);
        }
    } else if (mode == FanSettings::kName) {
        TakeFans(study, units, options);
        if (!study.year.bins.empty()) {
            inputs.rows = BinRows(study, units);
            PinTowerToDesign(study.design, *options.tower);
        }
    }
    options.fromStudy = std::move(inputs);
    return error;
}

}  // namespace veltrane::cli
