#pragma once
// The caption under the chart's plot: what the tower line and the markers mean, and why there is
// no operating point, laid out left to right and wrapped onto as many lines as it needs.

#include <QString>

#include <vector>

#include "chart_text.h"
#include "demand_curves.h"

namespace veltrane::chart {

/// What stands before a caption text: a marker, a sample of the tower line, or nothing (a text
/// wrapped onto a further line).
enum class CaptionMarker { kNone, kTowerLine, kDesign, kOperating, kCrossing };

/// One line's piece of the caption: its marker and text from `x`, on line `line` (0 first).
struct CaptionPiece {
    CaptionMarker marker;
    QString text;
    double x;
    int line;
};

/// The room the marker takes before its text, points.
double MarkerWidth(CaptionMarker marker);

/// The caption laid out from `left` to `right` (points): an item that does not fit starts a new
/// line, a text longer than a line is wrapped at its spaces.
std::vector<CaptionPiece> LayOutCaption(const DemandChart& chart, double left, double right,
                                        const ChartNumbers& numbers = ChartNumbers());

/// How many lines the caption takes, at least one.
int CaptionLines(const std::vector<CaptionPiece>& pieces);

}  // namespace veltrane::chart
