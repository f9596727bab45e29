#include "year_bins.h"

#include <algorithm>
#include <limits>

#include "constants.h"
#include "number_text.h"
#include "units.h"

namespace veltrane {
namespace {

std::string RowCount(std::size_t rows) {
    return std::to_string(rows) + (rows == 1 ? " row" : " rows");
}

}  // namespace

double GallonsOver(float gpm, double hours) noexcept {
    return static_cast<double>(gpm) * kMinutesPerHour * hours;
}

double KilowattHoursOver(float horsepower, double hours) noexcept {
    return static_cast<double>(horsepower) * kKilowattsPerHorsepower * hours;
}

bool AboveSetpoint(float coldWater, float setpoint) noexcept {
    return coldWater > setpoint + kSetpointTolerance;
}

void SetpointShortfall::Add(float coldWater, float setpoint, double rowHours) noexcept {
    if (!AboveSetpoint(coldWater, setpoint)) return;
    hours += rowHours;
    degreeHours += (static_cast<double>(coldWater) - static_cast<double>(setpoint)) * rowHours;
}

double SetpointShortfall::MeanAbove() const noexcept {
    return hours > 0.0 ? degreeHours / hours : 0.0;
}

double ElectricalKilowattHours(double shaftKilowattHours, FanDriveEfficiency efficiency,
                               FanMode mode) noexcept {
    double input = shaftKilowattHours * kPercent / static_cast<double>(efficiency.motorPercent);
    if (mode == FanMode::kVariableSpeed)
        input = input * kPercent / static_cast<double>(efficiency.drivePercent);
    return input;
}

DesignInputs DesignAtBin(const DesignInputs& design, const WeatherBin& bin) noexcept {
    // The range held is the design's own, before the bin's approach moves its THot.
    const float range = bin.range.value_or(RowRange(design));
    DesignInputs atBin = design;
    if (bin.approach) atBin[Input::kApproach] = *bin.approach;
    atBin[Input::kWetBulb] = bin.wetBulb;
    atBin[Input::kDryBulb] = bin.dryBulb;
    atBin = WithRange(atBin, range);
    if (bin.hotWater) atBin[Input::kHotWater] = *bin.hotWater;
    return atBin;
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
    SetpointShortfall shortfall;
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
        shortfall.Add(operation.run.coldWater, control.setpoint, bin.hours);
    }
    totals.meanColdWater = totals.hours > 0.0 ? coldWaterHours / totals.hours
                                              : std::numeric_limits<double>::quiet_NaN();
    totals.hoursAboveSetpoint = shortfall.hours;
    totals.degreeHoursAboveSetpoint = shortfall.degreeHours;
    totals.meanAboveSetpoint = shortfall.MeanAbove();
    return year;
}

std::string TotalsNote(const TotalsCoverage& c) {
    std::string note = "totals of " + RowCount(c.rows) + " with Hours; ";
    note += c.underSetpoint ? "Cold Water Reached is the plant's hours-weighted mean cold water "
                              "(Cold Water Out Temp, at full speed, is left empty)"
                            : "Cold Water Out Temp is their hours-weighted mean";
    if (c.rowsLeftOut > 0) {
        // Named, so that no row is silently missing from a sum.
        note += "; left out: " + RowCount(c.rowsLeftOut) + " without results (";
        const std::size_t named = std::min(c.namedLeftOut.size(), kNamedRowsLeftOut);
        for (std::size_t k = 0; k < named; ++k)
            note += (k > 0 ? ", " : "") + c.namedLeftOut[k];
        if (c.rowsLeftOut > named) note += ", ...";
        note += "; " + std::string(ShortestText(c.hoursLeftOut).View()) + " hours)";
    }
    const double allHours = c.hours + c.hoursLeftOut;
    if (allHours > kHoursInLeapYear) {
        note += "; the Hours add up to " + std::string(ShortestText(allHours).View()) +
                ", more than the " + std::string(ShortestText(kHoursInLeapYear).View()) +
                " of a leap year";
    }
    return note;
}

LeavingAirRule LeavingAirForRow(bool hasHours, bool underSetpoint,
                                std::optional<LeavingAirRule> asked) noexcept {
    if (asked) return *asked;
    return hasHours || underSetpoint ? LeavingAirRule::kExact : LeavingAirRule::kWindow;
}

}  // namespace veltrane
