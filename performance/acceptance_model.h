#pragma once
// The acceptance test's record: the field readings (a row each), the slope, the design fan power
// and the draft they are judged with, each reading's evaluation against the window's design by
// the characteristic-curve method of the engine (acceptance.h), the mean reading's, and the
// texts that sum it up. The Acceptance tab shows it in a table and boxes and forwards edits; the
// Worksheet tab reads its evaluation. Readings come typed, pasted or from a CSV file and go out
// as CSV, through the engine's CSV reader and writer.

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "acceptance.h"
#include "acceptance_limits.h"
#include "demand_curves.h"
#include "fan_power.h"
#include "maker_curves_model.h"
#include "number_boxes.h"
#include "performance_model.h"
#include "test_report.h"
#include "unit_layer.h"
#include "verdict.h"

namespace veltrane::performance {

/// The reading's columns in table order: P, Twb, Tdb, THot, TCold, Flow, FanPower.
inline constexpr std::size_t kReadingColumns = 7;

/// The table's columns after the readings': the results of each row. No fixed underlying type:
/// Qt 6.4's lupdate loses the namespace after a multi-line `enum X : int {`, and every text of
/// the model would then be looked up under a context the program never asks for.
enum AcceptanceColumn {
    kCapabilityColumn = static_cast<int>(kReadingColumns),
    kPredictedColumn,
    kDeviationColumn,
    kCurvesCapabilityColumn,  ///< by the maker's curves, when given
    kPredictedFlowColumn,     ///< by the maker's curves
    kNoteColumn,
    kAcceptanceColumnCount,
};

/// Everything of the test a study keeps, in the engine's units except the fan powers, which are
/// the numbers as logged or given in the unit beside them (hp or kW).
struct TestRecord {
    std::vector<TestReading> readings;  ///< the rows that read as readings, in table order
    PowerUnit readingsPowerUnit = PowerUnit::kHorsepower;
    std::optional<float> slope;                 ///< typed; nothing: the design's m
    std::optional<StatedPower> designFanPower;  ///< typed; nothing: the design's approximate
    FanDraft draft = FanDraft::kInduced;
    std::optional<AcceptanceMethod> method;  ///< nothing: the maker's curves when given
    /// Typed limits in US units (°F, %, inHg); nothing: the codes' default.
    std::array<std::optional<double>, kTestLimitCount> limits{};
    std::vector<MakerCurveRow> curves;  ///< typed curves, engine units
    QString curvesFile;                 ///< the curves' file when they came from one
};

class AcceptanceModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    AcceptanceModel(const PerformanceModel& design, const UnitLayer& units,
                    QObject* parent = nullptr);

    // The table: the readings as typed or written, each row's results, and a spare blank row
    // at the end to type the next reading into. Reading cells take edits (EditRole).
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    /// Empties the given reading cells at once (the Delete key on a selection).
    void clearCells(const QModelIndexList& cells);
    /// Puts rows separated as PasteFormat tells (tabs, or either file convention) into the table
    /// from `row` and `column` on, a header row of column names skipped; false with the message
    /// set when there is nothing to paste.
    bool paste(const QString& text, int row, int column);
    /// Replaces the readings by those of a CSV file whose header names the columns (P, Twb,
    /// Tdb, THot, TCold, Flow, FanPower), in either convention; a unit in brackets is read and
    /// converted (ReadColumns), the fan power's names the unit it was logged in. On failure the
    /// readings are kept and the message says why.
    bool open(const QString& path);
    /// Readings as the engine read them (the shortest text that reads back as the very value)
    /// or, when unusable, as typed; results exact, with the reason where there is none; the mean
    /// last. Quoted as CSV for the separator given.
    [[nodiscard]] QString tableText(QChar separator) const;

    // The settings. A text that is no usable value keeps the last good value and is marked; a
    // setting not typed over follows the design (m and the design fan power).
    void typeSlope(const QString& text);
    void typeFanPower(const QString& text);
    void setDraft(FanDraft draft);
    [[nodiscard]] const NumberCell& slope() const { return slope_; }
    [[nodiscard]] const NumberCell& fanPower() const { return fanPower_; }
    [[nodiscard]] FanDraft draft() const { return draft_; }
    [[nodiscard]] float slopeValue() const { return slopeValue_; }

