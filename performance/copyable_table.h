#pragma once
// A read-only table on which Ctrl+C (the platform's Copy) copies the whole table as
// tab-separated text, as the tab that owns it writes it, rather than the current cell alone.

#include <QKeyEvent>
#include <QTableWidget>

#include <functional>

class QTableView;

namespace veltrane::performance {

/// Keeps a column of notes to the width of its start, so that a long note does not push the
/// figures out of sight: the view elides it, and its tool tip gives it whole.
void CapNoteColumn(QTableView& table, int column);

class CopyableTable final : public QTableWidget {
  public:
    /// @param text the whole table, cells separated by tabs, one line per row
    CopyableTable(std::function<QString()> text, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<QString()> text_;
};

}  // namespace veltrane::performance
