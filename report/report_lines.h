#pragma once
// The lines of one printed copy of the performance report, as pure data: which text goes to
// which character column. Nothing here knows about printers.

#include <QList>
#include <QString>

namespace veltrane {

/// The report's two print columns, counted from 1 at the left edge of the printable area.
inline constexpr int kReportTextColumn = 10;
inline constexpr int kReportValueColumn = 50;

/// One box of a group as the window holds it: the caption of its label and the text of the box.
struct ReportRow {
    QString caption;
    QString text;
};

/// The three groups of boxes, in the order they are printed.
struct ReportGroups {
    QList<ReportRow> identification;
    QList<ReportRow> inputs;
    QList<ReportRow> results;
};

/// One text item of a line, starting at a character column.
struct ReportItem {
    int column = kReportTextColumn;
    QString text;

    friend bool operator==(const ReportItem&, const ReportItem&) = default;
};

/// One printed line: one item, or a caption and its value.
using ReportLine = QList<ReportItem>;

/// The title before the timestamp: four dots, the name of the report, five dots and a space.
inline constexpr char16_t kReportTitle[] = u".... Cooling Tower Performance ..... ";

/// The lines of one copy: 53 of them when the groups hold 3, 12 and 16 boxes. Captions and
/// texts are trimmed on both sides; an empty text gives its caption alone. `timestamp` ends the
/// title line.
QList<ReportLine> BuildReportLines(const ReportGroups& groups, const QString& timestamp);

}  // namespace veltrane
