// Reading a study: the library parses the JSON (and gives the line and column of a syntax
// error); every member is then taken here, its type checked before it is read, so that nothing
// the library would throw on is ever asked of it. The values are checked last, by StudyProblem,
// the same checks a front end makes before it saves.

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include <nlohmann/json.hpp>

#include "number_text.h"
#include "study_file.h"
#include "study_names.h"

namespace veltrane::study {
namespace {

using Json = nlohmann::json;

/// Where a value stands in the file, for messages: "acceptance.readings[3].Flow". Each level
/// lives on the stack of the function reading it; the text is formed only for a refusal.
struct Place {
    const Place* parent = nullptr;
    std::string_view key;
    std::size_t index = kNoIndex;

    static constexpr std::size_t kNoIndex = std::numeric_limits<std::size_t>::max();

    [[nodiscard]] Place Member(std::string_view name) const { return {this, name, kNoIndex}; }
    [[nodiscard]] Place Element(std::size_t i) const { return {this, {}, i}; }

    [[nodiscard]] std::string Text() const {
        std::string text = parent ? parent->Text() : std::string();
        if (index != kNoIndex) return text + '[' + std::to_string(index) + ']';
        if (key.empty()) return text;
        if (!text.empty()) text += '.';
        text += key;
        return text;
    }
};

/// A text from the file inside a message: quoted, control bytes escaped, cut after 40 bytes.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    const bool cut = text.size() > kLongest;
    std::string quoted = Json(text.substr(0, cut ? kLongest : text.size()))
                             .dump(-1, ' ', false, Json::error_handler_t::replace);
    if (cut) quoted.insert(quoted.size() - 1, "...");
    return quoted;
}

std::string_view KindOf(const Json& value) {
    switch (value.type()) {
        case Json::value_t::null:
            return "null";
        case Json::value_t::object:
            return "an object";
        case Json::value_t::array:
            return "an array";
        case Json::value_t::string:
            return "text";
        case Json::value_t::boolean:
            return "true or false";
        case Json::value_t::binary:
        case Json::value_t::discarded:
            return "not a value";
        default:
            return "a number";
    }
}

/// The least double that rounds to an infinite float: halfway from the largest float, (2 − 2^−23)
/// · 2^127, to 2^128. The largest float's shortest text, "3.4028235e+38", reads as a double above
/// the largest float that still rounds to it.
const double kFloatOverflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

/// Whether `text` (the shortest text of a float) reads as the double `value`.
bool ReadsAs(const NumberText& text, double value) {
    double read = 0.0;
    const auto [end, error] =
        std::from_chars(text.chars.data(), text.chars.data() + text.length, read);
    return error == std::errc() && read == value;
}

/// The float a study's number stands for. The library reads every number as a double: the float
/// written is the one of the double's two neighbours (or its own rounding) whose shortest text
/// reads as that double. Rounding the double alone lands on the wrong float where the double is
/// a tie between two floats (of every normal float, 7.038531e-26 is the one so written); a
/// number typed by hand gets its nearest float.
float FloatOf(double value) {
    const float nearest = static_cast<float>(value);
    if (ReadsAs(ShortestText(nearest), value)) return nearest;
    for (const float infinity :
         {-std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity()}) {
        const float neighbour = std::nextafter(nearest, infinity);
        if (ReadsAs(ShortestText(neighbour), value)) return neighbour;
    }
    return nearest;
}

class Reader {
  public:
    explicit Reader(std::filesystem::path folder) : folder_(std::move(folder)) {}

    [[nodiscard]] const std::string& Error() const noexcept { return error_; }

    bool Fail(const Place& at, std::string_view what) {
        const std::string where = at.Text();
        error_ = where.empty() ? std::string(what) : where + ": " + std::string(what);
        return false;
    }

    // One value of each kind, its type checked.

