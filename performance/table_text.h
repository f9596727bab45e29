#pragma once
// A tab's table as text for a spreadsheet or a file: rows of cells joined by a separator (a tab
// for the clipboard, its numbers in the locale's decimal mark; a comma for a file, or a
// semicolon for a file where the decimal mark is a comma, whose numbers then carry commas too),
// each cell quoted as CSV wants it when it holds the separator, a quote or a line end. Written
// through the engine's CSV writer, as the batch tool writes its own.

#include <QChar>
#include <QString>
#include <QStringList>

#include <string>

#include "csv_writer.h"

namespace veltrane::performance {

class TableText {
  public:
    explicit TableText(QChar separator);

    void line(const QStringList& cells);
    /// Everything written so far.
    [[nodiscard]] QString text();

  private:
    std::string text_;
    CsvWriter csv_;
};

}  // namespace veltrane::performance
