#pragma once
// The chart's fonts and the way it writes its numbers, shared by the painter and its caption.

#include <QFont>
#include <QLocale>
#include <QString>

#include "units.h"

namespace veltrane::chart {

/// Body text of the chart (tick labels, curve labels, caption), pixels.
inline constexpr int kTextPixels = 11;

/// The chart's one font family at a size in pixels.
QFont ChartFont(int pixels, bool bold = false);

/// Widens a stored single-precision value for drawing.
inline double D(float value) {
    return static_cast<double>(value);
}

/// A short decimal: up to `digits` significant figures, no trailing zeros; an exponent as
/// short as it goes ("1e6", "5e-5").
QString Number(double value, int digits = 4);

/// Number with " °F".
QString Degrees(double value, int digits = 4);

/// A temperature of the calculation (°F) in `units`, with " °F" or " °C": up to `digits`
/// significant figures of the converted value.
QString Temperature(double fahrenheit, UnitSystem units, int digits = 4);

/// A temperature difference of the calculation (°F: range, approach) in `units`, with " °F" or
/// " K".
QString TemperatureDifference(double fahrenheit, UnitSystem units, int digits = 4);

/// A pressure of the calculation (psia) in `units`, with " psia" or " kPa".
QString Pressure(double psia, UnitSystem units, int digits = 4);

/// The unit of a temperature ("°F", "°C") and of a temperature difference ("°F", "K").
QString TemperatureUnit(UnitSystem units);
QString DifferenceUnit(UnitSystem units);

/// A fixed number of decimals.
QString Fixed(double value, int decimals);

/// The functions above with the decimal mark of a locale: the C locale's '.' in the files the
/// batch tool writes, the window's own on its screen, so that a chart beside the window's
/// tables and totals shows the same mark. The figures and exponents are the chart's own rule in
/// every locale; a chart groups no thousands.
class ChartNumbers {
  public:
    explicit ChartNumbers(const QLocale& locale = QLocale::c());

    [[nodiscard]] QString number(double value, int digits = 4) const;
    [[nodiscard]] QString fixed(double value, int decimals) const;
    [[nodiscard]] QString temperature(double fahrenheit, UnitSystem units, int digits = 4) const;
    [[nodiscard]] QString temperatureDifference(double fahrenheit, UnitSystem units,
                                                int digits = 4) const;
    [[nodiscard]] QString pressure(double psia, UnitSystem units, int digits = 4) const;

  private:
    [[nodiscard]] QString marked(QString plain) const;

    QString decimal_;
};

}  // namespace veltrane::chart
