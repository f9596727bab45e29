#include "hours_totals.h"

#include <cmath>

#include "number_text.h"
#include "result_text.h"
#include "year_bins.h"

namespace veltrane::cli {

void AppendBinNumber(CsvWriter& csv, double value, bool raw) {
    if (raw) {
        csv.Plain(ShortestText(value).View());
    } else {
        csv.Field(ResultText(value));
    }
}

void AppendOwnNumber(CsvWriter& csv, double value, bool raw) {
    if (value == 0.0) {
        csv.Plain("0");
        return;
    }
    AppendBinNumber(csv, value, raw);
}

std::array<double, kBinColumnCount> BinValues(const PerformanceResults& results, double hours) {
    const auto gallons = [&](Result result) { return GallonsOver(results.values[result], hours); };
    return {gallons(Result::kEvaporation), gallons(Result::kBlowdown), gallons(Result::kDrift),
            gallons(Result::kMakeup), KilowattHoursOver(results.values[Result::kFanPower], hours)};
}

void HoursTotals::TakeOwnColumns(std::span<const OwnColumn> columns) {
    own_ = columns;
    ownSums_.assign(columns.size(), 0.0);
    ownHours_.assign(columns.size(), 0.0);
}

void HoursTotals::TakeCoverage(bool underSetpoint, bool electricalColumn) {
    underSetpoint_ = underSetpoint;
    electricalColumn_ = electricalColumn;
}

void HoursTotals::Give(std::size_t column, double value) {
    if (column >= ownSums_.size()) return;
    ownSums_[column] = value;
    ownHours_[column] = 1.0;
}

void HoursTotals::Add(const PerformanceResults& results, const PerformanceResults& hour,
                      double hours, std::span<const double> own, double electricalKilowattHours) {
    rows_ += 1;
    hours_ += hours;
    coldWaterHours_ += static_cast<double>(results.values[Result::kColdWater]) * hours;
    const std::array<double, kBinColumnCount> bins = BinValues(hour, hours);
    for (std::size_t column = 0; column < kBinColumnCount; ++column)
        bins_[column] += bins[column];
    if (!std::isnan(electricalKilowattHours)) electricalKilowattHours_ += electricalKilowattHours;
    for (std::size_t k = 0; k < own.size() && k < own_.size(); ++k) {
        if (std::isnan(own[k]) || own_[k].total == OwnTotal::kGiven) continue;
        ownSums_[k] += own_[k].total == OwnTotal::kHoursMean ? own[k] * hours : own[k];
        ownHours_[k] += hours;
    }
}

void HoursTotals::LeaveOut(double hours, std::string_view place) {
    rowsLeftOut_ += 1;
    hoursLeftOut_ += hours;
    if (placesLeftOut_.size() < kNamedRowsLeftOut) placesLeftOut_.emplace_back(place);
}

void HoursTotals::Write(CsvWriter& csv, bool raw, UnitSystem units) const {
    csv.Commas(kInputCount);
    AppendBinNumber(csv, hours_, raw);
    for (const Result j : kAllResults) {
        csv.Comma();
        // Under a setpoint the plant gets Cold Water Reached: the full-speed mean would mislead.
        if (j == Result::kColdWater && hours_ > 0.0 && !underSetpoint_) {
            AppendBinNumber(
                csv, ValueInUnits(Quantity::kTemperature, units, coldWaterHours_ / hours_), raw);
        }
    }
    for (std::size_t k = 0; k < own_.size(); ++k) {
        csv.Comma();
        if (own_[k].total == OwnTotal::kNone || !(ownHours_[k] > 0.0)) continue;
        const bool mean = own_[k].total == OwnTotal::kHoursMean;
        AppendOwnNumber(csv, mean ? ownSums_[k] / ownHours_[k] : ownSums_[k], raw);
    }
    for (std::size_t column = 0; column < kBinColumnCount; ++column) {
        csv.Comma();
        AppendBinNumber(csv, ValueInUnits(kBinColumns[column].quantity, units, bins_[column]), raw);
    }
    if (electricalColumn_) {
        csv.Comma();
        AppendBinNumber(csv, electricalKilowattHours_, raw);
    }
    csv.Comma();
    const std::string note =
        TotalsNote({rows_, hours_, rowsLeftOut_, placesLeftOut_, hoursLeftOut_, underSetpoint_});
    csv.Field(note);
    csv.EndLine();
}

}  // namespace veltrane::cli
