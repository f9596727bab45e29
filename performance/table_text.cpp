#include "table_text.h"

#include <QLocale>

#include "csv_records.h"

namespace veltrane::performance {

TableText::TableText(QChar separator)
    : csv_([this](std::string_view piece) { text_ += piece; }, TableFormat(separator, QLocale())) {}

void TableText::line(const QStringList& cells) {
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) csv_.Comma();
        const std::string cell = cells[i].toStdString();
        if (IsPlainNumberText(cell)) {
            csv_.Number(cell);
        } else {
            csv_.Field(cell);
        }
    }
    csv_.EndLine();
}

QString TableText::text() {
    csv_.Flush();
    return QString::fromStdString(text_);
}

}  // namespace veltrane::performance
