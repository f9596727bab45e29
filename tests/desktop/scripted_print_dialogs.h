#pragma once
// Printer dialogs for tests: each does to the printer what the test chose for the user (a PDF
// file, a number of copies), then is accepted or cancelled.

#include <QString>

#include <functional>
#include <memory>

#include "print_dialogs.h"

namespace veltrane::desktop::test {

class ScriptedPrintDialogs final : public PrintDialogFactory {
  public:
    std::function<void(QPrinter&)> userChoice = [](QPrinter&) {};
    bool accept = true;
    int shown = 0;

    /// The user picks a PDF file and a number of copies.
    void choosePdf(const QString& file, int copies);

    std::unique_ptr<PrintDialog> Create(QPrinter& printer, QWidget* parent) override;
};

}  // namespace veltrane::desktop::test
