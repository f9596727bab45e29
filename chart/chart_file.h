#pragma once
// Writing a drawing as an SVG, PDF or PNG file: one painting function for all three.

#include <QByteArray>
#include <QPainter>
#include <QSizeF>
#include <QString>

#include <functional>

#include "chart_format.h"

namespace veltrane::chart {

/// Paints the drawing in its own canvas coordinates (points, origin top left, y downward).
using PaintCanvas = std::function<void(QPainter& painter)>;

/// Writes the drawing of `canvas` points; false with `error` set to one line when the file
/// cannot be opened, painted or written to the end. PNG is 1.5 pixels per point, PDF one page
/// of the canvas's size.
bool WritePicture(const QString& path, ChartFormat format, QSizeF canvas, const QString& title,
                  const PaintCanvas& paint, QString& error);

/// Writes `bytes` as the whole file at `path`; false with `error` set to one line ("cannot write
/// PATH: reason") when it cannot be opened or written to the end. QFile::close() clears an error
/// that its own last flush does not meet again, so the flush is checked before it.
bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString& error);

}  // namespace veltrane::chart
