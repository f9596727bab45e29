#include "hours_totals.h"

#include "number_text.h"
#include "result_text.h"

namespace veltrane::cli {
namespace {

constexpr double kMinutesPerHour = 60.0;
constexpr double kKilowattsPerHorsepower = 0.7457;

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

std::array<double, kBinColumnCount> BinValues(const PerformanceResults& results, double hours) {
    const auto gallons = [&](Result result) {
        return static_cast<double>(results.values[result]) * kMinutesPerHour * hours;
    };
    return {
        gallons(Result::kEvaporation), gallons(Result::kBlowdown), gallons(Result::kDrift),
        gallons(Result::kMakeup),
        static_cast<double>(results.values[Result::kFanPower]) * kKilowattsPerHorsepower * hours};
}

void HoursTotals::Add(const PerformanceResults& results, double hours) {
    rows_ += 1;
    hours_ += hours;
    coldWaterHours_ += static_cast<double>(results.values[Result::kColdWater]) * hours;
    const std::array<double, kBinColumnCount> bins = BinValues(results, hours);
    for (std::size_t column = 0; column < kBinColumnCount; ++column)
        bins_[column] += bins[column];
}

void HoursTotals::LeaveOut(double hours) {
    rowsLeftOut_ += 1;
    hoursLeftOut_ += hours;
}

void HoursTotals::Write(CsvWriter& csv, bool raw) const {
    csv.Commas(kInputCount);
    AppendBinNumber(csv, hours_, raw);
    for (const Result j : kAllResults) {
        csv.Comma();
        if (j == Result::kColdWater && hours_ > 0.0) {
            AppendBinNumber(csv, coldWaterHours_ / hours_, raw);
        }
    }
    for (const double sum : bins_) {
        csv.Comma();
        AppendBinNumber(csv, sum, raw);
    }
    csv.Comma();
    std::string note = "totals of " + RowCount(rows_) +
                       " with Hours; Cold Water Out Temp is their hours-weighted mean";
    if (rowsLeftOut_ > 0) {
        note += "; left out: " + RowCount(rowsLeftOut_) + " without an operating point (" +
                std::string(ShortestText(hoursLeftOut_).View()) + " hours)";
    }
    csv.Field(note);
    csv.EndLine();
}

}  // namespace veltrane::cli
