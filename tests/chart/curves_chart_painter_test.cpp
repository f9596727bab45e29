#include "curves_chart_painter.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdlib>

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
    const QImage image = RenderCurvesChart(LineWithAGap(), 1.0);
    // The middle panel spans x 286 to 478 of 720 points: wet bulb 40 to 45 °F is its left
    // seventh, 50 to 65 °F its middle.
    EXPECT_GT(LinePixels(image, 290, 310), 20);
    EXPECT_EQ(LinePixels(image, 345, 420), 0);
}

TEST(CurvesChart, shouldReportAFullDiskInEveryFormat) {
    for (const ChartFormat format : {ChartFormat::kSvg, ChartFormat::kPdf, ChartFormat::kPng}) {
        QString error;
        EXPECT_FALSE(WriteCurvesChart(LineWithAGap(), QStringLiteral("/dev/full"), format, error))
            << "format " << static_cast<int>(format);
        EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write /dev/full: ")))
            << error.toStdString();
    }
}

}  // namespace
}  // namespace veltrane::chart
