#include "study.h"

#include <cmath>
#include <string>
#include <string_view>

#include "load_profile.h"
#include "number_text.h"
#include "study_file.h"
#include "study_names.h"

namespace veltrane::study {
namespace {

/// Liquid water at sea-level pressure: the cold water a plant can ask for, °F (as the batch
/// tool's --setpoint takes it).
constexpr float kLowestSetpoint = 32.0F;
constexpr float kHighestSetpoint = 212.0F;

/// The first problem met, with the member it is in ("acceptance.readings[3].Flow").
class Problems {
  public:
    [[nodiscard]] bool Found() const noexcept { return !first_.empty(); }
    [[nodiscard]] std::string Take() && { return std::move(first_); }

    /// A number that must be finite.
    template <typename Value>
    void Check(std::string_view where, Value value) {
        if (!Found() && !std::isfinite(value)) Note(where, "is not a finite number");
    }
    /// A finite number above 0.
    template <typename Value>
    void CheckAbove(std::string_view where, Value value) {
        Check(where, value);
        if (!Found() && !(value > Value{0}))
            Note(where, std::string(ShortestText(value).View()) + " must be above 0");
    }
    /// A finite number of 0 or more.
    template <typename Value>
    void CheckNotBelow(std::string_view where, Value value) {
        Check(where, value);
        if (!Found() && value < Value{0})
            Note(where, std::string(ShortestText(value).View()) + " is below 0");
    }
    void Note(std::string_view where, std::string_view what) {
        if (Found()) return;
        first_ = std::string(where) + ": " + std::string(what);
    }

