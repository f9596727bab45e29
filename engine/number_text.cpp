#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace veltrane {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The parts of a number's text, once its form has been checked.
struct NumberShape {
    bool valid = false;
    /// Power of ten of the leading significant digit, saturated far beyond any float's range.
    long long leadingExponent = 0;
};

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

/// Checks the form [sign] digits [. digits] [e [sign] digits], with a digit before or after the
/// decimal mark.
NumberShape Inspect(std::string_view text) {
    NumberShape shape;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t integerStart = pos;
    pos = SkipDigits(text, pos);
    const std::size_t integerEnd = pos;
    std::size_t fractionStart = pos;
    std::size_t fractionEnd = pos;
    if (pos < text.size() && text[pos] == '.') {
        fractionStart = pos + 1;
        pos = fractionEnd = SkipDigits(text, fractionStart);
    }
    if (integerEnd == integerStart && fractionEnd == fractionStart) return shape;

    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        const bool negative = pos < text.size() && text[pos] == '-';
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        const std::size_t digitsStart = pos;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            if (exponent < 100000) exponent = exponent * 10 + (text[pos] - '0');
        }
        if (pos == digitsStart) return shape;
        if (negative) exponent = -exponent;
    }
    if (pos != text.size()) return shape;

    shape.valid = true;
    // Where the first significant digit stands decides between overflow and underflow.
    const std::string_view integer = text.substr(integerStart, integerEnd - integerStart);
    const std::string_view fraction = text.substr(fractionStart, fractionEnd - fractionStart);
    const std::size_t firstInteger = integer.find_first_not_of('0');
    const std::size_t firstFraction = fraction.find_first_not_of('0');
    if (firstInteger != std::string_view::npos) {
        shape.leadingExponent =
            exponent + static_cast<long long>(integer.size() - firstInteger) - 1;
    } else if (firstFraction != std::string_view::npos) {
        shape.leadingExponent = exponent - static_cast<long long>(firstFraction) - 1;
    }
    return shape;
}

/// A double has 17 significant digits at most.
constexpr int kMaxSignificantDigits = 17;
/// Powers of ten of the leading digit written without an exponent by WriteSignificant.
constexpr int kLowestPlainExponent = -5;
constexpr int kHighestPlainExponent = 14;

char* WriteNonFinite(char* out, bool isNan, bool negative) {
    const std::string_view text = isNan ? "nan" : (negative ? "-inf" : "inf");
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

NumberError ReadInputNumber(std::string_view text, float& value) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);  // from_chars takes no plus sign
        if (!text.empty() && text.front() == '-') return NumberError::NotANumber;
    }
    // from_chars reads exactly this form, and also "inf" and "nan", which start with a letter.
    const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (first >= text.size() || !(IsDigit(text[first]) || text[first] == '.')) {
        return NumberError::NotANumber;
    }
    float parsed = 0.0F;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Out of range both ways: beyond the largest float, or below the smallest.
        const NumberShape shape = Inspect(text);
        if (!shape.valid) return NumberError::NotANumber;
        if (shape.leadingExponent >= 0) return NumberError::OutOfRange;
        parsed = first == 1 ? -0.0F : 0.0F;
    } else if (error != std::errc() || end != text.data() + text.size()) {
        return NumberError::NotANumber;
    }
    value = parsed;
    return NumberError::None;
}

double ReadAcceptedNumberAsDouble(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    (void)end;
    // Within single precision nothing overflows a double; a tiny value underflows to zero.
    if (error != std::errc()) return !text.empty() && text.front() == '-' ? -0.0 : 0.0;
    return parsed;
}

std::string_view Describe(NumberError error) {
    switch (error) {
        case NumberError::None:
            return "a number";
        case NumberError::NotANumber:
            return "not a number";
        case NumberError::OutOfRange:
            return "beyond the single-precision range";
    }
    return "not a number";
}

char* WriteShortest(char* out, float value) {
    if (!std::isfinite(value)) return WriteNonFinite(out, std::isnan(value), value < 0);
    return std::to_chars(out, out + kNumberTextCapacity, value).ptr;
}

