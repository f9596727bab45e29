// The window's numeric test and conversion of an input text, on any bytes in several locales.
// The first byte picks the locale and whether the rest is read as UTF-8, as raw UTF-16 code
// units (lone surrogates included) or as a string of pieces of numbers. Nothing may crash; a text
// that passes the test converts to a finite single-precision number, and the run reads exactly that
// number from it (0 otherwise).

#include <QLocale>
#include <QString>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "fuzz_check.h"
#include "input_number.h"

namespace veltrane::fuzz {
namespace {

const std::array<QLocale, 6>& Locales() {
    static const std::array<QLocale, 6> locales{
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),  // a narrow no-break space groups digits
        QLocale(QLocale::Arabic, QLocale::Egypt),   // digits of its own
        QLocale(QLocale::Hindi, QLocale::India),    // groups of two above the thousands
        QLocale::c(),
    };
    return locales;
}

enum class TextForm { Utf8, Utf16, Tokens };

/// Pieces of numbers in the locales above. Qt's own parsing is not instrumented, so libFuzzer
/// cannot see which bytes matter to it: texts built from these pieces reach its corners sooner.
// clang-format off
constexpr std::array<const char*, 40> kTokens{
    "0", "1", "2", "5", "7", "9", "000", "99999999", "3.4028235", "1.7976931348623157",
    ".", ",", "-", "+", "e", "E", "e-", "e38", "e39", "e-38", "e-45", "e-46", "inf", "nan",
    " ", "\t", "'", "\u00a0", "\u202f", "\u200e", "\u200f", "\u2212",  // blanks, marks, minus
    "\u066b", "\u066c", "\u0660", "\u0661", "\u0669",  // Arabic decimal and group marks, digits
    "\u0966", "\u096f", "\uff11",  // Devanagari digits, a full-width one
};
// clang-format on

QString TextFrom(const std::uint8_t* data, std::size_t size, TextForm form) {
    switch (form) {
        case TextForm::Utf8:
            return QString::fromUtf8(reinterpret_cast<const char*>(data),
                                     static_cast<qsizetype>(size));
        case TextForm::Utf16: {
            std::vector<char16_t> units(size / 2);
            if (!units.empty()) std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
            return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
        }
        case TextForm::Tokens:
            break;
    }
    QString text;
    for (std::size_t i = 0; i < size; ++i)
        text += QString::fromUtf8(kTokens[data[i] % kTokens.size()]);
    return text;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace
}  // namespace veltrane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrane::fuzz;
    if (size == 0) return 0;

    const auto& locales = Locales();
    const QLocale& locale = locales[data[0] % locales.size()];
    const auto form = static_cast<TextForm>((data[0] / locales.size()) % 3);
    const QString text = TextFrom(data + 1, size - 1, form);

    const std::optional<float> number = veltrane::desktop::InputNumber(text, locale);
    const float runValue = veltrane::desktop::InputValueOrZero(text, locale);
    if (number) {
        Require(std::isfinite(*number), "a text that passes the test is a finite number");
        Require(SameBits(runValue, *number), "the run reads the number the test passed");
    } else {
        Require(SameBits(runValue, 0.0F), "a text that fails the test counts as 0");
    }
    return 0;
}
