#pragma once
// How an input box's text becomes a number: the numeric test of the validation and the
// conversion of the run are one rule, in the user's locale.

#include <QLocale>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

#include "result_text.h"

namespace veltrane::desktop {

/// The single-precision value of an input text, or nothing when the text is not a number: empty
/// or blank, not numeric in the locale, holding the locale's grouping mark ("1,000"; "0.001"
/// with a decimal comma), an infinity or not-a-number ("inf", "NaN", any case and sign), or
/// beyond the single-precision range ("1e39").
std::optional<float> InputNumber(const QString& text, const QLocale& locale);

/// The value a run takes from an input text: a text that is not a number counts as 0.
float InputValueOrZero(const QString& text, const QLocale& locale);

/// A default input text ("14.7", ".001") written with the locale's decimal mark ("14,7", ",001"
/// in German), so that it passes the locale's own numeric test.
QString LocalDefaultText(std::string_view defaultText, const QLocale& locale);

/// The locale's grouping and decimal marks in UTF-8, held for the result text rule.
class LocaleNumberMarks {
  public:
    explicit LocaleNumberMarks(const QLocale& locale);
    NumberMarks marks() const { return {grouping_, decimal_}; }

  private:
    std::string grouping_;
    std::string decimal_;
};

}  // namespace veltrane::desktop
