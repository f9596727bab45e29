// The window's numeric test and conversion of an input text, on any bytes in several locales.
// The first byte picks the locale and whether the rest is read as UTF-8 or as raw UTF-16 code
// units (lone surrogates included). Nothing may crash; a text that passes the test converts to a
// finite single-precision number, and the run reads exactly that number from it (0 otherwise).

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

QString TextFrom(const std::uint8_t* data, std::size_t size, bool asUtf16) {
    if (!asUtf16) {
        return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    }
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
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
    const bool asUtf16 = (data[0] / locales.size()) % 2 == 1;
    const QString text = TextFrom(data + 1, size - 1, asUtf16);

    const std::optional<float> number = veltrane::ui::InputNumber(text, locale);
    const float runValue = veltrane::ui::InputValueOrZero(text, locale);
    if (number) {
        Require(std::isfinite(*number), "a text that passes the test is a finite number");
        Require(SameBits(runValue, *number), "the run reads the number the test passed");
    } else {
        Require(SameBits(runValue, 0.0F), "a text that fails the test counts as 0");
    }
    return 0;
}
