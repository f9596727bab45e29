#include "monthly_year.h"

#include <cmath>
#include <limits>

#include "year_bins.h"

namespace veltrane {
namespace {

double MeanOver(double weighted, double hours) {
    return hours > 0.0 ? weighted / hours : std::numeric_limits<double>::quiet_NaN();
}

/// Whether the exact leaving air was found: without it the water and the fan power are NaN.
bool FiguresFormed(const FanOperation& run) {
    return std::isfinite(run.makeup) && std::isfinite(run.evaporation) &&
           std::isfinite(run.blowdown) && std::isfinite(run.fanPower) &&
           std::isfinite(run.coldWater);
}

void AddTo(OperationSums& sums, const FanOperation& run, double hours, float setpoint) {
    if (run.outcome == FanOutcome::kNoOperatingPoint) {
        sums.hoursWithoutOperatingPoint += hours;
        return;
    }
    // A NaN would make every sum after it NaN: the hour is counted apart instead.
    if (!FiguresFormed(run)) {
        sums.hoursWithoutLeavingAir += hours;
        return;
    }
    sums.hours += hours;
    if (AboveSetpoint(run.coldWater, setpoint)) sums.hoursAboveSetpoint += hours;
    sums.evaporationGallons += GallonsOver(run.evaporation, hours);
    sums.blowdownGallons += GallonsOver(run.blowdown, hours);
    // The drift is the circulating flow's share, the same at every fan speed.
    sums.driftGallons += GallonsOver(run.controlled.results.values[Result::kDrift], hours);
    sums.makeupGallons += GallonsOver(run.makeup, hours);
    sums.fanKilowattHours += KilowattHoursOver(run.fanPower, hours);
    sums.coldWaterHours += static_cast<double>(run.coldWater) * hours;
    sums.airFlowHours += static_cast<double>(run.airFlow) * hours;
}

bool IsMonth(int month) {
    return month >= 1 && month <= static_cast<int>(kMonthsPerYear);
}

std::size_t MonthIndex(int month) {
    return IsMonth(month) ? static_cast<std::size_t>(month - 1) : 0;
}

}  // namespace

double OperationSums::MeanColdWater() const noexcept {
    return MeanOver(coldWaterHours, hours);
}

double OperationSums::MeanAirFlow() const noexcept {
    return MeanOver(airFlowHours, hours);
}

bool MonthlyYear::Add(int month, const FanOperation& run, double hours, float setpoint) {
    if (!IsMonth(month)) return false;
    AddTo(months_[MonthIndex(month)], run, hours, setpoint);
    AddTo(year_, run, hours, setpoint);
    return true;
}

const OperationSums& MonthlyYear::Month(int month) const noexcept {
    return months_[MonthIndex(month)];
}

}  // namespace veltrane
