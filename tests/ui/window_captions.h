#pragma once
// The captions of the three groups as the user reads them, written out here on their own so that
// a slip in the window's table of captions fails the tests.

#include <QStringList>

namespace veltrane::ui::test {

inline const QStringList kIdentificationCaptions{"Project Name", "System", "Run Number"};

inline const QStringList kInputCaptions{
    "Atmos Press (psia)",           "Inlet Air Wet Bulb Temp (F)", "Inlet Air Dry Bulb Temp (F)",
    "Hot Water Temp (F)",           "Approach = TCold-Twb (F)",    "Liquid/Gas Ratio (lb/lb)",
    "Circulating Water Flow (gpm)", "Blowdown Cycles of Conc",     "Drift Loss (%)",
    "Makeup Water Temp (F)",        "Fan Total Press (inH2O)",     "Fan Efficency (%)",
};

inline const QStringList kResultCaptions{
    "Number Transf Units (KAV/L)",   "Cold Water Out Temp (F)",      "Temp Rise = THot-TCold (F)",
    "Water Evap Rate (gpm)",         "Blowdown Rate (gpm)",          "Driftloss Rate (gpm)",
    "Total Makeup Reqd (gpm)",       "Exit Air Temp Sat (F)",        "Heat Rejected (mmBtu/Hr)",
    "Dry Air Flow (klb/HR)",         "Enthalpy Air In (Btu/lb)",     "Enthalpy Air Out (Btu/lb)",
    "Specific Vol Exit Air (cf/lb)", "Sat Exit Air Flow (1000 cfm)", "Approx Fan Power (hp)",
    "Approx Pump Power (hp)",
};

/// The default input texts in US English.
inline const QStringList kDefaultInputTexts{"14.7", "65", "85",   "105", "13",  "1",
                                            "1000", "3",  ".001", "60",  "0.5", "75"};

}  // namespace veltrane::ui::test
