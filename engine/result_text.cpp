#include "result_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace veltrane {
namespace {

constexpr int kShownFigures = 5;
constexpr int kMaxFractionDigits = 14;

/// A decimal number in scientific form: sign, significant digits d1 d2 ... and the power of ten
/// of d1.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

template <typename Real>
Decimal ToDecimal(Real value, int figures) {
    std::array<char, 64> buffer{};
    // to_chars ignores the C locale, which the toolkit sets from the environment.
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::scientific, figures - 1);
    (void)error;  // 64 characters hold any float or double with up to 17 figures
    const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

    Decimal decimal;
    std::size_t pos = 0;
    if (text[pos] == '-') {
        decimal.negative = true;
        ++pos;
    }
    const std::size_t ePos = text.find('e');
    for (std::size_t i = pos; i < ePos; ++i) {
        if (text[i] != '.') decimal.digits.push_back(text[i]);
    }
    decimal.exponent = std::atoi(text.data() + ePos + 1);
    return decimal;
}

/// Rounds the digit string to `count` digits, halves away from zero; a carry out of the first
/// digit raises the exponent.
void RoundDigits(Decimal& decimal, std::size_t count) {
    if (decimal.digits.size() <= count) return;
    const bool up = decimal.digits[count] >= '5';
    decimal.digits.resize(count);
    if (!up) return;
    for (std::size_t i = count; i-- > 0;) {
        if (decimal.digits[i] != '9') {
            ++decimal.digits[i];
            return;
        }
        decimal.digits[i] = '0';
    }
    decimal.digits.insert(decimal.digits.begin(), '1');
    decimal.digits.pop_back();
    ++decimal.exponent;
}

std::string GroupThousands(std::string_view integer, std::string_view grouping) {
    std::string grouped;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) grouped += grouping;
        grouped += integer[i];
    }
    return grouped;
}

/// Writes the five-figure decimal in positional form.
std::string Positional(const Decimal& decimal, NumberMarks marks) {
    // The whole number as integer and fraction digit strings.
    std::string integer;
    std::string fraction;
    const int integerDigits = decimal.exponent + 1;
    if (integerDigits <= 0) {
        fraction.assign(static_cast<std::size_t>(-integerDigits), '0');
        fraction += decimal.digits;
    } else if (static_cast<std::size_t>(integerDigits) >= decimal.digits.size()) {
        integer = decimal.digits;
        integer.append(static_cast<std::size_t>(integerDigits) - decimal.digits.size(), '0');
    } else {
        integer = decimal.digits.substr(0, static_cast<std::size_t>(integerDigits));
        fraction = decimal.digits.substr(static_cast<std::size_t>(integerDigits));
    }

    if (fraction.size() > kMaxFractionDigits) {
        Decimal tail{false, integer + fraction, static_cast<int>(integer.size()) - 1};
        RoundDigits(tail, integer.size() + kMaxFractionDigits);
        // Rounding may carry into a new leading digit; the integer part is then one digit longer.
        const int integerLength = tail.exponent + 1;
        const auto split = static_cast<std::size_t>(integerLength);
        integer = tail.digits.substr(0, split);
        fraction = tail.digits.substr(split);
    }
    integer.erase(0, integer.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);

    std::string text;
    if (decimal.negative && !(integer.empty() && fraction.empty())) text += '-';
    text += GroupThousands(integer, marks.grouping);
    text += marks.decimal;
    text += fraction;
    return text;
}

template <typename Real>
std::string Format(Real value, int figures, NumberMarks marks) {
    if (std::isnan(value)) return std::string(kNotANumberText);
    if (std::isinf(value)) {
        return std::string(value > 0 ? kInfinityText : kNegativeInfinityText);
    }
    if (value == 0) return std::string(marks.decimal);
    Decimal decimal = ToDecimal(value, figures);
    RoundDigits(decimal, kShownFigures);
    return Positional(decimal, marks);
}

/// The result text without its trailing decimal mark and with a zero before a leading one.
std::string Readable(std::string text, std::string_view decimal) {
    if (decimal.empty()) return text;
    if (text.ends_with(decimal)) text.resize(text.size() - decimal.size());
    const std::size_t sign = text.starts_with('-') ? 1 : 0;
    if (text.size() == sign || text.compare(sign, decimal.size(), decimal) == 0)
        text.insert(sign, 1, '0');
    return text;
}

}  // namespace

std::string ReadableResultText(float value, NumberMarks marks) {
    return Readable(ResultText(value, marks), marks.decimal);
}

std::string ReadableResultText(double value, NumberMarks marks) {
    return Readable(ResultText(value, marks), marks.decimal);
}

std::string ResultText(float value, NumberMarks marks) {
    return Format(value, 7, marks);
}

std::string ResultText(double value, NumberMarks marks) {
    return Format(value, 15, marks);
}

}  // namespace veltrane
