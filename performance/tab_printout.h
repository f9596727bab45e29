#pragma once
// A tab's printed pages, made to stand on their own away from the window: the program, its
// version and the date on every page; the design and the tower the figures come from; the
// controls the tab adds (the Year tab's fan control and setpoint); its chart; its table, broken
// between rows with the header repeated; and what sums it up.

#include <QDate>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

#include "performance_model.h"
#include "unit_layer.h"

class QAbstractItemModel;
class QPainter;
class QPrinter;

namespace veltrane::performance {

/// Named values under a heading: "Design", "Tower", "Fan control".
struct PrintedFacts {
    QString heading;
    std::vector<std::pair<QString, QString>> rows;
};

struct TabPrintout {
    QString title;  ///< the tab's name
    std::vector<PrintedFacts> facts;
    QSizeF canvas;  ///< the chart's canvas, points; empty for a tab without a chart
    std::function<void(QPainter&)> paintChart;
    /// The table as the tab copies it: tab-separated, the header line first; empty for none.
    QString table;
    QStringList notes;  ///< paragraphs under the table
};

/// A view's table as the window shows it (its captions, each cell's displayed text), tab-separated
/// as TabPrintout::table wants it.
QString ShownTableText(const QAbstractItemModel& model);

/// The design inputs and the tower as the window shows them, in its units and locale.
std::vector<PrintedFacts> DesignFacts(const PerformanceModel& model, const UnitLayer& units);

/// "Veltrane Performance 1.2.3 · printed 2026-12-09": the foot of every page.
QString PrintedStamp(const QDate& date);

/// Every text of the pages in reading order, a line each (a table row's cells joined by a tab),
/// the head and foot first: what a reader of the paper finds on it.
QStringList PrintoutLines(const TabPrintout& printout, const QDate& date);

/// Lays the printout out on the printer's pages and paints it; false with `error` set when the
/// printer cannot be painted on.
bool PrintPrintout(const TabPrintout& printout, QPrinter& printer, QString& error);

}  // namespace veltrane::performance
