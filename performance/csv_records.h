#pragma once
// Rows of text as the tabs' tables take them, pasted from a spreadsheet or opened from a CSV
// file, read by the engine's CSV reader as the batch tool reads its own. A file is read in the
// convention its header line tells (',' and '.', or ';' and ',' as a decimal-comma spreadsheet
// writes it) and saved in the locale's.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "csv_format.h"
#include "unit_layer.h"

namespace veltrane::performance {

/// The convention of pasted rows: tabs as a spreadsheet copies (numbers in the locale's mark),
/// else the one the first line tells; without a header, a comma that is the locale's decimal
/// mark parts no fields (one column of "28,5").
CsvFormat PasteFormat(const QString& text, const QLocale& locale);

/// The convention a file is written in under `locale`: ';' and ',' where the decimal mark is a
/// comma, as a spreadsheet there reads it; ',' and '.' elsewhere.
CsvFormat FileFormat(const QLocale& locale);

/// The convention of a table written with `separator`: a file's (FileFormat's separators), or
/// a paste's (tabs) in the locale's decimal mark, as a spreadsheet of that locale reads it and
/// the tables read a paste back.
CsvFormat TableFormat(QChar separator, const QLocale& locale);

/// A field of `format` as a cell typed in `locale` takes it: a number with the other decimal
/// mark is written with the locale's; anything else is left as it is.
QString TypedField(const QString& field, const CsvFormat& format, const QLocale& locale);

/// The records of a text, each field trimmed, with their line; or the first malformed
/// record's line and why.
struct Records {
    std::vector<std::pair<std::size_t, QStringList>> rows;
    QString problem;
};

Records ReadRecords(const QByteArray& bytes, const CsvFormat& format);

/// A column that a file names in its header: "Twb" or "Twb (°C)", in any case.
struct NamedColumn {
    const char* name;
    Quantity quantity;
    /// Values read in the unit the header names (either system's); else always in the units of
    /// a column that names none, the header's unit left to the caller.
    bool readsHeaderUnit = true;
};

/// The name a header cell gives and the unit in its brackets (empty when none).
struct HeaderCell {
    QString name;
    QString unit;
};
HeaderCell SplitHeader(const QString& cell);

/// Whether a header cell names one of `columns`, so that a pasted header row is passed over.
bool NamesAColumn(const QString& cell, std::span<const NamedColumn> columns);

/// The values of a file's named columns, in the engine's units, row by row in the columns'
/// order, with each row's line; the header cell of each column; or why the file is refused.
struct ColumnValues {
    std::vector<std::pair<std::size_t, std::vector<float>>> rows;
    QStringList captions;
    QString problem;
};

/// Reads a file of named columns in any order (others passed over) in the convention its header
/// tells. A column whose header names a unit of its quantity is read in that unit and converted
/// at the edge; one without a unit is read in `unstated` (the units shown for a table's own
/// file, US for a file the batch tool reads too); one naming another quantity's unit is refused
/// with the column named.
ColumnValues ReadColumns(const QByteArray& bytes, std::span<const NamedColumn> columns,
                         UnitSystem unstated);

}  // namespace veltrane::performance