char* WriteShortest(char* out, double value) {
    if (!std::isfinite(value)) return WriteNonFinite(out, std::isnan(value), value < 0);
    return std::to_chars(out, out + kNumberTextCapacity, value).ptr;
}

char* WritePlainShortest(char* out, float value) {
    if (!std::isfinite(value)) return WriteNonFinite(out, std::isnan(value), value < 0);
    // A float in fixed notation needs up to 39 integer or 45+ fraction digits: use the
    // exponent form where the plain one would not fit.
    const auto [end, error] =
        std::to_chars(out, out + kNumberTextCapacity, value, std::chars_format::fixed);
    if (error == std::errc()) return end;
    return std::to_chars(out, out + kNumberTextCapacity, value).ptr;
}

char* WritePlainShortest(char* out, double value) {
    if (!std::isfinite(value)) return WriteNonFinite(out, std::isnan(value), value < 0);
    const auto [end, error] =
        std::to_chars(out, out + kNumberTextCapacity, value, std::chars_format::fixed);
    if (error == std::errc()) return end;
    return std::to_chars(out, out + kNumberTextCapacity, value).ptr;
}

char* WriteSignificant(char* out, double value, int digits) {
    if (!std::isfinite(value)) return WriteNonFinite(out, std::isnan(value), value < 0);
    if (value == 0.0) {
        *out = '0';
        return out + 1;
    }
    digits = std::clamp(digits, 1, kMaxSignificantDigits);
    // Rounded once, by the library, in the exponent form d.ddde±XX.
    char scientific[kNumberTextCapacity];
    const char* end = std::to_chars(scientific, scientific + kNumberTextCapacity, value,
                                    std::chars_format::scientific, digits - 1)
                          .ptr;
    const char* exponentMark = std::find(static_cast<const char*>(scientific), end, 'e');
    int exponent = 0;
    std::from_chars(exponentMark + 1 + (exponentMark[1] == '+' ? 1 : 0), end, exponent);
    std::string_view mantissa(scientific, static_cast<std::size_t>(exponentMark - scientific));
    if (value < 0) {
        *out++ = '-';
        mantissa.remove_prefix(1);
    }
    char significand[kNumberTextCapacity];  // the digits alone, trailing zeros dropped
    std::size_t count = 0;
    for (const char c : mantissa) {
        if (c != '.') significand[count++] = c;
    }
    while (count > 1 && significand[count - 1] == '0')
        --count;
    if (exponent < kLowestPlainExponent || exponent > kHighestPlainExponent) {
        *out++ = significand[0];
        if (count > 1) {
            *out++ = '.';
            out = std::copy(significand + 1, significand + count, out);
        }
        return std::copy(exponentMark, end, out);
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        return std::copy(significand, significand + count, out);
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    for (std::size_t k = 0; k < integerDigits; ++k)
        *out++ = k < count ? significand[k] : '0';
    if (count > integerDigits) {
        *out++ = '.';
        out = std::copy(significand + integerDigits, significand + count, out);
    }
    return out;
}

namespace {

template <typename Write>
NumberText TextOf(Write write) {
    NumberText text;
    text.length = static_cast<std::size_t>(write(text.chars.data()) - text.chars.data());
    return text;
}

}  // namespace

NumberText ShortestText(float value) {
    return TextOf([value](char* out) { return WriteShortest(out, value); });
}

NumberText ShortestText(double value) {
    return TextOf([value](char* out) { return WriteShortest(out, value); });
}

NumberText PlainShortestText(float value) {
    return TextOf([value](char* out) { return WritePlainShortest(out, value); });
}

NumberText PlainShortestText(double value) {
    return TextOf([value](char* out) { return WritePlainShortest(out, value); });
}

NumberText SignificantText(double value, int digits) {
    return TextOf([value, digits](char* out) { return WriteSignificant(out, value, digits); });
}

}  // namespace veltrane
