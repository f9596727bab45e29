#pragma once
// The Worksheet tab: every working quantity of the current design and of its rating against
// the tower, and the acceptance test's evaluation of the mean reading when there is one,
// monospaced and selectable, with Save. Under SI units each quantity is shown in US and SI units
// side by side.

#include "performance_model.h"
#include "performance_tab.h"
#include "unit_layer.h"

class QPlainTextEdit;

namespace veltrane::performance {
class AcceptanceModel;
}
class QPushButton;

namespace veltrane::performance {

class WorksheetTab final : public PerformanceTab {
    Q_OBJECT

  public:
    WorksheetTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent = nullptr);

    [[nodiscard]] QString title() const override { return tr("Worksheet"); }
    bool print(QPrinter& printer, QString& error) const override;

    /// Follows the acceptance test: its evaluation closes the worksheet.
    void showAcceptance(AcceptanceModel* acceptance);

    /// The worksheet as the window shows, saves and prints it: the engine's, in the locale's
    /// decimal mark.
    [[nodiscard]] QString text() const;

  signals:
    /// The user pressed Save.
    void saveRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void refresh();

    void markStale();

    const PerformanceModel& model_;
    const UnitLayer& units_;
    AcceptanceModel* acceptance_ = nullptr;
    bool refreshing_ = false;
    QPlainTextEdit* view_;
    bool stale_ = true;
};

}  // namespace veltrane::performance
