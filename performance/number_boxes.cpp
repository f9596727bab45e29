#include "number_boxes.h"

#include <QCoreApplication>

#include "input_number.h"
#include "number_text.h"

namespace veltrane::performance {

std::variant<float, QString> ReadBox(const QString& text, Quantity quantity, const UnitLayer& units,
                                     const QLocale& locale) {
    if (text.trimmed().isEmpty()) return QCoreApplication::translate("NumberBoxes", "is empty");
    const std::optional<float> number = desktop::InputNumber(text, locale);
    if (!number) {
        return QCoreApplication::translate("NumberBoxes",
                                           "is not a number: “%1” (decimal mark “%2”)")
            .arg(text.trimmed(), locale.decimalPoint());
    }
    return units.toEngine(quantity, static_cast<double>(*number));
}

QString BoxText(float engineValue, Quantity quantity, const UnitLayer& units,
                const QLocale& locale) {
    return units.losslessText(quantity, engineValue)
        .replace(QLatin1Char('.'), locale.decimalPoint());
}

QString ResultBoxText(float engineValue, Quantity quantity, const UnitLayer& units,
                      const QLocale& locale) {
    return units.shown(quantity, static_cast<double>(engineValue), locale);
}

void NumberCell::type(const QString& typed, Quantity quantity, const UnitLayer& units,
                      const QLocale& locale) {
    text = typed;
    const std::variant<float, QString> read = ReadBox(typed, quantity, units, locale);
    if (const float* number = std::get_if<float>(&read)) {
        value = *number;
        problem.clear();
    } else {
        value.reset();
        problem = std::get<QString>(read);
    }
}

void NumberCell::write(float engineValue, Quantity quantity, const UnitLayer& units) {
    value = engineValue;
    problem.clear();
    text = BoxText(engineValue, quantity, units, QLocale());
}

void NumberCell::rewrite(Quantity quantity, const UnitLayer& units) {
    if (value) text = BoxText(*value, quantity, units, QLocale());
}

void NumberCell::refuse(const QString& why) {
    value.reset();
    problem = why;
}

}  // namespace veltrane::performance
