#pragma once
// A study: everything the performance window holds, as one value that a file keeps and both
// front ends read. Values are in the engine's units (US customary: psia, °F, gpm, hp or kW as
// the fan power says); `units` is only the system the user last chose to see them in.
//
// What may be absent is optional, or an empty path or list: a study made before the readings,
// the curves or a weather year were thought of is still a whole study.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "acceptance.h"
#include "design_sets.h"
#include "fan_control.h"
#include "maker_curves.h"
#include "performance.h"
#include "units.h"
#include "verdict.h"

namespace veltrane::study {

/// The design of a new study: every input at its default text.
DesignInputs DefaultDesign();

/// The tower of a new study: C of a typical film fill and the slope most fills come close to.
inline constexpr float kDefaultTowerC = 2.3F;
inline constexpr float kDefaultTowerM = 0.6F;
/// The cold water a new study's fans run to, °F: the default design's cold water.
inline constexpr float kDefaultSetpoint = 78.0F;
inline constexpr float kFullLoadPercent = 100.0F;

/// The tower's characteristic KaV/L = C·(L/G)^−m: through the design point (C follows the
/// design) or C given.
struct TowerSetting {
    bool throughDesignPoint = true;
    float c = kDefaultTowerC;  ///< used when not through the design point; above 0
    float m = kDefaultTowerM;  ///< 0 or more
};

enum class PowerUnit { kHorsepower, kKilowatt };

/// A fan power with the unit it was given in.
struct FanPower {
    float value = 0.0F;  ///< above 0
    PowerUnit unit = PowerUnit::kHorsepower;
};

/// How far a reading may stand from the design before the test is outside its validity; each
/// limit absent takes the test code's usual one.
struct ValidityLimits {
    std::optional<float> wetBulb;   ///< ± °F
    std::optional<float> range;     ///< ± % of the design range
    std::optional<float> flow;      ///< ± % of the design flow
    std::optional<float> load;      ///< ± % of the design heat load
    std::optional<float> fanPower;  ///< ± % of the design fan power
    std::optional<float> pressure;  ///< ± inHg
};

/// The acceptance test: its readings and how they are judged.
struct AcceptanceSetting {
    /// The readings in table order; their FanPower in `readingsPowerUnit`.
    std::vector<TestReading> readings;
    PowerUnit readingsPowerUnit = PowerUnit::kHorsepower;
    std::optional<float> slope;  ///< m of the test; absent: the tower's
    /// Absent: the design's approximate fan-shaft power.
    std::optional<FanPower> designFanPower;
    FanDraft draft = FanDraft::kInduced;
    /// Absent: the maker's curves decide when given, else the characteristic curve.
    std::optional<AcceptanceMethod> method;
    /// The maker's curves typed in the window, or none; `makerCurvesFile` names them instead
    /// when they came from a file.
    std::vector<MakerCurveRow> makerCurves;
    std::filesystem::path makerCurvesFile;  ///< absolute once read; empty when none
    ValidityLimits limits;
};

/// One weather bin as the Year tab holds it: the air and its hours, and where a bin sets them
/// its own hot water, approach or range (°F).
struct YearBin {
    float wetBulb = 0.0F;  ///< °F
    float dryBulb = 0.0F;  ///< °F
    double hours = 0.0;    ///< h, 0 or more
    std::optional<float> hotWater;
    std::optional<float> approach;
    std::optional<float> range;
};

/// The year: the bins, or a weather file's hours, rated under the fan control and the load.
struct YearSetting {
    std::vector<YearBin> bins;
    std::filesystem::path weatherFile;  ///< absolute once read; empty when the bins are used
    FanControl fanControl{FanMode::kFull, kDefaultSetpoint, kDefaultMinimumAirFlow};
    float loadPercent = kFullLoadPercent;  ///< of the design load, above 0
    std::filesystem::path loadFile;        ///< absolute once read; when set, it replaces the %
};

struct ReportField {
    std::string name;
    std::string text;
};

/// What identifies the test report.
struct ReportSetting {
    std::string title;
    std::string project;
    std::string tower;
    std::string testDate;
    std::string testedBy;
    std::vector<ReportField> fields;  ///< further NAME=TEXT fields, in order
};

struct Study {
    DesignInputs design = DefaultDesign();
    /// Project Name, System, Run Number (design_sets.h kIdentification).
    std::array<std::string, kIdentificationCount> identification;
    TowerSetting tower;
    UnitSystem units = UnitSystem::kUS;  ///< the units shown, not those held
    AcceptanceSetting acceptance;
    YearSetting year;
    ReportSetting report;
};

}  // namespace veltrane::study
