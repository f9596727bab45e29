#include "maker_curves_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "byte_source.h"
#include "input_columns.h"
#include "number_text.h"
#include "problems.h"
#include "row_reader.h"

namespace veltrane::cli {
namespace {

/// The columns as --curves-csv writes them; a file without a header gives them in this order.
constexpr std::array kCurveColumns = {
    ColumnDefinition{"Flow", {"Flow", Quantity::kPercentage}, ""},
    ColumnDefinition{"Range", {"Range", Quantity::kPercentage}, ""},
    ColumnDefinition{"Twb", {"Twb", Quantity::kTemperature, UnitShown::kSIOnly}, ""},
    ColumnDefinition{"TCold", {"TCold", Quantity::kTemperature, UnitShown::kSIOnly}, ""},
};

struct CurveRows {
    std::vector<MakerCurveRow> rows;
    std::vector<std::size_t> lines;  ///< the file line of each row
};

/// Every sound row of the stream; the first problem the reader met becomes the error.
CurveRows ReadRows(std::FILE* stream, const std::string& path, UnitSystem units,
                   const CsvFormat& format, std::string& error) {
    FileSource source(stream);
    Problems problems([&error](std::string_view line) {
        if (error.empty()) error = "--maker-curves: " + std::string(line);
    });
    RowReader reader(source, path, kCurveColumns, {}, units, problems, format);
    CurveRows read;
    Row row;
    for (RowReader::Event event = reader.Next(row); event != RowReader::Event::kEnd;
         event = reader.Next(row)) {
        if (event != RowReader::Event::kRow) continue;
        const std::vector<float>& v = row.values;
        read.rows.push_back({v[0], v[1], v[2], v[3]});
        read.lines.push_back(row.line);
    }
    return read;
}

}  // namespace

std::optional<MakerCurves> ReadMakerCurves(const std::string& path, UnitSystem units,
                                           std::string& error, const CsvFormat& format) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        error =
            "--maker-curves: cannot read " + QuoteForMessage(path) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const CurveRows read = ReadRows(stream, path, units, format, error);
    std::fclose(stream);
    if (!error.empty()) return std::nullopt;
    MakerCurvesTable table = BuildMakerCurves(read.rows);
    if (table.curves) return std::move(table.curves);
    error = "--maker-curves: ";
    if (table.row && *table.row < read.lines.size()) {
        error = "--maker-curves: " + PlaceOfLine(path, read.lines[*table.row]) + ": ";
    } else {
        error += QuoteForMessage(path) + ": ";
    }
    error += table.refusal;
    if (table.earlierRow && *table.earlierRow < read.lines.size())
        error += " (as on line " + std::to_string(read.lines[*table.earlierRow]) + ")";
    return std::nullopt;
}

}  // namespace veltrane::cli
