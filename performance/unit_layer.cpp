#include "unit_layer.h"

#include "number_text.h"
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

QString UnitLayer::unit(Quantity quantity) const {
    const std::string_view unit = UnitOf(quantity, system_);
    // The engine writes units in ASCII for CSV captions; the window writes them as printed.
    if (quantity == Quantity::kTemperature) return unit == "C" ? u"°C"_qs : u"°F"_qs;
    if (quantity == Quantity::kTemperatureDifference) return unit == "K" ? u"K"_qs : u"°F"_qs;
    QString text = desktop::FromUtf8(unit);
    return text.replace(u"m3"_qs, u"m³"_qs);
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
