// The Year tab driven as a user drives it: bins opened, pasted and typed, the fan control
// chosen, the totals read.
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "test_files.h"
#include "weather_year_model.h"
#include "window_fixture.h"
#include "year_tab.h"

namespace veltrane::performance::test {
namespace {

class Year : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        tab = find<YearTab>("yearTab");
        ASSERT_NE(tab, nullptr);
        window->tabs()->setCurrentWidget(tab);
        messages.answerWith(
            [](const desktop::test::ShownBox&) { return desktop::MessageAnswer::Ok; });
    }

    QString write(const char* name, const QByteArray& text) {
        return test::WriteTestFile(folder, name, text);
    }

    void pasteIntoBins(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        tab->binsTable()->setFocus();
        QTest::keySequence(tab->binsTable(), QKeySequence::Paste);
    }

    const YearTotals& totals() const { return tab->year()->totals; }

    [[nodiscard]] QModelIndex bin(int row, int column) const {
        return tab->yearModel().index(row, column);
    }
    void typeBin(int row, int column, const QString& text) const {
        tab->yearModel().setData(bin(row, column), text, Qt::EditRole);
    }

    YearTab* tab = nullptr;
};

// The fan control's line under the chart's title: whole where it fits, then in a smaller font,
// and cut with an ellipsis only at the smallest.
TEST(YearChartHeading, shouldFitTheWidthGiven) {
    const QString text = QStringLiteral(
        "Variable speed (VFD), minimum air flow 30 %; cold water "
        "setpoint 78 °F");
    QFont font;
    font.setPixelSize(12);
    QFont small = font;
    small.setPixelSize(9);
    const double full = QFontMetricsF(font).horizontalAdvance(text);
    const double least = QFontMetricsF(small).horizontalAdvance(text);
    struct Case {
        const char* name;
        double width;
        bool whole;
        bool smaller;
    };
    const Case cases[] = {
        {"room to spare", full + 10.0, true, false},
        {"a little short", (full + least) / 2.0, true, true},
        {"at the smallest", least, true, true},
        {"far too short", least / 2.0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FittedLine fitted = FitLine(text, font, 9, c.width);
        EXPECT_LE(QFontMetricsF(fitted.font).horizontalAdvance(fitted.text), c.width);
        EXPECT_EQ(fitted.text == text, c.whole);
        EXPECT_EQ(fitted.font.pixelSize() < 12, c.smaller);
    }
}

// A study's bins with their own approach, range and hot water are rated as the batch tool rates
// them (veltrane-calc --study study_bins.veltrane --setpoint --totals); a bin edited since is
// rated at the design.
TEST_F(Year, shouldRateAStudysBinsAsTheBatchToolDoes) {
    ASSERT_TRUE(window->openStudy(QStringLiteral(VELTRANE_CLI_FIXTURES "/study_bins.veltrane")));
    EXPECT_NEAR(totals().fanKilowattHours, 44154.0, 0.5);
    EXPECT_NEAR(totals().makeupGallons, 14431000.0, 500.0);
    const double makeup = totals().makeupGallons;
    // The last bin's own THot 108 °F gives it a range of 20 °F; edited, it takes the design's 27.
    typeBin(3, 2, QStringLiteral("1261"));
    EXPECT_GT(totals().makeupGallons, makeup * 1.02);
}

// A bins file of the batch tool (its extra columns ignored), the year's totals read under each
// fan control.
TEST_F(Year, shouldOpenABinFileAndTotalTheYearUnderEachFanControl) {
    const QString path = write("year.csv",
                               "Twb,Tdb,THot,Approach,Hours\n"
                               "32,36,62,10,400\n47,54,77,10,800\n62,70,92,10,1100\n"
                               "72,79,102,10,1160\n");
    ASSERT_TRUE(tab->openBins(path));
    EXPECT_EQ(tab->yearModel().rowCount(), 4);
    EXPECT_EQ(tab->resultsTable()->rowCount(), 4);
    EXPECT_EQ(totals().hours, 3460.0);
    EXPECT_TRUE(totals().binsLeftOut.empty());
    EXPECT_TRUE(tab->totalsText().startsWith(QStringLiteral("Year of ")));
    const double fullEnergy = totals().fanKilowattHours;
    const double fullColdWater = totals().meanColdWater;
    tab->fanBox()->setCurrentIndex(static_cast<int>(FanMode::kVariableSpeed));
    EXPECT_TRUE(tab->minimumBox()->isEnabled());
    EXPECT_LE(totals().fanKilowattHours, fullEnergy);
    EXPECT_GE(totals().meanColdWater, fullColdWater);
    tab->barsBox()->setCurrentIndex(1);
    files.next = folder.filePath(QStringLiteral("water.png"));
    window->exportChart();
    QFile png(files.next);
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_EQ(png.read(4), QByteArray("\x89PNG"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Year, shouldSayWhyABinFileIsNotOpenedAndKeepTheBins) {
    const int rows = tab->yearModel().rowCount();
    const QString path = write("bad.csv", "Twb,Tdb,Hours\n45,55,3000\n60,x,4000\n");
    EXPECT_FALSE(tab->openBins(path));
    EXPECT_FALSE(tab->openBins(write("nohours.csv", "Twb,Tdb\n45,55\n")));
    const std::vector<desktop::test::ShownBox> shown = messages.take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].prompt, QStringLiteral("The bins were not opened:\r\ncannot read ") + path +
                                   QStringLiteral(": line 3: Tdb is not a number: “x” (decimal "
                                                  "mark “.”)"));
    EXPECT_TRUE(shown[1].prompt.endsWith(QStringLiteral("name the columns Twb, Tdb and Hours")));
    EXPECT_EQ(tab->yearModel().rowCount(), rows);
}

// A pasted cell that is no number is marked and kept as pasted; the figures stay those of the
// last usable bins until it is mended. A bin without an operating point is named.
TEST_F(Year, shouldMarkABadPastedCellAndNameABinWithoutAnOperatingPoint) {
    const double hoursBefore = totals().hours;
    pasteIntoBins(QStringLiteral("Twb\tTdb\tHours\n45\t55\t3000\nabc\t72\t4000\n"));
    EXPECT_EQ(bin(1, 0).data().toString(), QStringLiteral("abc"));
    EXPECT_TRUE(bin(1, 0).data(Qt::ToolTipRole).toString().startsWith(u"Bin 2, Twb"_qs));
    EXPECT_FALSE(tab->problemText().isEmpty());
    EXPECT_EQ(totals().hours, hoursBefore);
    typeBin(1, 0, QStringLiteral("205"));
    typeBin(1, 1, QStringLiteral("210"));
    EXPECT_TRUE(tab->problemText().isEmpty());
    EXPECT_EQ(totals().hours, 3000.0);
    EXPECT_EQ(totals().hoursLeftOut, 4000.0);
    EXPECT_TRUE(tab->totalsText().contains(QStringLiteral("Left out: bin 2 (no figures")));
    EXPECT_TRUE(tab->tableText(u',').contains(QStringLiteral("no operating point: ")));
}

// Units switched both ways with a marked cell: the usable cells come back as typed, the marked one
// is never touched, and a cell mended in SI is taken in SI.
TEST_F(Year, shouldRewriteUsableCellsInOtherUnitsWithoutMovingThem) {
    pasteIntoBins(QStringLiteral("45\t55\t3000\n60\t-\t4000\n"));
    const YearModel& bins = tab->yearModel();
    window->setUnits(UnitSystem::kSI);
    EXPECT_TRUE(bins.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString().contains(u"°C"_qs));
    EXPECT_NE(bin(0, 0).data().toString(), QStringLiteral("45"));
    EXPECT_EQ(bin(1, 1).data().toString(), QStringLiteral("-"));
    typeBin(1, 1, QStringLiteral("20"));
    EXPECT_TRUE(tab->problemText().isEmpty());
    EXPECT_EQ(tab->year()->bins.size(), 2u);
    window->setUnits(UnitSystem::kUS);
    EXPECT_EQ(bin(0, 0).data().toString(), QStringLiteral("45"));
    EXPECT_EQ(bin(0, 2).data().toString(), QStringLiteral("3000"));
    EXPECT_EQ(bin(1, 1).data().toString(), QStringLiteral("68"));
    EXPECT_EQ(totals().hours, 7000.0);
}

TEST_F(Year, shouldSaveTheBinsSoThatTheyOpenAgain) {
    pasteIntoBins(QStringLiteral("45\t55\t3000\n60\t72\t4000\n72\t85\t1760\n"));
    const YearTotals before = totals();
    const QString path = folder.filePath(QStringLiteral("bins.csv"));
    ASSERT_TRUE(tab->saveBins(path));
    pasteIntoBins(QStringLiteral("50\t60\t10\n"));
    ASSERT_TRUE(tab->openBins(path));
    EXPECT_EQ(totals().fanKilowattHours, before.fanKilowattHours);
    EXPECT_EQ(totals().makeupGallons, before.makeupGallons);
    EXPECT_FALSE(tab->saveBins(folder.filePath(QStringLiteral("none/bins.csv"))));
    ASSERT_EQ(messages.take().size(), 1u);
}

// A new tab's bins make a whole year, and so do the hours in its totals.
TEST_F(Year, shouldStartWithAWholeYearOfBins) {
    EXPECT_EQ(totals().hours + totals().hoursLeftOut, 8760.0);
    EXPECT_TRUE(tab->totalsText().startsWith(u"Year of "_qs + QLocale().toString(8760) + u" h"_qs));
}

// Rows chosen as a user chooses them: several at once, out of order, or none (the current one,
// else the last).
TEST_F(Year, shouldRemoveTheSelectedBins) {
    struct Case {
        const char* name;
        QList<int> selected;
        int current;
        QList<float> left;  ///< the wet bulbs of the bins that stay
    };
    const Case cases[] = {
        {"two rows", {3, 1}, -1, {45, 55}},
        {"one row, another current", {2}, 0, {45, 50, 60}},
        {"the current row", {}, 1, {45, 55, 60}},
        {"nothing chosen", {}, -1, {45, 50, 55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pasteIntoBins(QStringLiteral("45\t55\t1000\n50\t60\t1000\n55\t65\t1000\n60\t70\t1000\n"));
        QTableView* bins = tab->binsTable();
        bins->clearSelection();
        bins->setCurrentIndex(c.current < 0 ? QModelIndex() : bin(c.current, 0));
        bins->clearSelection();
        for (const int row : c.selected)
            bins->selectionModel()->select(bin(row, 1), QItemSelectionModel::Select);
        tab->removeBin();
        QList<float> left;
        for (const WeatherBin& b : tab->yearModel().bins())
            left << b.wetBulb;
        EXPECT_EQ(left, c.left);
    }
}

// A problem under the controls is said as a sentence, and its line is kept whether or not there
// is one, so that the bins below do not jump as it comes and goes.
TEST_F(Year, shouldSayAProblemUnderTheControlsWithoutMovingTheBins) {
    struct Case {
        QLineEdit* box;
        const char* typed;
        QString problemStart;
    };
    tab->fanBox()->setCurrentIndex(static_cast<int>(FanMode::kVariableSpeed));
    const auto binsTop = [this] {
        QCoreApplication::sendPostedEvents();
        return tab->binsTable()->mapTo(tab, QPoint(0, 0)).y();
    };
    const int top = binsTop();
    const Case cases[] = {
        {tab->minimumBox(), "0",
         u"The VFD minimum air flow must be above 0 % and no more than 100 %: the figures are "
         "those of the last usable bins and controls."_qs},
        {tab->setpointBox(), "x", u"The setpoint "_qs},
    };
    auto* problem = find<QLabel>("yearProblem");
    for (const Case& c : cases) {
        c.box->selectAll();
        QTest::keyClicks(c.box, QString::fromLatin1(c.typed));
        EXPECT_TRUE(problem->text().startsWith(c.problemStart)) << problem->text().toStdString();
        EXPECT_EQ(binsTop(), top) << c.typed;
    }
}

TEST_F(Year, shouldDrawTheBarsInWetBulbOrderWhateverTheRowsOrder) {
    pasteIntoBins(QStringLiteral("62\t70\t100\n45\t55\t100\n62\t75\t100\n50\t60\t100\n"));
    EXPECT_EQ(tab->binsByWetBulb(), (std::vector<std::size_t>{1, 3, 0, 2}));
}

}  // namespace
}  // namespace veltrane::performance::test

namespace veltrane::performance::test {
namespace {

// The default design, its tower through the design point with m 0.6, under a VFD to 78 °F: the
// figures the batch tool gives for the same file. The file is opened under full speed and the
// fan control changed while that year runs, so only the newer run's figures may be taken.
TEST_F(Year, shouldRunTheChicagoWeatherFileOffTheWindowsThreadAndTakeTheNewestRun) {
    WeatherYearModel& weather = tab->weatherModel();
    ASSERT_TRUE(tab->openWeather(QStringLiteral(VELTRANE_EXAMPLES "/chicago-ohare-tmy3.epw")));
    EXPECT_TRUE(weather.busy());
    tab->fanBox()->setCurrentIndex(static_cast<int>(FanMode::kVariableSpeed));
    QTRY_VERIFY_WITH_TIMEOUT(!weather.busy(), 120000);
    ASSERT_TRUE(weather.result());
    const OperationSums& year = weather.result()->year.sums.Year();
    EXPECT_EQ(year.hours, 8760.0);
    EXPECT_NEAR(year.MeanColdWater(), 78.39, 0.005);
    EXPECT_EQ(year.hoursAboveSetpoint, 1284.0);
    EXPECT_NEAR(year.makeupGallons / 1e6, 14.83, 0.005);
    EXPECT_NEAR(year.fanKilowattHours, 33184.0, 0.5);
    const double fullLoadMakeup = year.makeupGallons;
    EXPECT_TRUE(find<QLabel>("yearSiteWetBulb")->text().startsWith(u"site: 0.4 % wet bulb "_qs));
    EXPECT_EQ(weather.rowCount(), 13);
    EXPECT_EQ(weather.hoursModel()->rowCount(), 8760);

    // In SI the site's own design wet bulb comes back as the file gives it.
    window->setUnits(UnitSystem::kSI);
    EXPECT_TRUE(find<QLabel>("yearSiteWetBulb")
                    ->text()
                    .contains(u"wet bulb "_qs + QLocale().toString(25.5, 'f', 1) + u" °C"_qs))
        << find<QLabel>("yearSiteWetBulb")->text().toStdString();
    EXPECT_TRUE(tab->tableText(u',').startsWith(u"Month,Hours (h),Mean cold water (°C)"_qs));

    // A load of no heat is refused by the engine's rule and starts no run; half the load runs.
    QLineEdit* load = tab->loadBox();
    load->selectAll();
    QTest::keyClicks(load, u"0"_qs);
    EXPECT_FALSE(weather.busy());
    EXPECT_FALSE(load->toolTip().isEmpty());
    load->selectAll();
    QTest::keyClicks(load, u"50"_qs);
    EXPECT_TRUE(load->toolTip().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!weather.busy(), 120000);
    EXPECT_LT(weather.result()->year.sums.Year().makeupGallons, fullLoadMakeup);
}

}  // namespace
}  // namespace veltrane::performance::test
