#pragma once
// Numbers as plain text with '.' as the decimal mark, the same under every C locale: the default
// texts of the inputs, and what the batch calculator reads and writes.

#include <array>
#include <cstddef>
#include <string_view>

namespace veltrane {

enum class NumberError {
    None,
    NotANumber,  ///< not digits with an optional sign, '.' and exponent
    OutOfRange,  ///< beyond the largest finite single-precision value
};

/// Reads an input number: an optional sign, digits with '.' as the decimal mark (".001" and
/// "5." included), an optional exponent ("1.5e3"); blanks around it are ignored. No grouping
/// marks, no "inf" or "nan", no hexadecimal. The value is rounded once to single precision; a
/// value too small for single precision reads as zero of its sign.
NumberError ReadInputNumber(std::string_view text, float& value);

/// The value of a text that ReadInputNumber accepts, in double precision (for sweep ranges,
/// stepped in double before each value is rounded to single precision).
double ReadAcceptedNumberAsDouble(std::string_view text);

/// Text of the error, for the row's message.
std::string_view Describe(NumberError error);

/// Room for any text written below.
inline constexpr std::size_t kNumberTextCapacity = 64;

/// The shortest decimal that reads back as the same float, or "inf", "-inf", "nan". Returns the
/// end of the text written from `out`, which has room for kNumberTextCapacity characters.
char* WriteShortest(char* out, float value);
char* WriteShortest(char* out, double value);

/// The shortest decimal without an exponent that reads back as the same float ("0.6", "1000000").
char* WritePlainShortest(char* out, float value);

/// The shortest decimal without an exponent that reads back as the same double; the exponent
/// form where the plain one would not fit the capacity (below about 1e-45 or above 1e45).
char* WritePlainShortest(char* out, double value);

/// The value rounded to `digits` significant figures (1 to 17), for reading and checking by
/// hand: without an exponent where its leading digit stands from 10^-5 up to 10^14, with one
/// ("1.5e-07") beyond; trailing zeros after the decimal mark dropped, and the mark with them.
///   13500000 → "13500000", 500000 → "500000", 0.08597847979746463 → "0.0859785" (6 digits),
///   29.987436 → "29.9874", 0.010000001 → "0.01", 1.5e-7 → "1.5e-07", -0 → "0", inf → "inf".
char* WriteSignificant(char* out, double value, int digits);

/// One number's text held in place, for a caller that keeps it or appends it.
struct NumberText {
    std::array<char, kNumberTextCapacity> chars{};
    std::size_t length = 0;
    [[nodiscard]] std::string_view View() const { return {chars.data(), length}; }
};

/// The writers above, into a NumberText.
NumberText ShortestText(float value);
NumberText ShortestText(double value);
NumberText PlainShortestText(float value);
NumberText PlainShortestText(double value);
NumberText SignificantText(double value, int digits);

/// The text without its surrounding blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace veltrane
