#include "units.h"

namespace veltrane::performance {

Quantity QuantityOf(Input input) {
    switch (input) {
        case Input::kAtmosPress:
            return Quantity::kPressure;
        case Input::kWetBulb:
        case Input::kDryBulb:
        case Input::kHotWater:
        case Input::kMakeupTemp:
            return Quantity::kTemperature;
        case Input::kApproach:
            return Quantity::kTemperatureDifference;
        case Input::kLiquidGas:
            return Quantity::kMassRatio;
        case Input::kWaterFlow:
            return Quantity::kWaterFlow;
        case Input::kCycles:
            return Quantity::kPlainNumber;
        case Input::kDriftLoss:
        case Input::kFanEff:
            return Quantity::kPercent;
        case Input::kFanPress:
            return Quantity::kFanPressure;
    }
    return Quantity::kPlainNumber;
}

QString UnitLayer::unit(Quantity quantity) const {
    switch (quantity) {
        case Quantity::kPressure:
            return QStringLiteral("psia");
        case Quantity::kTemperature:
        case Quantity::kTemperatureDifference:
            return QStringLiteral("°F");
        case Quantity::kMassRatio:
            return QStringLiteral("lb/lb");
        case Quantity::kWaterFlow:
            return QStringLiteral("gpm");
        case Quantity::kPlainNumber:
            return {};
        case Quantity::kPercent:
            return QStringLiteral("%");
        case Quantity::kFanPressure:
            return QStringLiteral("inH2O");
    }
    return {};
}

// US customary is the engine's own system: values pass through, rounded once to single
// precision on the way in, as the engine stores them.
double UnitLayer::toDisplay(Quantity, double engineValue) const {
    return engineValue;
}

float UnitLayer::toEngine(Quantity, double displayValue) const {
    return static_cast<float>(displayValue);
}

}  // namespace veltrane::performance
