#pragma once
// The three indexed sets that the whole program exchanges: the twelve design inputs, the sixteen
// results and the three run-identification fields. Window, report and batch calculator read
// every caption and default from here.

#include <array>
#include <cstddef>
#include <string_view>

namespace veltrane {

inline constexpr std::size_t kInputCount = 12;
inline constexpr std::size_t kResultCount = 16;
inline constexpr std::size_t kIdentificationCount = 3;

/// Indices of the design inputs, in the order the calculation takes them.
enum InputIndex : std::size_t {
    kAtmosPress = 0,  ///< atmospheric pressure, psia
    kWetBulb = 1,     ///< inlet air wet bulb, °F
    kDryBulb = 2,     ///< inlet air dry bulb, °F
    kHotWater = 3,    ///< hot water temperature THot, °F
    kApproach = 4,    ///< approach = TCold − Twb, °F
    kLiquidGas = 5,   ///< liquid/gas mass ratio L/G, lb/lb
    kWaterFlow = 6,   ///< circulating water flow, US gpm
    kCycles = 7,      ///< blowdown cycles of concentration
    kDriftLoss = 8,   ///< drift loss, % of circulating flow
    kMakeupTemp = 9,  ///< makeup water temperature, °F (enters no result)
    kFanPress = 10,   ///< fan total pressure, inH2O
    kFanEff = 11,     ///< fan efficiency, %
};

/// Indices of the results, in the order the calculation hands them back.
enum ResultIndex : std::size_t {
    kKaVL = 0,
    kColdWater = 1,
    kRange = 2,
    kEvaporation = 3,
    kBlowdown = 4,
    kDrift = 5,
    kMakeup = 6,
    kExitAirTemp = 7,
    kHeatRejected = 8,  ///< the one result formed and formatted in double precision
    kDryAirFlow = 9,
    kEnthalpyIn = 10,
    kEnthalpyOut = 11,
    kExitSpecificVolume = 12,
    kExitAirFlow = 13,
    kFanPower = 14,
    kPumpPower = 15,
};

struct InputDefinition {
    std::size_t index;
    std::string_view caption;  ///< shown beside the box and printed, exactly as it stands
    std::string_view unit;
    std::string_view defaultText;  ///< the box's text at start, with '.' as the decimal mark
    std::string_view shortName;    ///< the batch calculator's column name
};

struct ResultDefinition {
    std::size_t index;
    std::string_view caption;
    std::string_view unit;
};

struct IdentificationDefinition {
    std::size_t index;
    std::string_view caption;
};

extern const std::array<InputDefinition, kInputCount> kInputs;
extern const std::array<ResultDefinition, kResultCount> kResults;
extern const std::array<IdentificationDefinition, kIdentificationCount> kIdentification;

}  // namespace veltrane
