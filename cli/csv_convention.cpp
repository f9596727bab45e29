#include "csv_convention.h"

#include <cstdio>
#include <vector>

#include "byte_source.h"
#include "columns.h"
#include "problems.h"

namespace veltrane::cli {
namespace {

/// The first record of `path` looks separated by ';'; a file that cannot be opened is left to
/// the reader that reports it.
bool FileLooksSemicolonSeparated(const std::string& path, const CsvFormat& format,
                                 std::size_t& line) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) return false;
    FileSource source(stream);
    CsvReader reader(source, format);
    CsvRecord first;
    const bool looks = reader.Next(first) && LooksSemicolonSeparated(first, format);
    line = first.line;
    std::fclose(stream);
    return looks;
}

bool IsCsvName(std::string_view name) {
    constexpr std::string_view kCsv = ".csv";
    return name.size() > kCsv.size() &&
           EqualIgnoringCase(name.substr(name.size() - kCsv.size()), kCsv);
}

}  // namespace

CsvFormat CsvFormatOf(const CalcOptions& options) {
    return options.decimalComma ? CsvFormat{';', ','} : CsvFormat{};
}

bool LooksSemicolonSeparated(const CsvRecord& first, const CsvFormat& format) {
    return format.separator == ',' && first.error.empty() && first.fields.size() == 1 &&
           first.fields.front().find(';') != std::string_view::npos;
}

std::string SemicolonInput(const CalcOptions& options) {
    std::vector<std::string> files;
    for (const std::string& file : options.files) {
        if (file != "-") files.push_back(file);
    }
    if (options.acceptance && !options.acceptance->empty()) files.push_back(*options.acceptance);
    if (options.makerCurves) files.push_back(*options.makerCurves);
    if (options.load && IsCsvName(*options.load)) files.push_back(*options.load);
    const CsvFormat format = CsvFormatOf(options);
    for (const std::string& file : files) {
        std::size_t line = 0;
        if (FileLooksSemicolonSeparated(file, format, line))
            return PlaceOfLine(file, line) + ": " + std::string(kSemicolonRefusal);
    }
    return {};
}

}  // namespace veltrane::cli
