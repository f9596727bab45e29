#pragma once
// A list of recently opened files kept in the settings under a key of its own, newest first,
// without repeats, at most a few long. Any part of the window that opens files keeps one (the
// Year tab's weather files first) and offers it as a menu.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;
class QSettings;

namespace veltrane::performance {

class RecentFiles final : public QObject {
    Q_OBJECT

  public:
    /// The files a list keeps.
    static constexpr qsizetype kMostFiles = 8;

    RecentFiles(QSettings& settings, const QString& key, QObject* parent = nullptr);

    /// The files, newest first.
    [[nodiscard]] QStringList paths() const;
    /// Puts the file first (moving it when listed already) and drops the oldest beyond
    /// kMostFiles.
    void add(const QString& path);
    /// Drops a file that can no longer be opened.
    void remove(const QString& path);
    /// Fills `menu` with the files, each opening through `open`; "(none)" when the list is empty.
    void fill(QMenu& menu, const std::function<void(const QString&)>& open) const;

  signals:
    void changed();

  private:
    void store(const QStringList& paths);

    QSettings& settings_;
    QString key_;
};

}  // namespace veltrane::performance
