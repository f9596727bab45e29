#include "csv_writer.h"

namespace veltrane::cli {

namespace {

bool NeedsQuotes(std::string_view field) {
    // A plain loop: find_first_of makes a library call per character.
    for (const char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
    }
    return false;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
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

}  // namespace veltrane::cli
