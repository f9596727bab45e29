#include "chart_file.h"

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

bool WriteSvg(QFile& file, QSizeF canvas, const QString& title, const PaintCanvas& paint) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(canvas.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), canvas));
    svg.setResolution(static_cast<int>(kPointsPerInch));
    svg.setTitle(title);
    return PaintOnto(svg, paint, 1.0);
}

bool WritePdf(QFile& file, QSizeF canvas, const QString& title, const PaintCanvas& paint) {
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(canvas, QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(kPdfResolution);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("veltrane-calc"));
    return PaintOnto(pdf, paint, kPdfResolution / kPointsPerInch);
}

bool WritePng(QFile& file, QSizeF canvas, const PaintCanvas& paint) {
    QImage image(static_cast<int>(std::lround(canvas.width() * kPngScale)),
                 static_cast<int>(std::lround(canvas.height() * kPngScale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::white);
    return PaintOnto(image, paint, kPngScale) && image.save(&file, "PNG");
}

}  // namespace

bool WritePicture(const QString& path, ChartFormat format, QSizeF canvas, const QString& title,
                  const PaintCanvas& paint, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    bool painted = false;
    switch (format) {
        case ChartFormat::kSvg:
            painted = WriteSvg(file, canvas, title, paint);
            break;
        case ChartFormat::kPdf:
            painted = WritePdf(file, canvas, title, paint);
            break;
        case ChartFormat::kPng:
            painted = WritePng(file, canvas, paint);
            break;
    }
    // A write that failed on the way (the SVG generator writes as it goes) is on record only
    // until close(), which clears it when its own last flush succeeds: read it before.
    const bool written = painted && file.flush() && file.error() == QFileDevice::NoError;
    const QString reason = file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        error =
            QStringLiteral("cannot write %1: %2").arg(path, written ? file.errorString() : reason);
        return false;
    }
    return true;
}

}  // namespace veltrane::chart
