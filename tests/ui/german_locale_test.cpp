// A user whose locale writes decimals with a comma: the defaults are shown so that they pass the
// locale's own numeric test, and the results carry the locale's marks.
#include <QLocale>
#include <QtTest>

#include "ui_test_main.h"
#include "window_driver.h"

using namespace veltrane::ui;
using namespace veltrane::ui::test;
using namespace veltrane::desktop::test;
namespace desktop = veltrane::desktop;

class GermanLocaleTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void shouldShowAndAcceptTheDefaultsWithADecimalComma() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        QCOMPARE(driver.input(veltrane::Input::kAtmosPress)->text(), QStringLiteral("14,7"));
        QCOMPARE(driver.input(veltrane::Input::kDriftLoss)->text(), QStringLiteral(",001"));
        QCOMPARE(driver.input(veltrane::Input::kFanPress)->text(), QStringLiteral("0,5"));

        driver.clickTab(kOutputsTab);

        QCOMPARE(driver.boxes().shown().size(), std::size_t(0));
        QCOMPARE(driver.results(), Texts("1,8324 78, 27, 23,724 11,852 ,01 35,586 90,625 13,5 "
                                         "500, 29,84 56,84 14,586 121,55 12,749 12,"));
    }

    void shouldGroupThousandsWithThePoint() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.typeInput(veltrane::Input::kWaterFlow, QStringLiteral("100000"));
        driver.clickTab(kOutputsTab);
        QCOMPARE(driver.output(veltrane::Result::kEvaporation)->text(), QStringLiteral("2.372,4"));
        QCOMPARE(driver.output(veltrane::Result::kDryAirFlow)->text(), QStringLiteral("50.000,"));
        QCOMPARE(driver.output(veltrane::Result::kPumpPower)->text(), QStringLiteral("1.200,"));
    }

    // A point is the grouping mark here: "0.001" and "1.000" would read as 1 and a thousand.
    void shouldRefuseADecimalPoint_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("14.7") << QStringLiteral("14.7");
        QTest::newRow("0.001") << QStringLiteral("0.001");
        QTest::newRow("1.000") << QStringLiteral("1.000");
    }
    void shouldRefuseADecimalPoint() {
        QFETCH(QString, typed);
        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.typeInput(veltrane::Input::kAtmosPress, typed);
        driver.boxes().expect(
            {QStringLiteral("You Must Supply a Value for This Item:\r\nAtmos Press (psia)"),
             desktop::MessageAnswer::Ok});
        driver.clickTab(kOutputsTab);
        QVERIFY(driver.boxes().scriptFinished());
        QCOMPARE(driver.window().currentTab(), kInputsTab);
        QCOMPARE(driver.focusName(), QStringLiteral("txtIn_0"));
    }
};

VELTRANE_UI_TEST_MAIN(GermanLocaleTest)
#include "german_locale_test.moc"
