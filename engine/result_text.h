#pragma once
// The text a result box shows for a result value.
//
// Stage 1 rounds to five significant figures, as the format "00000E-000" writes it. The rounding
// works on the value's decimal form: a single-precision value is first taken to seven significant
// figures (a double to fifteen), and that decimal is rounded to five figures, halves away from
// zero. Stage 2 writes the five-figure number in plain positional form, as the format
// "###,###,###,###.##############" does: integer digits in groups of three, no leading zero, the
// decimal mark always present, at most fourteen fractional digits with trailing zeros dropped.
//
//   78        -> "78."          13.5      -> "13.5"        1.234567 -> "1.2346"
//   0.71234   -> ".71234"       1234567   -> "1,234,600."  -2.5     -> "-2.5"
//   0         -> "."            35.5855f  -> "35.586"  (35.58549881 has seven figures 35.58550)
//
// Values that are not finite show as kInfinityText, kNegativeInfinityText and kNotANumberText.

#include <string>
#include <string_view>

namespace veltrane {

inline constexpr std::string_view kInfinityText = "Infinity";
inline constexpr std::string_view kNegativeInfinityText = "-Infinity";
inline constexpr std::string_view kNotANumberText = "NaN";

/// The grouping and decimal marks of the user's locale (UTF-8; a mark may be several bytes).
struct NumberMarks {
    std::string_view grouping = ",";
    std::string_view decimal = ".";
};

/// Text of a single-precision result (seven significant figures before rounding).
std::string ResultText(float value, NumberMarks marks = {});

/// Text of the double-precision result 8 (fifteen significant figures before rounding).
std::string ResultText(double value, NumberMarks marks = {});

/// The same five figures as an engineer writes them beside a unit: no decimal mark where no
/// fraction follows it, and a zero before a mark that would lead.
///   78 -> "78"   0.71234 -> "0.71234"   -0.5 -> "-0.5"   1234567 -> "1,234,600"   0 -> "0"
std::string ReadableResultText(float value, NumberMarks marks = {});
std::string ReadableResultText(double value, NumberMarks marks = {});

}  // namespace veltrane
