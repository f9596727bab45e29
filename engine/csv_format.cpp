#include "csv_format.h"

#include <algorithm>

#include "number_text.h"

namespace veltrane {

CsvFormat CsvFormatSeparatedBy(char separator) {
    return CsvFormat{separator, separator == ';' ? ',' : '.'};
}

CsvFormat CsvFormatOfText(std::string_view text, char tabDecimalMark) {
    bool semicolon = false;
    bool quoted = false;
    bool anyField = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') {
            // Blank lines before the first record do not decide.
            if (anyField) break;
            continue;
        }
        anyField = true;
        if (c == '\t') return CsvFormat{'\t', tabDecimalMark};
        semicolon = semicolon || c == ';';
    }
    return CsvFormatSeparatedBy(semicolon ? ';' : ',');
}

bool IsPlainNumberText(std::string_view field) {
    float value = 0.0F;
    return !field.empty() && ReadInputNumber(field, value) != NumberError::NotANumber;
}

std::optional<std::string> PlainNumberText(std::string_view field, const CsvFormat& format) {
    std::string text(field);
    if (format.decimalMark == '.') return text;
    if (text.find('.') != std::string::npos) return std::nullopt;
    std::replace(text.begin(), text.end(), format.decimalMark, '.');
    return text;
}

std::string FormatNumberText(std::string_view plain, const CsvFormat& format) {
    std::string text(plain);
    std::replace(text.begin(), text.end(), '.', format.decimalMark);
    return text;
}

}  // namespace veltrane
