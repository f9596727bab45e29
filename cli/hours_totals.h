#pragma once
// Weather bins: the water and fan energy over a row's hours, and the closing row of --totals.

#include <array>
#include <cstddef>
#include <string>

#include "csv_writer.h"
#include "input_columns.h"
#include "performance.h"

namespace veltrane::cli {

/// A number of the bin columns or the totals, formed in double precision: its result text, or
/// with `raw` the shortest decimal.
void AppendBinNumber(CsvWriter& csv, double value, bool raw);

/// The water over the hours in US gallons (gpm × 60 × hours) and the fan energy in kWh.
std::array<double, kBinColumnCount> BinValues(const PerformanceResults& results, double hours);

class HoursTotals {
  public:
    /// A row written with its results over `hours`.
    void Add(const PerformanceResults& results, double hours);
    /// A row with hours that has no results.
    void LeaveOut(double hours);
    /// The sums over the rows with Hours; in Cold Water Out Temp the hours-weighted mean. The
    /// other columns have no sum and are left empty.
    void Write(CsvWriter& csv, bool raw) const;

  private:
    std::size_t rows_ = 0;
    double hours_ = 0.0;
    double coldWaterHours_ = 0.0;  ///< cold water temperature × hours
    std::array<double, kBinColumnCount> bins_{};
    std::size_t rowsLeftOut_ = 0;  ///< rows with Hours and no results
    double hoursLeftOut_ = 0.0;
};

}  // namespace veltrane::cli
