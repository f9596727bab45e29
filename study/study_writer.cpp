// The study's text. The JSON is formed here rather than by the library's dump: only here can a
// float be written as the shortest text that reads back to the same float (the library writes
// the double it widens to, "0.6000000238418579"), and the members keep the order they have here.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "number_text.h"
#include "study_file.h"
#include "study_names.h"

namespace veltrane::study {
namespace {

/// JSON text grown member by member: two blanks of indent a level, one member a line, and the
/// rows of a table (readings, bins, curve points) each on one line.
class JsonText {
  public:
    void Open(char bracket) {
        text_ += bracket;
        empty_.push_back(true);
    }
    void Close(char bracket) {
        const bool wasEmpty = empty_.back();
        empty_.pop_back();
        if (!wasEmpty) NewLine();
        text_ += bracket;
    }
    /// Starts an object's member: its key, then its value is to follow.
    void Key(std::string_view key) {
        NextItem();
        AppendString(key);
        text_ += ": ";
    }
    /// Starts an array's element.
    void NextItem() {
        if (!empty_.back()) text_ += ',';
        empty_.back() = false;
        NewLine();
    }

    void String(std::string_view value) { AppendString(value); }
    void Number(float value) { AppendNumber(value); }
    void Number(double value) { AppendNumber(value); }
    void Integer(int value) { text_ += std::to_string(value); }
    void Bool(bool value) { text_ += value ? "true" : "false"; }

    void Member(std::string_view key, std::string_view value) {
        Key(key);
        String(value);
    }
    void Member(std::string_view key, float value) {
        Key(key);
        Number(value);
    }
    void Member(std::string_view key, double value) {
        Key(key);
        Number(value);
    }

    /// One table row: `{"P": 14.7, "Twb": 65}` on the current line.
    class Row {
      public:
        explicit Row(std::string& text) : text_(text) { text_ += '{'; }
        ~Row() { text_ += '}'; }
        Row(const Row&) = delete;
        Row& operator=(const Row&) = delete;

        template <typename Value>
        void Cell(std::string_view key, Value value) {
            if (!first_) text_ += ", ";
            first_ = false;
            AppendStringTo(text_, key);
            text_ += ": ";
            AppendNumberTo(text_, value);
        }
        template <typename Value>
        void Cell(std::string_view key, const std::optional<Value>& value) {
            if (value) Cell(key, *value);
        }

      private:
        std::string& text_;
        bool first_ = true;
    };
    Row StartRow() {
        NextItem();
        return Row(text_);
    }

    [[nodiscard]] std::string Take() && {
        text_ += '\n';
        return std::move(text_);
    }

  private:
    void NewLine() {
        text_ += '\n';
        text_.append(2 * empty_.size(), ' ');
    }
    void AppendString(std::string_view value) { AppendStringTo(text_, value); }
    template <typename Value>
    void AppendNumber(Value value) {
        AppendNumberTo(text_, value);
    }

