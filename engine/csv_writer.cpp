#include "csv_writer.h"

namespace veltrane {

namespace {

constexpr std::size_t kOutputPieceSize = std::size_t{1} << 16;
/// Room above a full piece for the row that fills it, so that the buffer seldom grows.
constexpr std::size_t kRowAllowance = 4096;

bool NeedsQuotes(std::string_view field, char separator) {
    // A plain loop: find_first_of makes a library call per character.
    for (const char c : field) {
        if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
    }
    return false;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view field, char separator) {
    if (!NeedsQuotes(field, separator)) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

CsvWriter::CsvWriter(OutputSink output, CsvFormat format)
    : output_(std::move(output)), format_(format) {
    pending_.reserve(kOutputPieceSize + kRowAllowance);
}

void CsvWriter::Number(std::string_view plain) {
    if (format_.decimalMark == '.') {
        pending_ += plain;
        return;
    }
    Field(FormatNumberText(plain, format_));
}

void CsvWriter::EndRow() {
    ++rowsEnded_;
    EndLine();
}

void CsvWriter::EndLine() {
    pending_ += '\n';
    if (pending_.size() >= kOutputPieceSize) Flush();
}

void CsvWriter::Flush() {
    if (pending_.empty()) return;
    output_(pending_);
    pending_.clear();
}

}  // namespace veltrane
