// The Print command of the main window, with the printer dialog answered from a script.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "frm_tower.h"
#include "message_boxes.h"
#include "print_command.h"
#include "report_test_support.h"

namespace veltrane::ui {
namespace {

using veltrane::testing::RecordingSurface;
using veltrane::testing::Row;
using veltrane::testing::TextAt10;

/// Answers every message box with OK and counts them; the Print command must show none.
class CountingMessageBoxes final : public MessageBoxes {
  public:
    int shown = 0;
    MessageAnswer show(QWidget*, const QString&, const QString&, MessageButtons,
                       MessageIcon) override {
        ++shown;
        return MessageAnswer::Ok;
    }
};

/// A dialog that does what the script says to the printer, then is accepted or cancelled.
class ScriptedDialogs final : public PrintDialogFactory {
  public:
    std::function<void(QPrinter&)> userChoice = [](QPrinter&) {};
    bool accept = true;
    int shown = 0;

    std::unique_ptr<PrintDialog> Create(QPrinter& printer, QWidget*) override {
        return std::make_unique<Dialog>(*this, printer);
    }

  private:
    class Dialog final : public PrintDialog {
      public:
        Dialog(ScriptedDialogs& script, QPrinter& printer) : script_(script), printer_(printer) {}
        bool ShowPrinter() override {
            ++script_.shown;
            script_.userChoice(printer_);
            return script_.accept;
        }

      private:
        ScriptedDialogs& script_;
        QPrinter& printer_;
    };
};

int PdfPageCount(const QString& path) {
    if (!QFile::exists(path)) return 0;
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-fixed", "6.011", path, "-"});
    if (!pdftotext.waitForFinished(20000)) return -1;
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    return static_cast<int>(text.count(u"Cooling Tower Performance"));
}

class PrintCommand : public ::testing::Test {
  protected:
    QString PdfPath() const { return dir_.filePath(QStringLiteral("report.pdf")); }

    /// The user picks a PDF file and a number of copies.
    void ChoosePdf(int copies) {
        dialogs_.userChoice = [this, copies](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(PdfPath());
            printer.setCopyCount(copies);
        };
    }

    void SetInput(int index, const QString& text) {
        auto* box = window_.findChild<QLineEdit*>(QStringLiteral("txtIn_%1").arg(index));
        ASSERT_NE(box, nullptr);
        box->setText(text);
    }

    QTemporaryDir dir_;
    CountingMessageBoxes messageBoxes_;
    frmTower window_{messageBoxes_};
    ScriptedDialogs dialogs_;
};

TEST_F(PrintCommand, shouldEndSilentlyWhenTheDialogIsCancelled) {
    ChoosePdf(2);
    dialogs_.accept = false;
    RunPrintCommand(dialogs_, window_);

    EXPECT_EQ(dialogs_.shown, 1);
    EXPECT_FALSE(QFile::exists(PdfPath()));
    EXPECT_TRUE(window_.outputText(Result::kKaVL).isEmpty()) << "nothing was recalculated";
    EXPECT_EQ(messageBoxes_.shown, 0);
}

TEST_F(PrintCommand, shouldPutEveryCopyIntoTheOnePdfFileTheUserChose) {
    ChoosePdf(2);
    window_.setPrintDialogs(dialogs_);
    auto* cmdPrint = window_.findChild<QPushButton*>(QStringLiteral("cmdPrint"));
    ASSERT_NE(cmdPrint, nullptr);
    cmdPrint->click();

    EXPECT_EQ(PdfPageCount(PdfPath()), 2);
    EXPECT_EQ(window_.outputText(Result::kKaVL), QStringLiteral("1.8324"));
    EXPECT_EQ(window_.currentTab(), kInputsTab);
    EXPECT_EQ(messageBoxes_.shown, 0);
}

TEST_F(PrintCommand, shouldPrintNothingWhenTheCopiesDoNotFitSixteenBits) {
    ChoosePdf(40000);
    RunPrintCommand(dialogs_, window_);

    EXPECT_FALSE(QFile::exists(PdfPath()));
    EXPECT_TRUE(window_.outputText(Result::kKaVL).isEmpty());
}

TEST_F(PrintCommand, shouldLeaveThePrintersOwnCopyCountAtOne) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(PdfPath());
    printer.setCopyCount(3);
    PrintChosenCopies(printer, window_);

    EXPECT_EQ(printer.copyCount(), 1);
    EXPECT_EQ(PdfPageCount(PdfPath()), 3);
}

TEST_F(PrintCommand, shouldPrintInputsAsTypedWithResultsCalculatedFromZeros) {
    SetInput(0, QString());
    SetInput(1, QStringLiteral("abc"));
    SetInput(4, QStringLiteral("  7 "));
    RecordingSurface surface;
    PrintReport(1, window_, surface);

    ASSERT_EQ(surface.documents.size(), 1);
    const QStringList& lines = surface.documents[0];
    EXPECT_EQ(lines[16], TextAt10("Atmos Press (psia)"));
    EXPECT_EQ(lines[17], Row("Inlet Air Wet Bulb Temp (F)", "abc"));
    EXPECT_EQ(lines[20], Row("Approach = TCold-Twb (F)", "7"));

    DesignInputs inputs = DefaultDesignInputs();
    inputs[Input::kAtmosPress] = 0.0F;
    inputs[Input::kWetBulb] = 0.0F;
    inputs[Input::kApproach] = 7.0F;
    const PerformanceResults expected = CalculatePerformance(inputs);
    EXPECT_EQ(lines[33], Row("Number Transf Units (KAV/L)",
                             ResultText(expected.values[Result::kKaVL]).c_str()));
    EXPECT_EQ(lines[34], Row("Cold Water Out Temp (F)",
                             ResultText(expected.values[Result::kColdWater]).c_str()));
    EXPECT_EQ(messageBoxes_.shown, 0);
    EXPECT_EQ(window_.currentTab(), kInputsTab);
}

// The dialog a person sees, pressed Print at once: with no printer installed it offers, and
// writes, "Cooling Tower Report.pdf" in the documents folder rather than the home folder itself.
TEST_F(PrintCommand, shouldPrintThroughTheRealDialogToTheProposedFileWithoutAPrinter) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "a printer is installed";
    const QString proposed =
        QDir(QDir::homePath()).filePath(QStringLiteral("Documents/Cooling Tower Report.pdf"));
    QTimer pressPrint;
    QObject::connect(&pressPrint, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    pressPrint.start(20);
    QtPrintDialogFactory realDialogs;
    RunPrintCommand(realDialogs, window_);

    EXPECT_EQ(PdfPageCount(proposed), 1);
    QFile::remove(proposed);
}

}  // namespace
}  // namespace veltrane::ui
