#pragma once
// How the text of an input box becomes a value of the model, and a model value a box's text:
// the design window's number rule in the user's locale, then the unit layer.

#include <QLocale>
#include <QString>

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

/// A result as the window shows it: the result text rule (five significant figures) with the
/// locale's marks, after the unit layer.
QString ResultBoxText(float engineValue, Quantity quantity, const UnitLayer& units,
                      const QLocale& locale);

}  // namespace veltrane::performance
