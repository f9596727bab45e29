// User stories of the recalculation: GIVEN the inputs typed, WHEN the user turns to the Outputs
// tab, THEN these messages in this order, this tab and focus, and these result texts.
#include <QtTest>

#include <vector>

#include "system_messages.h"
#include "ui_test_main.h"
#include "window_driver.h"

using namespace veltrane::ui;
using namespace veltrane::ui::test;
using namespace veltrane::desktop::test;
namespace desktop = veltrane::desktop;

using Edits = QList<QPair<int, QString>>;
using Script = std::vector<ScriptedBox>;
Q_DECLARE_METATYPE(Script)

namespace {

// Results of the designs used below (the default inputs, changed where the name says).
const QStringList kDefaults = Texts(
    "1.8324 78. 27. 23.724 11.852 .01 35.586 90.625 13.5 500. 29.84 56.84 14.586 121.55 12.749 "
    "12.");
const QStringList kApproach5 = Texts(
    "6.677 70. 35. 29.449 14.714 .01 44.173 95.625 17.5 500. 29.84 64.84 14.847 123.73 12.977 12.");
const QStringList kApproach7_5 = Texts(
    "3.9563 72.5 32.5 26.478 13.229 .01 39.717 94.375 16.25 500. 29.84 62.34 14.747 122.89 12.89 "
    "12.");
const QStringList kApproach35 = Texts(
    ".11463 100. 5. 7.8574 3.9187 .01 11.786 70.625 2.5 500. 29.84 34.84 13.716 114.3 11.988 12.");
const QStringList kSaturatedInlet = Texts(
    ".32725 98. 7. 6.0372 3.0086 .01 9.0557 90.625 3.5 500. 49.276 56.276 14.586 121.55 12.749 "
    "12.");
const QStringList kZeroRange =
    Texts(". 78. . 11.595 5.7876 .01 17.393 77.594 . 500. 29.84 29.84 13.977 116.48 12.217 12.");
const QStringList kNoDrivingForce =
    Texts("NaN 65. . 4.6089 2.2945 .01 6.9134 65. . 500. 29.84 29.84 13.501 112.51 11.801 12.");
const QStringList kHotWater70 = Texts(
    "-.68823 78. -8. 6.4803 3.2301 .01 9.7204 69.375 -4. 500. 29.84 21.84 13.654 113.78 11.934 "
    "12.");
const QStringList kZeroPressure =
    Texts("-3.2988 78. 27. . -.01 .01 . 104.38 13.5 500. -663.14 -636.14 . . . 12.");

ScriptedBox Error(const QString& prompt) {
    return {prompt, desktop::MessageAnswer::Ok};
}
ScriptedBox Yes(const QString& prompt) {
    return {prompt, desktop::MessageAnswer::Yes};
}
ScriptedBox No(const QString& prompt) {
    return {prompt, desktop::MessageAnswer::No};
}

const QString kUnchecked;  // the focus is not part of the story

}  // namespace

class RecalculationTest : public QObject {
    Q_OBJECT

