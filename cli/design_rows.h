#pragma once
// The modes whose rows are designs: the twelve inputs (each with its default) and Hours, each
// row repeated over the sweeps, and one output row per design with its inputs, Hours, the
// sixteen results, the bin columns and Notes. Calculate and rate differ only in what they do
// with each design (WriteDesign).

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch_mode.h"
#include "fan_control.h"
#include "hours_totals.h"
#include "input_columns.h"
#include "leaving_air.h"
#include "number_text.h"
#include "performance.h"
#include "rating.h"
#include "worksheet.h"

namespace veltrane::cli {

/// The captions a mode of design rows writes after the inputs and Hours, so that an output of
/// either unit system reads back: the results, the mode's own columns, the bin columns and Notes.
template <std::size_t kOwn>
constexpr auto DesignOutputCaptions(const std::array<OwnColumn, kOwn>& own) {
    std::array<Caption, kResultCount + kOwn + kBinColumnCount + 2> names{};
    std::size_t k = 0;
    for (const Result j : kAllResults)
        names[k++] = CaptionOf(j);
    for (const OwnColumn& column : own)
        names[k++] = column.caption;
    for (const Caption& caption : kBinColumns)
        names[k++] = caption;
    names[k++] = kFanElectricalEnergyCaption;
    names[k] = kNotesCaption;
    return names;
}

/// The columns of a design row: the twelve inputs in index order, then Hours and Range.
std::span<const ColumnDefinition> DesignColumns();
inline constexpr std::size_t kHoursColumn = kInputCount;
inline constexpr std::size_t kRangeColumn = kInputCount + 1;
inline constexpr std::size_t kDesignColumnCount = kInputCount + 2;

/// What a mode adds to a row after its sixteen results.
struct OwnFigures {
    /// False when the row has results but no water or fan figures over its hours: it is
    /// reported, and left out of the totals.
    bool hasFigures = true;
    std::span<const double> values;  ///< one per OwnColumns(); NaN writes an empty cell
    /// The water and fan power over the row's hours, when not the results' own.
    const PerformanceResults* hour = nullptr;
    std::string_view note;  ///< added to Notes
};

class DesignRowsMode : public BatchMode {
  public:
    explicit DesignRowsMode(const ModeContext& context);

    [[nodiscard]] std::span<const ColumnDefinition> Columns() const override {
        return DesignColumns();
    }
    [[nodiscard]] std::span<const Caption> OutputColumns() const override;
    void StartOutput(const RowReader* header, bool writeHeader) override;
    void TakeHeader(RowReader& header, std::string_view source, std::size_t line) override;
    void Calculate(const Row& row) override;
    void WriteTotals() override;

  protected:
    /// One design: the values calculated and the texts written for the inputs.
    struct Design {
        DesignInputs values{};
        InputArray<std::string_view> texts{};
        bool hasHours = false;
        float hours = 0.0F;  ///< hours per year in the row's weather bin
        std::string_view hoursText;
    };

    /// Calculates design_ (the row with the sweeps' values) and writes its row.
    virtual void WriteDesign() = 0;
    /// True when every row has Notes, whatever the options.
    [[nodiscard]] virtual bool AlwaysNotes() const { return false; }
    /// True when Hours and the bin columns are written whatever the first input names.
    [[nodiscard]] virtual bool AlwaysHours() const { return false; }
    /// Hours that have no row, counted in the totals' Notes; `place` names them.
    void LeaveOutOfTotals(double hours, std::string_view place) { totals_.LeaveOut(hours, place); }
    /// The columns the mode writes after the sixteen results.
    [[nodiscard]] virtual std::span<const OwnColumn> OwnColumns() const { return {}; }

