#pragma once
// Rating a tower of known characteristic: the approach at which a design row's demand, the
// KaV/L of the performance calculation, equals what the tower delivers, KaV/L = C·(L/G)^−m.
// Everything but the approach and the hot water temperature is held from the row, the range
// included (to the rounding of the hot water temperature); the hot water follows the approach.
//
// The demand falls as the approach grows only where all four driving forces are positive;
// below the approach at which one reaches zero it has a pole and then meaningless values of
// either sign. The search therefore brackets on "a driving force not positive, or more
// demanded than the tower gives", true below the operating point and false above it, and
// closes the bracket by regula falsi on the reciprocal demand, evaluating steps 1 to 6 of the
// calculation alone. The whole calculation runs once, at the operating point.
//
// The searched approaches end below the one at which the hot water, the hottest water of the
// calculation, reaches the boiling point at the row's pressure: there the saturation pressure
// passes the total pressure, the humidity ratio turns negative and every driving force with it,
// which would hide an operating point below.
//
// The test of an operating point: the tower's KaV/L equals the demand at the rated approach, or
// lies between the demands at the two adjacent cold water temperatures (adjacent single-precision
// values of Twb + Approach) around it, every driving force positive at both. Nothing finer can
// be calculated. A search that ends anywhere else, at the pole of the demand or short of adjacent
// temperatures, has found no operating point.

#include <string_view>
#include <vector>

#include "performance.h"

namespace veltrane {

/// KaV/L = c·(L/G)^−m, from the fill supplier's data or an acceptance test. c > 0, m ≥ 0.
struct TowerCharacteristic {
    float c;
    float m;
};

/// The searched approaches, °F. At an approach of 0 °F the cold water would reach the wet bulb.
/// The highest is lowered where the hot water would boil below it (HighestSearchedApproach).
inline constexpr float kLowestApproach = 0.001F;
inline constexpr float kHighestApproach = 100.0F;
/// No row takes more evaluations of its demand than this.
inline constexpr int kRatingCalculationLimit = 100;

/// The tower's KaV/L at this liquid/gas ratio, single precision.
float TowerKaVL(TowerCharacteristic tower, float liquidGas) noexcept;

/// C = KaV/L · (L/G)^m, single precision: the c of the tower of slope m (`slope`, dimensionless)
/// whose line passes through `kaVL` at `liquidGas` (lb/lb).
float TowerCThrough(float kaVL, float liquidGas, float slope) noexcept;

/// Whether the KaV/L of `q` is a demand: every driving force positive and the KaV/L a finite
/// number above 0. Otherwise it has no meaning and no tower can meet it.
bool IsDemandKaVL(const WorkingQuantities& q) noexcept;

enum class RatingOutcome {
    kRated,
    kNoPositiveDrivingForce,  ///< a driving force stays zero or negative up to the highest approach
    kTowerExceedsDemand,      ///< even at the lowest approach the tower does more than demanded
    kTowerBelowDemand,        ///< even at the highest approach the tower does less than demanded
    kNoRange,                 ///< the row's range is zero or negative
    kNotFinite,               ///< the characteristic, the design or the tower's KaV/L
    kHotWaterBoils,           ///< at the lowest approach the hot water already boils
    /// the demand stays below the tower's up to its pole, where the air line reaches saturation
    kTowerExceedsDemandAtThePole,
    kSearchNotClosed,   ///< the calculation limit came before adjacent cold water temperatures
    kColdWaterFreezes,  ///< the operating point's cold water is below freezing: ice, not water
};

/// Plain words for the outcome, for notes and messages ("no operating point: ...").
std::string_view DescribeOutcome(RatingOutcome outcome) noexcept;

/// One evaluation of the demand made by the search, in the order made.
struct ApproachTrial {
    float approach;  ///< °F
    float kaVL;      ///< the row's demand at that approach
    bool allDrivingForcesPositive;
};

struct Rating {
    RatingOutcome outcome = RatingOutcome::kNotFinite;
    float towerKaVL = 0.0F;
    /// The row with the solved approach and THot = Twb + approach + range; the row as given when
    /// there is no operating point.
    DesignInputs inputs{};
    /// The results of that operating point; all zero unless rated.
    PerformanceResults results;
    /// Evaluations of the demand made by the search (the closing full calculation not counted).
    int calculations = 0;
    /// The highest approach searched, °F: kHighestApproach, or lower where the hot water would
    /// boil (HighestSearchedApproach).
    float highestApproach = kHighestApproach;
};

/// The range the row gives, THot − (Twb + Approach), each step rounded as the calculation
/// rounds it, °F.
float RowRange(const DesignInputs& design) noexcept;

/// The row with its hot water moved so that the calculation forms this range: THot =
/// (Twb + Approach) + range.
DesignInputs WithRange(DesignInputs design, float range) noexcept;

/// The row at another approach with its range held: THot = (Twb + approach) + R, where R is the
/// row's THot − (Twb + Approach), each sum rounded as the calculation rounds it.
DesignInputs AtApproachHoldingRange(const DesignInputs& design, float approach) noexcept;

/// The highest approach up to kHighestApproach at which the hot water of the row, its range
/// held, stays below the boiling point at the row's pressure (its saturation pressure below the
/// atmospheric pressure), °F; NaN when it boils even at kLowestApproach. The row's range must be
/// finite.
float HighestSearchedApproach(const DesignInputs& design) noexcept;

/// Rates one design row against the tower. Pure: the same arguments give the same rating.
/// @param design [in] the row; its approach and hot water temperature give the held range
/// @param tower  [in] the tower's characteristic
/// @param trace  [out, optional] every evaluation of the search, appended in order
Rating RateDesign(const DesignInputs& design, TowerCharacteristic tower,
                  std::vector<ApproachTrial>* trace = nullptr);

}  // namespace veltrane
