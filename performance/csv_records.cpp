#include "csv_records.h"

#include <QCoreApplication>

#include <optional>
#include <string_view>

#include "byte_source.h"
#include "csv_reader.h"
#include "input_number.h"
#include "utf8_text.h"

namespace veltrane::performance {

namespace {

char DecimalMarkOf(const QLocale& locale) {
    const QString mark = locale.decimalPoint();
    return mark == u"," ? ',' : '.';
}

/// "A, B and C" of the columns' names.
QString ColumnList(std::span<const NamedColumn> columns) {
    QString list;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) list += c + 1 == columns.size() ? QStringLiteral(" and ") : QStringLiteral(", ");
        list += QLatin1String(columns[c].name);
    }
    return list;
}

/// "°F or °C", or the one unit both systems share ("%").
QString UnitsOf(Quantity quantity) {
    const QString us = UnitText(quantity, UnitSystem::kUS);
    const QString si = UnitText(quantity, UnitSystem::kSI);
    return us == si ? us : QStringLiteral("%1 or %2").arg(us, si);
}

/// How a column's numbers reach the engine: the unit its header names, else the unstated one.
struct ColumnUnit {
    UnitSystem system;
    double factor = 1.0;
};

/// One field as a number in the units `unit` says, in the engine's units; or why it is none.
std::optional<float> ReadField(const QString& field, const CsvFormat& format, Quantity quantity,
                               ColumnUnit unit, QString& why) {
    if (field.isEmpty()) {
        why = QCoreApplication::translate("CsvRecords", "is empty");
        return std::nullopt;
    }
    const std::optional<std::string> plain = PlainNumberText(field.toStdString(), format);
    const std::optional<float> number =
        plain ? desktop::InputNumber(QString::fromStdString(*plain), QLocale::c()) : std::nullopt;
    if (!number) {
        why = QCoreApplication::translate("CsvRecords", "is not a number: “%1” (decimal mark “%2”)")
                  .arg(field, QChar::fromLatin1(format.decimalMark));
        return std::nullopt;
    }
    return InputFromUnits(quantity, unit.system, static_cast<double>(*number) * unit.factor);
}

}  // namespace

CsvFormat PasteFormat(const QString& text, const QLocale& locale) {
    const char mark = DecimalMarkOf(locale);
    const QByteArray bytes = text.toUtf8();
    const CsvFormat format = CsvFormatOfText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), mark);
    const QString first = text.trimmed();
    const bool header = !first.isEmpty() && first.front().isLetter();
    if (format.separator == ',' && mark == ',' && !header) return CsvFormat{'\t', ','};
    return format;
}

CsvFormat FileFormat(const QLocale& locale) {
    return CsvFormatSeparatedBy(DecimalMarkOf(locale) == ',' ? ';' : ',');
}

CsvFormat TableFormat(QChar separator, const QLocale& locale) {
    const auto mark = static_cast<char>(separator.unicode());
    if (mark != '\t') return CsvFormatSeparatedBy(mark);
    return CsvFormat{'\t', DecimalMarkOf(locale)};
}

QString TypedField(const QString& field, const CsvFormat& format, const QLocale& locale) {
    if (QChar::fromLatin1(format.decimalMark) == locale.decimalPoint()) return field;
    const std::optional<std::string> plain = PlainNumberText(field.toStdString(), format);
    if (!plain || !IsPlainNumberText(*plain)) return field;
    return QString::fromStdString(*plain).replace(u'.', locale.decimalPoint());
}

Records ReadRecords(const QByteArray& bytes, const CsvFormat& format) {
    Records records;
    StringSource source(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    CsvReader reader(source, format);
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

HeaderCell SplitHeader(const QString& cell) {
    const qsizetype bracket = cell.indexOf(u'(');
    if (bracket < 0) return {cell.trimmed(), {}};
    return {cell.left(bracket).trimmed(), cell.mid(bracket + 1).remove(u')').trimmed()};
}

bool NamesAColumn(const QString& cell, std::span<const NamedColumn> columns) {
    const QString name = SplitHeader(cell).name;
    for (const NamedColumn& column : columns) {
        if (name.compare(QLatin1String(column.name), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

ColumnValues ReadColumns(const QByteArray& bytes, std::span<const NamedColumn> columns,
                         UnitSystem unstated) {
    ColumnValues values;
    const CsvFormat format = CsvFormatOfText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    const Records records = ReadRecords(bytes, format);
    if (!records.problem.isEmpty()) {
        values.problem = records.problem;
        return values;
    }
    if (records.rows.empty()) {
        values.problem = QCoreApplication::translate("CsvRecords", "the file is empty");
        return values;
    }
    const QStringList& header = records.rows.front().second;
    std::vector<qsizetype> at(columns.size(), -1);
    std::vector<ColumnUnit> unitOf(columns.size(), ColumnUnit{unstated});
    values.captions.resize(static_cast<qsizetype>(columns.size()));
    for (qsizetype i = 0; i < header.size(); ++i) {
        const HeaderCell cell = SplitHeader(header[i]);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (at[c] >= 0 ||
                cell.name.compare(QLatin1String(columns[c].name), Qt::CaseInsensitive) != 0)
                continue;
            at[c] = i;
            values.captions[static_cast<qsizetype>(c)] = header[i];
            if (cell.unit.isEmpty() || !columns[c].readsHeaderUnit) break;
            const std::optional<HeaderUnit> named =
                UnitNamed(columns[c].quantity, cell.unit.toStdString());
            if (!named) {
                values.problem =
                    QCoreApplication::translate("CsvRecords", "column %1 is in %2, not in %3")
                        .arg(header[i], cell.unit, UnitsOf(columns[c].quantity));
                return values;
            }
            unitOf[c] = ColumnUnit{named->units, named->factor};
            break;
        }
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (at[c] >= 0) continue;
        values.problem = QCoreApplication::translate(
                             "CsvRecords", "no column %1: the first line must name the columns %2")
                             .arg(QLatin1String(columns[c].name), ColumnList(columns));
        return values;
    }
    for (std::size_t r = 1; r < records.rows.size(); ++r) {
        const auto& [line, fields] = records.rows[r];
        std::vector<float>& row = values.rows.emplace_back(line, std::vector<float>{}).second;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            QString why;
            const std::optional<float> value =
                ReadField(fields.value(at[c]), format, columns[c].quantity, unitOf[c], why);
            if (!value) {
                values.rows.clear();
                values.problem = QCoreApplication::translate("CsvRecords", "line %1: %2 %3")
                                     .arg(line)
                                     .arg(QLatin1String(columns[c].name), why);
                return values;
            }
            row.push_back(*value);
        }
    }
    return values;
}

}  // namespace veltrane::performance
