#include "design_tower.h"

#include <cmath>

#include "demand_curves.h"

namespace veltrane {

std::optional<TowerCharacteristic> TowerThroughDesignPoint(const DesignInputs& design, float m) {
    if (!std::isfinite(m) || m < 0.0F) return std::nullopt;
    const float liquidGas = design[Input::kLiquidGas];
    const std::optional<float> demand = DemandKaVL(design, design[Input::kApproach], liquidGas);
    if (!demand) return std::nullopt;
    const double c = static_cast<double>(*demand) *
                     std::pow(static_cast<double>(liquidGas), static_cast<double>(m));
    const auto stored = static_cast<float>(c);
    if (!std::isfinite(stored) || stored <= 0.0F) return std::nullopt;
    return TowerCharacteristic{stored, m};
}

}  // namespace veltrane
