#pragma once
// Writing CSV (RFC 4180): a field that holds the separator, a quote or a line end is quoted, with
// its quotes doubled. The writer gathers rows and hands them on in large pieces. The batch tool
// and the window write through it, so that a file of either reads back the same.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "csv_format.h"

namespace veltrane {

void AppendCsvField(std::string& out, std::string_view field, char separator = ',');

/// Receives finished output in large pieces.
using OutputSink = std::function<void(std::string_view)>;

class CsvWriter {
  public:
    explicit CsvWriter(OutputSink output, CsvFormat format = {});

    /// A field, quoted when it needs to be.
    void Field(std::string_view text) { AppendCsvField(pending_, text, format_.separator); }
    /// Text known to need no quotes, such as a number in the default format.
    void Plain(std::string_view text) { pending_ += text; }
    /// A number written in C notation, with the format's decimal mark (quoted if that is the
    /// separator).
    void Number(std::string_view plain);
    /// The separator (a comma unless the format says otherwise).
    void Comma() { pending_ += format_.separator; }
    void Commas(std::size_t count) { pending_.append(count, format_.separator); }
    /// Drops the last separator written (after the last field of a header without Notes).
    void DropLastComma() { pending_.pop_back(); }
    /// Ends a data row and hands the output on once a piece is full.
    void EndRow();
    /// Ends a row that is not data (the header, the totals), likewise.
    void EndLine();
    /// The text still held, to write into directly; the caller keeps it well formed.
    std::string& Pending() { return pending_; }
    /// Hands what is still held to the output.
    void Flush();
    /// The data rows ended so far.
    [[nodiscard]] std::size_t RowsEnded() const { return rowsEnded_; }

  private:
    OutputSink output_;
    CsvFormat format_;
    std::string pending_;
    std::size_t rowsEnded_ = 0;
};

}  // namespace veltrane
