// The one rule by which an input text becomes a number, in English and German.
#include <QLocale>
#include <QtTest>

#include <cmath>

#include "input_number.h"
#include "ui_test_main.h"
#include "utf8_text.h"

using veltrane::desktop::FromUtf8;
using veltrane::desktop::InputNumber;
using veltrane::desktop::InputValueOrZero;
using veltrane::desktop::LocalDefaultText;
using veltrane::desktop::LocaleNumberMarks;

namespace {
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
}  // namespace

class InputNumberTest : public QObject {
    Q_OBJECT

  private slots:
    void shouldAcceptOnlyFiniteSinglePrecisionNumbers_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<float>("value");  // also the run's value; a refused text counts as 0

        // What the locale's own conversion accepts is Qt's; these rows check that the box's
        // locale is the one asked, and what the window refuses on top of it.
        QTest::newRow("plain") << kEnglish << "14.7" << true << 14.7F;
        QTest::newRow("largest float") << kEnglish << "3.4e38" << true << 3.4e38F;
        QTest::newRow("empty counts as 0") << kEnglish << "" << false << 0.0F;
        QTest::newRow("letters count as 0") << kEnglish << "abc" << false << 0.0F;
        QTest::newRow("inf") << kEnglish << "inf" << false << 0.0F;
        QTest::newRow("-INF") << kEnglish << "-INF" << false << 0.0F;
        QTest::newRow("NaN") << kEnglish << "NaN" << false << 0.0F;
        QTest::newRow("beyond float") << kEnglish << "1e39" << false << 0.0F;
        QTest::newRow("German comma") << kGerman << "14,7" << true << 14.7F;
        QTest::newRow("German refuses the point") << kGerman << "14.7" << false << 0.0F;
        QTest::newRow("German inf") << kGerman << "inf" << false << 0.0F;
        // The locale's own conversion reads a grouping mark; the window never does.
        QTest::newRow("grouping") << kEnglish << "1,000" << false << 0.0F;
        QTest::newRow("German 0.001 is no 1") << kGerman << "0.001" << false << 0.0F;
        QTest::newRow("German 1.000 is no 1000") << kGerman << "1.000" << false << 0.0F;
    }
    void shouldAcceptOnlyFiniteSinglePrecisionNumbers() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(float, value);

        const std::optional<float> number = InputNumber(text, locale);
        QCOMPARE(number.has_value(), isNumber);
        if (number) QCOMPARE(*number, value);
        QCOMPARE(InputValueOrZero(text, locale), value);
    }

    void shouldWriteDefaultsWithTheLocaleDecimalMark_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("shown");

        QTest::newRow("en 14.7") << kEnglish << "14.7"
                                 << "14.7";
        QTest::newRow("en .001") << kEnglish << ".001"
                                 << ".001";
        QTest::newRow("de 14.7") << kGerman << "14.7"
                                 << "14,7";
        QTest::newRow("de .001") << kGerman << ".001"
                                 << ",001";
        QTest::newRow("de 0.5") << kGerman << "0.5"
                                << "0,5";
        QTest::newRow("de 1000") << kGerman << "1000"
                                 << "1000";
    }
    void shouldWriteDefaultsWithTheLocaleDecimalMark() {
        QFETCH(QLocale, locale);
        QFETCH(QString, defaultText);
        QFETCH(QString, shown);

        const QByteArray utf8 = defaultText.toUtf8();
        const QString text = LocalDefaultText({utf8.constData(), std::size_t(utf8.size())}, locale);
        QCOMPARE(text, shown);
        QVERIFY2(InputNumber(text, locale).has_value(), "a default must pass the numeric test");
    }

    void shouldTakeResultMarksFromTheLocale() {
        const LocaleNumberMarks english(kEnglish);
        QCOMPARE(FromUtf8(english.marks().grouping), QStringLiteral(","));
        QCOMPARE(FromUtf8(english.marks().decimal), QStringLiteral("."));
        const LocaleNumberMarks german(kGerman);
        QCOMPARE(FromUtf8(german.marks().grouping), QStringLiteral("."));
        QCOMPARE(FromUtf8(german.marks().decimal), QStringLiteral(","));
    }
};

VELTRANE_UI_TEST_MAIN(InputNumberTest)
#include "input_number_test.moc"
