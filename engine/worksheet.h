#pragma once
// The worksheet of a design's calculation: every working quantity with its unit, in the order
// calculated, with the formula that forms it, for checking by hand. The batch tool writes it
// for --trace, and a window can show the same text.

#include <span>
#include <string>
#include <string_view>

#include "acceptance.h"
#include "fan_control.h"
#include "leaving_air.h"
#include "performance.h"
#include "rating.h"
#include "units.h"

namespace veltrane {

/// How the worksheet writes its numbers: all in one style either way, never with an exponent in
/// the range a design meets.
enum class WorksheetNumbers {
    kReadable,  ///< six significant figures: enough to check by hand
    kExact,     ///< the shortest decimal that reads back to the very value held
};

/// The style and units of a worksheet. In US units every quantity is written as calculated. In
/// SI every line that carries a unit writes the US value with its unit and, beside it, the SI
/// value with its unit; a table gets its SI twin right below it. Dimensionless values (KaV/L,
/// L/G, humidity ratios, percentages) are written once. An exact SI value is the shortest
/// decimal that converts back to the very US value held (WriteLossless).
struct WorksheetFormat {
    // Not explicit: a number style alone asks for the worksheet in US units.
    WorksheetFormat(WorksheetNumbers style, UnitSystem system = UnitSystem::kUS)
        : numbers(style), units(system) {}

    WorksheetNumbers numbers;
    UnitSystem units;
};

/// Appends the worksheet of the design's calculation; `place` names the design. With the exact
/// leaving air, its search and the figures that follow from it close the worksheet.
void AppendWorksheet(std::string& out, std::string_view place, const DesignInputs& inputs,
                     WorksheetFormat format, LeavingAirRule rule = LeavingAirRule::kWindow);

/// Appends the design as given, every step of the approach search, then the worksheet of the
/// operating point, or the reason there is none.
void AppendRatingWorksheet(std::string& out, std::string_view place, const DesignInputs& design,
                           TowerCharacteristic tower, const Rating& rating,
                           std::span<const ApproachTrial> trials, WorksheetFormat format,
                           LeavingAirRule rule = LeavingAirRule::kWindow);

/// Appends how the row's fans were run to the setpoint: the speeds rated, the share of the hour
/// and the fan power by the fan laws.
void AppendFanControlWorksheet(std::string& out, std::string_view place, const FanControl& control,
                               const FanOperation& run, WorksheetFormat format);

/// Appends the seven steps of a capability evaluation of one reading (or the mean of the
/// readings), every number with its unit, or the step at which it stopped and why.
void AppendAcceptanceWorksheet(std::string& out, std::string_view place, const DesignBasis& basis,
                               const TestReading& reading, const CapabilityEvaluation& evaluation,
                               WorksheetFormat format);

}  // namespace veltrane
