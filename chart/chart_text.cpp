#include "chart_text.h"

#include <QRegularExpression>

#include <cstdio>

namespace veltrane::chart {

namespace {
const char* const kFontFamily = "DejaVu Sans";
}  // namespace

QFont ChartFont(int pixels, bool bold) {
    QFont font(QString::fromLatin1(kFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString Number(double value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    QString text = QString::fromLatin1(buffer);
    static const QRegularExpression kLongExponent(QStringLiteral("e\\+?(-?)0*(\\d)"));
    return text.replace(kLongExponent, QStringLiteral("e\\1\\2"));
}

QString Degrees(double value, int digits) {
    return Number(value, digits) + QStringLiteral(" °F");
}

QString TemperatureUnit(UnitSystem units) {
    return units == UnitSystem::kUS ? QStringLiteral("°F") : QStringLiteral("°C");
}

QString DifferenceUnit(UnitSystem units) {
    return units == UnitSystem::kUS ? QStringLiteral("°F") : QStringLiteral("K");
}

QString Temperature(double fahrenheit, UnitSystem units, int digits) {
    if (units == UnitSystem::kUS) return Degrees(fahrenheit, digits);
    return Number(ToSI(Quantity::kTemperature, fahrenheit), digits) + u' ' + TemperatureUnit(units);
}

QString TemperatureDifference(double fahrenheit, UnitSystem units, int digits) {
    if (units == UnitSystem::kUS) return Degrees(fahrenheit, digits);
    return Number(ToSI(Quantity::kTemperatureDifference, fahrenheit), digits) + u' ' +
           DifferenceUnit(units);
}

QString Pressure(double psia, UnitSystem units, int digits) {
    const QString unit =
        units == UnitSystem::kUS ? QStringLiteral(" psia") : QStringLiteral(" kPa");
    return Number(ValueInUnits(Quantity::kPressure, units, psia), digits) + unit;
}

QString Fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

ChartNumbers::ChartNumbers(const QLocale& locale) : decimal_(locale.decimalPoint()) {}

QString ChartNumbers::marked(QString plain) const {
    return decimal_ == u"." ? plain : plain.replace(u'.', decimal_);
}

QString ChartNumbers::number(double value, int digits) const {
    return marked(Number(value, digits));
}

QString ChartNumbers::fixed(double value, int decimals) const {
    return marked(Fixed(value, decimals));
}

QString ChartNumbers::temperature(double fahrenheit, UnitSystem units, int digits) const {
    return marked(Temperature(fahrenheit, units, digits));
}

QString ChartNumbers::temperatureDifference(double fahrenheit, UnitSystem units, int digits) const {
    return marked(TemperatureDifference(fahrenheit, units, digits));
}

QString ChartNumbers::pressure(double psia, UnitSystem units, int digits) const {
    return marked(Pressure(psia, units, digits));
}

}  // namespace veltrane::chart
