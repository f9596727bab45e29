#include "demand_chart_painter.h"

#include "chart_axes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <optional>

namespace veltrane::chart {
namespace {

DemandChart DefaultsWithTower() {
    return BuildChartWithAxes(
        DefaultDesignInputs(),
        {{5.0f, 7.0f, 10.0f, 15.0f, 20.0f}, {0.3f, 5.0f}, TowerCharacteristic{2.3f, 0.75f}});
}

QString WriteTo(const QTemporaryDir& folder, const char* name, ChartFormat format) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QString error;
    EXPECT_TRUE(WriteChart(DefaultsWithTower(), path, format, error)) << error.toStdString();
    return path;
}

/// Every text of an SVG file; fails the test when the file is not well-formed XML.
QString SvgTexts(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString texts = QStringLiteral("|");
    bool rootSeen = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && !rootSeen) {
            EXPECT_EQ(xml.name(), QStringLiteral("svg"));
            rootSeen = true;
        }
        if (xml.isStartElement() && xml.name() == QStringLiteral("text")) {
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements) + u'|';
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

TEST(ChartFiles, shouldWriteAValidFileOfEachFormat) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    const QString texts = SvgTexts(WriteTo(folder, "chart.svg", ChartFormat::kSvg));
    for (const char* expected :
         {"Demand curves at wet bulb 65 °F, range 27 °F, 14.7 psia", "L/G", "KaV/L", "5 °F",
          "13 °F design", "20 °F", "10.82 °F approach, cold water 75.82 °F",
          "tower KaV/L = C·(L/G)^−m, C = 2.3, m = 0.75", "tower 2.3·(L/G)^−0.75", "|Design|",
          "|cold water|", "|78 °F|", "|tower m|", "|0.75|",
          // L/G ticks between 1, 2 and 5, so that an engineer can read L/G 1.3.
          "|0.3|", "|0.4|", "|0.6|", "|0.8|", "|1.5|", "|3|", "|4|"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    }

    QImageReader png(WriteTo(folder, "chart.png", ChartFormat::kPng));
    EXPECT_EQ(png.format(), "png");
    EXPECT_EQ(png.size(), QSize(1080, 720));

    const QString pdf = WriteTo(folder, "chart.pdf", ChartFormat::kPdf);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_EQ(info.exitCode(), 0);
    const QString output = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(output.contains(QRegularExpression(QStringLiteral("Page size:\\s+720 x 480 pts"))))
        << output.toStdString();
}

TEST(ChartFiles, shouldWriteEveryTemperatureAndPressureInSIUnitsWhenAsked) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("si.svg"));
    QString error;
    ASSERT_TRUE(
        WriteChart(DefaultsWithTower(), path, ChartFormat::kSvg, error, {false, UnitSystem::kSI}));
    // The same figures as the US texts, of the converted values: 65 °F, 27 °F, 14.7 psia; the
    // curves at 5, 13 and 20 °F; the operating point at 10.818 °F approach and 75.818 °F.
    const QString texts = SvgTexts(path);
    for (const char* expected :
         {"Demand curves at wet bulb 18.33 °C, range 15 K, 101.4 kPa", "|2.778 K|",
          "|7.222 K design|", "|11.11 K|", "|6.01 K approach, cold water 24.34 °C|", "|25.56 °C|",
          "|40.56 °C|", "|15 K|", "|7.222 K|", "|L/G|", "|KaV/L|"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_FALSE(texts.contains(QStringLiteral("°F")));
    EXPECT_FALSE(texts.contains(QStringLiteral("psia")));
}

TEST(ChartFiles, shouldRefuseAFileItCannotWrite) {
    QString error;
    EXPECT_FALSE(WriteChart(DefaultsWithTower(), QStringLiteral("/nonexistent/chart.png"),
                            ChartFormat::kPng, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write /nonexistent/chart.png: ")));
}

DesignInputs DefaultsAt(float liquidGas) {
    DesignInputs design = DefaultDesignInputs();
    design[Input::kLiquidGas] = liquidGas;
    return design;
}

TEST(ChartFiles, shouldSayWhenNoCurveFallsInTheSpanAndLabelCrossingsOnRequest) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString empty = folder.filePath(QStringLiteral("empty.svg"));
    QString error;
    ASSERT_TRUE(WriteChart(
        BuildChartWithAxes(DefaultDesignInputs(), {{5.0f, 20.0f}, {20.0f, 100.0f}, std::nullopt}),
        empty, ChartFormat::kSvg, error));
    const QString emptyTexts = SvgTexts(empty);
    EXPECT_TRUE(emptyTexts.contains(QStringLiteral("No demand curve falls in L/G 20 to 100")));
    EXPECT_TRUE(emptyTexts.contains(QStringLiteral("design point (at L/G 1, outside the plot)")));

    const QString labelled = folder.filePath(QStringLiteral("labelled.svg"));
    ASSERT_TRUE(WriteChart(DefaultsWithTower(), labelled, ChartFormat::kSvg, error, {true}));
    // The 13 °F curve crosses the tower at L/G 1.152, KaV/L 2.069.
    EXPECT_TRUE(SvgTexts(labelled).contains(QStringLiteral("|L/G 1.15, KaV/L 2.069|")));
    EXPECT_FALSE(SvgTexts(WriteTo(folder, "plain.svg", ChartFormat::kSvg))
                     .contains(QStringLiteral("|L/G 1.15, KaV/L 2.069|")));
}

TEST(ChartLabels, shouldNeverOverlapEachOtherACurvesEndOrTheCanvasEdge) {
    // The defaults, and a crowd of curves a degree apart whose ends lie closer than their labels
    // are wide, with and without the tower's point labels; and a span that ends before the
    // poles, so that the curves end on the right.
    const DesignInputs defaults = DefaultDesignInputs();
    const std::vector<float> crowd{4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16};
    const DemandChart charts[] = {
        DefaultsWithTower(),
        BuildChartWithAxes(defaults, {crowd, {0.3f, 5.0f}, TowerCharacteristic{2.3f, 0.75f}}),
        BuildChartWithAxes(defaults, {crowd, {0.3f, 5.0f}, std::nullopt}),
        BuildChartWithAxes(defaults, {crowd, {0.2f, 1.0f}, TowerCharacteristic{1.5f, 0.6f}}),
        // The edges: the widest span, no curve at all, the design's L/G outside the span, and
        // a reason for no operating point longer than a caption line.
        BuildChartWithAxes(defaults, {crowd, {0.01f, 100.0f}, TowerCharacteristic{2.3f, 0.75f}}),
        BuildChartWithAxes(defaults, {crowd, {20.0f, 100.0f}, TowerCharacteristic{2.3f, 0.75f}}),
        BuildChartWithAxes(DefaultsAt(30.0f),
                           {crowd, {0.3f, 20.0f}, TowerCharacteristic{2.3f, 0.75f}}),
        BuildChartWithAxes(defaults, {{5.0f}, {0.3f, 20.0f}, TowerCharacteristic{1e6f, 0.75f}}),
    };
    const QRectF canvas(0, 0, kCanvasWidth, kCanvasHeight);
    for (std::size_t c = 0; c < std::size(charts); ++c) {
        const ChartLabels labels = LayOutLabels(charts[c], {true});
        SCOPED_TRACE(::testing::Message() << "chart " << c);
        const auto drawn =
            std::count_if(charts[c].curves.begin(), charts[c].curves.end(),
                          [](const ChartCurve& k) { return !k.curve.points.empty(); });
        EXPECT_GE(labels.boxes.size(), static_cast<std::size_t>(drawn));
        for (std::size_t i = 0; i < labels.boxes.size(); ++i) {
            const ChartLabels::Box& a = labels.boxes[i];
            SCOPED_TRACE(a.text.toStdString());
            EXPECT_TRUE(canvas.contains(a.box));
            for (std::size_t j = i + 1; j < labels.boxes.size(); ++j) {
                EXPECT_FALSE(a.box.intersects(labels.boxes[j].box))
                    << "overlaps " << labels.boxes[j].text.toStdString();
            }
            for (const QPointF& end : labels.curveEnds) {
                EXPECT_FALSE(a.box.intersects(QRectF(end.x() - 2, end.y() - 2, 4, 4)))
                    << "covers the end at " << end.x() << ", " << end.y();
            }
        }
        for (const QLineF& leader : labels.leaders) {
            EXPECT_TRUE(canvas.contains(leader.p1()) && canvas.contains(leader.p2()));
        }
    }
}

/// Rows of one pixel column whose colour is within `tolerance` of `colour` in every channel.
std::vector<int> RowsOfColour(const QImage& image, int x, QColor colour, int tolerance) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        const QColor pixel = image.pixelColor(x, y);
        if (std::abs(pixel.red() - colour.red()) <= tolerance &&
            std::abs(pixel.green() - colour.green()) <= tolerance &&
            std::abs(pixel.blue() - colour.blue()) <= tolerance) {
            rows.push_back(y);
        }
    }
    return rows;
}

