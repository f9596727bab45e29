#pragma once
// Weather bins: the water and fan energy over a row's hours, and the closing row of --totals.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "csv_writer.h"
#include "input_columns.h"
#include "performance.h"

namespace veltrane::cli {

/// A number of the bin columns or the totals, formed in double precision: its result text, or
/// with `raw` the shortest decimal.
void AppendBinNumber(CsvWriter& csv, double value, bool raw);

/// A number of a mode's own columns: as AppendBinNumber, but a zero is written "0" (the result
/// text rule's "." is kept for the sixteen results and the bins).
void AppendOwnNumber(CsvWriter& csv, double value, bool raw);

/// The water over the hours in US gallons (gpm × 60 × hours) and the fan energy in kWh.
std::array<double, kBinColumnCount> BinValues(const PerformanceResults& results, double hours);

/// What the totals row holds in a column a mode adds after the results.
enum class OwnTotal {
    kNone,
    kHoursMean,  ///< the hours-weighted mean over the rows with a value
    kSum,        ///< the sum of the rows' values
    kGiven,      ///< a value the mode forms over the rows itself (HoursTotals::Give)
};

/// A column a mode adds after the sixteen results.
struct OwnColumn {
    Caption caption;
    OwnTotal total;
};

class HoursTotals {
  public:
    /// The totals of the columns a mode adds after the results.
    void TakeOwnColumns(std::span<const OwnColumn> columns);
    /// Whether the fans follow a setpoint (Cold Water Out Temp is then left empty) and whether
    /// a Fan Electrical Energy column follows the bin columns.
    void TakeCoverage(bool underSetpoint, bool electricalColumn);
    /// The total of an own column whose OwnTotal is kGiven, in the units written.
    void Give(std::size_t column, double value);
    /// A row written with its results over `hours`: the cold water from `results`, the water
    /// and fan energy from `hour`, the mode's own values (NaN: none) from `own`, the fan's
    /// electrical kWh (NaN: none).
    void Add(const PerformanceResults& results, const PerformanceResults& hour, double hours,
             std::span<const double> own, double electricalKilowattHours);
    /// A row with hours that has no results; `place` names it in the note.
    void LeaveOut(double hours, std::string_view place);
    /// The sums over the rows with Hours; in Cold Water Out Temp the hours-weighted mean; the
    /// cold water and the bin columns in `units`. The other columns have no sum and are left
    /// empty.
    void Write(CsvWriter& csv, bool raw, UnitSystem units) const;

  private:
    std::size_t rows_ = 0;
    double hours_ = 0.0;
    double coldWaterHours_ = 0.0;  ///< cold water temperature × hours
    std::array<double, kBinColumnCount> bins_{};
    std::size_t rowsLeftOut_ = 0;  ///< rows with Hours and no results
    double hoursLeftOut_ = 0.0;
    std::vector<std::string> placesLeftOut_;  ///< the first few of them, named
    bool underSetpoint_ = false;
    bool electricalColumn_ = false;
    double electricalKilowattHours_ = 0.0;
    std::span<const OwnColumn> own_;
    std::vector<double> ownSums_;   ///< value × hours, or value, by the column's total
    std::vector<double> ownHours_;  ///< the hours of the rows with a value
};

}  // namespace veltrane::cli
