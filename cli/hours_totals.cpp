#include "hours_totals.h"

#include <cmath>

#include "number_text.h"
#include "result_text.h"
#include "year_bins.h"

namespace veltrane::cli {
namespace {

/// The rows left out that the totals' note names; more are counted only.
constexpr std::size_t kNamedRowsLeftOut = 5;

/// 366 × 24: no year's weather bins hold more hours.
constexpr double kHoursInALeapYear = 8784.0;

std::string RowCount(std::size_t rows) {
    return std::to_string(rows) + (rows == 1 ? " row" : " rows");
}

}  // namespace

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

void HoursTotals::Add(const PerformanceResults& results, const PerformanceResults& hour,
                      double hours, std::span<const double> own) {
    rows_ += 1;
    hours_ += hours;
    coldWaterHours_ += static_cast<double>(results.values[Result::kColdWater]) * hours;
    const std::array<double, kBinColumnCount> bins = BinValues(hour, hours);
    for (std::size_t column = 0; column < kBinColumnCount; ++column)
        bins_[column] += bins[column];
    for (std::size_t k = 0; k < own.size() && k < own_.size(); ++k) {
        if (std::isnan(own[k])) continue;
        ownSums_[k] += own_[k].total == OwnTotal::kHoursMean ? own[k] * hours : own[k];
        ownHours_[k] += hours;
    }
}

void HoursTotals::LeaveOut(double hours, std::string_view place) {
    rowsLeftOut_ += 1;
    hoursLeftOut_ += hours;
    if (rowsLeftOut_ > kNamedRowsLeftOut) return;
    if (!placesLeftOut_.empty()) placesLeftOut_ += ", ";
    placesLeftOut_ += place;
}

void HoursTotals::Write(CsvWriter& csv, bool raw, UnitSystem units) const {
    csv.Commas(kInputCount);
    AppendBinNumber(csv, hours_, raw);
    for (const Result j : kAllResults) {
        csv.Comma();
        if (j == Result::kColdWater && hours_ > 0.0) {
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
    csv.Comma();
    std::string note = "totals of " + RowCount(rows_) +
                       " with Hours; Cold Water Out Temp is their hours-weighted mean";
    if (hours_ + hoursLeftOut_ > kHoursInALeapYear) {
        // Bins of more than one year, or counted twice: the sums are not a year's.
        note += "; the Hours add up to " +
                std::string(ShortestText(hours_ + hoursLeftOut_).View()) +
                ", more than the 8,784 of a leap year";
    }
    if (rowsLeftOut_ > 0) {
        // Named, so that no row is silently missing from a sum.
        note += "; left out: " + RowCount(rowsLeftOut_) + " without results (" + placesLeftOut_ +
                (rowsLeftOut_ > kNamedRowsLeftOut ? ", ..." : "") + "; " +
                std::string(ShortestText(hoursLeftOut_).View()) + " hours)";
    }
    csv.Field(note);
    csv.EndLine();
}

}  // namespace veltrane::cli
