#pragma once
// Writing CSV (RFC 4180): a field that holds a comma, a quote or a line end is quoted, with its
// quotes doubled. The writer gathers rows and hands them on in large pieces.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace veltrane::cli {

void AppendCsvField(std::string& out, std::string_view field);

/// Receives finished output in large pieces.
using OutputSink = std::function<void(std::string_view)>;

class CsvWriter {
  public:
    explicit CsvWriter(OutputSink output);

    /// A field, quoted when it needs to be.
    void Field(std::string_view text) { AppendCsvField(pending_, text); }
    /// Text known to need no quotes, such as a number.
    void Plain(std::string_view text) { pending_ += text; }
    void Comma() { pending_ += ','; }
    void Commas(std::size_t count) { pending_.append(count, ','); }
    /// Drops the last comma written (after the last field of a header without Notes).
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
    std::string pending_;
    std::size_t rowsEnded_ = 0;
};

}  // namespace veltrane::cli
