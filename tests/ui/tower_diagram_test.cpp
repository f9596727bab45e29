// The tower diagram, checked by the colours at points that the drawing fixes: not against a
// golden image, which would break with every change of font or antialiasing.

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "tower_diagram.h"
#include "ui_test_main.h"
#include "window_driver.h"

using namespace veltrane::ui;

namespace {

// An image of the drawing's own proportions at a tenth of its logical size: heavy lines are
// 8.5 pixels wide there, medium 5.1, thin 1.7.
constexpr double kScale = 0.1;
const QSize kImageSize(1671, 1053);

// Antialiased edges and rounding may shift a line by a pixel; a probe passes when a pixel within
// one of its spot has the colour within this distance per channel.
constexpr int kTolerance = 40;

QImage RenderDiagram(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintTowerDiagram(painter, image.rect());
    return image;
}

bool Near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool ColourAround(const QImage& image, QPoint centre, QColor colour, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint point = centre + QPoint(dx, dy);
            if (image.rect().contains(point) && Near(image.pixelColor(point), colour, kTolerance))
                return true;
        }
    }
    return false;
}

int CountColour(const QImage& image, const QRect& area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && Near(image.pixelColor(x, y), colour, kTolerance))
                ++count;
    return count;
}

QPoint AtTenth(double x, double y) {
    return {qRound(x * kScale), qRound(y * kScale)};
}

// A rectangle of logical units, in image pixels.
QRect AreaAtTenth(double left, double top, double right, double bottom) {
    return QRect(AtTenth(left, top), AtTenth(right, bottom));
}

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

}  // namespace

class TowerDiagramTest : public QObject {
    Q_OBJECT

  private slots:
    void shouldPaintEachElementInItsColour_data() {
        QTest::addColumn<QPointF>("logical");
        QTest::addColumn<QColor>("colour");
        // Middles of segments, away from every other element.
        QTest::newRow("8 F demand curve") << QPointF(2104, 5872.5) << kRed;
        QTest::newRow("10 F demand curve") << QPointF(2686.5, 6538) << kRed;
        QTest::newRow("air inflow, left") << QPointF(10029, 6090) << kRed;
        QTest::newRow("tower coefficient line") << QPointF(2791.5, 4555) << kBlue;
        QTest::newRow("hot-water feed") << QPointF(9500, 3146) << kBlue;
        QTest::newRow("hot-water arrowhead, filled") << QPointF(12395, 3320) << kBlue;
        QTest::newRow("pump circle, right") << QPointF(12708, 8928) << kBlue;
        QTest::newRow("pump circle, bottom") << QPointF(12402, 9234) << kBlue;
        QTest::newRow("cold-water return") << QPointF(10800, 8642) << kBlue;
        QTest::newRow("frame, bottom edge") << QPointF(3000, 10315) << kBlack;
        QTest::newRow("frame, right edge") << QPointF(16382, 6000) << kBlack;
        QTest::newRow("fill pack, top edge") << QPointF(11500, 3753) << kBlack;
        QTest::newRow("fill pack, left edge") << QPointF(10882, 4400) << kBlack;
        QTest::newRow("vertical axis") << QPointF(1213, 5000) << kBlack;
        QTest::newRow("horizontal axis") << QPointF(3000, 7887) << kBlack;
        QTest::newRow("basin floor") << QPointF(15000, 8000) << kBlack;
        QTest::newRow("cold-water point, filled") << QPointF(8520, 8692) << kBlack;
        QTest::newRow("empty right of the tower") << QPointF(15800, 4000) << kWhite;
        QTest::newRow("empty below the chart") << QPointF(3000, 9500) << kWhite;
        QTest::newRow("inside a fill cell") << QPointF(11528, 4095) << kWhite;
        QTest::newRow("inside the pump") << QPointF(12560, 9060) << kWhite;
        QTest::newRow("air inlet gap") << QPointF(10276, 5800) << kWhite;
        QTest::newRow("outside the frame") << QPointF(16600, 10450) << kWhite;
    }

    void shouldPaintEachElementInItsColour() {
        QFETCH(QPointF, logical);
        QFETCH(QColor, colour);
        const QImage image = RenderDiagram(kImageSize);
        const QPoint pixel = AtTenth(logical.x(), logical.y());
        if (colour == kWhite) {
            QVERIFY2(Near(image.pixelColor(pixel), kWhite, 2),
                     qPrintable(image.pixelColor(pixel).name()));
        } else {
            QVERIFY2(ColourAround(image, pixel, colour),
                     qPrintable(image.pixelColor(pixel).name()));
        }
    }