    /// A test limit as typed in the units shown; empty gives the codes' default back. A text
    /// that is no number above 0 keeps the last good limit and is marked.
    void typeLimit(TestLimit limit, const QString& text);
    [[nodiscard]] const NumberCell& limitCell(TestLimit limit) const {
        return limitCells_[static_cast<std::size_t>(limit)];
    }
    /// The limits the readings are checked against, in the units shown.
    [[nodiscard]] TestLimits limits() const;
    /// The unit the readings' fan power is logged in: unstated (the design's), hp or kW. A
    /// readings file's header "FanPower (kW)" sets it.
    void setReadingsPowerUnit(PowerUnit unit);
    [[nodiscard]] PowerUnit readingsPowerUnit() const { return readingsPowerUnit_; }
    /// The unit the design fan power box names ("12.7hp", "9.5kW"), unstated for a bare number.
    [[nodiscard]] PowerUnit designPowerUnit() const { return designPowerUnit_; }
    /// The limits a reading passes (none for a blank or unread row), in the units shown.
    [[nodiscard]] const std::vector<LimitPassed>& limitsPassed(int row) const;
    /// The readings' spread of capability, over those evaluated.
    [[nodiscard]] const CapabilitySpread& spread() const { return spread_; }

    /// What the last paste, open or setting said, empty after a good one.
    [[nodiscard]] const QString& message() const { return message_; }

    /// The test as a study keeps it.
    [[nodiscard]] TestRecord record() const;
    /// Replaces the whole test by a study's, evaluated once. A curves file that cannot be read
    /// leaves no curves; `error` says why.
    void load(const TestRecord& record, QString& error);

    /// Evaluates every reading and the mean against the design as it is now.
    void evaluate();
    /// The design or the units changed since the last evaluation.
    [[nodiscard]] bool isStale() const { return stale_; }
    /// The evaluated readings' mean and its evaluation, when there is one.
    [[nodiscard]] const std::optional<TestReading>& meanReading() const { return mean_; }
    [[nodiscard]] const std::optional<CapabilityEvaluation>& meanEvaluation() const {
        return meanEvaluation_;
    }
    [[nodiscard]] std::size_t evaluatedCount() const { return evaluated_.size(); }

    /// The large result line ("Capability 93.2 %") and the one under it.
    [[nodiscard]] const QString& capabilityText() const { return capabilityText_; }
    [[nodiscard]] const QString& detailText() const { return detailText_; }
    /// The maker's curves the readings are also judged by, when given.
    [[nodiscard]] MakerCurvesModel& makerCurves() { return makerCurves_; }
    [[nodiscard]] const MakerCurvesModel& makerCurves() const { return makerCurves_; }
    /// The mean reading's evaluation by the maker's curves, when they are given.
    [[nodiscard]] const std::optional<CurvesEvaluation>& meanByCurves() const {
        return meanByCurves_;
    }
    /// The method the verdict follows: the maker's curves when given, else the characteristic.
    [[nodiscard]] AcceptanceMethod decidingMethod() const;
    /// The verdict on the mean reading by the deciding method; nothing without a mean reading.
    [[nodiscard]] const std::optional<Verdict>& verdict() const { return verdict_; }
    /// The verdict as the tab shows it large: "Meets the design (maker's curves)".
    [[nodiscard]] const QString& verdictText() const { return verdictText_; }
    /// The cross-plot of the mean reading by the maker's curves, when it reached the cross-plot.
    [[nodiscard]] const std::optional<CrossPlot>& crossPlot() const { return crossPlot_; }
    /// A reading's evaluation by each method (nothing for a blank or unread row).
    [[nodiscard]] const std::optional<CapabilityEvaluation>& evaluation(int row) const;
    [[nodiscard]] const std::optional<CurvesEvaluation>& byCurves(int row) const;
    /// A reading's values in US units, when its row reads as one.
    [[nodiscard]] const std::optional<TestReading>& reading(int row) const;
    /// A reading's Notes, as the table shows them.
    [[nodiscard]] QString note(int row) const;
    /// A reading as judged: its fan power brought into the design fan power's unit.
    [[nodiscard]] TestReading judged(const TestReading& reading) const {
        return inDesignPower(reading);
    }
    /// The design the readings were judged against, fan power in the design's unit.
    [[nodiscard]] const DesignBasis& basis() const { return basis_; }