    /// The design's row with these inputs and results.
    void WriteResultsRow(const DesignInputs& inputs, const PerformanceResults& results,
                         const InputArray<std::string_view>& texts, const OwnFigures& own = {});
    /// The design to rate: the heat load, and so the range, stays what the row gives when the
    /// weather changes, so a sweep of the wet bulb moves THot with it. A sweep of THot or the
    /// approach sets the range itself.
    [[nodiscard]] DesignInputs DesignWithTheRowsRange() const;
    /// The sixteen results with the row's leaving air.
    [[nodiscard]] PerformanceResults Results(const DesignInputs& inputs) const {
        return CalculatePerformance(inputs, RowLeavingAir());
    }
    /// The leaving air of this row: --exit-air's, else the exact one for a row with Hours or
    /// under a setpoint and the window's search for a plain design (LeavingAirForRow).
    [[nodiscard]] LeavingAirRule RowLeavingAir() const;
    /// True when the fans follow a setpoint: the totals' cold water is then Cold Water Reached.
    [[nodiscard]] virtual bool UnderSetpoint() const { return false; }
    /// The way the fans run, for their electrical energy.
    [[nodiscard]] virtual FanMode FanModeRun() const { return FanMode::kFull; }
    /// The totals of the columns whose OwnTotal is kGiven.
    void GiveOwnTotal(std::size_t column, double value) { totals_.Give(column, value); }
    /// The design's row with these input texts, empty results and the note; the note is
    /// reported as a problem of the design.
    void WriteRowWithoutResults(const InputArray<std::string_view>& texts, std::string_view note);
    /// The row's input texts at its operating point: the solved Approach and THot of `solved` in
    /// their columns, their texts kept here until the next row.
    [[nodiscard]] InputArray<std::string_view> TextsAtOperatingPoint(const DesignInputs& solved);
    /// The row of a design that has no operating point: Approach and THot empty, as there is
    /// none to give, no results, and "no operating point: " with the reason in Notes.
    void WriteRowWithoutOperatingPoint(RatingOutcome outcome);
    /// "FILE:LINE" or "defaults", and the swept values when there are sweeps: a line of the
    /// input gives as many designs as the sweeps make.
    [[nodiscard]] virtual std::string DesignPlace() const;
    /// Hands a worksheet on, when one is wanted.
    [[nodiscard]] bool Tracing() const { return static_cast<bool>(settings_.trace); }
    void Trace(const std::string& worksheet) const { settings_.trace(worksheet); }
    /// Exact numbers under --raw, readable ones otherwise; under --units si both units.
    [[nodiscard]] WorksheetFormat WorksheetStyle() const {
        return {settings_.raw ? WorksheetNumbers::kExact : WorksheetNumbers::kReadable,
                settings_.units};
    }

    const BatchSettings& settings_;
    ModeContext context_;
    Design design_;
    float rowWetBulb_ = 0.0F;   ///< the wet bulb of the row as read, before any sweep
    DesignInputs rowAsRead_{};  ///< the row before any sweep, for --tower design:m

  private:
    [[nodiscard]] bool HasNotesColumn() const;
    void CalculateWithSweeps(std::size_t level);
    [[nodiscard]] bool TakeRange(const Row& row);
    void AppendInputs(const InputArray<std::string_view>& texts);
    void AppendHours();
    void AppendResults(const PerformanceResults& results);
    void AppendRawResults(const PerformanceResults& results);
    [[nodiscard]] static bool IsMissing(const PerformanceResults& results, Result j);
    void AppendBins(const PerformanceResults& results);
    void AppendOwn(std::span<const double> values);
    [[nodiscard]] bool NoLeavingAir(const PerformanceResults& results) const;
    /// The fan's electrical kWh over the row's hours; NaN when not written or not known.
    [[nodiscard]] double ElectricalEnergy(const PerformanceResults& hour) const;
    void AppendNotes(const DesignInputs& inputs, const PerformanceResults& results,
                     std::string_view note);

    bool binColumns_ = false;        ///< the output has Hours and the bin columns
    bool electricalColumn_ = false;  ///< the bin columns end with Fan Electrical Energy
    NumberText solvedApproach_;      ///< the texts of a rated row's solved Approach and THot
    NumberText solvedHotWater_;
    NumberText rangeHotWater_;       ///< the THot a row's Range sets
    std::string_view headerSource_;  ///< the source whose header was read last
    bool rangeNamed_ = false;        ///< its header names Range
    bool refusedSource_ = false;     ///< its header names THot and Range
    HoursTotals totals_;
    /// The text of each sweep's current value.
    std::vector<NumberText> sweepTexts_;
    std::string_view sourceName_;
    std::size_t sourceLine_ = 0;
    std::string notes_;
};

}  // namespace veltrane::cli
