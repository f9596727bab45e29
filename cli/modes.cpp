// The table of modes: the first whose option is given runs; calculating the designs as they
// stand is what runs without one.
#include <array>

#include "batch_mode.h"

namespace veltrane::cli {
namespace {

constexpr std::array kModes = {
    ModeEntry{"acceptance", [](const BatchSettings& s) { return s.acceptance.has_value(); },
              MakeAcceptanceMode},
    ModeEntry{"fit", [](const BatchSettings& s) { return s.fit; }, MakeFitMode},
    ModeEntry{"fan", [](const BatchSettings& s) { return s.fanControl.has_value(); }, MakeFanMode},
    ModeEntry{"rate", [](const BatchSettings& s) { return s.tower.has_value(); }, MakeRateMode},
    ModeEntry{"calculate", [](const BatchSettings&) { return true; }, MakeCalculateMode},
};

}  // namespace

std::span<const ModeEntry> Modes() {
    return kModes;
}

}  // namespace veltrane::cli
