// Veltrane: starting the program opens the main window; the program ends when its last window
// closes.
#include <QApplication>

#include <veltrane/version.h>

#include "frm_tower.h"
#include "message_boxes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(veltrane::kProductName));
    QApplication::setOrganizationName(QString::fromUtf8(veltrane::kCompanyName));
    QApplication::setApplicationVersion(QString::fromUtf8(veltrane::kVersionText));

    veltrane::ui::QtMessageBoxes messageBoxes;
    veltrane::ui::frmTower window(messageBoxes);
    window.show();
    return QApplication::exec();
}
