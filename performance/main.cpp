// Veltrane Performance: the rating, demand curves and worksheet of a design, live in one window.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <veltrane/version.h>

#include "file_dialogs.h"
#include "message_boxes.h"
#include "performance_model.h"
#include "performance_window.h"
#include "print_dialogs.h"
#include "program_icon.h"
#include "translation.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrane Performance"));
    QApplication::setOrganizationName(QString::fromUtf8(veltrane::kCompanyName));
    QApplication::setApplicationVersion(QString::fromUtf8(veltrane::kVersionText));
    QApplication::setWindowIcon(veltrane::ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("veltrane-performance"));

    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QApplication::organizationName(),
                       QApplication::applicationName());
    // Before any widget is built: widgets take their texts when they are made.
    const veltrane::performance::InstalledTranslation translation(
        veltrane::performance::TranslationLocale(veltrane::performance::StoredLanguage(settings),
                                                 QLocale::system()));
    veltrane::desktop::QtMessageBoxes messages;
    veltrane::performance::QtFileDialogs files;
    veltrane::desktop::QtPrintDialogFactory printDialogs;
    veltrane::performance::PerformanceModel model;
    veltrane::performance::PerformanceWindow window(model,
                                                    {messages, files, printDialogs, settings});
    window.keepRecoveryIn(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                              .filePath(QStringLiteral("recovery")));
    window.show();
    // veltrane-performance [FILE.veltrane]: the study a file manager or the desktop entry opens.
    const QStringList arguments = QApplication::arguments();
    window.start(arguments.size() > 1 ? arguments.at(1) : QString());
    return QApplication::exec();
}
