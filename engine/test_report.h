#pragma once
// What the acceptance test's report says, as the front ends fill it: the window from its tabs,
// the batch tool from its options and files. Every text is already formatted in the units and
// locale the caller shows, so the drawing (chart/test_report_painter.h) never converts a value;
// numbers remain only where a chart plots them.
//
// To fill: the title and fields; the design, tower and limit rows; a caption per reading column
// and per method; a reading each with its figures in that column order; the result; the demand
// chart with the test line (BuildDemandChart with the test's tower); with maker's curves, the
// cross-plot (CrossPlotOf). Empty parts are left out of the document.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "demand_curves.h"
#include "maker_curves.h"
#include "units.h"

namespace veltrane {

enum class PaperSize { kA4, kLetter };

/// "a4" or "letter" in any case, as `--paper` takes it; nothing for any other text.
std::optional<PaperSize> ParsePaperSize(std::string_view text) noexcept;

/// The paper usual where the locale `localeName` ("en_US.UTF-8", "fr_CA", "de-DE") is: Letter in
/// the Americas' Letter countries (the United States, Canada, Mexico and their neighbours that
/// use it, the Philippines), else A4, also for "C", "POSIX" and no locale at all.
PaperSize PaperSizeForLocale(std::string_view localeName) noexcept;

/// The locale that decides the paper, as the C library reads it: LC_ALL, else LC_PAPER, else
/// LANG; empty when none is set.
std::string PaperLocaleName();

/// One named line of the identification: "Project", "Tower", "Test date", "Tested by" or any
/// NAME=TEXT of the batch tool.
struct ReportField {
    std::string name;
    std::string text;
};

/// One line of the design conditions, the tower or the validity limits: "Wet bulb", "78", "°F".
struct ReportRow {
    std::string caption;
    std::string value;
    std::string unit;  ///< empty where the value carries none
};

/// One reading's value in a column, and beside it how it stands against the design.
struct ReadingFigure {
    std::string value;         ///< "78.4"
    std::string ofDesign;      ///< "+0.4 °F", "96.2 %"; empty where the column has no limit
    bool limitPassed = false;  ///< beyond its validity limit: the report marks the cell
};

struct ReportReading {
    std::string name;                       ///< "1", "2"…, or the time it was taken
    std::vector<ReadingFigure> figures;     ///< one per TestReport::readingColumns, in order
    std::vector<std::string> capabilities;  ///< percent, one per TestReport::methods ("98.7")
    std::string notes;                      ///< the reason it was not evaluated, extrapolation…
};

/// The capability of the mean reading by one method.
struct MethodResult {
    std::string method;              ///< "Maker's curves", "Characteristic curve"
    std::string capability;          ///< "98.7 %"
    std::string predictedColdWater;  ///< "85.2 °F"
    std::string deviation;           ///< measured − predicted, "+0.6 °F"
    bool decides = false;            ///< the method the verdict follows
};

struct ReportResult {
    std::optional<ReportReading> mean;  ///< the mean reading, the readings table's last row
    std::vector<MethodResult> methods;
    std::string spread;  ///< "capability 97.9 to 99.1 % (1.2 points) over 4 readings"
    bool meetsDesign = false;
    std::string verdict;  ///< JudgeCapability's text
};

/// A point of the cross-plot in the units shown: flow in percent of the design flow, cold water
/// in the report's temperature unit.
struct PlotPoint {
    double flowPercent = 0.0;
    double coldWater = 0.0;
};

/// The maker's curves read at the test wet bulb and range: the predicted cold water against flow,
/// one point per flow of the curves, the second-order function through the three used, and the
/// test cold water at the predicted flow.
struct CrossPlot {
    std::string temperatureUnit;  ///< "°F", "°C"
    std::string conditions;       ///< "wet bulb 78.0 °F, range 21.6 °F (98.2 % of design)"
    std::vector<PlotPoint> flows;
    std::vector<PlotPoint> line;  ///< rising flow
    PlotPoint test;               ///< predicted flow, measured cold water
    PlotPoint adjusted;           ///< adjusted flow, the cold water predicted there
};

/// Points of the cross-plot's line between the outer flows (and the test's flows, when beyond).
inline constexpr int kCrossPlotLinePoints = 48;

/// The cross-plot of an evaluation that reached step 4 (kEvaluated or kFlowBeyondLimits), its
/// temperatures in `units`, its conditions text the caller's; nothing for any other evaluation.
std::optional<CrossPlot> CrossPlotOf(const MakerCurves& curves, const CurvesEvaluation& e,
                                     float testColdWater, UnitSystem units);

struct TestReport {
    std::string title;                ///< "Acceptance test of cooling tower CT-2"
    std::vector<ReportField> fields;  ///< in the order shown
    /// The day the report is written, as the caller writes dates; the drawing writes today's in
    /// ISO form when empty.
    std::string date;
    std::vector<ReportRow> design;
    std::vector<ReportRow> tower;   ///< C and m, or the maker's curves summarised
    std::vector<ReportRow> limits;  ///< the validity limits the readings were checked against
    /// The readings table's columns after the reading's name: caption with unit ("Wet bulb °F").
    std::vector<std::string> readingColumns;
    std::vector<std::string> methods;  ///< captions of the capability columns, "Curves %"
    std::vector<ReportReading> readings;
    ReportResult result;
    /// The design's demand curves with the test line (the test's C and m as the tower), drawn in
    /// `units` with the crossings labelled, as the Acceptance tab draws it.
    std::optional<DemandChart> demandChart;
    std::optional<CrossPlot> crossPlot;  ///< only with maker's curves
    UnitSystem units = UnitSystem::kUS;
};

}  // namespace veltrane
