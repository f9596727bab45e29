#pragma once
// The one layer through which every number passes between the model, which speaks the engine's
// US customary units, and the widgets, which speak the user's. Each value is named by the kind of
// quantity it is, so that a second unit system converts every box, table and readout at once.

#include <QString>

#include "design_sets.h"

namespace veltrane::performance {

/// The kinds of quantity the window shows.
enum class Quantity {
    kPressure,               ///< psia
    kTemperature,            ///< °F
    kTemperatureDifference,  ///< °F (range, approach): no offset in any conversion
    kMassRatio,              ///< lb/lb (L/G): dimensionless
    kWaterFlow,              ///< US gpm
    kPlainNumber,            ///< cycles of concentration, KaV/L, C and m
    kPercent,                ///< %
    kFanPressure,            ///< inH2O
};

enum class UnitSystem { kUsCustomary };

/// The kind of quantity each design input is.
Quantity QuantityOf(Input input);

class UnitLayer {
  public:
    explicit UnitLayer(UnitSystem system = UnitSystem::kUsCustomary) : system_(system) {}

    [[nodiscard]] UnitSystem system() const { return system_; }
    /// The unit shown beside a value, empty for a plain number ("°F", "gpm").
    [[nodiscard]] QString unit(Quantity quantity) const;
    /// An engine value as the user reads it.
    [[nodiscard]] double toDisplay(Quantity quantity, double engineValue) const;
    /// A value the user typed, in the engine's units and precision.
    [[nodiscard]] float toEngine(Quantity quantity, double displayValue) const;

  private:
    UnitSystem system_;
};

}  // namespace veltrane::performance