    bool Read(const Json& value, const Place& at, double& out) {
        if (!value.is_number()) return WrongKind(value, at, "a number");
        out = value.get<double>();
        return true;
    }
    bool Read(const Json& value, const Place& at, float& out) {
        double number = 0.0;
        if (!Read(value, at, number)) return false;
        if (!(std::fabs(number) < kFloatOverflow)) {
            return Fail(at, std::string(ShortestText(number).View()) +
                                " is beyond the largest single-precision number");
        }
        out = FloatOf(number);
        return true;
    }
    bool Read(const Json& value, const Place& at, bool& out) {
        if (!value.is_boolean()) return WrongKind(value, at, "true or false");
        out = value.get<bool>();
        return true;
    }
    bool Read(const Json& value, const Place& at, std::string& out) {
        if (!value.is_string()) return WrongKind(value, at, "text");
        out = value.get_ref<const std::string&>();
        return true;
    }
    bool Read(const Json& value, const Place& at, std::filesystem::path& out) {
        std::string stored;
        if (!Read(value, at, stored)) return false;
        if (stored.empty()) return Fail(at, "names no file");
        out = ResolvedPath(stored, folder_);
        return true;
    }
    template <typename Value, std::size_t N>
    bool ReadChoice(const Json& value, const Place& at,
                    const std::array<names::Choice<Value>, N>& choices, Value& out) {
        std::string text;
        if (!Read(value, at, text)) return false;
        const std::optional<Value> choice = names::ValueOf(choices, text);
        if (!choice) return Fail(at, Quoted(text) + " is not one of " + names::ListOf(choices));
        out = *choice;
        return true;
    }

    // Members of an object.

    static const Json* Find(const Json& object, std::string_view key) {
        const auto found = object.find(key);
        return found == object.end() ? nullptr : &*found;
    }
    template <typename Value>
    bool Required(const Json& object, const Place& at, std::string_view key, Value& out) {
        const Json* value = Find(object, key);
        if (!value) return Fail(at.Member(key), "is missing");
        return Read(*value, at.Member(key), out);
    }
    /// Leaves `out` as it is when the member is absent.
    template <typename Value>
    bool Optional(const Json& object, const Place& at, std::string_view key, Value& out) {
        const Json* value = Find(object, key);
        return !value || Read(*value, at.Member(key), out);
    }
    template <typename Value>
    bool Optional(const Json& object, const Place& at, std::string_view key,
                  std::optional<Value>& out) {
        const Json* value = Find(object, key);
        if (!value) return true;
        Value read{};
        if (!Read(*value, at.Member(key), read)) return false;
        out = read;
        return true;
    }
    template <typename Value, std::size_t N>
    bool OptionalChoice(const Json& object, const Place& at, std::string_view key,
                        const std::array<names::Choice<Value>, N>& choices, Value& out) {
        const Json* value = Find(object, key);
        return !value || ReadChoice(*value, at.Member(key), choices, out);
    }
    /// The member when it is an object; nothing (and true) when absent and not `required`.
    bool Section(const Json& object, const Place& at, std::string_view key, bool required,
                 const Json*& out) {
        out = Find(object, key);
        if (!out) return !required || Fail(at.Member(key), "is missing");
        if (!out->is_object()) return WrongKind(*out, at.Member(key), "an object");
        return true;
    }
    bool Array(const Json& object, const Place& at, std::string_view key, const Json*& out) {
        out = Find(object, key);
        if (out && !out->is_array()) return WrongKind(*out, at.Member(key), "an array");
        return true;
    }
    bool RowObject(const Json& row, const Place& at) {
        return row.is_object() || WrongKind(row, at, "an object");
    }

  private:
    bool WrongKind(const Json& value, const Place& at, std::string_view expected) {
        return Fail(at, "must be " + std::string(expected) + ", not " + std::string(KindOf(value)));
    }

