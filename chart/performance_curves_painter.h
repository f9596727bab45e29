#pragma once
// The performance curves drawn with QPainter on the charts' canvas: cold water against wet bulb,
// one line per flow and range (colour by flow, dash by range, so that they stay apart in
// greyscale print), the design point marked. Temperatures are drawn in the units the caller
// gives.

#include <QPainter>
#include <QString>

#include <functional>

#include "chart_format.h"
#include "performance_curves.h"

namespace veltrane::chart {

/// The temperature unit of the axes: its name and the conversion of a °F value into it.
struct TemperatureAxis {
    QString unit = QStringLiteral("°F");
    std::function<double(double fahrenheit)> fromFahrenheit = [](double f) { return f; };
};

/// Paints the whole chart in canvas coordinates (kCanvasWidth × kCanvasHeight).
void PaintPerformanceCurves(QPainter& painter, const PerformanceCurves& curves,
                            const TemperatureAxis& axis);

/// Writes the chart as SVG, PDF or PNG; false with `error` set to one line when it cannot.
bool WritePerformanceCurves(const PerformanceCurves& curves, const TemperatureAxis& axis,
                            const QString& path, ChartFormat format, QString& error);

}  // namespace veltrane::chart
