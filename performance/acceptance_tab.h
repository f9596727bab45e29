#pragma once
// The Acceptance test tab: field readings (a row each, typed, pasted from a spreadsheet or opened
// from a CSV) judged against the design by the characteristic-curve method of the engine
// (acceptance.h). The readings, their evaluation and its texts are the AcceptanceModel's; this
// tab shows them and forwards edits. Each reading gets its capability, predicted cold water and
// deviation, or the reason it has none; the readings' mean is the test's result, shown large. The
// chart is the design's demand curves with the tower line of the mean reading, whose crossing with
// the design curve is the capability.

#include <QString>

#include <array>
#include <functional>

#include "acceptance_model.h"
#include "performance_model.h"
#include "performance_tab.h"
#include "test_report_fill.h"
#include "unit_layer.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace veltrane::performance {

class AcceptanceChart;
class CrossPlotView;
class ReadingsTable;

class AcceptanceTab final : public PerformanceTab {
    Q_OBJECT

  public:
    /// @param readings the test's record, which this tab shows and edits
    /// @param chooseFile asks for a readings file to open (empty: cancelled); a file dialog
    ///        unless a test answers it
    AcceptanceTab(AcceptanceModel& readings, const PerformanceModel& model, const UnitLayer& units,
                  QWidget* parent = nullptr, std::function<QString(QWidget*)> chooseFile = {});

    [[nodiscard]] QString title() const override { return tr("Acceptance test"); }
    [[nodiscard]] bool hasChart() const override { return true; }
    bool writeChart(const QString& path, QString& error) const override;
    [[nodiscard]] bool hasTable() const override { return true; }
    [[nodiscard]] QString tableText(QChar separator) const override;
    [[nodiscard]] std::optional<TabPrintout> printout() const override;

    /// Pastes rows into the table from its current cell on (AcceptanceModel::paste).
    bool pasteReadings(const QString& text);
    /// Opens a readings file (AcceptanceModel::open).
    bool openReadings(const QString& path);
    /// Opens a maker's curves file (MakerCurvesModel::open); false with the message shown.
    bool openCurves(const QString& path);
    /// Pastes rows into the maker's curves from its current cell on.
    bool pasteCurves(const QString& text);
    /// Fills the maker's curves from the design tower's performance curves, as the Performance
    /// curves tab shows them; false with the message shown when there are none.
    bool fillCurvesFromDesign();

    [[nodiscard]] AcceptanceModel& readings() const { return readings_; }
    [[nodiscard]] QTableView* table() const;
    [[nodiscard]] QTableView* curvesTable() const { return curvesTable_; }
    /// The report's title and the lines that name the test, as typed.
    [[nodiscard]] ReportIdentification identification() const;
    /// Shows a study's report lines (no identificationEdited()).
    void setIdentification(const ReportIdentification& lines);
    /// The box of an identification line: "title", "project", "tower", "testDate", "testedBy".
    [[nodiscard]] QLineEdit* identificationBox(const QString& name) const;
    /// The verdict, large, and the maker's curves' refusal.
    [[nodiscard]] QLabel* verdictLabel() const { return verdict_; }
    [[nodiscard]] QLabel* curvesMessageLabel() const { return curvesMessage_; }
    [[nodiscard]] QLineEdit* slopeBox() const { return slope_; }
    [[nodiscard]] QLineEdit* fanPowerBox() const { return fanPower_; }
    [[nodiscard]] QComboBox* draftBox() const { return draft_; }
    [[nodiscard]] QLineEdit* limitBox(TestLimit limit) const {
        return limits_[static_cast<std::size_t>(limit)];
    }
    /// The unit the readings' fan power is in: as the design's, hp or kW.
    [[nodiscard]] QComboBox* powerUnitBox() const { return powerUnit_; }
    /// The large result line ("Capability 93.2 %") and the one under it.
    [[nodiscard]] QLabel* capabilityLabel() const { return capability_; }
    [[nodiscard]] QLabel* detailLabel() const { return detail_; }
    /// What the last paste or open said, empty after a good one.
    [[nodiscard]] QLabel* messageLabel() const { return message_; }

  signals:
    /// The user changed a line of the report's identification.
    void identificationEdited();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls(QWidget* holder);
    QWidget* buildLimits(QWidget* holder);
    QWidget* buildIdentification(QWidget* holder);
    void showSettings();
    void showSummary();
    QWidget* buildCurves(QWidget* parent);

    AcceptanceModel& readings_;
    const PerformanceModel& model_;
    const UnitLayer& units_;
    std::function<QString(QWidget*)> chooseFile_;
    ReadingsTable* table_ = nullptr;
    AcceptanceChart* chart_ = nullptr;
    CrossPlotView* crossPlot_ = nullptr;
    QTableView* curvesTable_ = nullptr;
    QLabel* verdict_ = nullptr;
    QLabel* curvesMessage_ = nullptr;
    QLineEdit* slope_ = nullptr;
    QLineEdit* fanPower_ = nullptr;
    QComboBox* draft_ = nullptr;
    QComboBox* powerUnit_ = nullptr;
    std::array<QLineEdit*, kTestLimitCount> limits_{};
    std::array<QLabel*, kTestLimitCount> limitLabels_{};
    QWidget* identification_ = nullptr;
    QLabel* capability_ = nullptr;
    QLabel* detail_ = nullptr;
    QLabel* message_ = nullptr;
};

}  // namespace veltrane::performance
