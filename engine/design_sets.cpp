#include "design_sets.h"

namespace veltrane {

// Captions are the program's own texts, misspellings included ("Efficency").
const std::array<InputDefinition, kInputCount> kInputs{{
    {kAtmosPress, "Atmos Press (psia)", "psia", "14.7", "P"},
    {kWetBulb, "Inlet Air Wet Bulb Temp (F)", "F", "65", "Twb"},
    {kDryBulb, "Inlet Air Dry Bulb Temp (F)", "F", "85", "Tdb"},
    {kHotWater, "Hot Water Temp (F)", "F", "105", "THot"},
    {kApproach, "Approach = TCold-Twb (F)", "F", "13", "Approach"},
    {kLiquidGas, "Liquid/Gas Ratio (lb/lb)", "lb/lb", "1", "LG"},
    {kWaterFlow, "Circulating Water Flow (gpm)", "gpm", "1000", "Flow"},
    {kCycles, "Blowdown Cycles of Conc", "", "3", "Cycles"},
    {kDriftLoss, "Drift Loss (%)", "%", ".001", "Drift"},
    {kMakeupTemp, "Makeup Water Temp (F)", "F", "60", "MakeupTemp"},
    {kFanPress, "Fan Total Press (inH2O)", "inH2O", "0.5", "FanPress"},
    {kFanEff, "Fan Efficency (%)", "%", "75", "FanEff"},
}};

const std::array<ResultDefinition, kResultCount> kResults{{
    {kKaVL, "Number Transf Units (KAV/L)", ""},
    {kColdWater, "Cold Water Out Temp (F)", "F"},
    {kRange, "Temp Rise = THot-TCold (F)", "F"},
    {kEvaporation, "Water Evap Rate (gpm)", "gpm"},
    {kBlowdown, "Blowdown Rate (gpm)", "gpm"},
    {kDrift, "Driftloss Rate (gpm)", "gpm"},
    {kMakeup, "Total Makeup Reqd (gpm)", "gpm"},
    {kExitAirTemp, "Exit Air Temp Sat (F)", "F"},
    {kHeatRejected, "Heat Rejected (mmBtu/Hr)", "mmBtu/Hr"},
    {kDryAirFlow, "Dry Air Flow (klb/HR)", "klb/HR"},
    {kEnthalpyIn, "Enthalpy Air In (Btu/lb)", "Btu/lb"},
    {kEnthalpyOut, "Enthalpy Air Out (Btu/lb)", "Btu/lb"},
    {kExitSpecificVolume, "Specific Vol Exit Air (cf/lb)", "cf/lb"},
    {kExitAirFlow, "Sat Exit Air Flow (1000 cfm)", "1000 cfm"},
    {kFanPower, "Approx Fan Power (hp)", "hp"},
    {kPumpPower, "Approx Pump Power (hp)", "hp"},
}};

const std::array<IdentificationDefinition, kIdentificationCount> kIdentification{{
    {0, "Project Name"},
    {1, "System"},
    {2, "Run Number"},
}};

}  // namespace veltrane