    std::filesystem::path folder_;
    std::string error_;
};

bool ReadHeader(Reader& reader, const Json& root) {
    const Place top;
    if (!root.is_object()) {
        return reader.Fail(top, "not a Veltrane study: the file holds " +
                                    std::string(KindOf(root)) + ", not an object");
    }
    const Json* formatValue = Reader::Find(root, names::kFormat);
    if (!formatValue || !formatValue->is_string() ||
        formatValue->get_ref<const std::string&>() != kStudyFormat) {
        return reader.Fail(top, "not a Veltrane study: its \"format\" is not \"" +
                                    std::string(kStudyFormat) + "\"");
    }
    const Json* version = Reader::Find(root, names::kVersion);
    if (!version) return reader.Fail(top.Member(names::kVersion), "is missing");
    // The library keeps a whole number written without a sign as unsigned.
    if (!version->is_number_unsigned() || version->get<std::uint64_t>() < 1) {
        return reader.Fail(top.Member(names::kVersion), "must be a whole number from 1");
    }
    const std::uint64_t number = version->get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(kStudyVersion)) {
        return reader.Fail(top, "made by a newer Veltrane: version " + std::to_string(number) +
                                    ", this one reads up to " + std::to_string(kStudyVersion));
    }
    return true;
}

bool ReadIdentification(Reader& reader, const Json& root, const Place& top, Study& study) {
    const Json* section = nullptr;
    if (!reader.Section(root, top, names::kIdentification, false, section)) return false;
    if (!section) return true;
    const Place at = top.Member(names::kIdentification);
    for (std::size_t i = 0; i < kIdentificationCount; ++i) {
        if (!reader.Optional(*section, at, names::kIdentificationKeys[i], study.identification[i]))
            return false;
    }
    return true;
}

bool ReadDesign(Reader& reader, const Json& root, const Place& top, Study& study) {
    const Json* section = nullptr;
    if (!reader.Section(root, top, names::kDesign, true, section)) return false;
    const Place at = top.Member(names::kDesign);
    for (const InputDefinition& input : kInputs) {
        if (!reader.Required(*section, at, input.shortName, study.design[input.index]))
            return false;
    }
    return true;
}

bool ReadTower(Reader& reader, const Json& root, const Place& top, Study& study) {
    const Json* section = nullptr;
    if (!reader.Section(root, top, names::kTower, true, section)) return false;
    const Place at = top.Member(names::kTower);
    TowerSetting& tower = study.tower;
    return reader.Required(*section, at, names::kThroughDesignPoint, tower.throughDesignPoint) &&
           reader.Required(*section, at, names::kTowerC, tower.c) &&
           reader.Required(*section, at, names::kTowerM, tower.m);
}

bool ReadReading(Reader& reader, const Json& row, const Place& at, TestReading& reading) {
    return reader.RowObject(row, at) &&
           reader.Required(row, at, names::kPressure, reading.pressure) &&
           reader.Required(row, at, names::kWetBulb, reading.wetBulb) &&
           reader.Required(row, at, names::kDryBulb, reading.dryBulb) &&
           reader.Required(row, at, names::kHotWater, reading.hotWater) &&
           reader.Required(row, at, names::kColdWater, reading.coldWater) &&
           reader.Required(row, at, names::kFlow, reading.waterFlow) &&
           reader.Required(row, at, names::kFanPower, reading.fanPower);
}

bool ReadCurvePoint(Reader& reader, const Json& row, const Place& at, MakerCurveRow& point) {
    return reader.RowObject(row, at) && reader.Required(row, at, names::kFlow, point.flowPercent) &&
           reader.Required(row, at, names::kRange, point.rangePercent) &&
           reader.Required(row, at, names::kWetBulb, point.wetBulb) &&
           reader.Required(row, at, names::kColdWater, point.coldWater);
}

bool ReadBin(Reader& reader, const Json& row, const Place& at, YearBin& bin) {
    return reader.RowObject(row, at) && reader.Required(row, at, names::kWetBulb, bin.wetBulb) &&
           reader.Required(row, at, names::kDryBulb, bin.dryBulb) &&
           reader.Required(row, at, names::kHours, bin.hours) &&
           reader.Optional(row, at, names::kHotWater, bin.hotWater) &&
           reader.Optional(row, at, names::kApproach, bin.approach) &&
           reader.Optional(row, at, names::kRange, bin.range);
}

/// The rows of an array member, each read by `readRow` into a new element of `rows`.
template <typename Row, typename ReadRow>
bool ReadRows(Reader& reader, const Json& section, const Place& at, std::string_view key,
              std::vector<Row>& rows, ReadRow readRow) {
    const Json* array = nullptr;
    if (!reader.Array(section, at, key, array)) return false;
    if (!array) return true;
    const Place arrayAt = at.Member(key);
    rows.reserve(array->size());
    for (std::size_t i = 0; i < array->size(); ++i) {
        Row& row = rows.emplace_back();
        if (!readRow(reader, (*array)[i], arrayAt.Element(i), row)) return false;
    }
    return true;
}

