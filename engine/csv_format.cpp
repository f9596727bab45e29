#include "csv_format.h"

#include <algorithm>

namespace veltrane {

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
