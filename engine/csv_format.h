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

/// The convention a file is written in where `separator` parts the fields: a ';' goes with a
/// decimal comma, as a decimal-comma country's spreadsheet writes it; any other with a '.'.
CsvFormat CsvFormatSeparatedBy(char separator);

/// The convention a CSV text is written in, told by its first line (the header of a file, the
/// first row of a paste): a tab parts a spreadsheet's paste, whose numbers carry `tabDecimalMark`
/// (the user's); a ';' outside quotes is a decimal-comma file (';' and ','), whose captions may
/// hold commas of their own unquoted ("90 % flow, 80 % range"); anything else is the plain
/// convention (',' and '.'). The header alone decides, so that a decimal comma in the numbers of
/// a plain file is refused rather than read as a separator.
///   "P,Twb,Tdb" -> ',' '.'   "P;Twb;Tdb" -> ';' ','   "Twb;Flow, range" -> ';' ','
CsvFormat CsvFormatOfText(std::string_view text, char tabDecimalMark = '.');

/// Whether a field is a number in C notation ("28.5", "-1e-3"), which a file of another
/// convention writes with its own decimal mark.
bool IsPlainNumberText(std::string_view field);

/// A number field in the C notation the number readers take: the decimal mark made a '.'.
/// Nothing when the decimal mark is another and the field holds a '.': there it is a grouping
/// mark ("1.000" for a thousand), which read as a decimal point would give a wrong number.
std::optional<std::string> PlainNumberText(std::string_view field, const CsvFormat& format);

/// A number written in C notation ('.') with the format's decimal mark.
std::string FormatNumberText(std::string_view plain, const CsvFormat& format);

}  // namespace veltrane
