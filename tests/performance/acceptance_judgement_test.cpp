// The acceptance test's judgement without any widget: the test limits marked on the readings, the
// fan power's units, the maker's curves refused with the engine's reasons, and the verdict by the
// method that decides.
#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "acceptance_model.h"
#include "test_files.h"
#include "test_report_fill.h"

namespace veltrane::performance {
namespace {

class Judgement : public ::testing::Test {
  protected:
    PerformanceModel design;
    UnitLayer units;
    AcceptanceModel readings{design, units};

    /// A reading pasted into the first row, in US units ('.' becomes the locale's mark).
    void read(const char* row) {
        ASSERT_TRUE(readings.paste(Local(row), 0, 0)) << readings.message().toStdString();
    }
    static QString Local(const char* usText) {
        return QString::fromLatin1(usText).replace(u'.', QLocale().decimalPoint());
    }
    /// A file in the test's own folder.
    QString write(const char* name, const QByteArray& bytes) {
        return test::WriteTestFile(folder, name, bytes);
    }
    QTemporaryDir folder;

    [[nodiscard]] std::vector<TestLimit> passed() const {
        std::vector<TestLimit> limits;
        for (const LimitPassed& p : readings.limitsPassed(0))
            limits.push_back(p.limit);
        return limits;
    }
    [[nodiscard]] QString tip(int column) const {
        return readings.data(readings.index(0, column), Qt::ToolTipRole).toString();
    }
};

// The design is the window's default: 14.7 psia, wet bulb 65 °F, 105 to 78 °F, 1000 gpm.
TEST_F(Judgement, shouldMarkEveryLimitAReadingPassesWhereItIsMeasured) {
    struct Case {
        const char* row;
        std::vector<TestLimit> passed;
        int markedColumn;  ///< a cell that says so; -1 for none
        const char* tip;
    };
    const Case cases[] = {
        {"14.7\t50\t75\t92\t65\t1000\t12", {TestLimit::kWetBulb}, 1, "wet bulb 15"},
        {"12.5\t65\t85\t105\t78\t1000\t12", {TestLimit::kPressure}, 0, "barometric pressure"},
        {"14.7\t65\t85\t105\t78\t1000\t20", {TestLimit::kFanPower}, 6, "fan power"},
    };
    readings.typeFanPower(Local("12"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        read(c.row);
        EXPECT_EQ(passed(), c.passed);
        EXPECT_TRUE(tip(c.markedColumn).contains(QLatin1String(c.tip)))
            << tip(c.markedColumn).toStdString();
        EXPECT_TRUE(readings.note(0).contains(QStringLiteral("outside the test limits")));
        EXPECT_TRUE(readings.detailText().contains(QStringLiteral("outside the test limits")));
    }
}

// One reading far from the others is named in the summary, beside the spread of all.
TEST_F(Judgement, shouldNameAReadingThatStandsApart) {
    const QString fair = Local("14.7\t65\t85\t105\t78\t1000\t12.7\n");
    readings.typeFanPower(Local("12.7"));
    ASSERT_TRUE(readings.paste(fair + fair + Local("14.7\t65.2\t85\t105\t78\t1000\t12.7\n") +
                                   Local("14.7\t65\t85\t105\t81\t1000\t12.7\n"),
                               0, 0));
    EXPECT_TRUE(readings.detailText().contains(QStringLiteral("Spread of 4 readings")))
        << readings.detailText().toStdString();
    EXPECT_TRUE(readings.detailText().contains(QStringLiteral("Reading 4 stands apart")))
        << readings.detailText().toStdString();
    EXPECT_TRUE(readings.note(3).contains(QStringLiteral("stands apart")));
    EXPECT_FALSE(readings.note(2).contains(QStringLiteral("stands apart")));
}

TEST_F(Judgement, shouldTakeAContractsLimitAndRefuseOneNotAboveZero) {
    read("14.7\t50\t75\t92\t65\t1000\t12");
    readings.typeLimit(TestLimit::kWetBulb, Local("20"));
    EXPECT_TRUE(readings.limitsPassed(0).empty());
    readings.typeLimit(TestLimit::kWetBulb, QStringLiteral("0"));
    EXPECT_TRUE(readings.message().contains(QStringLiteral("above 0")))
        << readings.message().toStdString();
    EXPECT_TRUE(readings.limitsPassed(0).empty());  // the last good limit stands
    readings.typeLimit(TestLimit::kWetBulb, QString());
    EXPECT_EQ(readings.limitsPassed(0).size(), 1U);  // the codes' 12 °F again
}

// Motor kW logged against a design power in hp is a mistake the fan-power limit catches; named
// units on both sides put it right. A number without one is in the unit the table shows (hp).
TEST_F(Judgement, shouldBringTheReadingsFanPowerIntoTheDesignsUnit) {
    struct Case {
        const char* designPower;
        PowerUnit readingsUnit;
        bool fanLimitPassed;
    };
    const Case cases[] = {
        {"9.5", PowerUnit::kUnstated, false},
        {"12.7hp", PowerUnit::kKilowatt, false},   // 9.5 kW is 12.74 hp
        {"12.7hp", PowerUnit::kHorsepower, true},  // 9.5 hp: 75 %
        {"9.5kW", PowerUnit::kKilowatt, false},
        {"9.5 kW", PowerUnit::kHorsepower, true},
        {"9.5kW", PowerUnit::kUnstated, true},  // the table's hp: 75 %
    };
    read("14.7\t65\t85\t105\t78\t1000\t9.5");
    readings.typeFanPower(Local("9.5"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.designPower);
        readings.typeFanPower(Local(c.designPower));
        readings.setReadingsPowerUnit(c.readingsUnit);
        EXPECT_TRUE(readings.fanPower().problem.isEmpty())
            << readings.fanPower().problem.toStdString();
        const std::vector<TestLimit> limits = passed();
        const bool fan =
            std::find(limits.begin(), limits.end(), TestLimit::kFanPower) != limits.end();
        EXPECT_EQ(fan, c.fanLimitPassed);
    }
    readings.typeFanPower(QStringLiteral("9.5 horses"));
    EXPECT_FALSE(readings.fanPower().problem.isEmpty());
}

TEST_F(Judgement, shouldRefuseCurvesWithTheEnginesReasonNamingTheRow) {
    struct Case {
        const char* rows;
        const char* says;
    };
    const Case cases[] = {
        {"90\t100\t60\t70\n100\t100\t60\t71\n110\t100\t60\t72\n", "at least 3 are needed"},
        {"90\t100\t60\t70\n90\t100\tabc\t71\n", "row 2: Twb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        readings.makerCurves().clear();
        readings.makerCurves().paste(Local(c.rows), 0, 0);
        EXPECT_FALSE(readings.makerCurves().curves());
        EXPECT_TRUE(readings.makerCurves().refusal().contains(QLatin1String(c.says)))
            << readings.makerCurves().refusal().toStdString();
    }
}

// The maker's curves decide when given; the verdict never contradicts the capability shown.
TEST_F(Judgement, shouldJudgeByTheCurvesWhenGivenElseByTheCharacteristic) {
    read("14.7\t66\t85\t105\t79\t1000\t12.7");
    readings.typeFanPower(Local("12.7"));
    ASSERT_TRUE(readings.verdict());
    EXPECT_TRUE(readings.verdictText().endsWith(QStringLiteral("(by the characteristic curve)")))
        << readings.verdictText().toStdString();
    readings.makerCurves().fill(*design.performanceCurves());
    ASSERT_TRUE(readings.makerCurves().curves()) << readings.makerCurves().refusal().toStdString();
    ASSERT_TRUE(readings.meanByCurves());
    ASSERT_EQ(readings.meanByCurves()->outcome, CurvesOutcome::kEvaluated);
    EXPECT_TRUE(readings.verdictText().endsWith(QStringLiteral("(by the maker's curves)")))
        << readings.verdictText().toStdString();
    const float capability = readings.meanByCurves()->capability;
    EXPECT_EQ(readings.verdict()->meetsDesign, capability >= 100.0F);
    EXPECT_EQ(readings.verdictText().startsWith(QStringLiteral("Meets the design")),
              capability >= 100.0F);
    EXPECT_NE(readings.crossPlot(), std::nullopt);
    // Curves that are given but refused give no verdict rather than the characteristic's.
    readings.makerCurves().paste(Local("90\t100\t60\t70\n"), 0, 0);
    EXPECT_FALSE(readings.makerCurves().curves());
    EXPECT_TRUE(readings.verdictText().startsWith(QStringLiteral("No verdict")));
    EXPECT_FALSE(readings.verdict()->meetsDesign);
    readings.makerCurves().clear();
    EXPECT_TRUE(readings.verdictText().endsWith(QStringLiteral("(by the characteristic curve)")));
}

// A contract's limit means the same temperature or pressure in either units: the box is written
// anew, the readings judged alike.
TEST_F(Judgement, shouldKeepATypedLimitThroughASwitchOfUnits) {
    read("14.7\t50\t75\t92\t65\t1000\t12");
    readings.typeLimit(TestLimit::kWetBulb, Local("18"));
    readings.typeLimit(TestLimit::kPressure, Local("0.5"));
    units.setSystem(UnitSystem::kSI);
    readings.evaluate();
    EXPECT_NEAR(readings.limits()[TestLimit::kWetBulb], 10.0, 1e-5);
    EXPECT_NEAR(readings.limits()[TestLimit::kPressure], 0.5 * 3.386389, 1e-4);
    EXPECT_EQ(readings.limitCell(TestLimit::kWetBulb).text, QLocale().toString(10.0, 'g', 6));
    EXPECT_TRUE(readings.limitsPassed(0).empty());
    // Untyped, a limit is the codes' own SI figure, not the US one converted.
    EXPECT_DOUBLE_EQ(readings.limits()[TestLimit::kWaterFlow], 10.0);
    readings.typeLimit(TestLimit::kWetBulb, QString());
    EXPECT_DOUBLE_EQ(readings.limits()[TestLimit::kWetBulb], 6.7);
    EXPECT_EQ(readings.limitsPassed(0).size(), 1U);
}

// The design tower's own curves and a reading of the design tower itself: 100 % by the curves,
// in US units and after a switch to SI (the curves' cells rewritten in °C).
TEST_F(Judgement, shouldFindTheDesignTowerAtFullCapabilityOnItsOwnCurves) {
    readings.makerCurves().fill(*design.performanceCurves());
    const QString power = readings.fanPower().text;
    read("14.7\t65\t85\t105\t78\t1000\tPOWER");
    readings.paste(power, 0, 6);
    for (const UnitSystem system : {UnitSystem::kUS, UnitSystem::kSI}) {
        units.setSystem(system);
        readings.evaluate();
        ASSERT_TRUE(readings.makerCurves().curves())
            << readings.makerCurves().refusal().toStdString();
        ASSERT_TRUE(readings.byCurves(0));
        ASSERT_EQ(readings.byCurves(0)->outcome, CurvesOutcome::kEvaluated)
            << readings.note(0).toStdString();
        EXPECT_NEAR(readings.byCurves(0)->capability, 100.0F, 0.1F);
        EXPECT_TRUE(readings.limitsPassed(0).empty());
    }
}

struct CurvesFile {
    const char* name;
    QByteArray header;
    const char* error;  ///< a part of the refusal; empty when the file opens
};

// Curves open as the batch tool's --curves-csv writes them; a file in other units or short of a
// column is refused and the curves already given are kept.
TEST_F(Judgement, shouldOpenCurvesAsTheBatchToolWritesThem) {
    const auto body = [] {
        QByteArray rows;
        for (const int flow : {90, 100, 110}) {
            for (const int range : {80, 100, 120}) {
                for (const int wetBulb : {55, 65, 75}) {
                    const double cold =
                        70.0 + 0.6 * (wetBulb - 55) + 0.08 * (flow - 90) + 0.05 * (range - 80);
                    rows += QByteArray::number(flow) + ',' + QByteArray::number(range) + ',' +
                            QByteArray::number(wetBulb) + ',' + QByteArray::number(cold) + "\r\n";
                }
            }
        }
        return rows;
    }();
    const CurvesFile files[] = {
        {"good.csv", "\"Flow (%)\",\"Range (%)\",\"Twb (°F)\",\"TCold (°F)\"\r\n", ""},
        {"kelvin.csv", "Flow (%),Range (%),Twb (K),TCold (K)\r\n", "is in K, not in °F or °C"},
        {"short.csv", "Flow (%),Range (%),Twb\r\n", "no column TCold"},
    };
    for (const CurvesFile& file : files) {
        SCOPED_TRACE(file.name);
        QString error;
        const bool opened =
            readings.makerCurves().open(write(file.name, file.header + body), error);
        EXPECT_EQ(opened, QByteArray(file.error).isEmpty()) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(file.error))) << error.toStdString();
        // The good file's curves stand through the refusals after it.
        ASSERT_TRUE(readings.makerCurves().curves());
        EXPECT_EQ(readings.makerCurves().curves()->flowPercents.size(), 3U);
    }
}

// A readings file names the unit its fan power was logged in.
TEST_F(Judgement, shouldTakeTheReadingsFanPowerUnitFromTheFilesHeader) {
    const QByteArray row = "14.7,65,85,105,78,1000,9.5\r\n";
    QString path = write("kw.csv", "P,Twb,Tdb,THot,TCold,Flow,FanPower (kW)\r\n" + row);
    ASSERT_TRUE(readings.open(path)) << readings.message().toStdString();
    EXPECT_EQ(readings.readingsPowerUnit(), PowerUnit::kKilowatt);
    EXPECT_EQ(readings.headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("FanPower (kW)"));
    path = write("watts.csv", "P,Twb,Tdb,THot,TCold,Flow,FanPower (W)\r\n" + row);
    EXPECT_FALSE(readings.open(path));
    EXPECT_TRUE(readings.message().contains(QStringLiteral("no power unit")))
        << readings.message().toStdString();
    EXPECT_EQ(readings.readingsPowerUnit(), PowerUnit::kKilowatt);  // the readings kept
}

// The report says what the tab shows: a figure beyond its limit marked in the column the limit is
// measured on, a row per reading named as the table names it, the deciding method flagged, and
// the cross-plot only with the maker's curves.
TEST_F(Judgement, shouldFillTheReportAsTheTabJudges) {
    readings.typeFanPower(Local("12.7"));
    ASSERT_TRUE(readings.paste(Local("14.7\t65\t85\t105\t78\t1000\t12.7\n"
                                     "14.7\tabc\t85\t105\t78\t1000\t12.7\n"
                                     "14.7\t50\t75\t92\t65\t1000\t15\n"),
                               0, 0));
    // Wet bulb, dry bulb, hot, cold, range, flow, heat load, fan power, pressure.
    constexpr std::size_t kWetBulbFigure = 0;
    constexpr std::size_t kFanPowerFigure = 7;
    for (const bool curves : {false, true}) {
        SCOPED_TRACE(curves);
        if (curves) readings.makerCurves().fill(*design.performanceCurves());
        const TestReport report = FillTestReport(readings, units, {u"CT-9"_qs, {}, {}, {}, {}});
        EXPECT_EQ(report.title, "CT-9");
        ASSERT_EQ(report.readings.size(), 2U);
        EXPECT_EQ(report.readings[1].name, "3");
        for (const ReportReading& reading : report.readings) {
            ASSERT_EQ(reading.figures.size(), report.readingColumns.size());
            EXPECT_EQ(reading.capabilities.size(), report.methods.size());
        }
        const std::vector<ReadingFigure>& far = report.readings[1].figures;
        for (std::size_t f = 0; f < far.size(); ++f)
            EXPECT_EQ(far[f].limitPassed, f == kWetBulbFigure || f == kFanPowerFigure) << f;
        EXPECT_FALSE(report.readings[0].figures[kFanPowerFigure].limitPassed);
        ASSERT_EQ(report.result.methods.size(), curves ? 2U : 1U);
        EXPECT_TRUE(report.result.methods.front().decides);
        EXPECT_EQ(report.crossPlot.has_value(), curves);
        EXPECT_EQ(report.result.verdict, readings.verdict()->text);
        EXPECT_TRUE(report.demandChart.has_value());
    }
}

}  // namespace
}  // namespace veltrane::performance