bool ReadLimits(Reader& reader, const Json& acceptance, const Place& at, ValidityLimits& limits) {
    const Json* section = nullptr;
    if (!reader.Section(acceptance, at, names::kLimits, false, section)) return false;
    if (!section) return true;
    const Place limitsAt = at.Member(names::kLimits);
    return reader.Optional(*section, limitsAt, names::kLimitWetBulb, limits.wetBulb) &&
           reader.Optional(*section, limitsAt, names::kLimitRange, limits.range) &&
           reader.Optional(*section, limitsAt, names::kLimitFlow, limits.flow) &&
           reader.Optional(*section, limitsAt, names::kLimitLoad, limits.load) &&
           reader.Optional(*section, limitsAt, names::kLimitFanPower, limits.fanPower) &&
           reader.Optional(*section, limitsAt, names::kLimitPressure, limits.pressure);
}

bool ReadDesignFanPower(Reader& reader, const Json& acceptance, const Place& at,
                        std::optional<FanPower>& out) {
    const Json* section = nullptr;
    if (!reader.Section(acceptance, at, names::kDesignFanPower, false, section)) return false;
    if (!section) return true;
    const Place powerAt = at.Member(names::kDesignFanPower);
    FanPower power;
    if (!reader.Required(*section, powerAt, names::kValue, power.value)) return false;
    const Json* unit = Reader::Find(*section, names::kUnit);
    if (!unit) return reader.Fail(powerAt.Member(names::kUnit), "is missing");
    if (!reader.ReadChoice(*unit, powerAt.Member(names::kUnit), names::kPowerUnits, power.unit))
        return false;
    out = power;
    return true;
}

bool ReadAcceptance(Reader& reader, const Json& root, const Place& top, Study& study) {
    const Json* section = nullptr;
    if (!reader.Section(root, top, names::kAcceptance, false, section)) return false;
    if (!section) return true;
    const Place at = top.Member(names::kAcceptance);
    AcceptanceSetting& acceptance = study.acceptance;
    const Json* method = Reader::Find(*section, names::kMethod);
    if (method) {
        AcceptanceMethod chosen{};
        if (!reader.ReadChoice(*method, at.Member(names::kMethod), names::kMethods, chosen))
            return false;
        acceptance.method = chosen;
    }
    return ReadRows(reader, *section, at, names::kReadings, acceptance.readings, ReadReading) &&
           reader.OptionalChoice(*section, at, names::kReadingsPowerUnit, names::kPowerUnits,
                                 acceptance.readingsPowerUnit) &&
           reader.Optional(*section, at, names::kSlope, acceptance.slope) &&
           ReadDesignFanPower(reader, *section, at, acceptance.designFanPower) &&
           reader.OptionalChoice(*section, at, names::kDraft, names::kDrafts, acceptance.draft) &&
           ReadRows(reader, *section, at, names::kMakerCurves, acceptance.makerCurves,
                    ReadCurvePoint) &&
           reader.Optional(*section, at, names::kMakerCurvesFile, acceptance.makerCurvesFile) &&
           ReadLimits(reader, *section, at, acceptance.limits);
}

bool ReadFanControl(Reader& reader, const Json& year, const Place& at, FanControl& control) {
    const Json* section = nullptr;
    if (!reader.Section(year, at, names::kFan, false, section)) return false;
    if (!section) return true;
    const Place fanAt = at.Member(names::kFan);
    return reader.OptionalChoice(*section, fanAt, names::kFanMode, names::kFanModes,
                                 control.mode) &&
           reader.Optional(*section, fanAt, names::kSetpoint, control.setpoint) &&
           reader.Optional(*section, fanAt, names::kLowestAirFlow, control.minimumAirFlow);
}

