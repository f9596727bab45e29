// Study files: a study written and read back is the same study bit for bit; what cannot be
// read is refused with its reason; the files a study names follow its folder.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "maker_curves.h"
#include "study_file.h"

namespace veltrane::study {
namespace {

namespace fs = std::filesystem;

const fs::path kFolder = "/projects/tower-7";

/// A study with every member away from its default, and floats whose shortest text is long or
/// whose reading back is easily got wrong.
Study FullStudy() {
    Study s;
    s.design[Input::kWetBulb] = 0.1F;
    s.design[Input::kDryBulb] = std::nextafter(85.0F, 100.0F);
    s.design[Input::kWaterFlow] = 16777217.0F;  // rounds to 16777216
    s.design[Input::kMakeupTemp] = -0.0F;
    s.design[Input::kDriftLoss] = 1e-45F;  // the smallest denormal
    s.identification = {"Plant \"North\"", "CT-2\tcell 1", "Run 3 — ü"};
    s.tower = {false, 1.17549435e-38F, 0.75F};
    s.units = UnitSystem::kSI;
    s.acceptance.readings = {{14.2F, 66.3F, 84.9F, 104.7F, 78.6F, 1012.5F, 12.4F},
                             {FLT_MAX, 1e20F, -40.0F, 3.3333333F, 0.33333334F, 0.0F, 9.5F}};
    s.acceptance.readingsPowerUnit = PowerUnit::kKilowatt;
    s.acceptance.slope = 0.62F;
    s.acceptance.designFanPower = FanPower{9.5F, PowerUnit::kKilowatt};
    s.acceptance.draft = FanDraft::kForced;
    s.acceptance.method = AcceptanceMethod::kCharacteristic;
    s.acceptance.makerCurves = {{90.0F, 80.0F, 60.0F, 73.1F}, {110.0F, 120.0F, 80.0F, 87.25F}};
    s.acceptance.makerCurvesFile = kFolder / "curves" / "maker.csv";
    s.acceptance.limits.wetBulb = 10.0F;
    s.acceptance.limits.pressure = 0.5F;
    // The one normal float whose shortest text, read as a double, rounds to its neighbour.
    s.acceptance.limits.flow = 0x1.5c87fap-84F;  // "7.038531e-26"
    s.year.bins = {{60.0F, 70.0F, 384.0, 95.0F, std::nullopt, 12.5F},
                   {22.48F, 31.95F, 0.1, std::nullopt, 10.0F, std::nullopt}};
    s.year.weatherFile = "/data/weather/site.epw";
    s.year.fanControl = {FanMode::kTwoSpeed, 80.5F, 0.25F};
    s.year.loadPercent = 85.0F;
    s.year.loadFile = kFolder / "load.csv";
    s.report = {"Acceptance test", "Plant",
                "Cell 1",          "2026-06-01",
                "A. Engineer",     {{"Witness", "B. Client"}, {"Contract", "No. 12/3"}}};
    return s;
}

bool Same(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
bool Same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
template <typename Value>
bool Same(const std::optional<Value>& a, const std::optional<Value>& b) {
    return a.has_value() == b.has_value() && (!a || Same(*a, *b));
}

#define EXPECT_SAME(a, b) EXPECT_TRUE(Same(a, b)) << #a

/// Every member of two studies equal, floats bit for bit.
void ExpectSameStudy(const Study& a, const Study& b) {
    for (const Input input : kAllInputs)
        EXPECT_SAME(a.design[input], b.design[input]);
    EXPECT_EQ(a.identification, b.identification);
    EXPECT_EQ(a.tower.throughDesignPoint, b.tower.throughDesignPoint);
    EXPECT_SAME(a.tower.c, b.tower.c);
    EXPECT_SAME(a.tower.m, b.tower.m);
    EXPECT_EQ(a.units, b.units);

    const AcceptanceSetting& p = a.acceptance;
    const AcceptanceSetting& q = b.acceptance;
    ASSERT_EQ(p.readings.size(), q.readings.size());
    for (std::size_t i = 0; i < p.readings.size(); ++i) {
        const TestReading& r = p.readings[i];
        const TestReading& t = q.readings[i];
        EXPECT_SAME(r.pressure, t.pressure);
        EXPECT_SAME(r.wetBulb, t.wetBulb);
        EXPECT_SAME(r.dryBulb, t.dryBulb);
        EXPECT_SAME(r.hotWater, t.hotWater);
        EXPECT_SAME(r.coldWater, t.coldWater);
        EXPECT_SAME(r.waterFlow, t.waterFlow);
        EXPECT_SAME(r.fanPower, t.fanPower);
    }
    EXPECT_EQ(p.readingsPowerUnit, q.readingsPowerUnit);
    EXPECT_SAME(p.slope, q.slope);
    ASSERT_EQ(p.designFanPower.has_value(), q.designFanPower.has_value());
    if (p.designFanPower) {
        EXPECT_SAME(p.designFanPower->value, q.designFanPower->value);
        EXPECT_EQ(p.designFanPower->unit, q.designFanPower->unit);
    }
    EXPECT_EQ(p.draft, q.draft);
    EXPECT_EQ(p.method, q.method);
    ASSERT_EQ(p.makerCurves.size(), q.makerCurves.size());
    for (std::size_t i = 0; i < p.makerCurves.size(); ++i) {
        EXPECT_SAME(p.makerCurves[i].flowPercent, q.makerCurves[i].flowPercent);
        EXPECT_SAME(p.makerCurves[i].rangePercent, q.makerCurves[i].rangePercent);
        EXPECT_SAME(p.makerCurves[i].wetBulb, q.makerCurves[i].wetBulb);
        EXPECT_SAME(p.makerCurves[i].coldWater, q.makerCurves[i].coldWater);
    }
    EXPECT_EQ(p.makerCurvesFile, q.makerCurvesFile);
    EXPECT_SAME(p.limits.wetBulb, q.limits.wetBulb);
    EXPECT_SAME(p.limits.range, q.limits.range);
    EXPECT_SAME(p.limits.flow, q.limits.flow);
    EXPECT_SAME(p.limits.load, q.limits.load);
    EXPECT_SAME(p.limits.fanPower, q.limits.fanPower);
    EXPECT_SAME(p.limits.pressure, q.limits.pressure);

    ASSERT_EQ(a.year.bins.size(), b.year.bins.size());
    for (std::size_t i = 0; i < a.year.bins.size(); ++i) {
        const YearBin& x = a.year.bins[i];
        const YearBin& y = b.year.bins[i];
        EXPECT_SAME(x.wetBulb, y.wetBulb);
        EXPECT_SAME(x.dryBulb, y.dryBulb);
        EXPECT_SAME(x.hours, y.hours);
        EXPECT_SAME(x.hotWater, y.hotWater);
        EXPECT_SAME(x.approach, y.approach);
        EXPECT_SAME(x.range, y.range);
    }
    EXPECT_EQ(a.year.weatherFile, b.year.weatherFile);
    EXPECT_EQ(a.year.fanControl.mode, b.year.fanControl.mode);
    EXPECT_SAME(a.year.fanControl.setpoint, b.year.fanControl.setpoint);
    EXPECT_SAME(a.year.fanControl.minimumAirFlow, b.year.fanControl.minimumAirFlow);
    EXPECT_SAME(a.year.loadPercent, b.year.loadPercent);
    EXPECT_EQ(a.year.loadFile, b.year.loadFile);

    EXPECT_EQ(a.report.title, b.report.title);
    EXPECT_EQ(a.report.project, b.report.project);
    EXPECT_EQ(a.report.tower, b.report.tower);
    EXPECT_EQ(a.report.testDate, b.report.testDate);
    EXPECT_EQ(a.report.testedBy, b.report.testedBy);
    ASSERT_EQ(a.report.fields.size(), b.report.fields.size());
    for (std::size_t i = 0; i < a.report.fields.size(); ++i) {
        EXPECT_EQ(a.report.fields[i].name, b.report.fields[i].name);
        EXPECT_EQ(a.report.fields[i].text, b.report.fields[i].text);
    }
}

TEST(StudyFile, shouldReadBackEveryMemberBitForBit) {
    const Study study = FullStudy();
    ASSERT_EQ(StudyProblem(study), "");
    const std::string text = WriteStudy(study, kFolder);
    const StudyReading read = ReadStudy(text, kFolder);
    ASSERT_TRUE(read.study) << read.error;
    ExpectSameStudy(study, *read.study);
    EXPECT_EQ(WriteStudy(*read.study, kFolder), text) << "a study saved twice is the same file";
}

TEST(StudyFile, shouldReadANewStudyAsTheDefaults) {
    const StudyReading read = ReadStudy(WriteStudy(Study{}, kFolder), kFolder);
    ASSERT_TRUE(read.study) << read.error;
    ExpectSameStudy(Study{}, *read.study);
    EXPECT_EQ(read.study->design[Input::kDriftLoss], 0.001F);
}

TEST(StudyFile, shouldKeepTheFilesItNamesBesideItRelative) {
    const struct {
        fs::path file;
        std::string stored;
    } kCases[] = {
        {kFolder / "site.epw", "site.epw"},
        {kFolder / "weather" / "." / "site.epw", "weather/site.epw"},
        {kFolder / ".." / "tower-8" / "site.epw", "/projects/tower-8/site.epw"},
        {"/data/site.epw", "/data/site.epw"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(StoredPath(c.file, kFolder), c.stored) << c.file;
        EXPECT_EQ(ResolvedPath(c.stored, kFolder), c.file.lexically_normal()) << c.file;
    }
    // The study moved with its folder finds its files in the new place.
    Study study;
    study.year.weatherFile = kFolder / "weather" / "site.epw";
    const StudyReading moved = ReadStudy(WriteStudy(study, kFolder), "/archive/tower-7");
    ASSERT_TRUE(moved.study) << moved.error;
    EXPECT_EQ(moved.study->year.weatherFile, fs::path("/archive/tower-7/weather/site.epw"));
}

TEST(StudyFile, shouldRefuseAStudyOfANewerVersion) {
    std::string text = WriteStudy(Study{}, kFolder);
    text.replace(text.find("\"version\": 1"), 12, "\"version\": 2");
    const StudyReading read = ReadStudy(text, kFolder);
    EXPECT_FALSE(read.study);
    EXPECT_EQ(read.error, "made by a newer Veltrane: version 2, this one reads up to 1");
}

TEST(StudyFile, shouldRefuseWhatItCannotReadWithItsReason) {
    // Each case replaces a piece of the full study's text.
    const struct {
        const char* name;
        std::string piece;
        std::string replacement;
        std::string error;
    } kCases[] = {
        {"a syntax error", "\"units\": \"SI\",", "\"units\": \"SI\"",
         "not JSON: parse error at line 5, column 18: syntax error while parsing object - "
         "unexpected string literal; expected '}'"},
        {"not a study", "\"format\": \"veltrane-study\"", "\"format\": \"other\"",
         "not a Veltrane study: its \"format\" is not \"veltrane-study\""},
        {"a version that is no version", "\"version\": 1", "\"version\": 1.5",
         "version: must be a whole number from 1"},
        {"a number given as text", "\"Flow\": 16777216", "\"Flow\": \"1000\"",
         "design.Flow: must be a number, not text"},
        {"a section of the wrong kind", "\"tower\": {", "\"tower\": [], \"x\": {",
         "tower: must be an object, not an array"},
        {"a design input missing", "\"Cycles\": 3,", "", "design.Cycles: is missing"},
        {"a reading's column missing", "\"TCold\": 78.6, ", "",
         "acceptance.readings[0].TCold: is missing"},
        {"a reading that is no row", "\"readings\": [", "\"readings\": [7, ",
         "acceptance.readings[0]: must be an object, not a number"},
        {"an unknown fan mode", "\"mode\": \"two-speed\"", "\"mode\": \"turbo\"",
         "year.fan.mode: \"turbo\" is not one of full, vfd, two-speed"},
        {"unknown units", "\"units\": \"SI\"", "\"units\": \"si\"",
         "units: \"si\" is not one of US, SI"},
        {"a negative flow", "\"Flow\": 1012.5", "\"Flow\": -5",
         "acceptance.readings[0].Flow: -5 is below 0"},
        {"no pressure", "\"P\": 14.2", "\"P\": 0", "acceptance.readings[0].P: 0 must be above 0"},
        {"a number beyond single precision", "\"Flow\": 1012.5", "\"Flow\": 1e39",
         "acceptance.readings[0].Flow: 1e+39 is beyond the largest single-precision number"},
        {"a number beyond double precision", "\"Flow\": 1012.5", "\"Flow\": 1e400",
         "not a study: number overflow parsing '1e400'"},
        {"negative hours", "\"Hours\": 384", "\"Hours\": -1", "year.bins[0].Hours: -1 is below 0"},
        {"a setpoint of ice", "\"setpoint\": 80.5", "\"setpoint\": 20",
         "year.fan.setpoint: 20 F is not a cold water temperature from 32 F to 212 F"},
        {"a stopped fan", "\"lowestAirFlow\": 0.25", "\"lowestAirFlow\": 0",
         "year.fan.lowestAirFlow: 0 is not a share of full air flow above 0 and up to 1"},
        {"no load", "\"loadPercent\": 85", "\"loadPercent\": 0",
         "year.loadPercent: the load must be above 0 %"},
        {"a tower without transfer", "\"C\": 1.1754944e-38", "\"C\": 0",
         "tower.C: 0 must be above 0"},
        {"a path that names nothing", "\"loadFile\": \"load.csv\"", "\"loadFile\": \"\"",
         "year.loadFile: names no file"},
    };
    const std::string full = WriteStudy(FullStudy(), kFolder);
    for (const auto& c : kCases) {
        std::string text = full;
        const std::size_t at = text.find(c.piece);
        ASSERT_NE(at, std::string::npos) << c.name << ": " << c.piece;
        text.replace(at, c.piece.size(), c.replacement);
        const StudyReading read = ReadStudy(text, kFolder);
        EXPECT_FALSE(read.study) << c.name;
        EXPECT_EQ(read.error, c.error) << c.name;
    }
}

TEST(StudyFile, shouldPassOverMembersItDoesNotKnow) {
    std::string text = WriteStudy(FullStudy(), kFolder);
    text.replace(text.find("\"design\": {"), 11,
                 "\"later\": {\"x\": [1, {}]}, \"design\": {\"y\": 0, ");
    const StudyReading read = ReadStudy(text, kFolder);
    ASSERT_TRUE(read.study) << read.error;
    ExpectSameStudy(FullStudy(), *read.study);
}

TEST(StudyFile, shouldSaveAndOpenAFileAndNameItInARefusal) {
    const fs::path folder = fs::path(testing::TempDir()) / "study-file-test";
    fs::create_directories(folder);
    const fs::path file = folder / "plant.veltrane";
    Study study = FullStudy();
    study.year.weatherFile = folder / "site.epw";
    ASSERT_EQ(SaveStudyFile(study, file), "");
    const StudyReading read = ReadStudyFile(file);
    ASSERT_TRUE(read.study) << read.error;
    ExpectSameStudy(study, *read.study);

    std::ofstream(file, std::ios::trunc) << "[]";
    EXPECT_EQ(ReadStudyFile(file).error,
              file.string() + ": not a Veltrane study: the file holds an array, not an object");
    fs::remove_all(folder);
}

TEST(StudyFile, shouldReadTheExampleStudy) {
    const fs::path file = fs::path(VELTRANE_EXAMPLES_DIR) / "default.veltrane";
    const StudyReading read = ReadStudyFile(file);
    ASSERT_TRUE(read.study) << read.error;
    const Study& study = *read.study;
    EXPECT_TRUE(study.tower.throughDesignPoint);
    EXPECT_EQ(study.tower.m, 0.6F);
    EXPECT_TRUE(fs::exists(study.year.weatherFile)) << study.year.weatherFile;
    EXPECT_GE(study.acceptance.readings.size(), 3U);
    const MakerCurvesTable curves = BuildMakerCurves(study.acceptance.makerCurves);
    EXPECT_TRUE(curves.curves) << curves.refusal;

    std::ifstream in(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(WriteStudy(study, file.parent_path()), text) << "the example is as a save writes it";
}

}  // namespace
}  // namespace veltrane::study
