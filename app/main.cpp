// Veltrane: starting the program opens the main window; the program ends when its last window
// closes.
#include <QApplication>

#include <veltrane/version.h>

#include "about_window.h"
#include "frm_tower.h"
#include "message_boxes.h"
#include "program_icon.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(veltrane::kProductName));
    QApplication::setOrganizationName(QString::fromUtf8(veltrane::kCompanyName));
    QApplication::setApplicationVersion(QString::fromUtf8(veltrane::kVersionText));
    QApplication::setWindowIcon(veltrane::ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("veltrane"));

    veltrane::ui::QtMessageBoxes messageBoxes;
    veltrane::ui::frmTower window(messageBoxes);
    // The main window's load step: the About window comes first and stays on top of it.
    veltrane::ui::frmSplash::ShowShared();
    window.show();
    return QApplication::exec();
}