double Mean(const std::vector<int>& rows) {
    double sum = 0;
    for (const int row : rows)
        sum += row;
    return sum / static_cast<double>(rows.size());
}

TEST(ChartPixels, shouldDrawTheTowerLineCrossingEachSolidCurveWhereTheNumbersSay) {
    // The lines alone: no point markers or their labels near the crossing.
    DemandChart chart = DefaultsWithTower();
    chart.operatingPoint.reset();
    chart.designPoint.reset();
    const QImage image = RenderChart(chart, 1.0);
    ASSERT_EQ(image.size(), QSize(720, 480));
    const ChartGeometry geometry(chart);
    const TowerCharacteristic tower = *chart.tower;

    std::size_t design = 0;
    while (!chart.curves[design].design)
        ++design;
    const ChartCurve& curve = chart.curves[design];
    ASSERT_EQ(curve.curve.approach, 13.0f);
    ASSERT_TRUE(curve.towerCrossingLG);
    const double crossingX = geometry.X(static_cast<double>(*curve.towerCrossingLG));
    const QColor curveColour = CurvePen(chart, design).color();

    // Either side of the crossing, past its marker: left of it the demand lies below the tower
    // line (further down the image), right of it above; each where the numbers put it.
    for (const int side : {-1, 1}) {
        const int x = static_cast<int>(std::lround(crossingX)) + side * 14;
        // The L/G at the column's centre, by the axis's own log scale.
        const double share = (x + 0.5 - geometry.Plot().left()) / geometry.Plot().width();
        const float lg = static_cast<float>(0.3 * std::pow(5.0 / 0.3, share));
        const std::vector<int> towerRows = RowsOfColour(image, x, TowerPen().color(), 40);
        const std::vector<int> curveRows = RowsOfColour(image, x, curveColour, 40);
        SCOPED_TRACE(::testing::Message() << "column " << x);
        ASSERT_FALSE(towerRows.empty());
        ASSERT_FALSE(curveRows.empty());
        EXPECT_NEAR(Mean(towerRows), geometry.Y(static_cast<double>(TowerKaVL(tower, lg))), 2.5);
        EXPECT_NEAR(Mean(curveRows),
                    geometry.Y(static_cast<double>(*DemandKaVL(DefaultDesignInputs(), 13.0f, lg))),
                    3.0);
        EXPECT_EQ(Mean(curveRows) > Mean(towerRows), side < 0);
    }
}