  private slots:
    void shouldValidateAndRecalculateOnTheWayToOutputs_data() {
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<Script>("script");
        QTest::addColumn<int>("tabAfter");
        QTest::addColumn<QString>("focusAfter");
        QTest::addColumn<QStringList>("resultsAfter");

        const int inputs = kInputsTab;
        const int outputs = kOutputsTab;
        const auto focus = [](int i) { return QStringLiteral("txtIn_%1").arg(i); };

        QTest::newRow("defaults: no message")
            << Edits{} << Script{} << outputs << kUnchecked << kDefaults;
        QTest::newRow("empty Atmos Press")
            << Edits{{0, ""}} << Script{Error(kSupplyValue + "Atmos Press (psia)")} << inputs
            << focus(0) << kDefaults;
        QTest::newRow("blank Drift Loss")
            << Edits{{8, "   "}} << Script{Error(kSupplyValue + "Drift Loss (%)")} << inputs
            << focus(8) << kDefaults;
        QTest::newRow("letters in Fan Efficency")
            << Edits{{11, "abc"}} << Script{Error(kSupplyValue + "Fan Efficency (%)")} << inputs
            << focus(11) << kDefaults;
        QTest::newRow("non-numeric wet bulb: neither question nor wet-bulb check")
            << Edits{{1, "x"}, {4, "5"}}
            << Script{Error(kSupplyValue + "Inlet Air Wet Bulb Temp (F)")} << inputs << focus(1)
            << kDefaults;
        QTest::newRow("first bad box from the top")
            << Edits{{7, ""}, {2, ""}}
            << Script{Error(kSupplyValue + "Inlet Air Dry Bulb Temp (F)")} << inputs << focus(2)
            << kDefaults;
        QTest::newRow("inf is not a value")
            << Edits{{3, "inf"}} << Script{Error(kSupplyValue + "Hot Water Temp (F)")} << inputs
            << focus(3) << kDefaults;
        QTest::newRow("NaN is not a value")
            << Edits{{6, "NaN"}} << Script{Error(kSupplyValue + "Circulating Water Flow (gpm)")}
            << inputs << focus(6) << kDefaults;
        QTest::newRow("approach beyond single precision")
            << Edits{{4, "1e39"}} << Script{Error(kSupplyValue + "Approach = TCold-Twb (F)")}
            << inputs << focus(4) << kDefaults;
        QTest::newRow("approach 7 asks, No")
            << Edits{{4, "7"}} << Script{No(kApproachQuestion)} << inputs << focus(4) << kDefaults;
        QTest::newRow("approach 7.5 asks nothing")
            << Edits{{4, "7.5"}} << Script{} << outputs << kUnchecked << kApproach7_5;
        QTest::newRow("approach 5, No")
            << Edits{{4, "5"}} << Script{No(kApproachQuestion)} << inputs << focus(4) << kDefaults;
        QTest::newRow("approach 5, Yes, then KaV/L above 5 answered No")
            << Edits{{4, "5"}} << Script{Yes(kApproachQuestion), No(kHighKaVL)} << outputs
            << kUnchecked << kApproach5;
        QTest::newRow("approach 5, Yes, then KaV/L above 5 answered Yes")
            << Edits{{4, "5"}} << Script{Yes(kApproachQuestion), Yes(kHighKaVL)} << inputs
            << focus(4) << kApproach5;
        QTest::newRow("approach 5, Yes, then wet bulb above dry bulb")
            << Edits{{4, "5"}, {1, "86"}} << Script{Yes(kApproachQuestion), Error(kWetBulbError)}
            << inputs << focus(1) << kDefaults;
        QTest::newRow("wet bulb equal to dry bulb is accepted")
            << Edits{{1, "85"}} << Script{} << outputs << kUnchecked << kSaturatedInlet;
        QTest::newRow("wet bulb 85.5 over dry bulb 85")
            << Edits{{1, "85.5"}} << Script{Error(kWetBulbError)} << inputs << focus(1)
            << kDefaults;
        QTest::newRow("THot 70: only the range message")
            << Edits{{3, "70"}} << Script{Error(kRangeError)} << inputs << focus(3) << kDefaults;
        QTest::newRow("zero range passes, then KaV/L below 0.2 answered No")
            << Edits{{3, "78"}} << Script{No(kLowKaVL)} << outputs << kUnchecked << kZeroRange;
        QTest::newRow("approach 35, KaV/L below 0.2 answered Yes: all boxes still written")
            << Edits{{4, "35"}} << Script{Yes(kLowKaVL)} << inputs << focus(4) << kApproach35;
        QTest::newRow("approach 35, KaV/L below 0.2 answered No")
            << Edits{{4, "35"}} << Script{No(kLowKaVL)} << outputs << kUnchecked << kApproach35;
        QTest::newRow("KaV/L not a number asks no KaV/L question")
            << Edits{{4, "0"}, {3, "65"}} << Script{Yes(kApproachQuestion)} << outputs << kUnchecked
            << kNoDrivingForce;
        QTest::newRow("blanks around a number")
            << Edits{{1, " 65 "}} << Script{} << outputs << kUnchecked << kDefaults;
        // A grouping mark is never read (docs/kept-as-is.md): "1,000" is no number.
        QTest::newRow("a grouping mark is no number")
            << Edits{{6, "1,000"}} << Script{Error(kSupplyValue + "Circulating Water Flow (gpm)")}
            << inputs << focus(6) << kDefaults;
    }
    void shouldValidateAndRecalculateOnTheWayToOutputs() {
        QFETCH(Edits, edits);
        QFETCH(Script, script);
        QFETCH(int, tabAfter);
        QFETCH(QString, focusAfter);
        QFETCH(QStringList, resultsAfter);

        WindowDriver driver;
        QVERIFY(driver.ready());
        // GIVEN results of the defaults on show, so that a refused run can be seen to change
        // nothing, and the inputs typed.
        driver.clickTab(kOutputsTab);
        QCOMPARE(driver.results(), kDefaults);
        for (const auto& [index, text] : edits)
            driver.typeInput(std::size_t(index), text);
        driver.boxes().expect(script);
        driver.boxes().setObserver(
            [&driver] { return QStringLiteral("tab %1").arg(driver.window().currentTab()); });

        // WHEN the user turns to the Outputs tab.
        driver.clickTab(kOutputsTab);

        // THEN the boxes of the script, each as the program's own message...
        QCOMPARE(driver.boxes().unexpectedCount(), 0);
        QVERIFY2(driver.boxes().scriptFinished(), "a scripted box was never shown");
        for (const desktop::test::ShownBox& shown : driver.boxes().shown()) {
            const bool question = shown.buttons == desktop::MessageButtons::YesNo;
            QCOMPARE(shown.title, question ? QStringLiteral("Question") : QStringLiteral("Error"));
            QCOMPARE(shown.icon,
                     question ? desktop::MessageIcon::Question : desktop::MessageIcon::Exclamation);
            QCOMPARE(shown.defaultAnswer,
                     question ? desktop::MessageAnswer::Yes : desktop::MessageAnswer::Ok);
            // ...shown while the Outputs tab is still current: the box comes before the move.
            QCOMPARE(shown.stateWhenShown, QStringLiteral("tab 2"));
        }
        // ...then this tab, this focus and these results.
        QCOMPARE(driver.window().currentTab(), tabAfter);
        if (!focusAfter.isEmpty()) QCOMPARE(driver.focusName(), focusAfter);
        QCOMPARE(driver.results(), resultsAfter);
        for (const auto& [index, text] : edits) {
            QCOMPARE(driver.input(std::size_t(index))->text(), text);  // typed text stays
        }
    }

