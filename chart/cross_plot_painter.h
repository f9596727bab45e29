#pragma once
// The maker's curves read across flow at the test's wet bulb and range: the predicted cold water
// against flow, one point per flow of the curves, the line the evaluation solved, and the test
// at the flow it predicts. The numbers arrive in the units shown; nothing here converts them.

#include <QLocale>
#include <QPainter>

#include "test_report.h"

namespace veltrane::chart {

/// The drawing's own space, points: 10 × 5 inches.
inline constexpr double kCrossPlotWidth = 720.0;
inline constexpr double kCrossPlotHeight = 360.0;

/// Paints the whole cross-plot in canvas coordinates (scale the painter to the device first),
/// its numbers with the decimal mark of `locale` (ChartNumbers).
void PaintCrossPlot(QPainter& painter, const CrossPlot& plot, const QLocale& locale = QLocale::c());

}  // namespace veltrane::chart
