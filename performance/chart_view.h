#pragma once
// The demand chart painted at the widget's size by the chart painter itself, with the reading
// under the cursor: L/G, KaV/L and the approach of the nearest curve. While a box is marked the
// chart shows the last good inputs, faded.

#include <QString>
#include <QTransform>
#include <QWidget>

#include "chart_format.h"
#include "performance_model.h"
#include "unit_layer.h"

namespace veltrane::performance {

class ChartView final : public QWidget {
    Q_OBJECT

  public:
    ChartView(const PerformanceModel& model, const UnitLayer& units, QWidget* parent = nullptr);

    /// What the cursor at a point of the widget reads, or empty outside the plot.
    [[nodiscard]] QString readingAt(const QPointF& widgetPoint) const;
    [[nodiscard]] QSize sizeHint() const override { return {720, 480}; }
    /// How the chart is drawn here and in its files and prints: in the units shown.
    [[nodiscard]] chart::ChartLook look() const { return {false, units_.system()}; }
    /// The chart's canvas on the widget, its text kept readable.
    [[nodiscard]] QTransform canvasToWidget() const;

  signals:
    void readingChanged(const QString& reading);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    const PerformanceModel& model_;
    const UnitLayer& units_;
};

}  // namespace veltrane::performance