    void shouldTurnRotatedTextsCounterClockwiseAboutTheirBaselineStart_data() {
        QTest::addColumn<QRect>("inked");
        QTest::addColumn<QRect>("empty");
        QTest::addColumn<QColor>("colour");
        // Upright, the axis title would run to the right of its start; at 90 degrees clockwise
        // it would hang below it.
        QTest::newRow("axis title reads bottom to top")
            << AreaAtTenth(400, 1900, 800, 6300) << AreaAtTenth(300, 6400, 800, 8000) << kBlack;
        // Along the baseline from (3907, 5168) at 60 degrees: the glyphs lie up and to the left
        // of it; at -60 degrees the same text would run down to the right.
        QTest::newRow("8 F label runs up at 60 degrees")
            << AreaAtTenth(4350, 3550, 4650, 3900) << AreaAtTenth(4700, 6400, 5400, 7600) << kRed;
        QTest::newRow("10 F label runs up at 60 degrees")
            << AreaAtTenth(5350, 4000, 5650, 4350) << AreaAtTenth(5600, 6800, 6300, 7800) << kRed;
    }

    void shouldTurnRotatedTextsCounterClockwiseAboutTheirBaselineStart() {
        QFETCH(QRect, inked);
        QFETCH(QRect, empty);
        QFETCH(QColor, colour);
        const QImage image = RenderDiagram(kImageSize);
        QVERIFY(CountColour(image, inked, colour) > 20);
        QCOMPARE(CountColour(image, empty, colour), 0);
    }

    void shouldSpreadEveryTextToItsAdvanceInABoldCellOfTheDrawing() {
        for (const DiagramElement& element : TowerDiagramElements()) {
            const auto* text = std::get_if<DiagramText>(&element);
            if (text == nullptr) continue;
            const QFont font = TowerDiagramFont(*text);
            const QFontMetricsF metrics(font);
            const QString characters = QString::fromUtf8(text->text.data());
            QVERIFY2(std::abs(metrics.horizontalAdvance(characters) - text->advance) < 1.0,
                     text->text.data());
            QVERIFY(std::abs(metrics.ascent() + metrics.descent() - kDiagramTextCellHeight) <
                    kDiagramTextCellHeight * 0.01);
            QVERIFY(QFontInfo(font).bold());
            QCOMPARE(font.italic(), text->text == "COUNTER FLOW COOLING TOWER");
        }
    }

    void shouldFitTheWholeDrawingIntoTheBoxAtAboutZeroPointSixThree() {
        TowerDiagram diagram;
        diagram.resize(409, 281);  // 6135 x 4215 twips
        QCOMPARE(diagram.objectName(), QStringLiteral("Picture1"));

        const double naturalPixelsPerUnit = 9720.0 / 15.0 / kDiagramWidthUnits;
        const double scale = TowerDiagramScale(diagram.contentsRect().size());
        QVERIFY(scale / naturalPixelsPerUnit > 0.62 && scale / naturalPixelsPerUnit < 0.64);

        const QImage image = diagram.grab().toImage();
        const QRectF placement = TowerDiagramPlacement(diagram.contentsRect());
        const auto at = [&](double x, double y) {
            return (placement.topLeft() + QPointF(x, y) * scale).toPoint();
        };
        // The far corners of the drawing show: the pump, the frame's bottom right, the axis
        // title below the chart.
        QVERIFY(ColourAround(image, at(12708, 8928), kBlue));
        QVERIFY(ColourAround(image, at(16382, 10315), kBlack));
        QVERIFY(CountColour(image, QRect(at(1445, 8400), at(5868, 8650)), kBlack) > 20);
        QVERIFY(Near(image.pixelColor(at(15800, 4000)), kWhite, 2));
        // The single border.
        QVERIFY(!Near(image.pixelColor(0, 140), kWhite, kTolerance));
    }

    // GIVEN the main window on the Identification tab, WHEN the user changes an input and runs
    // the calculation, THEN the diagram hides with its tab and comes back unchanged.
    void shouldShowTheSameDiagramAfterARecalculation() {
        test::WindowDriver driver;
        QVERIFY(driver.ready());
        auto* picture = driver.child<TowerDiagram>(QStringLiteral("Picture1"));
        QVERIFY(picture != nullptr);
        driver.clickTab(kIdentificationTab);
        QVERIFY(picture->isVisible());
        const QImage before = picture->grab().toImage();

        driver.typeInput(veltrane::Input::kWaterFlow, QStringLiteral("2000"));
        driver.clickTab(kOutputsTab);
        QVERIFY(!picture->isVisible());
        QVERIFY(!driver.output(0)->text().isEmpty());

        driver.clickTab(kIdentificationTab);
        QVERIFY(picture->isVisible());
        QCOMPARE(picture->grab().toImage(), before);
        QCOMPARE(driver.boxes().unexpectedCount(), 0);
    }
};

VELTRANE_UI_TEST_MAIN(TowerDiagramTest)
#include "tower_diagram_test.moc"
