#include "report_lines.h"

namespace veltrane {
namespace {

constexpr int kRuleLength = 60;

ReportLine TextLine(const QString& text) {
    return {ReportItem{kReportTextColumn, text}};
}

// A line with nothing to show still holds a single space, so that it advances the page.
ReportLine BlankLine() {
    return TextLine(QStringLiteral(" "));
}

ReportLine RuleLine() {
    return TextLine(QString(kRuleLength, u'='));
}

ReportLine RowLine(const ReportRow& row) {
    ReportLine line{ReportItem{kReportTextColumn, row.caption.trimmed()}};
    const QString value = row.text.trimmed();
    if (!value.isEmpty()) line.append(ReportItem{kReportValueColumn, value});
    return line;
}

void AppendBlankLines(QList<ReportLine>& lines, int count) {
    for (int i = 0; i < count; ++i)
        lines.append(BlankLine());
}

void AppendRows(QList<ReportLine>& lines, const QList<ReportRow>& rows) {
    for (const ReportRow& row : rows)
        lines.append(RowLine(row));
}

// A heading between blank lines, then its rows.
void AppendSection(QList<ReportLine>& lines, const char* heading, const QList<ReportRow>& rows) {
    lines.append(BlankLine());
    lines.append(TextLine(QString::fromLatin1(heading)));
    lines.append(BlankLine());
    AppendRows(lines, rows);
}

}  // namespace

QList<ReportLine> BuildReportLines(const ReportGroups& groups, const QString& timestamp) {
    QList<ReportLine> lines;
    AppendBlankLines(lines, 5);
    lines.append(TextLine(QString::fromUtf16(kReportTitle) + timestamp));
    lines.append(RuleLine());
    AppendSection(lines, "*** RUN IDENTIFICATION ***", groups.identification);
    AppendSection(lines, "*** COOLING TOWER DESIGN INPUTS ***", groups.inputs);
    lines.append(BlankLine());
    lines.append(RuleLine());
    AppendSection(lines, "*** RESULTS, TOWER CALCULATIONS ***", groups.results);
    AppendBlankLines(lines, 4);
    return lines;
}

}  // namespace veltrane
