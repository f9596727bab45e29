#include "print_dialogs.h"

#include <QPrintDialog>

#include "message_boxes.h"

namespace veltrane::desktop {
namespace {

class QtPrintDialog final : public PrintDialog {
  public:
    QtPrintDialog(QPrinter& printer, QWidget* parent) : dialog_(&printer, parent) {
        // A document is printed whole: no page ranges, no selection.
        dialog_.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog_.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog_.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog_.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    }

    bool ShowPrinter() override {
        KeepAboveWindowsOnTop(dialog_);
        return dialog_.exec() == QDialog::Accepted;
    }

  private:
    QPrintDialog dialog_;
};

}  // namespace

PrintDialog::~PrintDialog() = default;
PrintDialogFactory::~PrintDialogFactory() = default;

std::unique_ptr<PrintDialog> QtPrintDialogFactory::Create(QPrinter& printer, QWidget* parent) {
    return std::make_unique<QtPrintDialog>(printer, parent);
}

}  // namespace veltrane::desktop
