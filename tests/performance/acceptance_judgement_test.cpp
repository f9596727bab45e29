// The acceptance test's judgement without any widget: the test limits marked on the readings, the
// fan power's units, the maker's curves refused with the engine's reasons, and the verdict by the
// method that decides.
#include <gtest/gtest.h>

#include <QLocale>

#include "acceptance_model.h"

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
    readings.makerCurves().clear();
    EXPECT_TRUE(readings.verdictText().endsWith(QStringLiteral("(by the characteristic curve)")));
}

}  // namespace
}  // namespace veltrane::performance
