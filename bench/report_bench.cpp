// Printing three copies of the default report to a PDF file, timed from the moment the printer
// dialog closes: recalculation, timestamp, three pages and the file written.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "frm_tower.h"
#include "message_boxes.h"
#include "print_command.h"

namespace {

void PrintThreeCopiesToPdf(benchmark::State& state) {
    veltrane::desktop::QtMessageBoxes messageBoxes;  // the run without checks shows none
    veltrane::ui::frmTower window(messageBoxes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(path);
        printer.setCopyCount(3);
        veltrane::ui::PrintChosenCopies(printer, window);
    }
}
BENCHMARK(PrintThreeCopiesToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
