#pragma once
// Fans that follow a cold-water setpoint. A row rated against a tower (its range held, the
// approach where the demand meets the tower) is rated again at a fraction f of its full air
// flow: the dry air flow is f × G, so its L/G becomes L/G / f and the tower delivers
// KaV/L = C·(L/G / f)^−m. Less air gives warmer cold water.
//
// By the fan laws the air flow goes with the fan speed, the fan pressure with its square and
// the fan power with its cube: a fan at fraction f takes f³ × the row's full-speed fan power.
//
//   full       f = 1 all hour; the row shows how far the cold water lands from the setpoint.
//   vfd        f in [MIN, 1] where the rated cold water equals the setpoint; f = 1 when even
//              full speed is warmer, f = MIN when the water is colder than the setpoint there.
//              Where the row has no operating point below some f above MIN, the drive runs at
//              the lowest f that has one, and says so, its water colder than the setpoint.
//   two-speed  full and half speed (f = 1 and 0.5, fan power 1 and 1/8 of full), the hour
//              split so that its mean cold water equals the setpoint; all at half speed when
//              that is already colder, all at full when full speed is warmer.
// The water (evaporation, blowdown, makeup) is the rated row's at the speed run, shared over
// the hour as the speeds are. Where the exact leaving air asked for is not found at a speed
// run, the row has no water or fan power (kNoLeavingAir) rather than NaN.

#include <string>
#include <string_view>

#include "leaving_air.h"
#include "rating.h"

namespace veltrane {

enum class FanMode {
    kFull,
    kVariableSpeed,
    kTwoSpeed,
};

/// The lowest air flow a variable-speed drive runs at unless told otherwise, a fraction of full:
/// below about a third of its speed a tower fan is commonly stopped rather than slowed.
inline constexpr float kDefaultMinimumAirFlow = 0.3F;
/// The low speed of a two-speed motor, a fraction of full (a 2:1 pole-changing winding).
inline constexpr float kHalfSpeed = 0.5F;
/// The variable-speed search stops once the rated cold water is this near the setpoint, °F.
inline constexpr float kSetpointTolerance = 0.001F;
/// No row is rated more often than this by the variable-speed search, both ends included:
/// regula falsi takes about 6, bisection alone down to adjacent fractions about 25.
inline constexpr int kFanControlRatingLimit = 40;
/// From this many ratings on the search bisects only.
inline constexpr int kFanControlSecantRatings = 20;

struct FanControl {
    FanMode mode = FanMode::kFull;
    float setpoint = 0.0F;  ///< cold water the plant wants, °F
    /// vfd only: the lowest air flow, a fraction of full in (0, 1].
    float minimumAirFlow = kDefaultMinimumAirFlow;
};

enum class FanOutcome {
    kSetpointMet,       ///< vfd or two-speed hold the setpoint
    kFullSpeed,         ///< --fan full: no control, the setpoint only compared
    kFullSpeedTooWarm,  ///< even full speed gives cold water above the setpoint
    kColderAtLowest,    ///< the water is colder than the setpoint at the lowest speed
    kNoLowSpeedPoint,   ///< two-speed: half speed has no operating point; full speed runs
    kNoOperatingPoint,  ///< the row has no operating point at full speed: see the rating
    /// vfd: colder than the setpoint at the lowest air flow above MIN that has an operating
    /// point; slower the row has none (slowerOutcome says why)
    kColderAtLowestOperatingPoint,
    /// the speed run is rated, but the exact leaving air there is not found, so neither are its
    /// water and fan power
    kNoLeavingAir,
};

/// Plain words for the outcome, for notes; empty when the setpoint is simply met or compared.
std::string_view DescribeFanOutcome(FanOutcome outcome, FanMode mode) noexcept;

/// One hour of a row under fan control. Figures are the hour's means.
struct FanOperation {
    FanOutcome outcome = FanOutcome::kNoOperatingPoint;
    /// The row rated at full air flow, its results by the leaving-air rule; when it has no
    /// operating point nothing below is formed (all zero).
    Rating fullSpeed;
    /// The row rated at the controlled air flow (vfd: f; two-speed: half speed; full: as
    /// fullSpeed), its results by the leaving-air rule and its fan power by the fan laws.
    Rating controlled;
    float airFlow = 0.0F;         ///< mean air flow over the hour, fraction of full
    float fullSpeedShare = 0.0F;  ///< share of the hour at full speed (two-speed; 1 or 0 else)
    float coldWater = 0.0F;       ///< °F
    float fanPower = 0.0F;        ///< hp
    float evaporation = 0.0F;     ///< gpm
    float blowdown = 0.0F;        ///< gpm
    float makeup = 0.0F;          ///< gpm
    int ratings = 0;              ///< ratings of the row made, each a search of its own
    /// kColderAtLowestOperatingPoint: why the row has no operating point just below airFlow.
    RatingOutcome slowerOutcome = RatingOutcome::kRated;
};

/// Whether the hour's figures (cold water, water, fan power) are formed, every one a number: the
/// row has an operating point and its leaving air at the speed run is known. Only such rows
/// enter totals.
[[nodiscard]] bool HasFigures(const FanOperation& run) noexcept;

/// The note on a row's fan operation, its figures included where the outcome has any; empty
/// when the setpoint is simply met or compared.
[[nodiscard]] std::string ExplainFanOperation(const FanOperation& run, FanMode mode);

/// The row rated at air flow fraction f: L/G / f, everything else as given.
DesignInputs AtAirFlow(const DesignInputs& design, float fraction) noexcept;

/// Runs the row's fans to the setpoint. Pure.
/// @param design  [in] the row, as RateDesign takes it (its range held)
/// @param tower   [in] the tower's characteristic at full air flow, KaV/L = C·(L/G)^−m
/// @param control [in] mode, setpoint (°F) and vfd's lowest air flow
/// @param rule    [in] the leaving air that water and fan power are taken from
FanOperation ControlFans(const DesignInputs& design, TowerCharacteristic tower,
                         const FanControl& control, LeavingAirRule rule);

}  // namespace veltrane
