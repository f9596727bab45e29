#pragma once
// The performance-curve chart: cold water against wet bulb, one panel per share of the design
// flow, one line per share of the design range, the design point marked. Drawn with QPainter
// for SVG, PDF and PNG alike; needs a QGuiApplication (fonts) but no display. The curves hold
// °F; the chart shows them in US or SI units, its axes built on the values as shown.

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QString>

#include "chart_format.h"
#include "performance_curves.h"
#include "units.h"

namespace veltrane::chart {

/// The drawing's own space, points: 10 × 6⅔ inches, as the demand chart.
inline constexpr double kCurvesCanvasWidth = 720.0;
inline constexpr double kCurvesCanvasHeight = 480.0;

/// Paints the whole chart in canvas coordinates (scale the painter to the device first), its
/// numbers in `units` with the decimal mark of `locale` (ChartNumbers).
void PaintCurvesChart(QPainter& painter, const PerformanceCurves& curves, UnitSystem units,
                      const QLocale& locale = QLocale::c());

/// The chart as an image of `scale` pixels per point.
QImage RenderCurvesChart(const PerformanceCurves& curves, UnitSystem units, double scale,
                         const QLocale& locale = QLocale::c());

/// Writes the chart as a file; false with `error` set to one line when it cannot.
bool WriteCurvesChart(const PerformanceCurves& curves, UnitSystem units, const QString& path,
                      ChartFormat format, QString& error, const QLocale& locale = QLocale::c());

}  // namespace veltrane::chart
