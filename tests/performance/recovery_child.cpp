// A window that is killed: it opens the study given, takes one edit, waits until the recovery
// copy of it is written, and ends at once without closing, as a killed process would.
//   recovery_child SETTINGS_FILE RECOVERY_FOLDER STUDY
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QSettings>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

#include "file_dialogs.h"
#include "input_panel.h"
#include "performance_model.h"
#include "performance_window.h"
#include "scripted_message_boxes.h"
#include "scripted_print_dialogs.h"
#include "study_document.h"

namespace {

class NoFiles final : public veltrane::performance::FileDialogs {
  public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("usage: recovery_child SETTINGS_FILE RECOVERY_FOLDER STUDY\n", stderr);
        return 2;
    }
    using namespace veltrane;
    QSettings settings(QString::fromLocal8Bit(argv[1]), QSettings::IniFormat);
    desktop::test::ScriptedMessageBoxes messages;
    messages.reportFailuresWith([](const QString& failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        std::_Exit(3);
    });
    NoFiles files;
    desktop::test::ScriptedPrintDialogs printDialogs;
    performance::PerformanceModel model;
    performance::PerformanceWindow window(model, {messages, files, printDialogs, settings});
    window.keepRecoveryIn(QString::fromLocal8Bit(argv[2]));
    window.show();
    window.start(QString::fromLocal8Bit(argv[3]));

    QLineEdit* wetBulb = window.inputPanel()->box(performance::FieldOf(Input::kWetBulb));
    wetBulb->setFocus();
    wetBulb->selectAll();
    QTest::keyClicks(wetBulb, QStringLiteral("71"));
    const QString copy = window.document().recoveryFile();
    const bool written = QTest::qWaitFor([&copy] { return QFileInfo::exists(copy); }, 10000);
    if (!written) std::fputs("no recovery copy was written\n", stderr);
    std::_Exit(written ? 0 : 1);
}
