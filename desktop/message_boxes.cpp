#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace veltrane::desktop {

MessageBoxes::~MessageBoxes() = default;

void KeepAboveWindowsOnTop(QWidget& dialog) {
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &dialog && window->isVisible() &&
            window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
    }
}

MessageAnswer QtMessageBoxes::show(QWidget* parent, const QString& prompt, const QString& title,
                                   MessageButtons buttons, MessageIcon icon) {
    const QMessageBox::Icon boxIcon =
        icon == MessageIcon::Question ? QMessageBox::Question : QMessageBox::Warning;
    QMessageBox box(boxIcon, title, prompt, QMessageBox::NoButton, parent);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    KeepAboveWindowsOnTop(box);
    const int pressed = box.exec();
    switch (pressed) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            // Esc or the close box of a Yes/No box counts as No, of an OK box as OK.
            return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

}  // namespace veltrane::desktop
