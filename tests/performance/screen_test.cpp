// The window on a small screen, its charts' text at a readable size, and its printed pages.
#include <QAction>
#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>

#include <veltrane/version.h>

#include "screen_fit.h"
#include "window_fixture.h"
#include "year_tab.h"

namespace veltrane::performance::test {
namespace {

TEST(ScreenFit, shouldBringAWindowWhollyOntoTheScreensFreeArea) {
    struct Case {
        const char* name;
        QRect wanted;
        QRect expected;
    };
    // A screen of 800 × 500 beside a panel of 30 at its top.
    const QRect available(0, 30, 800, 470);
    const Case cases[] = {
        {"already on it", {10, 40, 600, 400}, {10, 40, 600, 400}},
        {"off the right and bottom", {700, 450, 600, 400}, {200, 100, 600, 400}},
        {"above and left of it", {-50, 0, 600, 400}, {0, 30, 600, 400}},
        {"larger than the screen", {100, 100, 2128, 1032}, {0, 30, 800, 470}},
        {"from a second screen", {1700, 200, 600, 400}, {200, 100, 600, 400}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitToScreen(c.wanted, available), c.expected) << c.name;
}

// The body text is 11 canvas pixels: at 96 dpi, 8.25 points at a scale of 1.
TEST(ScreenFit, shouldKeepTheChartsTextWithinItsRangeOfPoints) {
    struct Case {
        const char* name;
        QSizeF widget;
        double textPoints;
    };
    const QSizeF canvas(720, 480);
    const Case cases[] = {
        {"its own size", {720, 480}, 8.25},
        {"a splitter dragged shut", {72, 48}, kLeastChartTextPoints},
        {"a maximised window", {2880, 1920}, kMostChartTextPoints},
        {"narrow and tall: the width decides", {540, 2000}, 8.25 * 0.75},
    };
    for (const Case& c : cases) {
        const double scale = ReadableChartScale(c.widget, canvas, 96.0);
        EXPECT_NEAR(scale * 8.25, c.textPoints, 1e-9) << c.name;
    }
    // The least size is where the text reaches its least points.
    const QSize least = LeastReadableSize(canvas, 96.0);
    EXPECT_NEAR(ReadableChartScale(QSizeF(least), canvas, 96.0) * 8.25, kLeastChartTextPoints,
                0.02);
}

using Screen = WindowFixture;

// The offscreen platform's screen is 800 × 600, a 1600 × 1200 screen at twice the scale. A
// geometry saved on a large screen comes back within it, and every tab fits a 1600 × 1000 screen
// at twice the scale below a title bar.
TEST_F(Screen, shouldFitTheWindowToASmallScreenWithEveryTabAndTheUnitsSwitch) {
    window->setGeometry(50, 50, 2128, 1032);
    window->saveSettings();
    open();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window->geometry()))
        << window->geometry().width() << "×" << window->geometry().height();
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
        window->tabs()->setCurrentIndex(tab);
        const QSize least = window->minimumSizeHint();
        EXPECT_LE(least.width(), 800) << tab;
        EXPECT_LE(least.height(), 500 - 30) << tab;
    }
    auto* units = find<QWidget>("siUnitsButton");
    ASSERT_NE(units, nullptr);
    EXPECT_TRUE(window->rect().contains(units->mapTo(window.get(), units->rect().bottomRight())));
}

// Dragged shut, then hidden and shown again from View: the panel comes back at its own width.
TEST_F(Screen, shouldFoldTheInputsPanelAwayAndBringItBack) {
    auto* pane = find<QWidget>("inputsPane");
    auto* showInputs = find<QAction>("showInputs");
    auto* splitter = qobject_cast<QSplitter*>(window->centralWidget());
    ASSERT_TRUE(pane != nullptr && showInputs != nullptr && splitter != nullptr);
    const int openWidth = splitter->sizes().value(0);
    EXPECT_GT(openWidth, 0);
    splitter->setSizes({0, 1000});
    showInputs->trigger();
    EXPECT_FALSE(pane->isVisible());
    showInputs->trigger();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_GT(splitter->sizes().value(0), 0);
}

// What each printable tab puts on paper beside its chart: the design, the tower, the date and
// the version; the Year tab its fan control and setpoint.
// A splitter dragged narrow scrolls the inputs: every box still shows a flow to three decimals.
TEST_F(Screen, shouldScrollTheInputsRatherThanSqueezeTheirBoxes) {
    auto* pane = find<QScrollArea>("inputsPane");
    auto* splitter = qobject_cast<QSplitter*>(window->centralWidget());
    ASSERT_TRUE(pane != nullptr && splitter != nullptr);
    splitter->setSizes({120, 1000});
    QCoreApplication::processEvents();
    const QString widest = QLocale().toString(20000.125, 'f', 3);
    for (int f = 0; f < static_cast<int>(kFieldCount); ++f) {
        const QLineEdit* edit = box(static_cast<Field>(f));
        EXPECT_GT(edit->width(), edit->fontMetrics().horizontalAdvance(widest))
            << edit->objectName().toStdString();
    }
    EXPECT_TRUE(pane->horizontalScrollBar()->isVisible());
}

TEST_F(Screen, shouldPrintTheDesignTheDateAndTheVersionWithEveryTab) {
    const QString stamp = u"Veltrane Performance "_qs + QString::fromLatin1(kVersionText) +
                          u" · printed "_qs + QDate::currentDate().toString(Qt::ISODate);
    const QString wetBulb = u"Inlet Air Wet Bulb Temp: 65 °F"_qs;
    for (const int tab : {0, 1, 2, 3}) {
        window->tabs()->setCurrentIndex(tab);
        const QString pdf = folder.filePath(QStringLiteral("tab%1.pdf").arg(tab));
        printDialogs.choosePdf(pdf, 1);
        window->print();
        EXPECT_GT(QFile(pdf).size(), 1000) << tab;
        const std::optional<TabPrintout> page = window->printout();
        ASSERT_TRUE(page) << tab;
        const QStringList lines = PrintoutLines(*page, QDate::currentDate());
        EXPECT_TRUE(lines.contains(stamp)) << tab;
        EXPECT_TRUE(lines.contains(wetBulb)) << tab;
        EXPECT_TRUE(lines.contains(u"m: "_qs + QLocale().toString(0.6))) << tab;
    }
    window->tabs()->setCurrentIndex(3);
    const QStringList year = PrintoutLines(*window->printout(), QDate::currentDate());
    EXPECT_TRUE(year.contains(u"Fan control: Full speed; cold water setpoint 78 °F"_qs))
        << year.join(u'\n').toStdString();
    EXPECT_TRUE(year.filter(u"Year of "_qs).size() == 1);
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace veltrane::performance::test
