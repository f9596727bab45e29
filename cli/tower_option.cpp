#include "tower_option.h"

#include "input_columns.h"
#include "option_reading.h"
#include "performance_curves.h"

namespace veltrane::cli {

std::optional<TowerCharacteristic> TowerOption::For(const DesignInputs& rowAsRead) const {
    if (!throughDesign) return given;
    return TowerThroughDesign(rowAsRead, given.m);
}

TowerOption ParseTowerOption(std::string_view argument) {
    const auto [cText, mText] = SplitPair(argument, "--tower", "C:m");
    TowerOption option;
    option.given.m = ReadOptionNumber("--tower: m", mText);
    if (!(option.given.m >= 0.0F))
        Refuse("--tower: m must not be negative, not " + QuoteForMessage(mText));
    if (cText == "design") {
        option.throughDesign = true;
        return option;
    }
    option.given.c = ReadOptionNumber("--tower: C", cText);
    if (!(option.given.c > 0.0F))
        Refuse("--tower: C must be above 0, not " + QuoteForMessage(cText));
    return option;
}

}  // namespace veltrane::cli
