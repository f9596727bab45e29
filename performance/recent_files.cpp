#include "recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <functional>

namespace veltrane::performance {

RecentFiles::RecentFiles(QSettings& settings, const QString& key, QObject* parent)
    : QObject(parent), settings_(settings), key_(key) {}

QStringList RecentFiles::paths() const {
    return settings_.value(key_).toStringList();
}

// Kept by absolute path, so that the same file opened from two folders is listed once.
void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMostFiles));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = paths();
    if (list.removeAll(QFileInfo(path).absoluteFilePath()) > 0) store(list);
}

void RecentFiles::fill(QMenu& menu, const std::function<void(const QString&)>& open) const {
    menu.clear();
    const QStringList list = paths();
    if (list.isEmpty()) {
        menu.addAction(tr("(none)"))->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString& path = list[i];
        // Numbered as access keys; the folder in the tool tip, the name in the menu.
        const QString caption = QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName());
        QAction* action = menu.addAction(caption, [open, path] { open(path); });
        action->setToolTip(QDir::toNativeSeparators(path));
    }
}

void RecentFiles::store(const QStringList& paths) {
    settings_.setValue(key_, paths);
    emit changed();
}

}  // namespace veltrane::performance
