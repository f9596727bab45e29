#pragma once
// Prints copies of the report on a printer surface, each step contained on its own.

#include <QDateTime>
#include <QLocale>
#include <functional>

#include "printer_surface.h"
#include "report_lines.h"

namespace veltrane {

/// The printer font of every copy.
inline constexpr char16_t kReportFontName[] = u"Courier";
inline constexpr double kReportFontPoints = 10.0;

/// The window as the report sees it. Either call may fail (by throwing); the report goes on.
class ReportSource {
  public:
    virtual ~ReportSource() = default;
    /// Rewrites every result from the inputs as they stand, with no check and no message.
    virtual void RecalculateResults() = 0;
    /// The captions and texts of the three groups as the window now holds them.
    virtual ReportGroups ReadGroups() const = 0;
};

using Clock = std::function<QDateTime()>;

/// Prints `copies` copies of `lines`, counting down from `copies` to 1; below 1 prints nothing.
/// Each copy sets the font (bold off, italic off, underline off, size, name), prints its lines
/// and ends its document. A step that fails is skipped and nothing is reported.
void PrintReportCopies(PrinterSurface& surface, const QList<ReportLine>& lines, int copies);

/// One Print command after the printer dialog: recalculates the results, takes the timestamp
/// once and prints `copies` copies (none below 1, the results are recalculated all the same).
void PrintReport(int copies, ReportSource& source, PrinterSurface& surface,
                 const Clock& now = &QDateTime::currentDateTime, const QLocale& locale = {});

}  // namespace veltrane
