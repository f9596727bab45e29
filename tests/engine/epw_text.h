#pragma once
// Weather files in the EnergyPlus format, written out for tests of their edges.

#include <string>

namespace veltrane::testing::epw {

// Header lines as the format writes them; the DESIGN CONDITIONS line is Chicago O'Hare's.
inline const std::string kLocation =
    "LOCATION,Test Site,IL,USA,TMY3,725300,41.98,-87.92,-6.0,201.0\n";
inline const std::string kDesignConditions =
    "DESIGN CONDITIONS,1,Climate Design Data 2009 ASHRAE Handbook,,Heating,1,-20,-16.6,-25.7,"
    "0.4,-19.2,-22.1,0.5,-15.7,12.4,-3.5,11.4,-3.2,4.9,270,Cooling,7,10.5,33.3,23.7,31.6,23,30.1,"
    "22.1,25.5,31.2,24.5,29.6,23.5,28.1,5.2,230,23.8,19.2,28.9,22.9,18,27.7,21.9,17,26.5,79.2,"
    "31.4,75.1,29.6,70.9,28.2,617,Extremes,11.1,9.4,8.6,28.5,-23.7,35.9\n";
inline const std::string kMiddleHeader =
    "TYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,0\nHOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\n"
    "COMMENTS 1,made for a test\nCOMMENTS 2,\n";

inline std::string DataPeriods(int recordsPerHour) {
    return "DATA PERIODS,1," + std::to_string(recordsPerHour) + ",Data,Sunday, 1/ 1,12/31\n";
}

/// A record line of the format's 35 fields with the used ones given.
inline std::string Record(const std::string& month, const std::string& day, const std::string& hour,
                          const std::string& dryBulb, const std::string& dewPoint,
                          const std::string& pressure) {
    return "1999," + month + "," + day + "," + hour + ",0,?9?9?9," + dryBulb + "," + dewPoint +
           ",70," + pressure +
           ",0,0,230,0,0,0,0,0,0,0,230,2.6,10,10,24.1,1400,9,999999999,50,0.0,0,88,999,999,99\n";
}

inline std::string Header(int recordsPerHour = 1) {
    return kLocation + kDesignConditions + kMiddleHeader + DataPeriods(recordsPerHour);
}

}  // namespace veltrane::testing::epw
