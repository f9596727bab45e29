#pragma once
// The data rows of a CSV output, for tests that compare outputs field by field.

#include <string>
#include <vector>

#include "csv_reader.h"

namespace veltrane::cli::test {

/// Every row after the header, as its fields.
inline std::vector<std::vector<std::string>> DataRows(const std::string& csv) {
    StringSource source(csv);
    CsvReader reader(source);
    CsvRecord record;
    std::vector<std::vector<std::string>> rows;
    while (reader.Next(record))
        rows.emplace_back(record.fields.begin(), record.fields.end());
    if (!rows.empty()) rows.erase(rows.begin());
    return rows;
}

}  // namespace veltrane::cli::test
