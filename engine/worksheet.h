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

namespace veltrane {

/// How the worksheet writes its numbers: all in one style either way, never with an exponent in
/// the range a design meets.
enum class WorksheetNumbers {
    kReadable,  ///< six significant figures: enough to check by hand
    kExact,     ///< the shortest decimal that reads back to the very value held
};

/// Appends the worksheet of the design's calculation; `place` names the design. With the exact
/// leaving air, its search and the figures that follow from it close the worksheet.
void AppendWorksheet(std::string& out, std::string_view place, const DesignInputs& inputs,
                     WorksheetNumbers numbers, LeavingAirRule rule = LeavingAirRule::kWindow);

/// Appends the design as given, every step of the approach search, then the worksheet of the
/// operating point, or the reason there is none.
void AppendRatingWorksheet(std::string& out, std::string_view place, const DesignInputs& design,
                           TowerCharacteristic tower, const Rating& rating,
                           std::span<const ApproachTrial> trials, WorksheetNumbers numbers,
                           LeavingAirRule rule = LeavingAirRule::kWindow);

/// Appends how the row's fans were run to the setpoint: the speeds rated, the share of the hour
/// and the fan power by the fan laws.
void AppendFanControlWorksheet(std::string& out, std::string_view place, const FanControl& control,
                               const FanOperation& run, WorksheetNumbers numbers);

/// Appends the seven steps of a capability evaluation of one reading (or the mean of the
/// readings), every number with its unit, or the step at which it stopped and why.
void AppendAcceptanceWorksheet(std::string& out, std::string_view place, const DesignBasis& basis,
                               const TestReading& reading, const CapabilityEvaluation& evaluation,
                               WorksheetNumbers numbers);

}  // namespace veltrane
