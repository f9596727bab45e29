// The Print command of the main window, with the printer dialog answered from a script.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "about_window.h"
#include "frm_tower.h"
#include "message_boxes.h"
#include "print_command.h"
#include "report_test_support.h"
#include "scripted_message_boxes.h"
#include "scripted_print_dialogs.h"

namespace veltrane::ui {
namespace {

using veltrane::desktop::test::ScriptedMessageBoxes;
using veltrane::desktop::test::ScriptedPrintDialogs;
using veltrane::testing::RecordingSurface;
using veltrane::testing::Row;
using veltrane::testing::TextAt10;

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

    PrintCommand() {
        // The Print command shows no message box at all.
        messageBoxes_.reportFailuresWith(
            [](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }

    void ChoosePdf(int copies) { dialogs_.choosePdf(PdfPath(), copies); }

    void SetInput(int index, const QString& text) {
        auto* box = window_.findChild<QLineEdit*>(QStringLiteral("txtIn_%1").arg(index));
        ASSERT_NE(box, nullptr);
        box->setText(text);
    }

    QTemporaryDir dir_;
    desktop::test::ScriptedMessageBoxes messageBoxes_;
    frmTower window_{messageBoxes_};
    desktop::test::ScriptedPrintDialogs dialogs_;
};

TEST_F(PrintCommand, shouldEndSilentlyWhenTheDialogIsCancelled) {
    ChoosePdf(2);
    dialogs_.accept = false;
    RunPrintCommand(dialogs_, window_);

    EXPECT_EQ(dialogs_.shown, 1);
    EXPECT_FALSE(QFile::exists(PdfPath()));
    EXPECT_TRUE(window_.outputText(Result::kKaVL).isEmpty()) << "nothing was recalculated";
    EXPECT_TRUE(messageBoxes_.shown().empty());
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
    EXPECT_TRUE(messageBoxes_.shown().empty());
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
    PrintWindowReport(1, window_, surface);

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
    EXPECT_TRUE(messageBoxes_.shown().empty());
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
    desktop::QtPrintDialogFactory realDialogs;
    RunPrintCommand(realDialogs, window_);

    EXPECT_EQ(PdfPageCount(proposed), 1);
    QFile::remove(proposed);
}

// The About window stays on top: a printer dialog that did not would open behind it, and with
// both windows blocked by the dialog the program would look frozen.
TEST_F(PrintCommand, shouldOpenTheRealDialogAboveTheAboutWindowWhileItIsShown) {
    for (const bool aboutShown : {true, false}) {
        QPointer<frmSplash> about = aboutShown ? frmSplash::ShowShared() : nullptr;
        std::optional<bool> dialogOnTop;
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, [&dialogOnTop] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            dialogOnTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            dialog->reject();
        });
        cancel.start(20);
        desktop::QtPrintDialogFactory realDialogs;
        RunPrintCommand(realDialogs, window_);

        ASSERT_TRUE(dialogOnTop.has_value()) << "About window shown: " << aboutShown;
        EXPECT_EQ(*dialogOnTop, aboutShown);
        if (about) about->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
}  // namespace veltrane::ui