    void shouldRunOnlyWhenOutputsBecomesCurrentFromAnotherTab_data() {
        QTest::addColumn<int>("startTab");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<bool>("runs");

        QTest::newRow("Identification to Outputs") << 0 << QList<int>{2} << true;
        QTest::newRow("Inputs to Outputs") << 1 << QList<int>{2} << true;
        QTest::newRow("Outputs clicked again") << 2 << QList<int>{2} << false;
        QTest::newRow("Outputs to Identification") << 2 << QList<int>{0} << false;
        QTest::newRow("Outputs to Inputs") << 2 << QList<int>{1} << false;
        QTest::newRow("Inputs to Identification and back") << 1 << QList<int>{0, 1} << false;
    }
    void shouldRunOnlyWhenOutputsBecomesCurrentFromAnotherTab() {
        QFETCH(int, startTab);
        QFETCH(QList<int>, clicks);
        QFETCH(bool, runs);

        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.clickTab(kOutputsTab);
        driver.clickTab(startTab);
        // GIVEN a flow whose pump power differs from the one on show (2500 gpm: 30 hp).
        driver.input(veltrane::Input::kWaterFlow)->setText(QStringLiteral("2500"));
        for (const int tab : clicks)
            driver.clickTab(tab);

        QCOMPARE(driver.output(veltrane::Result::kPumpPower)->text(),
                 runs ? QStringLiteral("30.") : QStringLiteral("12."));
        QCOMPARE(driver.boxes().unexpectedCount(), 0);
    }

    void shouldRunOnTheOutputsAccessKey() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        QTest::keyClick(&driver.window(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(driver.window().currentTab(), kOutputsTab);
        QCOMPARE(driver.results(), kDefaults);
    }

    void shouldRunAgainAfterTheUserCorrectsARefusedInput() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.typeInput(veltrane::Input::kAtmosPress, QString());
        driver.boxes().expect(Error(kSupplyValue + "Atmos Press (psia)"));
        driver.clickTab(kOutputsTab);
        QCOMPARE(driver.results(), QStringList(16, QString()));  // still empty

        // The refusal turned back to the Inputs tab with the focus in the empty box: type there.
        QCOMPARE(driver.focusName(), QStringLiteral("txtIn_0"));
        QTest::keyClicks(driver.input(veltrane::Input::kAtmosPress), QStringLiteral("14.7"));
        driver.clickTab(kOutputsTab);
        QCOMPARE(driver.boxes().shown().size(), std::size_t(1));
        QCOMPARE(driver.results(), kDefaults);
    }

    void shouldRunWithoutChecksForThePrintedReport_data() {
        QTest::addColumn<int>("startTab");
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<QStringList>("resultsAfter");

        QTest::newRow("defaults") << kInputsTab << Edits{} << kDefaults;
        QTest::newRow("empty box counts as 0") << kInputsTab << Edits{{0, ""}} << kZeroPressure;
        QTest::newRow("text counts as 0") << kInputsTab << Edits{{0, "psia"}} << kZeroPressure;
        QTest::newRow("1e39 counts as 0") << kInputsTab << Edits{{0, "1e39"}} << kZeroPressure;
        QTest::newRow("inf counts as 0")
            << kIdentificationTab << Edits{{0, "-inf"}} << kZeroPressure;
        QTest::newRow("negative range is written")
            << kIdentificationTab << Edits{{3, "70"}} << kHotWater70;
        QTest::newRow("small approach and high KaV/L ask nothing")
            << kOutputsTab << Edits{{4, "5"}} << kApproach5;
    }
    void shouldRunWithoutChecksForThePrintedReport() {
        QFETCH(int, startTab);
        QFETCH(Edits, edits);
        QFETCH(QStringList, resultsAfter);

        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.clickTab(startTab);  // on the way to Outputs the defaults pass every check
        for (const auto& [index, text] : edits)
            driver.input(std::size_t(index))->setText(text);
        const QString focusBefore = driver.focusName();

        driver.window().ComputeOutputs(false);

        QCOMPARE(driver.boxes().shown().size(), std::size_t(0));
        QCOMPARE(driver.window().currentTab(), startTab);
        QCOMPARE(driver.focusName(), focusBefore);
        QCOMPARE(driver.results(), resultsAfter);
    }
};

VELTRANE_UI_TEST_MAIN(RecalculationTest)
#include "recalculation_test.moc"
