#pragma once
// A year of operation's record: the weather bins (a row each: wet bulb, dry bulb, hours), the
// cold-water setpoint and the fan control, the year run with the window's tower (RunYear), and
// the texts that sum it up. The Year tab shows it in a table and boxes and forwards edits. A bin
// or control whose text is no usable value is marked and kept as typed; the run stays that of
// the last usable bins and controls until it is mended. Bins come typed, pasted or from a CSV
// file and go out as CSV, through the engine's CSV reader and writer.

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "number_boxes.h"
#include "performance_model.h"
#include "unit_layer.h"
#include "year_bins.h"

namespace veltrane::performance {

enum BinColumn : int { kTwb, kTdb, kHours, kBinColumns };

class YearModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    YearModel(const PerformanceModel& design, const UnitLayer& units, QObject* parent = nullptr);

    // The bins' table: the texts as typed or written, a marked cell's reason as its tool tip.
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    /// Reads a bins file (a header naming Twb, Tdb and Hours, in any order among other columns;
    /// either convention, the units the header names or those shown: ReadColumns). On failure
    /// the bins are kept and `error` gives the path, the line and the reason.
    bool open(const QString& path, QString& error);
    /// Writes the bins as such a file (°F, in the locale's convention: FileFormat); refused while
    /// a bin or control is marked.
    bool save(const QString& path, QString& error) const;
    /// Puts tab-separated rows (a header line is skipped) in place of the bins; every cell as
    /// pasted, usable or not.
    void paste(const QString& text);
    /// A bin with empty cells at the end; its row.
    int addBin();
    void removeBin(int row);
    /// Removes these rows (in any order, repeats ignored) and runs the year once.
    void removeBins(QList<int> rows);

    /// Replaces the bins and the fan control by a study's, and runs the year once.
    void load(const std::vector<WeatherBin>& bins, const FanControl& control);

    void typeSetpoint(const QString& text);
    void typeMinimumAirFlow(const QString& text);
    void setFanMode(FanMode mode);
    [[nodiscard]] const NumberCell& setpoint() const { return setpoint_; }
    [[nodiscard]] const NumberCell& minimumAirFlow() const { return minimum_; }
    [[nodiscard]] FanMode fanMode() const { return mode_; }
    /// Why the setpoint or the minimum air flow is not used, empty when it is.
    [[nodiscard]] const QString& setpointProblem() const { return setpointProblem_; }
    [[nodiscard]] const QString& minimumProblem() const { return minimumProblem_; }

    /// Why the bins or controls are not used as they stand (the first marked), or empty.
    [[nodiscard]] const QString& problem() const { return problem_; }
    /// The bins and the control of the latest run: the last usable ones.
    [[nodiscard]] const std::vector<WeatherBin>& bins() const { return binValues_; }
    [[nodiscard]] const FanControl& control() const { return control_; }
    /// The latest year run; nothing without a tower.
    [[nodiscard]] const std::optional<YearRun>& year() const { return year_; }

    /// The design whose tower the year is run with.
    [[nodiscard]] const PerformanceModel& design() const { return design_; }
    /// Runs the year with the design as it is now.
    void run();
    /// The design or the units changed since the last run.
    [[nodiscard]] bool isStale() const { return stale_; }

    /// The year's totals (or why there are none) as one paragraph.
    [[nodiscard]] QString totalsText() const;
    /// A bin's note: why it has no operating point, or how its fans ran (empty when the
    /// setpoint is simply met).
    [[nodiscard]] QString binNote(std::size_t bin) const;
    /// How far a bin of the latest run lands above the setpoint (nothing when it has no figures).
    [[nodiscard]] SetpointShortfall binShortfall(std::size_t bin) const;
    /// What the totals row's sums cover and what its cold water means, the bins left out named:
    /// the batch tool's totals note.
    [[nodiscard]] QString totalsNote() const;
    /// The captions of the results' columns, each with its unit.
    [[nodiscard]] QStringList resultsHeader() const;
    /// Every value exact in the units shown, the columns named with their unit, the year's
    /// totals last, quoted as CSV for the separator given.
    [[nodiscard]] QString tableText(QChar separator) const;

  signals:
    /// A new year run is in place, or the bins' problems changed.
    void ran();
    /// The design or the units changed: run again when the result is wanted.
    void becameStale();
    /// The controls' texts or marks changed.
    void controlsChanged();

  private:
    using BinCells = std::array<NumberCell, kBinColumns>;

    /// `own`: the bins as a study gave them, each with what the table does not show.
    void setBins(std::vector<BinCells> bins, std::vector<WeatherBin> own = {});
    void takeOwnDesign(std::size_t row, WeatherBin& bin) const;
    void writeMinimum(float minimumAirFlow);
    void readAll();
    void rewriteInUnits();
    [[nodiscard]] QString binProblem(std::size_t row, int column) const;
    [[nodiscard]] QString temperatureColumn(const QString& name) const;
    [[nodiscard]] QString displayText(Quantity quantity, float engineValue) const;

    const PerformanceModel& design_;
    const UnitLayer& units_;
    std::vector<BinCells> cells_;
    /// Row by row, the bins as the study opened had them, with their own approach, range and hot
    /// water (not shown in the table); empty for bins typed, pasted or read from a bins file.
    std::vector<WeatherBin> ownBins_;
    NumberCell setpoint_;
    NumberCell minimum_;                   ///< in percent of full air flow
    std::optional<float> writtenMinimum_;  ///< the fraction minimum_ was written from
    FanMode mode_ = FanMode::kFull;
    UnitSystem textUnits_;

    QString problem_;
    QString setpointProblem_;
    QString minimumProblem_;
    std::vector<WeatherBin> binValues_;
    FanControl control_;
    std::optional<YearRun> year_;
    bool stale_ = true;
};

}  // namespace veltrane::performance
