#include "canvas_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

#include "demand_chart_painter.h"

namespace veltrane::chart {
namespace {

/// PNG at 1.5 pixels per point: 1080 × 720, sharp on screen and small enough to commit.
constexpr double kPngScale = 1.5;
constexpr int kPdfResolution = 600;

bool PaintOnto(QPaintDevice& device, const CanvasPainting& paint, double scale) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.scale(scale, scale);
    paint(painter);
    return painter.end();
}

bool WriteSvg(const CanvasPainting& paint, const QString& title, QFile& file) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(static_cast<int>(kCanvasWidth), static_cast<int>(kCanvasHeight)));
    svg.setViewBox(QRectF(0, 0, kCanvasWidth, kCanvasHeight));
    svg.setResolution(72);
    svg.setTitle(title);
    return PaintOnto(svg, paint, 1.0);
}

bool WritePdf(const CanvasPainting& paint, const QString& title, QFile& file) {
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QSizeF(kCanvasWidth, kCanvasHeight), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(kPdfResolution);
    pdf.setTitle(title);
    pdf.setCreator(QCoreApplication::applicationName());
    return PaintOnto(pdf, paint, kPdfResolution / 72.0);
}

}  // namespace

QImage RenderCanvas(const CanvasPainting& paint, double scale) {
    QImage image(static_cast<int>(std::lround(kCanvasWidth * scale)),
                 static_cast<int>(std::lround(kCanvasHeight * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    return image;
}

bool WriteCanvas(const CanvasPainting& paint, const QString& title, const QString& path,
                 ChartFormat format, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    bool painted = false;
    switch (format) {
        case ChartFormat::kSvg:
            painted = WriteSvg(paint, title, file);
            break;
        case ChartFormat::kPdf:
            painted = WritePdf(paint, title, file);
            break;
        case ChartFormat::kPng:
            painted = RenderCanvas(paint, kPngScale).save(&file, "PNG");
            break;
    }
    file.close();
    if (!painted || file.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace veltrane::chart
