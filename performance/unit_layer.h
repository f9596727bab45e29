#pragma once
// The one layer through which every number passes between the model, which speaks the engine's
// US customary units, and the widgets, which speak the user's choice of US customary or SI. The
// conversions themselves are the engine's (units.h); this layer adds the user's current choice
// and the units as the window writes them ("°F", "m³/h").

#include <QLocale>
#include <QObject>
#include <QString>

#include "design_sets.h"
#include "units.h"

namespace veltrane::performance {

using veltrane::Quantity;
using veltrane::UnitSystem;

/// The kind of quantity each design input is.
Quantity QuantityOf(Input input);

/// The unit of a quantity in a unit system as the window writes it ("°F", "m³/h"), empty for a
/// plain number.
QString UnitText(Quantity quantity, UnitSystem system);

/// How the window writes a number for the screen, in `locale`: the result text rule's five
/// significant figures with the locale's marks, without a bare decimal mark ("13", "0,5",
/// "73.659" in German). Charts, totals, tables and boxes all write through it, so that a screen
/// shows one decimal mark.
/// A single-precision value is taken to seven figures before the rounding, a double to fifteen.
QString ShownNumber(float value, const QLocale& locale);
QString ShownNumber(double value, const QLocale& locale);

/// A sentence of the engine's, which writes '.' for the batch tool and the design window, with
/// the decimal points of its numbers in the locale's mark ("KAVL < 0.2": "KAVL < 0,2").
QString LocalNumbers(QString engineText, const QLocale& locale);

class UnitLayer final : public QObject {
    Q_OBJECT

  public:
    explicit UnitLayer(UnitSystem system = UnitSystem::kUS, QObject* parent = nullptr);

    [[nodiscard]] UnitSystem system() const { return system_; }
    void setSystem(UnitSystem system);

    /// The unit shown beside a value, empty for a plain number ("°F", "m³/h").
    [[nodiscard]] QString unit(Quantity quantity) const;
    /// An engine value as the user reads it, double precision.
    [[nodiscard]] double toDisplay(Quantity quantity, double engineValue) const;
    /// A value the user typed, in the engine's units, rounded once to single precision.
    [[nodiscard]] float toEngine(Quantity quantity, double displayValue) const;
    /// An engine value in the units shown as the window writes it (ShownNumber of the converted
    /// value in single precision, as the calculation keeps its results), and the same
    /// followed by its unit ("13 °F", "100 %"; the number alone where there is no unit).
    [[nodiscard]] QString shown(Quantity quantity, double engineValue, const QLocale& locale) const;
    [[nodiscard]] QString shownWithUnit(Quantity quantity, double engineValue,
                                        const QLocale& locale) const;
    /// The shortest text (with '.') that toEngine reads back as this very engine value, so that
    /// switching units never moves an input.
    [[nodiscard]] QString losslessText(Quantity quantity, float engineValue) const;

  signals:
    void systemChanged();

  private:
    UnitSystem system_;
};

}  // namespace veltrane::performance
