#include "curves_chart_painter.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdlib>
#include <optional>
#include <vector>

namespace veltrane::chart {
namespace {

/// Only the 100 % flow, 100 % range line, with numbers from 40 to 45 °F and from 70 to 75 °F:
/// the tower had no operating point in between.
PerformanceCurves LineWithAGap() {
    PerformanceCurves curves;
    curves.tower = {1.8F, 0.6F};
    curves.span = {40.0F, 75.0F, 1.0F};
    curves.designRange = 27.0F;
    curves.designFlow = 1000.0F;
    curves.designLiquidGas = 1.0F;
    curves.designPoint = {0.0F, 0.0F};  // off the plot: only the line is drawn
    for (const float flow : kCurveFlowPercents) {
        for (const float range : kCurveRangePercents)
            curves.curves.push_back({flow, range, {}});
    }
    std::vector<CurvePoint>& line = curves.curves.at(4).points;
    for (float wetBulb = 40.0F; wetBulb <= 75.0F; wetBulb += 1.0F) {
        if (wetBulb <= 45.0F || wetBulb >= 70.0F) line.push_back({wetBulb, wetBulb + 10.0F});
    }
    return curves;
}

/// Pixels of the solid line's colour in a column band, inside the panels' height.
int LinePixels(const QImage& image, int fromX, int toX) {
    int count = 0;
    for (int x = fromX; x < toX; ++x) {
        for (int y = 100; y < 380; ++y) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - 0x21) < 12 && c.red() == c.green() && c.green() == c.blue())
                ++count;
        }
    }
    return count;
}

TEST(CurvesChart, shouldLeaveTheLineOutWhereTheTowerHasNoOperatingPoint) {
    const QImage image = RenderCurvesChart(LineWithAGap(), UnitSystem::kUS, 1.0);
    // The middle panel spans x 286 to 478 of 720 points: wet bulb 40 to 45 °F is its left
    // seventh, 50 to 65 °F its middle.
    EXPECT_GT(LinePixels(image, 290, 310), 20);
    EXPECT_EQ(LinePixels(image, 345, 420), 0);
}

TEST(CurvesChart, shouldReportAFullDiskInEveryFormat) {
    for (const ChartFormat format : {ChartFormat::kSvg, ChartFormat::kPdf, ChartFormat::kPng}) {
        QString error;
        EXPECT_FALSE(WriteCurvesChart(LineWithAGap(), UnitSystem::kUS, QStringLiteral("/dev/full"),
                                      format, error))
            << "format " << static_cast<int>(format);
        EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write /dev/full: ")))
            << error.toStdString();
    }
}

/// The default design's curves, tower through the design point with m = 0.6, over the default
/// span in `units`.
PerformanceCurves DefaultCurves(UnitSystem units) {
    const DesignInputs design = DefaultDesignInputs();
    return CalculatePerformanceCurves(design, *TowerThroughDesign(design, 0.6F),
                                      DefaultWetBulbSpan(design, units));
}

/// 3 °C to 13 °C, each point's cold water 40 °F above its wet bulb: both ends' float °F read
/// back a little above the whole °C, and no cold-water tick is below 25 °C.
PerformanceCurves SiSpanThreeToThirteen() {
    PerformanceCurves curves = LineWithAGap();
    curves.span = {3.0F, 13.0F, 1.0F, UnitSystem::kSI};
    std::vector<CurvePoint>& line = curves.curves.at(4).points;
    line.clear();
    const std::optional<std::vector<float>> wetBulbs = SpanWetBulbs(curves.span);
    for (const float wetBulb : *wetBulbs)
        line.push_back({wetBulb, wetBulb + 40.0F});
    return curves;
}

/// Every text of the chart as drawn into an SVG file, each between '|'.
QString DrawnTexts(const PerformanceCurves& curves, UnitSystem units) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("curves.svg"));
    QString error;
    EXPECT_TRUE(WriteCurvesChart(curves, units, path, ChartFormat::kSvg, error))
        << error.toStdString();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString texts = QStringLiteral("|");
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("text"))
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements) + u'|';
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

PerformanceCurves WithColdWaterUpTo(float coldWater) {
    PerformanceCurves curves = LineWithAGap();
    curves.curves.at(4).points.back().coldWater = coldWater;
    return curves;
}

struct LabelsCase {
    const char* name;
    PerformanceCurves curves;
    UnitSystem units;
    std::vector<const char*> shown;
    std::vector<const char*> absent;
};

TEST(CurvesChart, shouldWriteItsLabelsAndTicksInTheUnitsAsked) {
    const std::vector<LabelsCase> cases{
        {"defaults in US units",
         DefaultCurves(UnitSystem::kUS),
         UnitSystem::kUS,
         {"|Entering wet bulb (°F)|", "|Cold water (°F)|", "|design 65 °F / 78 °F|",
          "|100 % flow: 1000 gpm, L/G 1|", "|100 % range (27 °F)|"},
         {"°C"}},
        // 18.333 °C / 25.556 °C, the range 27 °F = 15 K, 1000 gpm = 227.12 m³/h.
        {"defaults in SI",
         DefaultCurves(UnitSystem::kSI),
         UnitSystem::kSI,
         {"|Entering wet bulb (°C)|", "|Cold water (°C)|", "|design 18.3 °C / 25.6 °C|",
          "|100 % flow: 227.12 m³/h, L/G 1|", "|80 % range (12 K)|", "|100 % range (15 K)|", "|4|",
          "|24|"},
         {"°F", "gpm"}},
        // Cold water from 50 to 5000 °F: tenfold steps keep the grid to a few lines.
        {"values far beyond a tower's",
         WithColdWaterUpTo(5000.0F),
         UnitSystem::kUS,
         {"|2000|", "|4000|"},
         {"|100|"}},
        // The wet-bulb axis ends at 3 and 13 °C, one tick a degree, not a step out at 2 and 14.
        {"a span of whole degrees Celsius",
         SiSpanThreeToThirteen(),
         UnitSystem::kSI,
         {"|3|", "|4|", "|13|"},
         {"|2|", "|14|"}},
    };
    for (const LabelsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString texts = DrawnTexts(c.curves, c.units);
        for (const char* text : c.shown)
            EXPECT_TRUE(texts.contains(QString::fromUtf8(text)))
                << text << " in " << texts.toStdString();
        for (const char* text : c.absent)
            EXPECT_FALSE(texts.contains(QString::fromUtf8(text)))
                << text << " in " << texts.toStdString();
    }
}

}  // namespace
}  // namespace veltrane::chart
