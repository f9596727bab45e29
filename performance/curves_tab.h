#pragma once
// The Performance curves tab: cold water against wet bulb at 90, 100 and 110 % of the design
// flow, each at 80, 100 and 120 % of the design range, for the tower being rated, drawn above
// and tabled below (a row per wet bulb, a column per curve; empty where the tower has no
// operating point).

#include "performance_model.h"
#include "performance_tab.h"
#include "unit_layer.h"

class QTableWidget;

namespace veltrane::performance {

class CurvesView;

class CurvesTab final : public PerformanceTab {
    Q_OBJECT

  public:
    CurvesTab(const PerformanceModel& model, const UnitLayer& units, QWidget* parent = nullptr);

    [[nodiscard]] QString title() const override { return tr("Performance curves"); }
    [[nodiscard]] bool hasChart() const override { return true; }
    bool writeChart(const QString& path, QString& error) const override;
    [[nodiscard]] bool hasTable() const override { return true; }
    [[nodiscard]] QString tableText(QChar separator) const override;
    [[nodiscard]] std::optional<TabPrintout> printout() const override;

    [[nodiscard]] QTableWidget* table() const { return table_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void refresh();
    [[nodiscard]] QString columnTitle(const PerformanceCurve& curve, bool withUnit) const;

    const PerformanceModel& model_;
    const UnitLayer& units_;
    CurvesView* chart_;
    QTableWidget* table_;
    bool stale_ = true;
};

}  // namespace veltrane::performance
