#include "unit_layer.h"

#include <QRegularExpression>

#include "input_number.h"
#include "number_text.h"
#include "result_text.h"
#include "utf8_text.h"

namespace veltrane::performance {

Quantity QuantityOf(Input input) {
    return kInputUnits[input].quantity;
}

UnitLayer::UnitLayer(UnitSystem system, QObject* parent) : QObject(parent), system_(system) {}

void UnitLayer::setSystem(UnitSystem system) {
    if (system_ == system) return;
    system_ = system;
    emit systemChanged();
}

QString UnitText(Quantity quantity, UnitSystem system) {
    const std::string_view unit = UnitOf(quantity, system);
    // The engine writes units in ASCII for CSV captions; the window writes them as printed.
    if (quantity == Quantity::kTemperature) return unit == "C" ? u"°C"_qs : u"°F"_qs;
    if (quantity == Quantity::kTemperatureDifference) return unit == "K" ? u"K"_qs : u"°F"_qs;
    QString text = desktop::FromUtf8(unit);
    return text.replace(u"m3"_qs, u"m³"_qs);
}

QString ShownNumber(float value, const QLocale& locale) {
    const desktop::LocaleNumberMarks marks(locale);
    return QString::fromStdString(ReadableResultText(value, marks.marks()));
}

QString ShownNumber(double value, const QLocale& locale) {
    const desktop::LocaleNumberMarks marks(locale);
    return QString::fromStdString(ReadableResultText(value, marks.marks()));
}

QString LocalNumbers(QString engineText, const QLocale& locale) {
    static const QRegularExpression kDecimalPoint(QStringLiteral("(?<=\\d)\\.(?=\\d)"));
    return engineText.replace(kDecimalPoint, locale.decimalPoint());
}

QString UnitLayer::unit(Quantity quantity) const {
    return UnitText(quantity, system_);
}

QString UnitLayer::shown(Quantity quantity, double engineValue, const QLocale& locale) const {
    return ShownNumber(static_cast<float>(toDisplay(quantity, engineValue)), locale);
}

QString UnitLayer::shownWithUnit(Quantity quantity, double engineValue,
                                 const QLocale& locale) const {
    const QString unitText = unit(quantity);
    const QString number = shown(quantity, engineValue, locale);
    return unitText.isEmpty() ? number : number + u' ' + unitText;
}

double UnitLayer::toDisplay(Quantity quantity, double engineValue) const {
    return ValueInUnits(quantity, system_, engineValue);
}

float UnitLayer::toEngine(Quantity quantity, double displayValue) const {
    return InputFromUnits(quantity, system_, displayValue);
}

QString UnitLayer::losslessText(Quantity quantity, float engineValue) const {
    char text[kNumberTextCapacity];
    return QString::fromLatin1(text, WriteLossless(text, quantity, system_, engineValue) - text);
}

}  // namespace veltrane::performance
