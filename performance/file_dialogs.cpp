#include "file_dialogs.h"

#include <QFileDialog>

namespace veltrane::performance {

FileDialogs::~FileDialogs() = default;

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& caption,
                                    const QString& proposed, const QString& filters) {
    return QFileDialog::getSaveFileName(parent, caption, proposed, filters);
}

QString QtFileDialogs::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filters) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filters);
}

}  // namespace veltrane::performance