  private:
    std::string first_;
};

std::string Element(std::string_view array, std::size_t index, std::string_view key) {
    return std::string(array) + '[' + std::to_string(index) + "]." + std::string(key);
}

std::string Member(std::string_view section, std::string_view key) {
    return std::string(section) + '.' + std::string(key);
}

void CheckDesign(Problems& problems, const Study& study) {
    for (const InputDefinition& input : kInputs) {
        const std::string where = Member(names::kDesign, input.shortName);
        const float value = study.design[input.index];
        switch (input.index) {
            // Every moist-air property divides by the pressure; the dry air flow is
            // Flow / (L/G).
            case Input::kAtmosPress:
            case Input::kLiquidGas:
                problems.CheckAbove(where, value);
                break;
            case Input::kWaterFlow:
                problems.CheckNotBelow(where, value);
                break;
            default:
                problems.Check(where, value);
        }
    }
    const std::string tower(names::kTower);
    problems.CheckAbove(Member(tower, names::kTowerC), study.tower.c);
    problems.CheckNotBelow(Member(tower, names::kTowerM), study.tower.m);
}

void CheckReadings(Problems& problems, const std::vector<TestReading>& readings) {
    const std::string array = Member(names::kAcceptance, names::kReadings);
    for (std::size_t i = 0; i < readings.size() && !problems.Found(); ++i) {
        const TestReading& r = readings[i];
        problems.CheckAbove(Element(array, i, names::kPressure), r.pressure);
        problems.Check(Element(array, i, names::kWetBulb), r.wetBulb);
        problems.Check(Element(array, i, names::kDryBulb), r.dryBulb);
        problems.Check(Element(array, i, names::kHotWater), r.hotWater);
        problems.Check(Element(array, i, names::kColdWater), r.coldWater);
        problems.CheckNotBelow(Element(array, i, names::kFlow), r.waterFlow);
        problems.CheckNotBelow(Element(array, i, names::kFanPower), r.fanPower);
    }
}

void CheckMakerCurves(Problems& problems, const std::vector<MakerCurveRow>& rows) {
    const std::string array = Member(names::kAcceptance, names::kMakerCurves);
    for (std::size_t i = 0; i < rows.size() && !problems.Found(); ++i) {
        problems.CheckAbove(Element(array, i, names::kFlow), rows[i].flowPercent);
        problems.CheckAbove(Element(array, i, names::kRange), rows[i].rangePercent);
        problems.Check(Element(array, i, names::kWetBulb), rows[i].wetBulb);
        problems.Check(Element(array, i, names::kColdWater), rows[i].coldWater);
    }
}

void CheckLimits(Problems& problems, const ValidityLimits& limits) {
    const std::string section = Member(names::kAcceptance, names::kLimits);
    const std::pair<std::string_view, const std::optional<float>&> members[] = {
        {names::kLimitWetBulb, limits.wetBulb},   {names::kLimitRange, limits.range},
        {names::kLimitFlow, limits.flow},         {names::kLimitLoad, limits.load},
        {names::kLimitFanPower, limits.fanPower}, {names::kLimitPressure, limits.pressure},
    };
    for (const auto& [key, limit] : members) {
        if (limit) problems.CheckAbove(Member(section, key), *limit);
    }
}

void CheckAcceptance(Problems& problems, const AcceptanceSetting& acceptance) {
    CheckReadings(problems, acceptance.readings);
    const std::string section(names::kAcceptance);
    if (acceptance.slope) problems.CheckNotBelow(Member(section, names::kSlope), *acceptance.slope);
    if (acceptance.designFanPower) {
        problems.CheckAbove(
            Member(section, names::kDesignFanPower) + '.' + std::string(names::kValue),
            acceptance.designFanPower->value);
    }
    CheckMakerCurves(problems, acceptance.makerCurves);
    CheckLimits(problems, acceptance.limits);
}

void CheckBins(Problems& problems, const std::vector<YearBin>& bins) {
    const std::string array = Member(names::kYear, names::kBins);
    for (std::size_t i = 0; i < bins.size() && !problems.Found(); ++i) {
        const YearBin& bin = bins[i];
        problems.Check(Element(array, i, names::kWetBulb), bin.wetBulb);
        problems.Check(Element(array, i, names::kDryBulb), bin.dryBulb);
        problems.CheckNotBelow(Element(array, i, names::kHours), bin.hours);
        if (bin.hotWater) problems.Check(Element(array, i, names::kHotWater), *bin.hotWater);
        if (bin.approach) problems.Check(Element(array, i, names::kApproach), *bin.approach);
        if (bin.range) problems.Check(Element(array, i, names::kRange), *bin.range);
    }
}

void CheckYear(Problems& problems, const YearSetting& year) {
    CheckBins(problems, year.bins);
    const std::string fan = Member(names::kYear, names::kFan);
    const float setpoint = year.fanControl.setpoint;
    if (!(setpoint >= kLowestSetpoint && setpoint <= kHighestSetpoint)) {
        problems.Note(Member(fan, names::kSetpoint),
                      std::string(ShortestText(setpoint).View()) +
                          " F is not a cold water temperature from 32 F to 212 F");
    }
    // The drive's lowest air flow is a share of full air flow; none at all is a stopped fan.
    const float lowest = year.fanControl.minimumAirFlow;
    if (!(lowest > 0.0F && lowest <= 1.0F)) {
        problems.Note(Member(fan, names::kLowestAirFlow),
                      std::string(ShortestText(lowest).View()) +
                          " is not a share of full air flow above 0 and up to 1");
    }
    const std::string load = LoadPercentProblem(static_cast<double>(year.loadPercent));
    if (!load.empty()) problems.Note(Member(names::kYear, names::kLoadPercent), load);
}

}  // namespace

DesignInputs DefaultDesign() {
    DesignInputs design{};
    for (const InputDefinition& input : kInputs)
        ReadInputNumber(input.defaultText, design[input.index]);
    return design;
}

std::string StudyProblem(const Study& study) {
    Problems problems;
    CheckDesign(problems, study);
    CheckAcceptance(problems, study.acceptance);
    CheckYear(problems, study.year);
    return std::move(problems).Take();
}

}  // namespace veltrane::study
