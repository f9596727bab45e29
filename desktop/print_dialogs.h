#pragma once
// The printer dialog, behind a factory, so that tests can answer it from a script instead of a
// person. Both windows print through it.

#include <memory>

class QPrinter;
class QWidget;

namespace veltrane::desktop {

/// The printer dialog on one printer: the user chooses the printer, a file or the copies.
class PrintDialog {
  public:
    virtual ~PrintDialog();
    /// Shows the dialog modally; true when the user pressed Print, false on cancel.
    virtual bool ShowPrinter() = 0;
};

/// Makes printer dialogs, so that tests can answer them from a script.
class PrintDialogFactory {
  public:
    virtual ~PrintDialogFactory();
    virtual std::unique_ptr<PrintDialog> Create(QPrinter& printer, QWidget* parent) = 0;
};

/// The dialog a person sees: QPrintDialog, for a document printed whole (no page ranges, no
/// selection).
class QtPrintDialogFactory final : public PrintDialogFactory {
  public:
    std::unique_ptr<PrintDialog> Create(QPrinter& printer, QWidget* parent) override;
};

}  // namespace veltrane::desktop
