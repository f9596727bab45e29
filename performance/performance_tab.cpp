#include "performance_tab.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace veltrane::performance {

bool PerformanceTab::writeChart(const QString&, QString& error) const {
    error = tr("the tab %1 has no chart").arg(title());
    return false;
}

QString PerformanceTab::tableText(QChar) const {
    return {};
}

bool PerformanceTab::print(QPrinter&, QString& error) const {
    error = QObject::tr("the tab %1 has nothing to print").arg(title());
    return false;
}

QString PrintFailure(QPrinter& printer) {
    const QString file = printer.outputFileName();
    if (file.isEmpty()) return PerformanceTab::tr("cannot print on %1").arg(printer.printerName());
    // The PDF engine does not say why it could not open its file: ask the file system.
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return PerformanceTab::tr("cannot write %1: %2").arg(file, probe.errorString());
    }
    return PerformanceTab::tr("cannot write %1").arg(file);
}

std::optional<chart::ChartFormat> ChartFormatOf(const QString& path, QString& error) {
    const std::optional<chart::ChartFormat> format = chart::FormatOfFile(path.toStdString());
    if (!format)
        error = PerformanceTab::tr("cannot write %1: name the file .svg, .pdf or .png").arg(path);
    return format;
}

std::optional<QRectF> BeginPrint(QPainter& painter, QPrinter& printer, QString& error) {
    if (!painter.begin(&printer)) {
        error = PrintFailure(printer);
        return std::nullopt;
    }
    return printer.pageLayout().paintRectPixels(printer.resolution());
}

}  // namespace veltrane::performance
