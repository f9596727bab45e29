#include "tower_diagram_data.h"

namespace veltrane::ui {

namespace {

constexpr auto kHeavy = DiagramStroke::Heavy;
constexpr auto kMedium = DiagramStroke::Medium;
constexpr auto kThin = DiagramStroke::Thin;
constexpr auto kBlack = DiagramInk::Black;
constexpr auto kRed = DiagramInk::Red;
constexpr auto kBlue = DiagramInk::Blue;

std::vector<DiagramElement> FrameAndChart() {
    return {
        DiagramRectangle{kThin, kBlack, {0, 0}, {16382, 10315}},
        // Axes: the vertical one from its top down to the origin, then the horizontal one.
        DiagramPolyline{kHeavy, kBlack, {{1213, 1820}, {1213, 7887}, {5461, 7887}}},
        // Demand curve for an 8 F approach, above and left of the 10 F one.
        DiagramPolyline{kMedium,
                        kRed,
                        {{1820, 6067},
                         {2388, 5678},
                         {2918, 5239},
                         {3406, 4752},
                         {3847, 4223},
                         {4237, 3656},
                         {4574, 3056},
                         {4854, 2427}}},
        // Demand curve for a 10 F approach.
        DiagramPolyline{kMedium,
                        kRed,
                        {{2389, 6739},
                         {2984, 6337},
                         {3544, 5889},
                         {4067, 5397},
                         {4548, 4864},
                         {4985, 4295},
                         {5375, 3692},
                         {5715, 3060},
                         {6003, 2403}}},
        // Tower coefficient line, falling across both curves.
        DiagramPolyline{kMedium, kBlue, {{1578, 2735}, {4005, 6375}}},
    };
}

std::vector<DiagramElement> TowerCasingAndFan() {
    return {
        // Casing: roof and upper walls, then lower walls and floor; the gaps between y 5573
        // and 6180 are the air inlets.
        DiagramPolyline{
            kHeavy, kBlack, {{10276, 5573}, {10276, 2539}, {14523, 2539}, {14523, 5573}}},
        DiagramPolyline{
            kHeavy, kBlack, {{10276, 6180}, {10276, 7393}, {14523, 7393}, {14523, 6180}}},
        // Fan stack: left flank, rim, right flank.
        DiagramPolyline{kHeavy,
                        kBlack,
                        {{11488, 2538},
                         {11528, 2265},
                         {11510, 1991},
                         {11434, 1727},
                         {11304, 1484},
                         {11125, 1275},
                         {10906, 1109}}},
        DiagramPolyline{kHeavy, kBlack, {{10906, 1109}, {13908, 1109}}},
        DiagramPolyline{kHeavy,
                        kBlack,
                        {{13893, 1109},
                         {13674, 1275},
                         {13495, 1484},
                         {13364, 1727},
                         {13288, 1991},
                         {13270, 2265},
                         {13311, 2538}}},
        // Fan blades, each an upper and a lower arc.
        DiagramPolyline{
            kHeavy,
            kBlack,
            {{12399, 2011}, {12224, 1905}, {12023, 1868}, {11822, 1904}, {11646, 2009}}},
        DiagramPolyline{
            kHeavy,
            kBlack,
            {{11646, 2013}, {11822, 2118}, {12023, 2154}, {12224, 2117}, {12399, 2011}}},
        DiagramPolyline{
            kHeavy,
            kBlack,
            {{13143, 2023}, {12968, 1917}, {12767, 1880}, {12566, 1916}, {12390, 2021}}},
        DiagramPolyline{
            kHeavy,
            kBlack,
            {{12390, 2001}, {12566, 2106}, {12767, 2142}, {12968, 2105}, {13143, 1999}}},
    };
}

std::vector<DiagramElement> FillAndBasin() {
    return {
        DiagramRectangle{kHeavy, kBlack, {10882, 3753}, {13916, 4966}},
        // Fill grid: four rows, five columns.
        DiagramPolyline{kThin, kBlack, {{10882, 3943}, {13916, 3943}}},
        DiagramPolyline{kThin, kBlack, {{10882, 4247}, {13916, 4247}}},
        DiagramPolyline{kThin, kBlack, {{10882, 4550}, {13916, 4550}}},
        DiagramPolyline{kThin, kBlack, {{10882, 4854}, {13916, 4854}}},
        DiagramPolyline{kThin, kBlack, {{11225, 3753}, {11225, 4966}}},
        DiagramPolyline{kThin, kBlack, {{11832, 3753}, {11832, 4966}}},
        DiagramPolyline{kThin, kBlack, {{12438, 3753}, {12438, 4966}}},
        DiagramPolyline{kThin, kBlack, {{13045, 3753}, {13045, 4966}}},
        DiagramPolyline{kThin, kBlack, {{13652, 3753}, {13652, 4966}}},
        // Basin: an open trough wider than the casing.
        DiagramPolyline{kHeavy, kBlack, {{9669, 6787}, {9669, 8000}, {15130, 8000}, {15130, 6787}}},
    };
}

std::vector<DiagramElement> WaterAndAir() {
    return {
        // Hot-water feed, pointing down at the fill.
        DiagramPolyline{kMedium, kBlue, {{8455, 3146}, {12393, 3146}, {12393, 3460}}},
        DiagramArrowhead{kBlue, {12395, 3524}, {12319, 3221}, {12470, 3221}},
        // Cold-water outlet from the basin floor to the pump, the pump, and the return that
        // points left at the cold-water point.
        DiagramPolyline{kMedium, kBlue, {{12399, 8000}, {12399, 8928}}},
        DiagramCircle{kHeavy, kBlue, {12402, 8928}, 306},
        DiagramPolyline{kMedium, kBlue, {{12281, 8642}, {9397, 8642}}},
        DiagramArrowhead{kBlue, {8644, 8645}, {9392, 8569}, {9392, 8720}},
        // Air inflow from both sides, curving up into the fill.
        DiagramPolyline{kMedium,
                        kRed,
                        {{9337, 6002},
                         {9679, 6076},
                         {10029, 6090},
                         {10376, 6044},
                         {10710, 5939},
                         {11022, 5779},
                         {11301, 5568}}},
        DiagramArrowhead{kRed, {11485, 5275}, {11224, 5545}, {11381, 5636}},
        DiagramPolyline{kMedium,
                        kRed,
                        {{15462, 6002},
                         {15120, 6076},
                         {14770, 6090},
                         {14422, 6044},
                         {14088, 5939},
                         {13777, 5779},
                         {13497, 5568}}},
        DiagramArrowhead{kRed, {13313, 5275}, {13574, 5545}, {13417, 5636}},
        // Range arc, bulging left from the hot-water point to the cold-water point.
        DiagramPolyline{kThin,
                        kBlack,
                        {{8166, 3152},
                         {7895, 3534},
                         {7669, 3944},
                         {7491, 4377},
                         {7363, 4827},
                         {7287, 5289},
                         {7263, 5756},
                         {7293, 6224},
                         {7376, 6684},
                         {7510, 7133},
                         {7695, 7563},
                         {7926, 7970},
                         {8203, 8348},
                         {8520, 8692}}},
        // Hot-water, wet-bulb and cold-water points.
        DiagramDisc{kBlack, {8166, 3152}, 76},
        DiagramDisc{kBlack, {8738, 5761}, 76},
        DiagramDisc{kBlack, {8520, 8692}, 76},
    };
}

std::vector<DiagramElement> Texts() {
    return {
        DiagramText{kBlack, "COUNTER FLOW COOLING TOWER", {4767, 588}, 0, 7101, true},
        DiagramText{kRed, "REQ COEFFS", {4185, 1540}, 0, 2580},
        DiagramText{kRed, "72F WB, 50 RANGE", {4185, 2086}, 0, 3975},
        DiagramText{kRed, "8 F APPROACH", {3907, 5168}, 60, 3076},
        DiagramText{kRed, "10F APPROACH", {4890, 5681}, 60, 3213},
        DiagramText{kBlue, "TOWER", {4065, 6623}, 0, 1537},
        DiagramText{kBlue, "COEFF", {4065, 7169}, 0, 1325},
        DiagramText{kBlack, "COEFFICIENT  KAV/L", {804, 6307}, 90, 4436},
        DiagramText{kBlack, "LIQUID / GAS RATIO", {1445, 8581}, 0, 4423},
        DiagramText{kBlack, "THOT", {7332, 3068}, 0, 1136},
        DiagramText{kBlack, "RANGE", {6719, 5266}, 0, 1452},
        DiagramText{kBlack, "TWB", {8530, 5584}, 0, 958},
        DiagramText{kBlack, "TCOLD", {8786, 9301}, 0, 1387},
        DiagramText{kBlack, "SPRAY HEADER", {10470, 3068}, 0, 3231},
        DiagramText{kBlack, "FILL", {13163, 3662}, 0, 921},
        DiagramText{kBlack, "AIR", {12039, 5867}, 0, 784},
        DiagramText{kBlack, "BASIN", {13630, 8497}, 0, 1356},
        DiagramText{kBlack, "APPROACH = TCOLD - TWB", {5700, 10002}, 0, 5671},
    };
}

std::vector<DiagramElement> BuildElements() {
    std::vector<DiagramElement> elements;
    for (auto&& part :
         {FrameAndChart(), TowerCasingAndFan(), FillAndBasin(), WaterAndAir(), Texts()}) {
        elements.insert(elements.end(), part.begin(), part.end());
    }
    return elements;
}

}  // namespace

const std::vector<DiagramElement>& TowerDiagramElements() {
    static const std::vector<DiagramElement> elements = BuildElements();
    return elements;
}

}  // namespace veltrane::ui
