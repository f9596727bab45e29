#pragma once
// How the text of an input box becomes a value of the model, and a model value a box's text:
// the design window's number rule in the user's locale, then the unit layer.

#include <QLocale>
#include <QString>

#include <optional>
#include <variant>

#include "unit_layer.h"

namespace veltrane::performance {

/// The value a box's text stands for, in the engine's units, or why it stands for none (a
/// phrase that follows the box's name: "is empty", "is not a number ...").
std::variant<float, QString> ReadBox(const QString& text, Quantity quantity, const UnitLayer& units,
                                     const QLocale& locale);

/// A model value as a box shows it: the shortest decimal that reads back as the same value,
/// with the locale's decimal mark and no grouping.
QString BoxText(float engineValue, Quantity quantity, const UnitLayer& units,
                const QLocale& locale);

/// A result as the window shows it: the unit layer's ShownNumber (five significant figures, the
/// locale's marks, no bare decimal mark) after the conversion.
QString ResultBoxText(float engineValue, Quantity quantity, const UnitLayer& units,
                      const QLocale& locale);

/// A number the user types into a box or a cell: the text as typed or as written from a value,
/// and the value it stands for (engine units) when it stands for one. The value is the record:
/// a text written from a value is not read back (through the locale's single precision and the
/// unit layer it could come out a step away), and in other units it is written anew.
struct NumberCell {
    QString text;
    std::optional<float> value;
    QString problem;  ///< why the text stands for no value ("is empty"), empty when it does

    [[nodiscard]] bool blank() const { return text.trimmed().isEmpty(); }
    /// Takes a text typed in the units shown, in the user's locale.
    void type(const QString& typed, Quantity quantity, const UnitLayer& units,
              const QLocale& locale);
    /// Writes a value as a box shows it.
    void write(float engineValue, Quantity quantity, const UnitLayer& units);
    /// A usable text written anew in the units now shown; an unusable one is kept as typed.
    void rewrite(Quantity quantity, const UnitLayer& units);
    /// Refuses the value it stands for, for a rule of its own ("must be above 0").
    void refuse(const QString& why);
};

}  // namespace veltrane::performance
