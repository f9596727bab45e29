#pragma once
// Rows of text as the tabs' tables take them, pasted from a spreadsheet or opened from a CSV
// file, read by the engine's CSV reader as the batch tool reads its own.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <utility>
#include <vector>

namespace veltrane::performance {

/// The separator of pasted rows: tabs as a spreadsheet copies, else semicolons, else commas
/// unless the comma is the locale's decimal mark.
char SeparatorOf(const QString& text, const QLocale& locale);

/// The records of a text, each field trimmed, with their line; or the first malformed
/// record's line and why.
struct Records {
    std::vector<std::pair<std::size_t, QStringList>> rows;
    QString problem;
};

Records ReadRecords(const QByteArray& bytes, char separator);

}  // namespace veltrane::performance
