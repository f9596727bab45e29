// The batch calculator's CSV reader on any bytes. The first byte sets how many bytes the source
// hands out per read; the records must be the same as when the whole input comes in one read,
// since a record may be cut anywhere between two reads. Every field the number reader accepts
// is a finite single-precision value. The whole batch run, with --check and then --raw, must
// take the same bytes without a fault.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch_calculator.h"
#include "byte_source.h"
#include "csv_reader.h"
#include "fuzz_check.h"
#include "number_text.h"

namespace veltrane::fuzz {
namespace {

/// A record copied out of the reader, whose fields live only until its next call.
struct OwnedRecord {
    std::size_t line = 0;
    std::vector<std::string> fields;
    std::string error;

    bool operator==(const OwnedRecord&) const = default;
};

std::vector<OwnedRecord> ReadAll(std::string_view text, std::size_t pieceSize) {
    StringSource source(text, pieceSize);
    CsvReader reader(source);
    std::vector<OwnedRecord> records;
    CsvRecord record;
    while (reader.Next(record)) {
        OwnedRecord& owned = records.emplace_back();
        owned.line = record.line;
        owned.error = record.error;
        for (const std::string_view field : record.fields)
            owned.fields.emplace_back(field);
    }
    return records;
}

void CheckNumbers(const std::vector<OwnedRecord>& records) {
    for (const OwnedRecord& record : records) {
        if (!record.error.empty()) continue;
        for (const std::string& field : record.fields) {
            float value = 0;
            if (ReadInputNumber(field, value) == NumberError::None) {
                Require(std::isfinite(value), "an accepted number is finite");
            }
        }
    }
}

void RunBatch(std::string_view text, bool raw, bool check) {
    std::size_t outputBytes = 0;
    cli::BatchCalculator calculator(
        cli::BatchSettings{raw, check, {}},
        [&outputBytes](std::string_view piece) { outputBytes += piece.size(); },
        [](std::string_view message) { Require(!message.empty(), "a message says something"); });
    calculator.WriteHeader();
    StringSource source(text);
    calculator.CalculateSource(source, "fuzz.csv");
    calculator.Flush();
    Require(outputBytes > 0, "the header row is written");
}

}  // namespace
}  // namespace veltrane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane::fuzz;
    if (size == 0) return 0;

    const std::size_t pieceSize = 1 + data[0] % 16;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::vector<OwnedRecord> whole = ReadAll(text, text.size() + 1);
    Require(ReadAll(text, pieceSize) == whole, "records do not depend on how reads cut the input");
    CheckNumbers(whole);

    RunBatch(text, false, true);
    RunBatch(text, true, false);
    return 0;
}