    /// The chart: the design's demand curves with the mean reading's tower line, or why none.
    [[nodiscard]] const std::optional<DemandChart>& chart() const { return chart_; }
    [[nodiscard]] const QString& chartNote() const { return chartNote_; }

    /// The worksheet of the mean reading's evaluation, every step with its units (in SI beside
    /// the US ones), or empty when no reading is evaluated. Evaluates first when stale.
    [[nodiscard]] std::string worksheet(UnitSystem units);

  signals:
    /// The readings were evaluated again.
    void evaluated();
    /// The design or the units changed: evaluate when the result is wanted.
    void becameStale();
    /// The settings' texts or marks changed.
    void settingsChanged();
    void messageChanged();

  private:
    struct Row {
        std::array<NumberCell, kReadingColumns> cells;
        std::optional<TestReading> reading;
        QString problem;  ///< the first unusable cell ("Twb is empty")
        std::optional<CapabilityEvaluation> evaluation;
        std::optional<CurvesEvaluation> byCurves;
        std::vector<LimitPassed> passed;  ///< the test limits the reading lies beyond
        QString note;                     ///< the reading's Notes, as the batch tool writes them
        [[nodiscard]] bool blank() const;
    };

    void followDesign();
    void rewriteInUnits();
    void setMessage(const QString& text);
    void typeCell(Row& row, std::size_t column, const QString& text);
    void readRow(Row& row) const;
    void keepSpareRow();
    void takeSetting(NumberCell& cell, const QString& name, const QString& refusal, float& value);
    void summarize();
    void judge();
    [[nodiscard]] QString curvesText(const std::optional<CurvesEvaluation>& e, int column) const;
    [[nodiscard]] QString header(std::size_t column) const;
    [[nodiscard]] QString resultText(const Row& row, int column) const;
    [[nodiscard]] QString temperatureText(float fahrenheit, bool difference) const;
    [[nodiscard]] QVariant markData(const Row& row, int column, int role) const;
    [[nodiscard]] TestReading inDesignPower(const TestReading& reading) const;
    [[nodiscard]] float designPower() const;
    void showLimits();
    [[nodiscard]] QString testNotes() const;
    void noteReadings();

    [[nodiscard]] PowerUnit shownPowerUnit() const;
    void loadSettings(const TestRecord& record);

    const PerformanceModel& design_;
    const UnitLayer& units_;
    std::vector<Row> rows_;
    /// The method a study asks for; nothing: the maker's curves when given, else the
    /// characteristic curve.
    std::optional<AcceptanceMethod> method_;
    /// While a study is put in place, the curves' change does not evaluate the old readings.
    bool loading_ = false;
    NumberCell slope_;
    NumberCell fanPower_;
    bool slopeTyped_ = false;
    bool fanPowerTyped_ = false;
    PowerUnit designPowerUnit_ = PowerUnit::kUnstated;
    PowerUnit readingsPowerUnit_ = PowerUnit::kUnstated;
    std::array<NumberCell, kTestLimitCount> limitCells_;
    /// The limits typed, in US units (°F, inHg, %), so that a switch of units never moves one.
    std::array<std::optional<double>, kTestLimitCount> typedLimits_;
    CapabilitySpread spread_;
    FanDraft draft_ = FanDraft::kInduced;
    /// The settings as last taken: a marked text keeps the last good value.
    float slopeValue_;
    float fanPowerValue_;
    /// The units the texts are written in. The window may recalculate on a switch before this
    /// model hears of it: the texts are rewritten before anything else is done.
    UnitSystem textUnits_;
    QString message_;
    bool stale_ = false;

    DesignBasis basis_;
    std::vector<TestReading> evaluated_;
    std::optional<TestReading> mean_;
    std::optional<CapabilityEvaluation> meanEvaluation_;
    MakerCurvesModel makerCurves_;
    std::optional<CurvesEvaluation> meanByCurves_;
    std::optional<Verdict> verdict_;
    QString verdictText_;
    std::optional<CrossPlot> crossPlot_;
    QString capabilityText_;
    QString detailText_;
    std::optional<DemandChart> chart_;
    QString chartNote_;
};

}  // namespace veltrane::performance
