#include "performance_tab.h"

#include <QFile>
#include <QPrinter>

namespace veltrane::performance {

bool PerformanceTab::writeChart(const QString&, QString& error) const {
    error = QStringLiteral("the tab %1 has no chart").arg(title());
    return false;
}

QString PerformanceTab::tableText(QChar) const {
    return {};
}

QString PrintFailure(QPrinter& printer) {
    const QString file = printer.outputFileName();
    if (file.isEmpty()) return QStringLiteral("cannot print on %1").arg(printer.printerName());
    // The PDF engine does not say why it could not open its file: ask the file system.
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return QStringLiteral("cannot write %1: %2").arg(file, probe.errorString());
    }
    return QStringLiteral("cannot write %1").arg(file);
}

}  // namespace veltrane::performance
