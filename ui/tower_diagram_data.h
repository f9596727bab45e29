#pragma once
// The drawing on the Identification tab: a counter-flow tower schematic beside a demand-curve
// chart. Every element sits in one table, in painting order, so that the texts come last and lie
// over the lines.
//
// Coordinates are logical units of a 16710 x 10521 space, origin top-left, y downward
// (2475.5 units to the inch at the drawing's natural size of 6.75 x 4.25 inches).

#include <string_view>
#include <variant>
#include <vector>

namespace veltrane::ui {

inline constexpr double kDiagramWidthUnits = 16710.0;
inline constexpr double kDiagramHeightUnits = 10521.0;

// Every text: a character cell 578 units high; the average character width is 218 units, but
// each text is spread to its own advance instead.
inline constexpr double kDiagramTextCellHeight = 578.0;
inline constexpr double kDiagramTextAverageWidth = 218.0;

struct DiagramPoint {
    int x = 0;
    int y = 0;
};

enum class DiagramInk { Black, Red, Blue };

// Widths in logical units: heavy about 2.5 pt, medium 1.5 pt, thin 0.5 pt at natural size.
enum class DiagramStroke { Heavy = 85, Medium = 51, Thin = 17 };

struct DiagramPolyline {
    DiagramStroke stroke;
    DiagramInk ink;
    std::vector<DiagramPoint> points;
};

// Outline only, corners inclusive.
struct DiagramRectangle {
    DiagramStroke stroke;
    DiagramInk ink;
    DiagramPoint topLeft;
    DiagramPoint bottomRight;
};

// Outline only.
struct DiagramCircle {
    DiagramStroke stroke;
    DiagramInk ink;
    DiagramPoint centre;
    int radius = 0;
};

// Filled solid and outlined with a thin line of the same ink.
struct DiagramDisc {
    DiagramInk ink;
    DiagramPoint centre;
    int radius = 0;
};

// A triangle filled solid and outlined with a thin line of the same ink.
struct DiagramArrowhead {
    DiagramInk ink;
    DiagramPoint tip;
    DiagramPoint baseCorner1;
    DiagramPoint baseCorner2;
};

// Bold text. The angle turns counter-clockwise about the baseline start; the text is spaced so
// that it spans exactly its advance.
struct DiagramText {
    DiagramInk ink;
    std::string_view text;
    DiagramPoint baselineStart;
    int angleDegrees = 0;
    int advance = 0;
    bool italic = false;
};

using DiagramElement = std::variant<DiagramPolyline, DiagramRectangle, DiagramCircle, DiagramDisc,
                                    DiagramArrowhead, DiagramText>;

// The whole drawing in painting order: frame, chart, tower schematic, texts.
const std::vector<DiagramElement>& TowerDiagramElements();

}  // namespace veltrane::ui
