// Veltrane: starting the program opens the main window; the program ends when its last window
// closes.
#include <QApplication>
#include <QScreen>

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

    veltrane::desktop::QtMessageBoxes messageBoxes;
    veltrane::ui::frmTower window(messageBoxes);
    // The main window's load step: the About window comes first and stays on top of it. Both
    // open in the middle of the screen, so that the About window stands over the main window
    // rather than beside it, where a window manager would otherwise place it.
    veltrane::ui::frmSplash::ShowShared();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    window.show();
    // The main window opens as the active window; the About window stays in front of it until
    // the user clicks it or presses its OK.
    window.activateWindow();
    return QApplication::exec();
}
