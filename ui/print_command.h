#pragma once
// The Print command of the main window: the printer dialog, the number of copies, and the
// report printed once per copy on the printer the user chose.

#include <QString>
#include <memory>
#include <optional>

#include "print_dialogs.h"

class QPrinter;
class QWidget;

namespace veltrane {
class PrinterSurface;
}

namespace veltrane::ui {

class frmTower;

/// The file offered when no printer is installed and the dialog can only write a PDF file:
/// "Cooling Tower Report.pdf" in the user's documents folder (the home folder without one).
QString ProposedReportFile();

/// Readies a printer for the dialog: a document name and, with no printer installed, the
/// proposed file instead of the bare home folder.
void PreparePrinter(QPrinter& printer);

/// The number of copies the dialog left on the printer, as the 16-bit number the Print command
/// has always taken (docs/kept-as-is.md); none when it does not fit.
std::optional<qint16> CopiesChosen(const QPrinter& printer);

/// The whole Print command: dialog, copies, report. Cancel, or a number of copies that does not
/// fit, ends it silently.
void RunPrintCommand(desktop::PrintDialogFactory& dialogs, frmTower& window);

/// After the dialog: reads the copies, sets the printer's own count to 1 (the copies are
/// printed one by one, and the print system would multiply them) and prints the report.
void PrintChosenCopies(QPrinter& printer, frmTower& window);

/// The report of the window's boxes: recalculates the results without any check, takes the
/// timestamp once and prints `copies` copies, from `copies` down to 1 (veltrane::PrintReport
/// on the window as its source). The copies are 16-bit (docs/kept-as-is.md); more end the
/// command.
void PrintWindowReport(qint16 copies, frmTower& window, PrinterSurface& surface);

}  // namespace veltrane::ui