TEST(ChartReading, shouldReadBackTheLiquidGasAndKaVLUnderAPointAndTheCurveItLiesOn) {
    const DemandChart chart = DefaultsWithTower();
    const ChartGeometry g = PaintedGeometry(chart);
    for (std::size_t i = 0; i < chart.curves.size(); ++i) {
        const std::vector<DemandPoint>& points = chart.curves[i].curve.points;
        ASSERT_GE(points.size(), 3u);
        const DemandPoint& middle = points[points.size() / 3];
        SCOPED_TRACE(::testing::Message() << chart.curves[i].curve.approach << " F");
        const auto liquidGas = static_cast<double>(middle.liquidGas);
        const auto kaVL = static_cast<double>(middle.kaVL);
        const QPointF at = g.At(liquidGas, kaVL);
        EXPECT_NEAR(g.LiquidGasAt(at.x()), liquidGas, 1e-5 * liquidGas);
        EXPECT_NEAR(g.KaVLAt(at.y()), kaVL, 1e-5 * kaVL);
        EXPECT_EQ(NearestCurve(chart, g, at), i);
    }
    EXPECT_FALSE(NearestCurve(DemandChart{}, PaintedGeometry(DemandChart{}), QPointF(100, 100)));
}

TEST(ChartReading, shouldFitTheCanvasIntoAnyDeviceKeepingItsProportions) {
    struct Case {
        QSizeF device;
        QPointF canvasTopLeftAt;
        double scale;
    };
    const Case cases[] = {
        {{720, 480}, {0, 0}, 1.0},
        {{1440, 480}, {360, 0}, 1.0},  // too wide: centred across
        {{360, 480}, {0, 120}, 0.5},   // too narrow: centred down
    };
    for (const Case& c : cases) {
        const QTransform t = CanvasToDevice(c.device);
        EXPECT_EQ(t.map(QPointF(0, 0)), c.canvasTopLeftAt);
        EXPECT_EQ(t.map(QPointF(kCanvasWidth, kCanvasHeight)),
                  c.canvasTopLeftAt + QPointF(kCanvasWidth, kCanvasHeight) * c.scale);
    }
}

}  // namespace
}  // namespace veltrane::chart
