#pragma once
// The Demand curves tab: the chart of the design's demand curves with the tower line and the
// operating point, the reading under the cursor, and the points behind the chart as its table.

#include "performance_model.h"
#include "performance_tab.h"
#include "unit_layer.h"

class QLabel;

namespace veltrane::performance {

class ChartView;

class DemandTab final : public PerformanceTab {
    Q_OBJECT

  public:
    DemandTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent = nullptr);

    [[nodiscard]] QString title() const override { return tr("Demand curves"); }
    [[nodiscard]] bool hasChart() const override { return true; }
    bool writeChart(const QString& path, QString& error) const override;
    [[nodiscard]] bool hasTable() const override { return true; }
    [[nodiscard]] QString tableText(QChar separator) const override;
    [[nodiscard]] std::optional<TabPrintout> printout() const override;

    [[nodiscard]] ChartView* chartView() const { return chart_; }

  private:
    const PerformanceModel& model_;
    const UnitLayer& units_;
    ChartView* chart_;
    QLabel* reading_;
};

}  // namespace veltrane::performance
