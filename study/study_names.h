#pragma once
// The member names and the texts of the choices of a study file, once for the reader, the writer
// and the checks. Column-like members take the batch tool's column names (P, Twb, Flow...), so a
// reading in a study reads as a row of its CSV.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "study.h"

namespace veltrane::study::names {

/// One choice: its text in the file and its value.
template <typename Value>
using Choice = std::pair<std::string_view, Value>;

inline constexpr std::array<Choice<UnitSystem>, 2> kUnitSystems{{
    {"US", UnitSystem::kUS},
    {"SI", UnitSystem::kSI},
}};
inline constexpr std::array<Choice<PowerUnit>, 2> kPowerUnits{{
    {"hp", PowerUnit::kHorsepower},
    {"kW", PowerUnit::kKilowatt},
}};
inline constexpr std::array<Choice<FanDraft>, 2> kDrafts{{
    {"induced", FanDraft::kInduced},
    {"forced", FanDraft::kForced},
}};
/// As the batch tool's --method takes them.
inline constexpr std::array<Choice<AcceptanceMethod>, 2> kMethods{{
    {"characteristic", AcceptanceMethod::kCharacteristic},
    {"curves", AcceptanceMethod::kCurves},
}};
/// As the batch tool's --fan takes them.
inline constexpr std::array<Choice<FanMode>, 3> kFanModes{{
    {"full", FanMode::kFull},
    {"vfd", FanMode::kVariableSpeed},
    {"two-speed", FanMode::kTwoSpeed},
}};

template <typename Value, std::size_t N>
constexpr std::string_view TextOf(const std::array<Choice<Value>, N>& choices, Value value) {
    for (const auto& [text, choice] : choices) {
        if (choice == value) return text;
    }
    return {};
}

template <typename Value, std::size_t N>
constexpr std::optional<Value> ValueOf(const std::array<Choice<Value>, N>& choices,
                                       std::string_view text) {
    for (const auto& [name, choice] : choices) {
        if (name == text) return choice;
    }
    return std::nullopt;
}

/// "full, vfd, two-speed": what a refusal offers instead.
template <typename Value, std::size_t N>
std::string ListOf(const std::array<Choice<Value>, N>& choices) {
    std::string list;
    for (const auto& choice : choices) {
        if (!list.empty()) list += ", ";
        list += choice.first;
    }
    return list;
}

// Top level.
inline constexpr std::string_view kFormat = "format";
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kUnits = "units";
inline constexpr std::string_view kIdentification = "identification";
inline constexpr std::string_view kDesign = "design";
inline constexpr std::string_view kTower = "tower";
inline constexpr std::string_view kAcceptance = "acceptance";
inline constexpr std::string_view kYear = "year";
inline constexpr std::string_view kReport = "report";

/// Project Name, System, Run Number, in kIdentification's order.
inline constexpr std::array<std::string_view, kIdentificationCount> kIdentificationKeys{
    "project", "system", "run"};

// tower
inline constexpr std::string_view kThroughDesignPoint = "throughDesignPoint";
inline constexpr std::string_view kTowerC = "C";
inline constexpr std::string_view kTowerM = "m";

// acceptance
inline constexpr std::string_view kReadings = "readings";
inline constexpr std::string_view kReadingsPowerUnit = "readingsFanPowerUnit";
inline constexpr std::string_view kSlope = "slope";
inline constexpr std::string_view kDesignFanPower = "designFanPower";
inline constexpr std::string_view kValue = "value";
inline constexpr std::string_view kUnit = "unit";
inline constexpr std::string_view kDraft = "draft";
inline constexpr std::string_view kMethod = "method";
inline constexpr std::string_view kMakerCurves = "makerCurves";
inline constexpr std::string_view kMakerCurvesFile = "makerCurvesFile";
inline constexpr std::string_view kLimits = "limits";

// A reading's columns, as the readings' CSV names them.
inline constexpr std::string_view kPressure = "P";
inline constexpr std::string_view kWetBulb = "Twb";
inline constexpr std::string_view kDryBulb = "Tdb";
inline constexpr std::string_view kHotWater = "THot";
inline constexpr std::string_view kColdWater = "TCold";
inline constexpr std::string_view kFlow = "Flow";
inline constexpr std::string_view kFanPower = "FanPower";
// A maker's curve point's (as --curves-csv names them) and a bin's besides.
inline constexpr std::string_view kRange = "Range";
inline constexpr std::string_view kHours = "Hours";
inline constexpr std::string_view kApproach = "Approach";

// limits
inline constexpr std::string_view kLimitWetBulb = "wetBulb";
inline constexpr std::string_view kLimitRange = "range";
inline constexpr std::string_view kLimitFlow = "flow";
inline constexpr std::string_view kLimitLoad = "load";
inline constexpr std::string_view kLimitFanPower = "fanPower";
inline constexpr std::string_view kLimitPressure = "pressure";

// year
inline constexpr std::string_view kBins = "bins";
inline constexpr std::string_view kWeatherFile = "weatherFile";
inline constexpr std::string_view kFan = "fan";
inline constexpr std::string_view kFanMode = "mode";
inline constexpr std::string_view kSetpoint = "setpoint";
inline constexpr std::string_view kLowestAirFlow = "lowestAirFlow";
inline constexpr std::string_view kLoadPercent = "loadPercent";
inline constexpr std::string_view kLoadFile = "loadFile";

// report
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kProject = "project";
inline constexpr std::string_view kReportTower = "tower";
inline constexpr std::string_view kTestDate = "testDate";
inline constexpr std::string_view kTestedBy = "testedBy";
inline constexpr std::string_view kFields = "fields";
inline constexpr std::string_view kFieldName = "name";
inline constexpr std::string_view kFieldText = "text";

}  // namespace veltrane::study::names
