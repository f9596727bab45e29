// The acceptance test's and the year's models without any widget: files and pastes read through
// the engine's CSV reader (quotes, line ends, malformed and overlong records), and their tables
// written so that a CSV reader gets the columns back.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <vector>

#include "../engine/epw_text.h"
#include "acceptance_model.h"
#include "byte_source.h"
#include "csv_reader.h"
#include "recent_files.h"
#include "test_files.h"
#include "weather_year_model.h"
#include "year_model.h"

namespace veltrane::performance {
namespace {

class TabModels : public ::testing::Test {
  protected:
    QString write(const char* name, const QByteArray& bytes) {
        return test::WriteTestFile(folder, name, bytes);
    }

    QTemporaryDir folder;
    PerformanceModel design;
    UnitLayer units;
};

/// A number as the user's locale writes it.
QString Local(const char* usText) {
    return QString::fromLatin1(usText).replace(u'.', QLocale().decimalPoint());
}

/// The number of fields of each record of a CSV text.
std::vector<std::size_t> FieldCounts(const QString& text) {
    const std::string bytes = text.toStdString();
    StringSource source(bytes);
    CsvReader reader(source);
    CsvRecord record;
    std::vector<std::size_t> counts;
    while (reader.Next(record))
        counts.push_back(record.error.empty() ? record.fields.size() : 0);
    return counts;
}

const QByteArray kReadingsHeader = "P,Twb,Tdb,THot,TCold,Flow,FanPower\r\n";
const QByteArray kReading = "14.6,60,75,100.0215,75.0215,950,12\r\n";

struct ReadingsFile {
    const char* name;
    QByteArray bytes;
    const char* message;  ///< what the model says after the path, empty when the file opens
    int rows;             ///< the readings taken, with the spare row
};

TEST_F(TabModels, shouldOpenReadingsAsTheBatchToolReadsCsvAndNameTheLineOfAMalformedRecord) {
    AcceptanceModel readings(design, units);
    const std::vector<ReadingsFile> files{
        {"quoted.csv",
         "\xEF\xBB\xBF\"P\",\"Twb (\xC2\xB0"
         "F)\",Tdb,THot,TCold,Flow,FanPower\r\n" +
             kReading + "\r\n" + kReading,
         "", 3},
        {"stray_quote.csv", kReadingsHeader + kReading + "14.6,\"60\"x,75,99,74,950,12\r\n",
         ": line 3: text after a closing quote", 3},
        {"overlong.csv", kReadingsHeader + QByteArray(1 << 21, '7') + "\n",
         ": line 2: a record of more than 1 MB (1048576 bytes)", 3},
    };
    for (const ReadingsFile& file : files) {
        SCOPED_TRACE(file.name);
        const QString path = write(file.name, file.bytes);
        EXPECT_EQ(readings.open(path), *file.message == '\0');
        EXPECT_EQ(readings.message(), *file.message == '\0' ? QString()
                                                            : u"cannot read "_qs + path +
                                                                  QString::fromUtf8(file.message));
        EXPECT_EQ(readings.rowCount(), file.rows);
        EXPECT_EQ(readings.evaluatedCount(), 2U);
    }
}

TEST_F(TabModels, shouldPasteQuotedCellsAndRefuseAPasteWithAnOpenQuote) {
    AcceptanceModel readings(design, units);
    const QString reading = QStringList{u"\""_qs + Local("14.6") + u"\""_qs,
                                        u"60"_qs,
                                        u"75"_qs,
                                        u"\""_qs + Local("100.0215") + u"\""_qs,
                                        Local("75.0215"),
                                        u"950"_qs,
                                        u"12"_qs}
                                .join(u'\t');
    EXPECT_TRUE(readings.paste(reading + u'\n', 0, 0));
    EXPECT_EQ(readings.evaluatedCount(), 1U);
    EXPECT_EQ(readings.index(0, 3).data().toString(), Local("100.0215"));
    EXPECT_FALSE(readings.paste(u"14.6\t\"60\n"_qs, 1, 0));
    EXPECT_EQ(readings.message(), u"Nothing pasted: line 1: unterminated quote"_qs);
    EXPECT_EQ(readings.rowCount(), 2);
}

// A note holding commas (the reason a reading or a bin has no result) stays one field.
TEST_F(TabModels, shouldWriteTablesWhoseRowsReadBackWithTheHeadersColumns) {
    AcceptanceModel readings(design, units);
    readings.paste(u"15\tabc\t75\t99\t74\t950\t12\n15\t60\t75\t70\t74\t950\t12\n"_qs, 0, 0);
    YearModel year(design, units);
    year.paste(u"45\t55\t3000\n205\t210\t4000\n"_qs);
    for (const QString& text : {readings.tableText(u','), year.tableText(u',')}) {
        SCOPED_TRACE(text.toStdString());
        const std::vector<std::size_t> counts = FieldCounts(text);
        ASSERT_GE(counts.size(), 3U);  // the header, two rows and the year's totals
        EXPECT_EQ(counts, std::vector<std::size_t>(counts.size(), counts.front()));
    }
}

TEST_F(TabModels, shouldOpenAQuotedBinsFileAndSaveItAsTheBatchToolWritesOne) {
    YearModel year(design, units);
    QString error;
    ASSERT_TRUE(year.open(write("bins.csv", "\"Twb\",\"Tdb\",\"Hours\"\r\n45,55,3000\r\n"), error))
        << error.toStdString();
    ASSERT_EQ(year.bins().size(), 1U);
    EXPECT_EQ(year.bins()[0].hours, 3000.0);
    const QString saved = folder.filePath(u"saved.csv"_qs);
    ASSERT_TRUE(year.save(saved, error));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Where the decimal mark is a comma, the locale's spreadsheet reads ';' separators.
    EXPECT_EQ(file.readAll(), QLocale().decimalPoint() == u","
                                  ? QByteArray("Twb;Tdb;Hours\n45;55;3000\n")
                                  : QByteArray("Twb,Tdb,Hours\n45,55,3000\n"));
}

struct YearRuleCase {
    const char* name;
    UnitSystem units;
    const char* bins;      ///< pasted
    const char* setpoint;  ///< typed in the units, '.' for the locale's mark
    const char* problem;   ///< the model's problem, empty when the year runs
};

// The batch tool's rules, through the engine's own checks: air whose wet bulb is above its dry
// bulb, and a setpoint outside liquid water, checked in the units typed.
TEST_F(TabModels, shouldRefuseWhatTheBatchToolRefuses) {
    const std::vector<YearRuleCase> cases = {
        {"usable", UnitSystem::kUS, "60\t65\t100\n", "78", ""},
        {"saturated air", UnitSystem::kUS, "60\t60\t100\n", "78", ""},
        {"wet above dry", UnitSystem::kUS, "60\t65\t100\n66\t65\t100\n", "78",
         "Bin 2: wet bulb must not be above the dry bulb"},
        {"ice", UnitSystem::kUS, "60\t65\t100\n", "31.9",
         "The setpoint must be a cold water temperature from 32 F to 212 F"},
        {"steam", UnitSystem::kUS, "60\t65\t100\n", "212.1",
         "The setpoint must be a cold water temperature from 32 F to 212 F"},
        {"boiling point typed in SI", UnitSystem::kSI, "15\t18\t100\n", "100", ""},
        {"above boiling in SI", UnitSystem::kSI, "15\t18\t100\n", "100.1",
         "The setpoint must be a cold water temperature from 0 C to 100 C"},
    };
    for (const YearRuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        UnitLayer shown;
        shown.setSystem(c.units);
        YearModel year(design, shown);
        year.paste(QString::fromUtf8(c.bins));
        year.typeSetpoint(Local(c.setpoint));
        EXPECT_EQ(year.problem().toStdString(), std::string(c.problem));
    }
}

/// The fields of the table's last record, the year's totals.
QStringList TotalsFields(const QString& text) {
    const std::string bytes = text.toStdString();
    StringSource source(bytes);
    CsvReader reader(source);
    CsvRecord record;
    QStringList fields;
    while (reader.Next(record)) {
        fields.clear();
        for (const std::string_view field : record.fields)
            fields << QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
    }
    return fields;
}

// A cold bin must not hide the warm one: Above Setpoint is the mean over the hours above alone,
// the degree-hours are those hours' own, and a bin without figures is named in the Notes.
TEST_F(TabModels, shouldTotalTheHoursAboveTheSetpointAloneAndNameABinLeftOut) {
    YearModel year(design, units);
    year.setFanMode(FanMode::kFull);
    year.paste(u"40\t50\t1000\n75\t85\t10\n205\t210\t400\n"_qs);
    ASSERT_TRUE(year.year());
    const BinOperation& warm = year.year()->bins[1];
    ASSERT_TRUE(warm.aboveSetpoint);
    const double above = static_cast<double>(warm.run.coldWater) - 78.0;
    const QStringList totals = TotalsFields(year.tableText(u','));
    ASSERT_EQ(totals.size(), year.resultsHeader().size());
    EXPECT_NEAR(totals[7].toDouble(), above, 1e-5);
    EXPECT_NEAR(totals[8].toDouble(), above * 10.0, 1e-4);
    EXPECT_TRUE(totals[9].contains(u"left out: 1 row without results (bin 3; 400 hours)"_qs))
        << totals[9].toStdString();
}

// Newest first, each file once, at most kMostFiles; a file that no longer opens is dropped.
TEST_F(TabModels, shouldKeepRecentFilesNewestFirstWithoutRepeats) {
    QSettings settings(folder.filePath(u"recent.ini"_qs), QSettings::IniFormat);
    RecentFiles recent(settings, u"recent"_qs);
    const auto path = [this](int k) { return folder.filePath(QStringLiteral("%1.epw").arg(k)); };
    for (int k = 0; k < RecentFiles::kMostFiles + 2; ++k)
        recent.add(path(k));
    recent.add(path(5));
    recent.remove(path(9));
    const QStringList kept = recent.paths();
    ASSERT_EQ(kept.size(), RecentFiles::kMostFiles - 1);
    EXPECT_EQ(kept[0], path(5));
    EXPECT_EQ(kept[1], path(8));
    EXPECT_EQ(kept.count(path(5)), 1);
    EXPECT_FALSE(kept.contains(path(1)));
}

// A file that is no weather file, or a load file with a gap, is refused with the path and the
// engine's reason, and what was in use stays in use.
TEST_F(TabModels, shouldRefuseAFileThatIsNoWeatherFileAndALoadFileWithAGap) {
    WeatherYearModel weather(units);
    QString error;
    const QString bins = write("bins.csv", "Twb,Tdb,Hours\n45,55,3000\n");
    EXPECT_FALSE(weather.open(bins, error));
    EXPECT_TRUE(error.startsWith(u"cannot read "_qs + bins + u": "_qs)) << error.toStdString();
    EXPECT_FALSE(weather.isOpen());
    const QString load = write("load.csv", "Month,Hour,Load\n1,1,50\n");
    EXPECT_FALSE(weather.openLoad(load, error));
    EXPECT_TRUE(error.startsWith(u"cannot read "_qs + load + u": "_qs)) << error.toStdString();
    EXPECT_TRUE(weather.loadPath().isEmpty());
}

// A short file with a bad hour: the year is its own hours, the bad one counted and named, and
// the months add up to the year.
TEST_F(TabModels, shouldRunAShortWeatherFileAndCountItsBadHour) {
    namespace epw = veltrane::testing::epw;
    const std::string text = epw::Header() + epw::Record("7", "1", "1", "30", "20", "99000") +
                             epw::Record("7", "1", "2", "99.9", "20", "99000") +
                             epw::Record("8", "1", "1", "25", "15", "99000");
    const QString path = write("short.epw", QByteArray::fromStdString(text));
    WeatherYearModel weather(units);
    QString error;
    ASSERT_TRUE(weather.open(path, error)) << error.toStdString();
    FanControl control;
    control.setpoint = 80.0F;
    weather.request(design.calculation().inputs, *design.calculation().tower, control);
    QTRY_VERIFY_WITH_TIMEOUT(!weather.busy(), 60000);
    ASSERT_TRUE(weather.result());
    EXPECT_EQ(weather.value(6, kMonthHours) + weather.value(7, kMonthHours),
              weather.value(12, kMonthHours));
    EXPECT_EQ(weather.value(12, kMonthHours), 2.0);
    const QString totals = weather.totalsText();
    EXPECT_TRUE(totals.contains(u"a year of its own hours"_qs)) << totals.toStdString();
    EXPECT_TRUE(totals.contains(u"Left out: 1 h"_qs)) << totals.toStdString();
    EXPECT_TRUE(totals.contains(u"Bad hours: 1 (line 10: dry bulb (field 7)"_qs))
        << totals.toStdString();
}

std::vector<float> Approaches(const DemandChart& chart) {
    std::vector<float> approaches;
    for (const ChartCurve& curve : chart.curves)
        approaches.push_back(curve.curve.approach);
    return approaches;
}

// In SI the Demand tab draws whole kelvins; the acceptance chart draws the very same curves.
TEST_F(TabModels, shouldDrawTheAcceptanceChartOnTheDemandChartsApproaches) {
    AcceptanceModel readings(design, units);
    readings.paste(QStringList{Local("14.6"), u"60"_qs, u"75"_qs, Local("100.0215"),
                               Local("75.0215"), u"950"_qs, u"12"_qs}
                       .join(u'\t'),
                   0, 0);
    for (const UnitSystem system : {UnitSystem::kUS, UnitSystem::kSI}) {
        design.setChartUnits(system);
        readings.evaluate();
        ASSERT_TRUE(readings.chart());
        EXPECT_EQ(Approaches(*readings.chart()), Approaches(design.calculation().chart));
    }
}

}  // namespace
}  // namespace veltrane::performance
