#include "csv_records.h"

#include <QCoreApplication>

#include <string_view>

#include "byte_source.h"
#include "csv_reader.h"
#include "utf8_text.h"

namespace veltrane::performance {

char SeparatorOf(const QString& text, const QLocale& locale) {
    if (text.contains(u'\t')) return '\t';
    if (text.contains(u';')) return ';';
    return locale.decimalPoint() == u',' ? '\t' : ',';
}

Records ReadRecords(const QByteArray& bytes, char separator) {
    Records records;
    StringSource source(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    CsvReader reader(source, CsvFormat{separator, '.'});
    CsvRecord record;
    while (reader.Next(record)) {
        if (!record.error.empty()) {
            records.problem = QCoreApplication::translate("CsvRecords", "line %1: %2")
                                  .arg(record.line)
                                  .arg(desktop::FromUtf8(record.error));
            return records;
        }
        QStringList fields;
        for (const std::string_view field : record.fields)
            fields << desktop::FromUtf8(field).trimmed();
        records.rows.emplace_back(record.line, fields);
    }
    return records;
}

}  // namespace veltrane::performance
