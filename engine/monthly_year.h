#pragma once
// A year of hourly operation summed month by month, as a plant budgets it, and over the year.
// Hours are added one at a time, so a year of any length is summed in constant memory.

#include <array>
#include <cstddef>

#include "fan_control.h"

namespace veltrane {

inline constexpr std::size_t kMonthsPerYear = 12;

/// The sums of one month, or of the year. Hours without an operating point enter only
/// hoursWithoutOperatingPoint; hours whose operating point has no exact leaving air (its water
/// and fan power are not numbers) only hoursWithoutLeavingAir.
struct OperationSums {
    double hours = 0.0;                       ///< h with an operating point and its figures
    double hoursWithoutOperatingPoint = 0.0;  ///< h
    double hoursWithoutLeavingAir = 0.0;      ///< h
    double hoursAboveSetpoint = 0.0;          ///< h
    double evaporationGallons = 0.0;          ///< US gal
    double blowdownGallons = 0.0;             ///< US gal
    double driftGallons = 0.0;                ///< US gal
    double makeupGallons = 0.0;               ///< US gal
    double fanKilowattHours = 0.0;            ///< kWh
    double coldWaterHours = 0.0;              ///< °F·h, for the mean
    double airFlowHours = 0.0;                ///< h at full air flow, for the mean

    /// The hours-weighted mean of the cold water the plant gets, °F; NaN without hours.
    [[nodiscard]] double MeanColdWater() const noexcept;
    /// The hours-weighted mean air flow, a fraction of full; NaN without hours.
    [[nodiscard]] double MeanAirFlow() const noexcept;
};

class MonthlyYear {
  public:
    /// Adds one hour's run (or a record's share of an hour) to its month and to the year.
    /// @param month    [in] 1 to 12
    /// @param run      [in] the hour's fan operation
    /// @param hours    [in] h the run stands for, finite and not negative
    /// @param setpoint [in] °F, to count the hours above it
    /// @return false, and nothing added, when the month is not one of 1 to 12
    [[nodiscard]] bool Add(int month, const FanOperation& run, double hours, float setpoint);

    /// The sums of month 1 to 12 (of month 1 for any other number: ask with a valid one).
    [[nodiscard]] const OperationSums& Month(int month) const noexcept;
    /// The year's sums, added hour by hour as the months are.
    [[nodiscard]] const OperationSums& Year() const noexcept { return year_; }

  private:
    std::array<OperationSums, kMonthsPerYear> months_{};
    OperationSums year_;
};

}  // namespace veltrane
