// The result text of any float and any double, with the default marks and with a decimal comma,
// reads back as the value rounded to five significant figures. The expected number is worked out
// here on its own: the seven-figure (fifteen for a double) decimal that printf gives, rounded to
// five figures with halves away from zero, then cut to the fourteen fractional digits the text
// has room for. The text must also keep its form: groups of three, no leading zero, the decimal
// mark always present, no trailing zeros.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "result_text.h"

namespace veltrane::fuzz {
namespace {

constexpr int kShownFigures = 5;
constexpr int kMaxFractionDigits = 14;

std::int64_t PowerOfTen(int exponent) {
    std::int64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

/// The value rounded to five figures and cut to fourteen fractional digits, as a decimal text
/// strtod reads exactly ("-12346e-4").
std::string ExpectedDecimal(double value, int figures) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*e", figures - 1, value);
    const std::string_view text(buffer.data());
    const bool negative = text.front() == '-';
    const std::size_t ePos = text.find('e');
    std::int64_t mantissa = 0;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (text[i] != '.') mantissa = mantissa * 10 + (text[i] - '0');
    }
    int exponent = std::atoi(text.data() + ePos + 1);

    const std::int64_t divisor = PowerOfTen(figures - kShownFigures);
    std::int64_t digits = (mantissa + divisor / 2) / divisor;  // halves away from zero
    if (digits == PowerOfTen(kShownFigures)) {
        digits /= 10;
        ++exponent;
    }
    int lastPower = exponent - (kShownFigures - 1);
    if (lastPower < -kMaxFractionDigits) {
        const int cut = -kMaxFractionDigits - lastPower;
        digits = cut > kShownFigures ? 0 : (digits + PowerOfTen(cut) / 2) / PowerOfTen(cut);
        lastPower = -kMaxFractionDigits;
    }
    if (digits == 0) return "0";
    return (negative ? "-" : "") + std::to_string(digits) + "e" + std::to_string(lastPower);
}

bool StartsWith(std::string_view text, std::size_t pos, std::string_view part) {
    return text.substr(pos, part.size()) == part;
}

std::size_t DigitsFrom(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end - pos;
}

/// Checks the form of a finite value's text and gives it in C form ("-1234600.", ".5").
std::string PlainForm(std::string_view text, NumberMarks marks) {
    std::string plain;
    std::size_t pos = 0;
    if (StartsWith(text, pos, "-")) {
        plain += '-';
        ++pos;
    }
    std::size_t group = DigitsFrom(text, pos);
    Require(group <= 3, "the first group has at most three digits");
    Require(group == 0 || text[pos] != '0', "the integer part has no leading zero");
    while (group > 0) {
        plain.append(text.substr(pos, group));
        pos += group;
        if (!StartsWith(text, pos, marks.grouping)) break;
        pos += marks.grouping.size();
        group = DigitsFrom(text, pos);
        Require(group == 3, "a group after a grouping mark has three digits");
    }
    Require(StartsWith(text, pos, marks.decimal), "the decimal mark follows the integer part");
    pos += marks.decimal.size();
    plain += '.';
    const std::size_t fraction = DigitsFrom(text, pos);
    Require(pos + fraction == text.size(), "only fraction digits follow the decimal mark");
    Require(fraction <= kMaxFractionDigits, "at most fourteen fractional digits");
    Require(fraction == 0 || text.back() != '0', "no trailing zero in the fraction");
    plain.append(text.substr(pos));
    Require(plain != "-.", "zero carries no minus sign");
    return plain == "." ? "0" : plain;
}

constexpr std::array<NumberMarks, 3> kMarks{{
    {",", "."}, {".", ","}, {"\u00a0", ","},  // a mark of two bytes in UTF-8
}};

/// The texts of one value under every set of marks. They differ only in their marks, so the
/// number is read back once.
template <typename Real>
void CheckText(Real value, int figures) {
    if (!std::isfinite(value)) {
        const std::string_view expected = std::isnan(value) ? kNotANumberText
                                          : value > 0       ? kInfinityText
                                                            : kNegativeInfinityText;
        for (const NumberMarks marks : kMarks) {
            Require(ResultText(value, marks) == expected,
                    "a value that is not finite has its text");
        }
        return;
    }
    const std::string plain = PlainForm(ResultText(value, kMarks[0]), kMarks[0]);
    for (std::size_t i = 1; i < kMarks.size(); ++i) {
        Require(PlainForm(ResultText(value, kMarks[i]), kMarks[i]) == plain,
                "the marks change nothing but the marks");
    }
    char* end = nullptr;
    const double readBack = std::strtod(plain.c_str(), &end);
    Require(*end == '\0', "the text reads back as a number");
    const std::string expected = ExpectedDecimal(static_cast<double>(value), figures);
    if (readBack != std::strtod(expected.c_str(), nullptr)) {
        std::fprintf(stderr, "value %.17g reads back as %s, expected %s\n",
                     static_cast<double>(value), plain.c_str(), expected.c_str());
        Require(false, "the text is the value rounded to five figures");
    }
}

}  // namespace
}  // namespace veltrane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane::fuzz;

    std::array<std::uint8_t, sizeof(float) + sizeof(double)> bytes{};
    if (size > 0) std::memcpy(bytes.data(), data, size < bytes.size() ? size : bytes.size());
    float single = 0;
    double twice = 0;
    std::memcpy(&single, bytes.data(), sizeof single);
    std::memcpy(&twice, bytes.data() + sizeof single, sizeof twice);

    CheckText(single, 7);
    CheckText(twice, 15);
    return 0;
}