    static void AppendStringTo(std::string& text, std::string_view value) {
        // The library's escaping; bytes that are not UTF-8 become U+FFFD rather than a file
        // that no reader takes.
        text +=
            nlohmann::json(value).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    /// The shortest text that reads back to the same value. A negative zero keeps its sign
    /// only as "-0.0": JSON readers take "-0" for the integer 0.
    template <typename Value>
    static void AppendNumberTo(std::string& text, Value value) {
        if (value == Value{0} && std::signbit(value)) {
            text += "-0.0";
            return;
        }
        text += ShortestText(value).View();
    }

    std::string text_;
    std::vector<bool> empty_;  ///< per open bracket: nothing written inside it yet
};

template <typename Value, std::size_t N>
void ChoiceMember(JsonText& json, std::string_view key,
                  const std::array<names::Choice<Value>, N>& choices, Value value) {
    json.Member(key, names::TextOf(choices, value));
}

void PathMember(JsonText& json, std::string_view key, const std::filesystem::path& path,
                const std::filesystem::path& folder) {
    if (!path.empty()) json.Member(key, StoredPath(path, folder));
}

void WriteIdentification(JsonText& json, const Study& study) {
    json.Key(names::kIdentification);
    json.Open('{');
    for (std::size_t i = 0; i < kIdentificationCount; ++i)
        json.Member(names::kIdentificationKeys[i], study.identification[i]);
    json.Close('}');
}

void WriteDesign(JsonText& json, const DesignInputs& design) {
    json.Key(names::kDesign);
    json.Open('{');
    for (const InputDefinition& input : kInputs)
        json.Member(input.shortName, design[input.index]);
    json.Close('}');
}

void WriteTower(JsonText& json, const TowerSetting& tower) {
    json.Key(names::kTower);
    json.Open('{');
    json.Key(names::kThroughDesignPoint);
    json.Bool(tower.throughDesignPoint);
    json.Member(names::kTowerC, tower.c);
    json.Member(names::kTowerM, tower.m);
    json.Close('}');
}

void WriteReadings(JsonText& json, const std::vector<TestReading>& readings) {
    json.Key(names::kReadings);
    json.Open('[');
    for (const TestReading& reading : readings) {
        JsonText::Row row = json.StartRow();
        row.Cell(names::kPressure, reading.pressure);
        row.Cell(names::kWetBulb, reading.wetBulb);
        row.Cell(names::kDryBulb, reading.dryBulb);
        row.Cell(names::kHotWater, reading.hotWater);
        row.Cell(names::kColdWater, reading.coldWater);
        row.Cell(names::kFlow, reading.waterFlow);
        row.Cell(names::kFanPower, reading.fanPower);
    }
    json.Close(']');
}

void WriteMakerCurves(JsonText& json, const std::vector<MakerCurveRow>& rows) {
    json.Key(names::kMakerCurves);
    json.Open('[');
    for (const MakerCurveRow& point : rows) {
        JsonText::Row row = json.StartRow();
        row.Cell(names::kFlow, point.flowPercent);
        row.Cell(names::kRange, point.rangePercent);
        row.Cell(names::kWetBulb, point.wetBulb);
        row.Cell(names::kColdWater, point.coldWater);
    }
    json.Close(']');
}

void WriteLimits(JsonText& json, const ValidityLimits& limits) {
    json.Key(names::kLimits);
    json.Open('{');
    const std::pair<std::string_view, const std::optional<float>&> members[] = {
        {names::kLimitWetBulb, limits.wetBulb},   {names::kLimitRange, limits.range},
        {names::kLimitFlow, limits.flow},         {names::kLimitLoad, limits.load},
        {names::kLimitFanPower, limits.fanPower}, {names::kLimitPressure, limits.pressure},
    };
    for (const auto& [key, limit] : members) {
        if (limit) json.Member(key, *limit);
    }
    json.Close('}');
}

void WriteAcceptance(JsonText& json, const AcceptanceSetting& acceptance,
                     const std::filesystem::path& folder) {
    json.Key(names::kAcceptance);
    json.Open('{');
    WriteReadings(json, acceptance.readings);
    ChoiceMember(json, names::kReadingsPowerUnit, names::kPowerUnits, acceptance.readingsPowerUnit);
    if (acceptance.slope) json.Member(names::kSlope, *acceptance.slope);
    if (acceptance.designFanPower) {
        json.Key(names::kDesignFanPower);
        json.Open('{');
        json.Member(names::kValue, acceptance.designFanPower->value);
        ChoiceMember(json, names::kUnit, names::kPowerUnits, acceptance.designFanPower->unit);
        json.Close('}');
    }
    ChoiceMember(json, names::kDraft, names::kDrafts, acceptance.draft);
    if (acceptance.method) ChoiceMember(json, names::kMethod, names::kMethods, *acceptance.method);
    WriteMakerCurves(json, acceptance.makerCurves);
    PathMember(json, names::kMakerCurvesFile, acceptance.makerCurvesFile, folder);
    WriteLimits(json, acceptance.limits);
    json.Close('}');
}

void WriteBins(JsonText& json, const std::vector<YearBin>& bins) {
    json.Key(names::kBins);
    json.Open('[');
    for (const YearBin& bin : bins) {
        JsonText::Row row = json.StartRow();
        row.Cell(names::kWetBulb, bin.wetBulb);
        row.Cell(names::kDryBulb, bin.dryBulb);
        row.Cell(names::kHours, bin.hours);
        row.Cell(names::kHotWater, bin.hotWater);
        row.Cell(names::kApproach, bin.approach);
        row.Cell(names::kRange, bin.range);
    }
    json.Close(']');
}

void WriteYear(JsonText& json, const YearSetting& year, const std::filesystem::path& folder) {
    json.Key(names::kYear);
    json.Open('{');
    WriteBins(json, year.bins);
    PathMember(json, names::kWeatherFile, year.weatherFile, folder);
    json.Key(names::kFan);
    json.Open('{');
    ChoiceMember(json, names::kFanMode, names::kFanModes, year.fanControl.mode);
    json.Member(names::kSetpoint, year.fanControl.setpoint);
    json.Member(names::kLowestAirFlow, year.fanControl.minimumAirFlow);
    json.Close('}');
    json.Member(names::kLoadPercent, year.loadPercent);
    PathMember(json, names::kLoadFile, year.loadFile, folder);
    json.Close('}');
}

void WriteReport(JsonText& json, const ReportSetting& report) {
    json.Key(names::kReport);
    json.Open('{');
    json.Member(names::kTitle, report.title);
    json.Member(names::kProject, report.project);
    json.Member(names::kReportTower, report.tower);
    json.Member(names::kTestDate, report.testDate);
    json.Member(names::kTestedBy, report.testedBy);
    json.Key(names::kFields);
    json.Open('[');
    for (const ReportField& field : report.fields) {
        json.NextItem();
        json.Open('{');
        json.Member(names::kFieldName, field.name);
        json.Member(names::kFieldText, field.text);
        json.Close('}');
    }
    json.Close(']');
    json.Close('}');
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return {text.begin(), text.end()};
}

}  // namespace

std::string StoredPath(const std::filesystem::path& path, const std::filesystem::path& folder) {
    if (path.is_relative() || folder.empty()) return Utf8(path.lexically_normal());
    const std::filesystem::path relative =
        path.lexically_normal().lexically_relative(folder.lexically_normal());
    const bool inFolder =
        !relative.empty() && std::none_of(relative.begin(), relative.end(),
                                          [](const auto& part) { return part == ".."; });
    return Utf8(inFolder ? relative : path.lexically_normal());
}

std::filesystem::path ResolvedPath(std::string_view stored, const std::filesystem::path& folder) {
    const std::filesystem::path path(std::u8string(stored.begin(), stored.end()));
    if (path.is_absolute()) return path.lexically_normal();
    return (folder / path).lexically_normal();
}

std::string WriteStudy(const Study& study, const std::filesystem::path& folder) {
    JsonText json;
    json.Open('{');
    json.Member(names::kFormat, kStudyFormat);
    json.Key(names::kVersion);
    json.Integer(kStudyVersion);
    ChoiceMember(json, names::kUnits, names::kUnitSystems, study.units);
    WriteIdentification(json, study);
    WriteDesign(json, study.design);
    WriteTower(json, study.tower);
    WriteAcceptance(json, study.acceptance, folder);
    WriteYear(json, study.year, folder);
    WriteReport(json, study.report);
    json.Close('}');
    return std::move(json).Take();
}

std::string SaveStudyFile(const Study& study, const std::filesystem::path& file) {
    const std::string text = WriteStudy(study, file.parent_path());
    std::filesystem::path partial = file;
    partial += ".saving";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            return Utf8(file) + ": cannot be written";
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, file, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return Utf8(file) + ": cannot be written: " + error.message();
    }
    return {};
}

}  // namespace veltrane::study
