#include "year_bins.h"

#include <limits>

namespace veltrane {

double GallonsOver(float gpm, double hours) noexcept {
    return static_cast<double>(gpm) * kMinutesPerHour * hours;
}

double KilowattHoursOver(float horsepower, double hours) noexcept {
    return static_cast<double>(horsepower) * kKilowattsPerHorsepower * hours;
}

bool AboveSetpoint(float coldWater, float setpoint) noexcept {
    return coldWater > setpoint + kSetpointTolerance;
}

DesignInputs DesignAtBin(const DesignInputs& design, const WeatherBin& bin) noexcept {
    const float range = RowRange(design);
    DesignInputs atBin = design;
    atBin[Input::kWetBulb] = bin.wetBulb;
    atBin[Input::kDryBulb] = bin.dryBulb;
    return WithRange(atBin, range);
}

namespace {

BinOperation RunBin(const DesignInputs& design, TowerCharacteristic tower,
                    const FanControl& control, const WeatherBin& bin) {
    BinOperation operation;
    operation.run = ControlFans(DesignAtBin(design, bin), tower, control, LeavingAirRule::kExact);
    if (!operation.operating()) return operation;
    operation.makeupGallons = GallonsOver(operation.run.makeup, bin.hours);
    operation.fanKilowattHours = KilowattHoursOver(operation.run.fanPower, bin.hours);
    operation.aboveSetpoint = AboveSetpoint(operation.run.coldWater, control.setpoint);
    return operation;
}

}  // namespace

YearRun RunYear(const DesignInputs& design, TowerCharacteristic tower, const FanControl& control,
                std::span<const WeatherBin> bins) {
    YearRun year;
    YearTotals& totals = year.totals;
    double coldWaterHours = 0.0;
    for (std::size_t i = 0; i < bins.size(); ++i) {
        const WeatherBin& bin = bins[i];
        const BinOperation& operation = year.bins.emplace_back(RunBin(design, tower, control, bin));
        if (!operation.operating()) {
            totals.binsLeftOut.push_back(i);
            totals.hoursLeftOut += bin.hours;
            continue;
        }
        totals.hours += bin.hours;
        totals.fanKilowattHours += operation.fanKilowattHours;
        totals.makeupGallons += operation.makeupGallons;
        totals.evaporationGallons += GallonsOver(operation.run.evaporation, bin.hours);
        totals.blowdownGallons += GallonsOver(operation.run.blowdown, bin.hours);
        coldWaterHours += static_cast<double>(operation.run.coldWater) * bin.hours;
        if (operation.aboveSetpoint) totals.hoursAboveSetpoint += bin.hours;
    }
    totals.meanColdWater = totals.hours > 0.0 ? coldWaterHours / totals.hours
                                              : std::numeric_limits<double>::quiet_NaN();
    return year;
}

}  // namespace veltrane
