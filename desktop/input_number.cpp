#include "input_number.h"

#include <cmath>

#include "utf8_text.h"

namespace veltrane::desktop {

std::optional<float> InputNumber(const QString& text, const QLocale& locale) {
    // A grouping mark is never read inside a typed number (docs/kept-as-is.md): with a decimal
    // comma the locale would read "0.001" as 1 and "1.000" as a thousand.
    QLocale strict = locale;
    strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const float value = strict.toFloat(text, &ok);
    // toFloat refuses "1e39" but takes "inf" and "nan" as numbers; neither is a design value.
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

float InputValueOrZero(const QString& text, const QLocale& locale) {
    return InputNumber(text, locale).value_or(0.0F);
}

QString LocalDefaultText(std::string_view defaultText, const QLocale& locale) {
    QString text = FromUtf8(defaultText);
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

LocaleNumberMarks::LocaleNumberMarks(const QLocale& locale)
    : grouping_(locale.groupSeparator().toStdString()),
      decimal_(locale.decimalPoint().toStdString()) {}

}  // namespace veltrane::desktop
