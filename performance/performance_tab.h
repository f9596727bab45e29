#pragma once
// What the window asks of each tab: its chart and its table for export, and printing. A tab that
// has no chart or no table says so and the window greys out the command.

#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>

#include "chart_format.h"
#include "tab_printout.h"

class QPainter;
class QPrinter;

namespace veltrane::performance {

class PerformanceTab : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;

    [[nodiscard]] virtual QString title() const = 0;

    [[nodiscard]] virtual bool hasChart() const { return false; }
    /// Writes the chart as SVG, PDF or PNG by the path's extension; false with `error` set
    /// ("cannot write PATH: reason") when it cannot.
    virtual bool writeChart(const QString& path, QString& error) const;

    [[nodiscard]] virtual bool hasTable() const { return false; }
    /// The tab's table, a header row first, the cells separated by `separator` (',' for CSV, a
    /// tab for the clipboard).
    [[nodiscard]] virtual QString tableText(QChar separator) const;

    /// What the tab's printed pages show beside the design and the tower, which the window adds;
    /// nothing for a tab that prints itself (print).
    [[nodiscard]] virtual std::optional<TabPrintout> printout() const { return std::nullopt; }
    /// Paints the tab onto a printer the user chose, when it has no printout; false with `error`
    /// set when it cannot.
    virtual bool print(QPrinter& printer, QString& error) const;
};

/// Why a printer could not be painted on: the file it writes and the system's reason, or the
/// printer's name.
QString PrintFailure(QPrinter& printer);

/// The format a chart file's extension names; nothing, with `error` set, when it names none.
std::optional<chart::ChartFormat> ChartFormatOf(const QString& path, QString& error);

/// Begins `painter` on the printer: the page's printable rectangle in device pixels, or nothing
/// with `error` set (PrintFailure).
std::optional<QRectF> BeginPrint(QPainter& painter, QPrinter& printer, QString& error);

}  // namespace veltrane::performance
