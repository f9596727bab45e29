#pragma once
// The one layer through which every number passes between the model, which speaks the engine's
// US customary units, and the widgets, which speak the user's choice of US customary or SI. The
// conversions themselves are the engine's (units.h); this layer adds the user's current choice
// and the units as the window writes them ("°F", "m³/h").

#include <QObject>
#include <QString>

#include "design_sets.h"
#include "units.h"

namespace veltrane::performance {

using veltrane::Quantity;
using veltrane::UnitSystem;

/// The kind of quantity each design input is.
Quantity QuantityOf(Input input);

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
    /// The shortest text (with '.') that toEngine reads back as this very engine value, so that
    /// switching units never moves an input.
    [[nodiscard]] QString losslessText(Quantity quantity, float engineValue) const;

  signals:
    void systemChanged();

  private:
    UnitSystem system_;
};

}  // namespace veltrane::performance
