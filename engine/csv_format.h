#pragma once
// How a CSV file writes its fields and numbers. Files the program writes and reads use ',' and
// '.', whatever the locale; a spreadsheet of a decimal-comma country writes ';' and ',', and a
// paste from a spreadsheet comes separated by tabs.

#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

struct CsvFormat {
    char separator = ',';
    char decimalMark = '.';
};

/// A number field in the C notation the number readers take: the decimal mark made a '.'.
/// Nothing when the decimal mark is another and the field holds a '.': there it is a grouping
/// mark ("1.000" for a thousand), which read as a decimal point would give a wrong number.
std::optional<std::string> PlainNumberText(std::string_view field, const CsvFormat& format);

/// A number written in C notation ('.') with the format's decimal mark.
std::string FormatNumberText(std::string_view plain, const CsvFormat& format);

}  // namespace veltrane