bool ReadYear(Reader& reader, const Json& root, const Place& top, Study& study) {
    const Json* section = nullptr;
    if (!reader.Section(root, top, names::kYear, false, section)) return false;
    if (!section) return true;
    const Place at = top.Member(names::kYear);
    YearSetting& year = study.year;
    return ReadRows(reader, *section, at, names::kBins, year.bins, ReadBin) &&
           reader.Optional(*section, at, names::kWeatherFile, year.weatherFile) &&
           ReadFanControl(reader, *section, at, year.fanControl) &&
           reader.Optional(*section, at, names::kLoadPercent, year.loadPercent) &&
           reader.Optional(*section, at, names::kLoadFile, year.loadFile);
}

bool ReadReportField(Reader& reader, const Json& row, const Place& at, ReportField& field) {
    return reader.RowObject(row, at) && reader.Required(row, at, names::kFieldName, field.name) &&
           reader.Required(row, at, names::kFieldText, field.text);
}

bool ReadReport(Reader& reader, const Json& root, const Place& top, Study& study) {
    const Json* section = nullptr;
    if (!reader.Section(root, top, names::kReport, false, section)) return false;
    if (!section) return true;
    const Place at = top.Member(names::kReport);
    ReportSetting& report = study.report;
    return reader.Optional(*section, at, names::kTitle, report.title) &&
           reader.Optional(*section, at, names::kProject, report.project) &&
           reader.Optional(*section, at, names::kReportTower, report.tower) &&
           reader.Optional(*section, at, names::kTestDate, report.testDate) &&
           reader.Optional(*section, at, names::kTestedBy, report.testedBy) &&
           ReadRows(reader, *section, at, names::kFields, report.fields, ReadReportField);
}

bool ReadBody(Reader& reader, const Json& root, Study& study) {
    const Place top;
    const Json* units = Reader::Find(root, names::kUnits);
    if (!units) return reader.Fail(top.Member(names::kUnits), "is missing");
    return reader.ReadChoice(*units, top.Member(names::kUnits), names::kUnitSystems, study.units) &&
           ReadIdentification(reader, root, top, study) && ReadDesign(reader, root, top, study) &&
           ReadTower(reader, root, top, study) && ReadAcceptance(reader, root, top, study) &&
           ReadYear(reader, root, top, study) && ReadReport(reader, root, top, study);
}

/// The library's message without its own prefix ("[json.exception.parse_error.101] "): "parse
/// error at line 3, column 7: syntax error while parsing object - unexpected '}'; expected
/// string literal".
std::string LibraryMessage(const Json::exception& error) {
    std::string_view text = error.what();
    constexpr std::string_view kPrefix = "] ";
    if (const auto end = text.find(kPrefix); end != std::string_view::npos)
        text.remove_prefix(end + kPrefix.size());
    return std::string(text);
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace

StudyReading ReadStudy(std::string_view text, const std::filesystem::path& folder) {
    Json root;
    try {
        root = Json::parse(text);
    } catch (const Json::parse_error& error) {
        return {std::nullopt, "not JSON: " + LibraryMessage(error)};
    } catch (const Json::exception& error) {  // a number beyond a double
        return {std::nullopt, "not a study: " + LibraryMessage(error)};
    }
    Reader reader(folder);
    Study study;
    if (!ReadHeader(reader, root) || !ReadBody(reader, root, study))
        return {std::nullopt, reader.Error()};
    std::string problem = StudyProblem(study);
    if (!problem.empty()) return {std::nullopt, std::move(problem)};
    return {std::move(study), {}};
}

StudyReading ReadStudyFile(const std::filesystem::path& file) {
    const std::string name = Utf8(file);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return {std::nullopt, name + ": cannot be read: " + error.message()};
    if (size > kLargestStudyFile) {
        return {std::nullopt,
                name + ": " + std::to_string(size) + " bytes, more than a study file holds"};
    }
    std::ifstream in(file, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    if (!in || in.gcount() != static_cast<std::streamsize>(size))
        return {std::nullopt, name + ": cannot be read"};
    StudyReading reading = ReadStudy(text, std::filesystem::absolute(file).parent_path());
    if (!reading.study) reading.error = name + ": " + reading.error;
    return reading;
}

}  // namespace veltrane::study
