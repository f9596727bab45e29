#pragma once
// A read-only table on which Ctrl+C (the platform's Copy) copies the whole table as
// tab-separated text, as the tab that owns it writes it, rather than the current cell alone.

#include <QKeyEvent>
#include <QTableWidget>

#include <functional>

namespace veltrane::performance {

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
