#include "report_printer.h"

#include <utility>

#include "report_timestamp.h"

namespace veltrane {
namespace {

// Runs one step of a copy; a step that fails is skipped without a word.
template <typename Step>
void Contained(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

void SetReportFont(PrinterSurface& surface) {
    Contained([&] { surface.SetBold(false); });
    Contained([&] { surface.SetItalic(false); });
    Contained([&] { surface.SetUnderline(false); });
    Contained([&] { surface.SetSize(kReportFontPoints); });
    Contained([&] { surface.SetName(QString::fromUtf16(kReportFontName)); });
}

void PrintLine(PrinterSurface& surface, const ReportLine& line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const LineEnd end = i + 1 == line.size() ? LineEnd::kEndLine : LineEnd::kStayOnLine;
        Contained([&] { surface.PrintItem(line[i].column, line[i].text, end); });
    }
}

void PrintCopy(PrinterSurface& surface, const QList<ReportLine>& lines) {
    SetReportFont(surface);
    for (const ReportLine& line : lines)
        PrintLine(surface, line);
    Contained([&] { surface.EndDocument(); });
}

}  // namespace

void PrintReportCopies(PrinterSurface& surface, const QList<ReportLine>& lines, int copies) {
    for (int copy = copies; copy >= 1; --copy)
        PrintCopy(surface, lines);
}

void PrintReport(int copies, ReportSource& source, PrinterSurface& surface, const Clock& now,
                 const QLocale& locale) {
    Contained([&] { source.RecalculateResults(); });
    QString timestamp;
    Contained([&] { timestamp = ReportTimestamp(now(), locale); });
    ReportGroups groups;
    Contained([&] { groups = source.ReadGroups(); });
    PrintReportCopies(surface, BuildReportLines(groups, timestamp), copies);
}

}  // namespace veltrane
