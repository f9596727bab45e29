#include "chart_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace veltrane::chart {
namespace {

/// PNG at 1.5 pixels per point: sharp on screen and small enough to commit.
constexpr double kPngScale = 1.5;
constexpr int kPdfResolution = 600;
constexpr double kPointsPerInch = 72.0;

bool PaintOnto(QPaintDevice& device, const PaintCanvas& paint, double scale) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.scale(scale, scale);
    paint(painter);
    return painter.end();
}

bool WriteSvg(QIODevice& device, QSizeF canvas, const QString& title, const PaintCanvas& paint) {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(canvas.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), canvas));
    svg.setResolution(static_cast<int>(kPointsPerInch));
    svg.setTitle(title);
    return PaintOnto(svg, paint, 1.0);
}

bool WritePdf(QIODevice& device, QSizeF canvas, const QString& title, const PaintCanvas& paint) {
    QPdfWriter pdf(&device);
    pdf.setPageSize(QPageSize(canvas, QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(kPdfResolution);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("veltrane-calc"));
    return PaintOnto(pdf, paint, kPdfResolution / kPointsPerInch);
}

bool WritePng(QIODevice& device, QSizeF canvas, const PaintCanvas& paint) {
    QImage image(static_cast<int>(std::lround(canvas.width() * kPngScale)),
                 static_cast<int>(std::lround(canvas.height() * kPngScale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::white);
    return PaintOnto(image, paint, kPngScale) && image.save(&device, "PNG");
}

/// The drawing's bytes in the format asked for; false when it could not be drawn.
bool Draw(ChartFormat format, QSizeF canvas, const QString& title, const PaintCanvas& paint,
          QByteArray& bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
        case ChartFormat::kSvg:
            return WriteSvg(buffer, canvas, title, paint);
        case ChartFormat::kPdf:
            return WritePdf(buffer, canvas, title, paint);
        case ChartFormat::kPng:
            return WritePng(buffer, canvas, paint);
    }
    return false;
}

}  // namespace

bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString& error) {
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(bytes) == bytes.size() && file.flush();
    const QString reason = file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        error =
            QStringLiteral("cannot write %1: %2").arg(path, written ? file.errorString() : reason);
        return false;
    }
    return true;
}

bool WritePicture(const QString& path, ChartFormat format, QSizeF canvas, const QString& title,
                  const PaintCanvas& paint, QString& error) {
    // Drawn into memory first and written in one checked piece: the SVG generator and the PNG
    // writer say nothing of a write that fails on the way.
    QByteArray bytes;
    if (!Draw(format, canvas, title, paint, bytes)) {
        error = QStringLiteral("cannot draw %1").arg(path);
        return false;
    }
    return WriteFileBytes(path, bytes, error);
}

}  // namespace veltrane::chart
