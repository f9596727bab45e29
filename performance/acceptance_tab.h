#pragma once
// The Acceptance test tab: field readings (a row each, typed, pasted from a spreadsheet or opened
// from a CSV) judged against the design by the characteristic-curve method of the engine
// (acceptance.h). Each reading gets its capability, predicted cold water and deviation, or the
// reason it has none; the readings' mean is the test's result, shown large. The chart is the
// design's demand curves with the tower line of the mean reading, whose crossing with the design
// curve is the capability.

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "acceptance.h"
#include "performance_model.h"
#include "performance_tab.h"
#include "unit_layer.h"

class QComboBox;
class QLocale;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace veltrane::performance {

class AcceptanceChart;
class ReadingsTable;

/// The reading's columns in table order: P, Twb, Tdb, THot, TCold, Flow, FanPower.
inline constexpr std::size_t kReadingColumns = 7;

/// One row of the table: the reading when every cell holds a usable number, else why not.
struct ReadingRow {
    bool blank = false;  ///< every cell empty: no reading, and nothing wrong
    std::optional<TestReading> reading;
    QString problem;  ///< the first unusable cell ("Twb is empty")
    std::optional<CapabilityEvaluation> evaluation;
};

class AcceptanceTab final : public PerformanceTab {
    Q_OBJECT

  public:
    /// @param chooseFile asks for a readings file to open (empty: cancelled); a file dialog
    ///        unless a test answers it
    AcceptanceTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent = nullptr,
                  std::function<QString(QWidget*)> chooseFile = {});

    [[nodiscard]] QString title() const override { return QStringLiteral("Acceptance test"); }
    [[nodiscard]] bool hasChart() const override { return true; }
    bool writeChart(const QString& path, QString& error) const override;
    [[nodiscard]] bool hasTable() const override { return true; }
    [[nodiscard]] QString tableText(QChar separator) const override;
    bool print(QPrinter& printer, QString& error) const override;

    /// Puts tab-separated (or comma-separated) rows into the table from its current row on, a
    /// header row of column names skipped; false with the message shown when nothing fits.
    bool pasteReadings(const QString& text);
    /// Replaces the readings by those of a CSV file whose header names the columns (P, Twb,
    /// Tdb, THot, TCold, Flow, FanPower; a unit in brackets must be the one shown). On failure
    /// the table is kept and the message says why.
    bool openReadings(const QString& path);

    [[nodiscard]] QTableWidget* table() const;
    [[nodiscard]] QLineEdit* slopeBox() const { return slope_; }
    [[nodiscard]] QLineEdit* fanPowerBox() const { return fanPower_; }
    [[nodiscard]] QComboBox* draftBox() const { return draft_; }
    /// The large result line ("Capability 93.2 %") and the one under it.
    [[nodiscard]] QLabel* capabilityLabel() const { return capability_; }
    [[nodiscard]] QLabel* detailLabel() const { return detail_; }
    /// What the last paste or open said, empty after a good one.
    [[nodiscard]] QLabel* messageLabel() const { return message_; }

    /// The worksheet of the mean reading's evaluation, every step with its units (in SI beside
    /// the US ones), or empty when no reading is evaluated. Brings the evaluation up to date
    /// with the model first.
    [[nodiscard]] std::string worksheet(UnitSystem units);

  signals:
    /// The readings were evaluated again.
    void evaluated();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls(QWidget* holder);
    void readBoxes();
    void evaluate();
    /// Evaluates now when the tab is shown, else when it is next shown or asked for.
    void evaluateWhenSeen();
    void showSummary();
    void showRowResults();
    void followModel();
    void rewriteInUnits();
    void setMessage(const QString& text);
    [[nodiscard]] ReadingRow readRow(int row) const;
    [[nodiscard]] std::variant<float, QString> readCell(int row, std::size_t column,
                                                        const QLocale& locale) const;
    void writeCell(int row, std::size_t column, float engineValue);
    [[nodiscard]] QString cellText(int row, std::size_t column) const;
    [[nodiscard]] QString header(std::size_t column) const;
    [[nodiscard]] QString temperatureText(float fahrenheit, bool difference) const;

    const PerformanceModel& model_;
    const UnitLayer& units_;
    std::function<QString(QWidget*)> chooseFile_;
    ReadingsTable* table_;
    AcceptanceChart* chart_;
    QLineEdit* slope_ = nullptr;
    QLineEdit* fanPower_ = nullptr;
    QComboBox* draft_ = nullptr;
    QLabel* capability_ = nullptr;
    QLabel* detail_ = nullptr;
    QLabel* message_ = nullptr;

    // The settings as last read: engine units; a box's text that is no usable number keeps the
    // last good value and is marked.
    float slopeValue_;
    float fanPowerValue_;
    bool slopeTyped_ = false;
    bool fanPowerTyped_ = false;
    bool rewriting_ = false;
    bool stale_ = false;  ///< the model changed while the tab was not shown
    /// The units the table's and boxes' texts are written in. The window may recalculate on a
    /// switch before this tab hears of it: the texts are read only in their own units.
    UnitSystem textUnits_;

    std::vector<ReadingRow> rows_;
    std::vector<TestReading> evaluated_;
    std::optional<TestReading> mean_;
    std::optional<CapabilityEvaluation> meanEvaluation_;
    DesignBasis basis_;
};

}  // namespace veltrane::performance
