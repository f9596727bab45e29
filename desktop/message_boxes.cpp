#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace veltrane::desktop {

MessageBoxes::~MessageBoxes() = default;

// Closing a box without pressing a button loses nothing: a Yes/No box counts it as No, a box
// about unsaved changes as Cancel, an OK box as OK.
MessageAnswer EscapeAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::SaveDiscardCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return MessageAnswer::Ok;
}

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
    if (buttons == MessageButtons::SaveDiscardCancel) {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == MessageButtons::YesNo) {
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
        case QMessageBox::Save:
            return MessageAnswer::Save;
        case QMessageBox::Discard:
            return MessageAnswer::Discard;
        default:
            return EscapeAnswer(buttons);
    }
}

}  // namespace veltrane::desktop
