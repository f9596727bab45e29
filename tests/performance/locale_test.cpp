// The window in a decimal-comma locale: files of either convention read into the Acceptance and
// Year tabs and saved in the locale's, a header's units read in SI, and one decimal mark on each
// text the window writes (figures, totals, charts), whatever locale the test binary runs in.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "acceptance_model.h"
#include "demand_chart_painter.h"
#include "test_files.h"
#include "year_model.h"

namespace veltrane::performance {
namespace {

/// The default locale for one test, restored after it.
class LocaleScope {
  public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(before_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

  private:
    QLocale before_;
};

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

class Locale : public ::testing::Test {
  protected:
    QString write(const char* name, const QByteArray& bytes) {
        return test::WriteTestFile(folder, name, bytes);
    }

    QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    PerformanceModel design;
    UnitLayer units;
};

/// A decimal point: a '.' between digits that is no German grouping mark (three digits and no
/// fourth after it). Under en_US any '.' between digits is one.
bool HasDecimalPoint(const QString& text, const QLocale& locale) {
    static const QRegularExpression kAny(QStringLiteral("\\d\\.\\d"));
    static const QRegularExpression kNotGrouping(QStringLiteral("\\d\\.(?!\\d{3}(?!\\d))"));
    return text.contains(locale.decimalPoint() == u"," ? kNotGrouping : kAny);
}

struct ConventionCase {
    const char* name;
    QLocale locale;
    QByteArray readings;
    QByteArray bins;
    QByteArray savedBins;  ///< the bins saved back, in the locale's convention
    const char* savedReading;
};

// A German spreadsheet's file ("no column P" before) and a plain one open in either locale; the
// bins are saved as the locale's spreadsheet reads them.
TEST_F(Locale, shouldReadEitherConventionAndSaveInTheLocales) {
    const QByteArray german =
        "P;Twb;Tdb;THot;TCold;Flow;FanPower (hp)\r\n"
        "14,6;60;75;100,0215;75,0215;950;12\r\n";
    const QByteArray plain =
        "P,Twb,Tdb,THot,TCold,Flow,FanPower (hp)\n"
        "14.6,60,75,100.0215,75.0215,950,12\n";
    const QByteArray germanBins = "Twb;Tdb;Hours\n45;55,5;3000,5\n";
    const QByteArray plainBins = "Twb,Tdb,Hours\n45,55.5,3000.5\n";
    const ConventionCase cases[] = {
        {"German file in de_DE", kGerman, german, germanBins, germanBins,
         "14,6;60;75;100,0215;75,0215;950;12;"},
        {"plain file in de_DE", kGerman, plain, plainBins, germanBins,
         "14,6;60;75;100,0215;75,0215;950;12;"},
        {"German file in en_US", kEnglish, german, germanBins, plainBins,
         "14.6,60,75,100.0215,75.0215,950,12,"},
    };
    for (const ConventionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LocaleScope scope(c.locale);
        AcceptanceModel readings(design, units);
        ASSERT_TRUE(readings.open(write("readings.csv", c.readings)))
            << readings.message().toStdString();
        ASSERT_TRUE(readings.reading(0));
        EXPECT_EQ(readings.reading(0)->hotWater, 100.0215F);
        EXPECT_EQ(readings.data(readings.index(0, 3), Qt::DisplayRole).toString(),
                  QString(u"100.0215"_qs).replace(u'.', c.locale.decimalPoint()));
        const QString separator = c.locale.decimalPoint() == u"," ? u";"_qs : u","_qs;
        EXPECT_TRUE(
            readings.tableText(separator.front()).contains(QString::fromUtf8(c.savedReading)))
            << readings.tableText(separator.front()).toStdString();

        YearModel year(design, units);
        QString error;
        ASSERT_TRUE(year.open(write("bins.csv", c.bins), error)) << error.toStdString();
        ASSERT_EQ(year.bins().size(), 1U);
        EXPECT_EQ(year.bins()[0].hours, 3000.5F);
        const QString saved = folder.filePath(u"saved.csv"_qs);
        ASSERT_TRUE(year.save(saved, error)) << error.toStdString();
        EXPECT_EQ(read(saved), c.savedBins);
    }
}

// Pasted rows as a spreadsheet of either convention copies them.
TEST_F(Locale, shouldPasteSemicolonRowsWithDecimalCommasInEitherLocale) {
    for (const QLocale& locale : {kGerman, kEnglish}) {
        const LocaleScope scope(locale);
        YearModel year(design, units);
        year.paste(u"Twb;Tdb;Hours\n45;55,5;3000,5\n"_qs);
        ASSERT_EQ(year.bins().size(), 1U) << locale.name().toStdString();
        EXPECT_EQ(year.bins()[0].dryBulb, 55.5F);
        EXPECT_EQ(year.bins()[0].hours, 3000.5F);
    }
}

struct SiHeaderCase {
    const char* header;
    float wetBulb;        ///< °F
    float waterFlow;      ///< gpm
    const char* refusal;  ///< empty when the file opens
};

// Under SI a header's unit is read and converted at the edge; a column without one is in the
// units shown; a unit of another quantity is refused with the column named.
TEST_F(Locale, shouldReadTheUnitsAnSiHeaderNames) {
    units.setSystem(UnitSystem::kSI);
    // 10 m³/h in US gallons a minute, from the gallon's definition (231 in³); 10 L/s is 36 m³/h.
    const double gpm10 = 10.0 / (231.0 * 0.0254 * 0.0254 * 0.0254 * 60.0);
    const auto litres = static_cast<float>(gpm10 * 3.6);
    const auto cubicMetres = static_cast<float>(gpm10);
    const SiHeaderCase cases[] = {
        {"P (kPa),Twb (°C),Tdb,THot,TCold,Flow (L/s),FanPower (kW)", 59.0F, litres, ""},
        {"P,Twb (°F),Tdb,THot,TCold,Flow (m³/h),FanPower (kW)", 15.0F, cubicMetres, ""},
        {"P,Twb,Tdb,THot,TCold,Flow,FanPower (kW)", 59.0F, cubicMetres, ""},
        {"P,Twb (kg),Tdb,THot,TCold,Flow,FanPower (kW)", 0.0F, 0.0F,
         "column Twb (kg) is in kg, not in °F or °C"},
        {"P,Twb,Tdb,THot,TCold,Flow (kPa),FanPower (kW)", 0.0F, 0.0F,
         "column Flow (kPa) is in kPa, not in gpm or m³/h"},
    };
    for (const SiHeaderCase& c : cases) {
        SCOPED_TRACE(c.header);
        AcceptanceModel readings(design, units);
        const QByteArray text = QByteArray(c.header) + "\n101.325,15,24,40,30,10,9.5\n";
        const bool opened = readings.open(write("si.csv", text));
        EXPECT_EQ(opened, *c.refusal == '\0') << readings.message().toStdString();
        EXPECT_TRUE(readings.message().contains(QString::fromUtf8(c.refusal)))
            << readings.message().toStdString();
        if (!opened) continue;
        ASSERT_TRUE(readings.reading(0));
        EXPECT_FLOAT_EQ(readings.reading(0)->wetBulb, c.wetBulb);
        EXPECT_FLOAT_EQ(readings.reading(0)->hotWater, 104.0F);  // 40 in the °C shown
        EXPECT_NEAR(readings.reading(0)->waterFlow, c.waterFlow, 1e-3F);
    }
    // A bins file without units is in °F, as the batch tool reads one and the window saves it.
    YearModel year(design, units);
    QString error;
    ASSERT_TRUE(year.open(write("bins.csv", "Twb,Tdb (°C),Hours\n45,15,3000\n"), error))
        << error.toStdString();
    ASSERT_EQ(year.bins().size(), 1U);
    EXPECT_EQ(year.bins()[0].wetBulb, 45.0F);
    EXPECT_EQ(year.bins()[0].dryBulb, 59.0F);
}

struct ShownCase {
    QLocale locale;
    UnitSystem system;
    Quantity quantity;
    double engineValue;
    const char* expected;
};

// No bare decimal mark beside a unit ("13 °F", not "13. °F"), the locale's marks throughout.
TEST_F(Locale, shouldWriteFiguresAsAnEngineerReadsThem) {
    const ShownCase cases[] = {
        {kEnglish, UnitSystem::kUS, Quantity::kTemperatureDifference, 13.0, "13 °F"},
        {kEnglish, UnitSystem::kUS, Quantity::kPercentage, 100.0, "100 %"},
        {kGerman, UnitSystem::kUS, Quantity::kPercentage, 100.0, "100 %"},
        {kGerman, UnitSystem::kUS, Quantity::kEnergy, 73659.0, "73.659 kWh"},
        {kGerman, UnitSystem::kSI, Quantity::kTemperature, 78.0, "25,556 °C"},
        {kEnglish, UnitSystem::kUS, Quantity::kDimensionless, 0.5, "0.5"},
    };
    for (const ShownCase& c : cases) {
        units.setSystem(c.system);
        EXPECT_EQ(units.shownWithUnit(c.quantity, c.engineValue, c.locale),
                  QString::fromUtf8(c.expected));
    }
    // The engine's sentences: a decimal point between digits, not a full stop.
    EXPECT_EQ(LocalNumbers(u"KAVL < 0.2 at 3 readings. Next."_qs, kGerman),
              u"KAVL < 0,2 at 3 readings. Next."_qs);
}

// Under de_DE the chart's labels and the year's totals write decimal commas alone.
TEST_F(Locale, shouldShowOneDecimalMarkOnTheChartAndTheTotals) {
    const LocaleScope scope(kGerman);
    const chart::ChartLabels labels =
        chart::LayOutLabels(design.calculation().chart, chart::ChartLook{true}, kGerman);
    static const QRegularExpression kDecimalComma(QStringLiteral("\\d,\\d"));
    bool anyComma = false;
    for (const chart::ChartLabels::Box& box : labels.boxes) {
        EXPECT_FALSE(box.text.contains(QRegularExpression(QStringLiteral("\\d\\.\\d"))))
            << box.text.toStdString();
        anyComma = anyComma || box.text.contains(kDecimalComma);
    }
    EXPECT_TRUE(anyComma);

    YearModel year(design, units);
    year.paste(u"45\t55\t3000,5\n60\t72\t4000\n"_qs);
    year.run();
    const QString totals = year.totalsText();
    EXPECT_TRUE(totals.startsWith(u"Year of 7.000,50 h: fan energy "_qs)) << totals.toStdString();
    EXPECT_FALSE(HasDecimalPoint(totals, kGerman)) << totals.toStdString();
    // A bare decimal mark ("73.659, kWh") is a comma with no digit after it.
    EXPECT_FALSE(totals.contains(QRegularExpression(QStringLiteral("\\d,(?!\\d)"))))
        << totals.toStdString();
}

}  // namespace
}  // namespace veltrane::performance
