#pragma once
// The rows of a CSV source as numbers: the columns a mode declares, found by a header row or by
// their order, each field read and converted to the engine's units here. A field that cannot be
// read makes one message "FILE:LINE: what is wrong" and the row is passed over.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "byte_source.h"
#include "columns.h"
#include "csv_reader.h"
#include "number_text.h"
#include "problems.h"

namespace veltrane::cli {

/// One row, column by column in the mode's order. Valid until the reader's next call.
struct Row {
    std::string_view source;
    std::size_t line = 0;       ///< 0 for the row of defaults
    std::vector<float> values;  ///< engine units; the default where the file has no column
    /// The field as written, or the default text; empty where the row has no value.
    std::vector<std::string_view> texts;
    std::vector<char> present;  ///< 1 where the row has a value (a default counts)

    [[nodiscard]] bool Has(std::size_t column) const { return present[column] != 0; }
};

/// The row of the columns' defaults in `units`: what --defaults calculates.
Row DefaultRow(std::span<const ColumnDefinition> columns, std::string_view name, UnitSystem units);

class RowReader {
  public:
    enum class Event {
        kRow,     ///< a sound row
        kHeader,  ///< the header row, its layout now known
        kEnd,     ///< the end of the source, or a header that no row can be read by
    };

    /// `format`: the separator and decimal mark the source is written in; a source that looks
    /// separated by ';' where `format` says ',' is refused (Problems::RefusalAtLine).
    /// `passedOver` names columns a header may hold that are not read (the mode's own output
    /// columns), so that the program's output reads back.
    RowReader(ByteSource& source, std::string_view name, std::span<const ColumnDefinition> columns,
              std::span<const Caption> passedOver, UnitSystem units, Problems& problems,
              CsvFormat format = {});

    /// The next row or header; a malformed record or field is reported and passed over.
    Event Next(Row& row);

    /// The line of the record read last: the header's, after kHeader.
    [[nodiscard]] std::size_t Line() const { return record_.line; }
    /// True once a record without a header has laid the columns out by their order.
    [[nodiscard]] bool Positional() const { return positional_; }
    /// True when the header names the column.
    [[nodiscard]] bool Names(std::size_t column) const { return fieldOf_[column] != kAbsent; }
    /// The header's name of the column, as written; empty when it names none. Valid until the
    /// next call of Next.
    [[nodiscard]] std::string_view HeaderName(std::size_t column) const {
        return Names(column) ? TrimBlanks(record_.fields[fieldOf_[column]]) : std::string_view{};
    }
    /// Reads the column no more: its fields are left unread and its rows have no value.
    void Ignore(std::size_t column) { fieldOf_[column] = kAbsent; }

  private:
    static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

    [[nodiscard]] bool NamesAnyColumn() const;
    [[nodiscard]] bool IsPassedOver(std::string_view name) const;
    [[nodiscard]] std::string UnknownColumn(std::string_view name) const;
    bool ReadHeader();
    void UsePositions();
    bool ReadFields(Row& row);
    bool ReadField(std::size_t column, std::string_view text, Row& row);

    ByteSource& source_;
    CsvReader reader_;
    std::string_view name_;
    std::span<const ColumnDefinition> columns_;
    std::span<const Caption> passedOver_;
    UnitSystem units_;
    Problems& problems_;
    CsvRecord record_;
    bool laidOut_ = false;
    bool positional_ = false;
    std::size_t fieldCount_ = 0;
    std::vector<std::size_t> fieldOf_;  ///< the field of each column, or kAbsent
    Row defaults_;
    CsvFormat format_;
    /// Each column's field with its decimal comma made a '.', under a decimal-comma format: the
    /// row's texts point here.
    std::vector<std::string> plainTexts_;
};

}  // namespace veltrane::cli
