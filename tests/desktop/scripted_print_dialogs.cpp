#include "scripted_print_dialogs.h"

#include <QPrinter>

namespace veltrane::desktop::test {
namespace {

class ScriptedPrintDialog final : public PrintDialog {
  public:
    ScriptedPrintDialog(ScriptedPrintDialogs& script, QPrinter& printer)
        : script_(script), printer_(printer) {}

    bool ShowPrinter() override {
        ++script_.shown;
        script_.userChoice(printer_);
        return script_.accept;
    }

  private:
    ScriptedPrintDialogs& script_;
    QPrinter& printer_;
};

}  // namespace

void ScriptedPrintDialogs::choosePdf(const QString& file, int copies) {
    userChoice = [file, copies](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setCopyCount(copies);
    };
}

std::unique_ptr<PrintDialog> ScriptedPrintDialogs::Create(QPrinter& printer, QWidget* /*parent*/) {
    return std::make_unique<ScriptedPrintDialog>(*this, printer);
}

}  // namespace veltrane::desktop::test
