#pragma once
// A drawing on the charts' canvas (kCanvasWidth × kCanvasHeight points, origin top left) as an
// image or as an SVG, PDF or PNG file: one way of writing for every chart.

#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>

#include "chart_format.h"

namespace veltrane::chart {

/// The drawing: paints the whole canvas in canvas coordinates.
using CanvasPainting = std::function<void(QPainter&)>;

/// The canvas as an image of `scale` pixels per point on white, device pixel ratio 1.
QImage RenderCanvas(const CanvasPainting& paint, double scale);

/// Writes the canvas as a file titled `title`; false with `error` set to one line ("cannot
/// write PATH: reason") when it cannot.
bool WriteCanvas(const CanvasPainting& paint, const QString& title, const QString& path,
                 ChartFormat format, QString& error);

}  // namespace veltrane::chart
