#pragma once
// The window asks for file names through this interface, so that tests can answer from a
// script instead of a person.

#include <QString>

class QWidget;

namespace veltrane::performance {

class FileDialogs {
  public:
    virtual ~FileDialogs();
    /// The file the user chose to write, or empty when they cancelled.
    /// @param filters as QFileDialog takes them: "SVG image (*.svg);;PNG image (*.png)"
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                                 const QString& filters) = 0;
    /// The existing file the user chose to open, or empty when they cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filters) = 0;
};

/// The dialog a person sees: QFileDialog.
class QtFileDialogs final : public FileDialogs {
  public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                         const QString& filters) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filters) override;
};

}  // namespace veltrane::performance
