#pragma once
// The acceptance test's report as a PDF for the client to sign: identification, the verdict,
// the design, tower and limits, the readings against the design, the result, and the charts,
// on as many A4 or Letter pages as it takes, each with the program, the date and "Page N of M".
// Needs a QGuiApplication (fonts) but no display.

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include "test_report.h"

namespace veltrane::chart {

/// The sheet in points, portrait.
QSizeF PaperPoints(PaperSize paper);

/// The report as the bytes of a PDF; empty when it could not be drawn.
QByteArray DrawTestReport(const TestReport& report, PaperSize paper);

/// Writes the report as a PDF at `path`; false with `error` set to one line when it cannot.
bool WriteTestReport(const TestReport& report, const QString& path, PaperSize paper,
                     QString& error);

}  // namespace veltrane::chart
