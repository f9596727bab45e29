#include "print_command.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <limits>

#include "design_sets.h"
#include "frm_tower.h"
#include "painter_surface.h"
#include "report_printer.h"

namespace veltrane::ui {
namespace {

const QString kReportDocumentName = QStringLiteral("Cooling Tower Report");

/// The window as the report reads it.
class WindowReportSource final : public ReportSource {
  public:
    explicit WindowReportSource(frmTower& window) : window_(window) {}

    void RecalculateResults() override { window_.ComputeOutputs(false); }

    ReportGroups ReadGroups() const override {
        ReportGroups groups;
        for (std::size_t k = 0; k < kIdentificationCount; ++k)
            groups.identification.append({window_.idCaption(k), window_.idText(k)});
        for (const Input i : kAllInputs)
            groups.inputs.append({window_.inputCaption(i), window_.inputText(i)});
        for (const Result j : kAllResults)
            groups.results.append({window_.outputCaption(j), window_.outputText(j)});
        return groups;
    }

  private:
    frmTower& window_;
};

}  // namespace

QString ProposedReportFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QDir(folder).filePath(kReportDocumentName + QStringLiteral(".pdf"));
}

void PreparePrinter(QPrinter& printer) {
    printer.setDocName(kReportDocumentName);
    // Without a printer the dialog can only write a file, and would offer the home folder
    // itself as its name.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(ProposedReportFile());
}

std::optional<qint16> CopiesChosen(const QPrinter& printer) {
    const int copies = printer.copyCount();
    if (copies < std::numeric_limits<qint16>::min() || copies > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(copies);
}

void RunPrintCommand(desktop::PrintDialogFactory& dialogs, frmTower& window) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    const std::unique_ptr<desktop::PrintDialog> dialog = dialogs.Create(printer, &window);
    if (!dialog || !dialog->ShowPrinter()) return;
    PrintChosenCopies(printer, window);
}

void PrintChosenCopies(QPrinter& printer, frmTower& window) {
    const std::optional<qint16> copies = CopiesChosen(printer);
    if (!copies) return;
    printer.setCopyCount(1);
    PainterSurface surface(printer, CopyLayoutFor(printer));
    PrintWindowReport(*copies, window, surface);
}

void PrintWindowReport(qint16 copies, frmTower& window, PrinterSurface& surface) {
    WindowReportSource source(window);
    veltrane::PrintReport(copies, source, surface);
}

}  // namespace veltrane::ui
