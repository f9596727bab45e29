#pragma once
// The three indexed sets that the whole program exchanges: the twelve design inputs, the sixteen
// results and the three run-identification fields. Window, report and batch calculator read
// every caption and default from here.

#include <array>
#include <cstddef>
#include <string_view>

#include "indexed_array.h"

namespace veltrane {

inline constexpr std::size_t kInputCount = 12;
inline constexpr std::size_t kResultCount = 16;
inline constexpr std::size_t kIdentificationCount = 3;

/// The design inputs, in the order the calculation takes them.
enum class Input : std::size_t {
    kAtmosPress,  ///< atmospheric pressure, psia
    kWetBulb,     ///< inlet air wet bulb, °F
    kDryBulb,     ///< inlet air dry bulb, °F
    kHotWater,    ///< hot water temperature THot, °F
    kApproach,    ///< approach = TCold − Twb, °F
    kLiquidGas,   ///< liquid/gas mass ratio L/G, lb/lb
    kWaterFlow,   ///< circulating water flow, US gpm
    kCycles,      ///< blowdown cycles of concentration
    kDriftLoss,   ///< drift loss, % of circulating flow
    kMakeupTemp,  ///< makeup water temperature, °F (enters no result)
    kFanPress,    ///< fan total pressure, inH2O
    kFanEff,      ///< fan efficiency, %
};

/// The results, in the order the calculation hands them back.
enum class Result : std::size_t {
    kKaVL,
    kColdWater,
    kRange,
    kEvaporation,
    kBlowdown,
    kDrift,
    kMakeup,
    kExitAirTemp,
    kHeatRejected,  ///< the one result formed and formatted in double precision
    kDryAirFlow,
    kEnthalpyIn,
    kEnthalpyOut,
    kExitSpecificVolume,
    kExitAirFlow,
    kFanPower,
    kPumpPower,
};

/// One value (a box, a text, a number) for each input, indexed by Input only.
template <typename T>
using InputArray = IndexedArray<Input, T, kInputCount>;

/// One value for each result, indexed by Result only.
template <typename T>
using ResultArray = IndexedArray<Result, T, kResultCount>;

inline constexpr std::array<Input, kInputCount> kAllInputs = AllIndices<Input, kInputCount>();
inline constexpr std::array<Result, kResultCount> kAllResults = AllIndices<Result, kResultCount>();

struct InputDefinition {
    Input index;
    std::string_view caption;      ///< shown beside the box and printed, exactly as it stands
    std::string_view defaultText;  ///< the box's text at start, with '.' as the decimal mark
    std::string_view shortName;    ///< the batch calculator's column name
};

struct ResultDefinition {
    Result index;
    std::string_view caption;
};

struct IdentificationDefinition {
    std::size_t index;
    std::string_view caption;
};

// Captions are the program's own texts, misspellings included ("Efficency").
inline constexpr InputArray<InputDefinition> kInputs{{{
    {Input::kAtmosPress, "Atmos Press (psia)", "14.7", "P"},
    {Input::kWetBulb, "Inlet Air Wet Bulb Temp (F)", "65", "Twb"},
    {Input::kDryBulb, "Inlet Air Dry Bulb Temp (F)", "85", "Tdb"},
    {Input::kHotWater, "Hot Water Temp (F)", "105", "THot"},
    {Input::kApproach, "Approach = TCold-Twb (F)", "13", "Approach"},
    {Input::kLiquidGas, "Liquid/Gas Ratio (lb/lb)", "1", "LG"},
    {Input::kWaterFlow, "Circulating Water Flow (gpm)", "1000", "Flow"},
    {Input::kCycles, "Blowdown Cycles of Conc", "3", "Cycles"},
    {Input::kDriftLoss, "Drift Loss (%)", ".001", "Drift"},
    {Input::kMakeupTemp, "Makeup Water Temp (F)", "60", "MakeupTemp"},
    {Input::kFanPress, "Fan Total Press (inH2O)", "0.5", "FanPress"},
    {Input::kFanEff, "Fan Efficency (%)", "75", "FanEff"},
}}};

inline constexpr ResultArray<ResultDefinition> kResults{{{
    {Result::kKaVL, "Number Transf Units (KAV/L)"},
    {Result::kColdWater, "Cold Water Out Temp (F)"},
    {Result::kRange, "Temp Rise = THot-TCold (F)"},
    {Result::kEvaporation, "Water Evap Rate (gpm)"},
    {Result::kBlowdown, "Blowdown Rate (gpm)"},
    {Result::kDrift, "Driftloss Rate (gpm)"},
    {Result::kMakeup, "Total Makeup Reqd (gpm)"},
    {Result::kExitAirTemp, "Exit Air Temp Sat (F)"},
    {Result::kHeatRejected, "Heat Rejected (mmBtu/Hr)"},
    {Result::kDryAirFlow, "Dry Air Flow (klb/HR)"},
    {Result::kEnthalpyIn, "Enthalpy Air In (Btu/lb)"},
    {Result::kEnthalpyOut, "Enthalpy Air Out (Btu/lb)"},
    {Result::kExitSpecificVolume, "Specific Vol Exit Air (cf/lb)"},
    {Result::kExitAirFlow, "Sat Exit Air Flow (1000 cfm)"},
    {Result::kFanPower, "Approx Fan Power (hp)"},
    {Result::kPumpPower, "Approx Pump Power (hp)"},
}}};

inline constexpr std::array<IdentificationDefinition, kIdentificationCount> kIdentification{{
    {0, "Project Name"},
    {1, "System"},
    {2, "Run Number"},
}};

namespace detail {

constexpr std::size_t PositionOfEntry(std::size_t index) noexcept {
    return index;
}
template <typename Index>
constexpr std::size_t PositionOfEntry(Index index) noexcept {
    return PositionOf(index);
}

/// True when every entry of a table stands at the position its index names.
template <typename Table>
constexpr bool EntriesInIndexOrder(const Table& table) noexcept {
    std::size_t position = 0;
    for (const auto& entry : table) {
        if (PositionOfEntry(entry.index) != position++) return false;
    }
    return true;
}

}  // namespace detail

static_assert(detail::EntriesInIndexOrder(kInputs));
static_assert(detail::EntriesInIndexOrder(kResults));
static_assert(detail::EntriesInIndexOrder(kIdentification));

static_assert(IndexableBy<InputArray<float>, Input>);
static_assert(!IndexableBy<InputArray<float>, Result>, "a result index must not read an input");
static_assert(!IndexableBy<InputArray<float>, std::size_t>);
static_assert(!IndexableBy<ResultArray<float>, Input>, "an input index must not read a result");

}  // namespace veltrane
