#include "test_report_document.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "acceptance.h"
#include "maker_curves.h"
#include "performance.h"
#include "performance_curves.h"

#include "chart_module.h"
#include "sample_test_report.h"

namespace veltrane::chart {
namespace {

/// Runs a poppler tool on `pdf`, its standard output as text.
QString Poppler(const QString& tool, QStringList arguments, const QString& pdf) {
    QProcess process;
    arguments << pdf << QStringLiteral("-");
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << tool.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class TestReportDocument : public ::testing::Test {
  protected:
    /// Writes `report` and returns its pages' text, one string a page.
    QStringList WrittenPages(const TestReport& report, PaperSize paper = PaperSize::kA4) {
        QString error;
        EXPECT_TRUE(WriteTestReport(report, Path(), paper, error)) << error.toStdString();
        QStringList pages = Poppler(QStringLiteral("pdftotext"), {}, Path()).split(u'\f');
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
        return pages;
    }
    [[nodiscard]] QString Path() const { return dir_.filePath(QStringLiteral("report.pdf")); }

  private:
    QTemporaryDir dir_;
};

/// Text with every run of white space one space (wrapping moves line ends, not words) and the
/// font's ligatures ("ﬁ") as their letters.
QString Flowed(const QString& text) {
    static const QRegularExpression kSpace(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC).replace(kSpace, QStringLiteral(" "));
}

/// The readings named "R-01", "R-02"…: names found in the text once each, wherever it breaks.
TestReport NamedReadings(std::size_t count) {
    TestReport report = SampleTestReport(count);
    for (std::size_t i = 0; i < count; ++i)
        report.readings[i].name = QStringLiteral("R-%1")
                                      .arg(static_cast<qulonglong>(i + 1), 2, 10, QChar(u'0'))
                                      .toStdString();
    return report;
}

TEST_F(TestReportDocument, shouldCarryTheTitleVerdictEveryReadingAndPageNumbers) {
    const TestReport report = NamedReadings(12);
    const QStringList pages = WrittenPages(report);
    const QString all = Flowed(pages.join(u' '));
    EXPECT_TRUE(all.contains(QString::fromStdString(report.title)));
    EXPECT_TRUE(
        all.contains(QStringLiteral("Verdict: ") + QString::fromStdString(report.result.verdict)))
        << "the verdict, whole, however it wraps";
    EXPECT_TRUE(QString::fromStdString(report.result.verdict).startsWith(u"deficient"));
    EXPECT_TRUE(all.contains(QStringLiteral("114.0 % *"))) << "the third reading's fan power";
    for (const ReportReading& reading : report.readings)
        EXPECT_EQ(all.count(QString::fromStdString(reading.name)), 1) << reading.name;
    ASSERT_GE(pages.size(), 2);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())))
            << "page " << p + 1;
    }
}

// Sixty readings outrun a page: every page the table reaches starts with its header again,
// and no row is lost or repeated at a break.
TEST_F(TestReportDocument, shouldRepeatTheReadingsHeaderOnEveryPageTheTableReaches) {
    const TestReport report = NamedReadings(60);
    const QStringList pages = WrittenPages(report);
    int pagesWithReadings = 0;
    for (const QString& page : pages) {
        const bool holdsReadings = page.contains(QStringLiteral("R-"));
        if (!holdsReadings) continue;
        ++pagesWithReadings;
        EXPECT_TRUE(page.contains(QStringLiteral("Notes")) &&
                    page.contains(QStringLiteral("Reading")))
            << page.left(400).toStdString();
    }
    EXPECT_GE(pagesWithReadings, 2);
    const QString all = pages.join(u' ');
    for (const ReportReading& reading : report.readings)
        EXPECT_EQ(all.count(QString::fromStdString(reading.name)), 1) << reading.name;
}

/// Every word's box from `pdftotext -bbox`, with the page it is on.
struct WordBox {
    QString text;
    double right;
    double bottom;
    double pageWidth;
    double pageHeight;
};

std::vector<WordBox> WordBoxes(const QString& html) {
    static const QRegularExpression kPage(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    static const QRegularExpression kWord(QStringLiteral(
        "<word xMin=\"[\\d.]+\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    std::vector<WordBox> words;
    double width = 0.0;
    double height = 0.0;
    for (const QString& line : html.split(u'\n')) {
        if (const QRegularExpressionMatch page = kPage.match(line); page.hasMatch()) {
            width = page.captured(1).toDouble();
            height = page.captured(2).toDouble();
        } else if (const QRegularExpressionMatch word = kWord.match(line); word.hasMatch()) {
            words.push_back({word.captured(3), word.captured(1).toDouble(),
                             word.captured(2).toDouble(), width, height});
        }
    }
    return words;
}

// Long identification texts and notes wrap inside the margins on either paper.
TEST_F(TestReportDocument, shouldKeepEveryWordInsideTheMargins) {
    TestReport report = SampleTestReport(8);
    const std::string longText =
        "reading taken while the east cell's fan was being restarted after a trip of its "
        "vibration switch, the basin level falling and the makeup valve held open by hand "
        "ZEBRAEND";
    report.readings[4].notes = longText;
    report.fields.push_back({"Remarks", longText});
    report.title += ", repeated after the distribution nozzles of all three cells were cleaned";
    for (const PaperSize paper : {PaperSize::kA4, PaperSize::kLetter}) {
        QString error;
        ASSERT_TRUE(WriteTestReport(report, Path(), paper, error)) << error.toStdString();
        const std::vector<WordBox> words =
            WordBoxes(Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox")}, Path()));
        ASSERT_GT(words.size(), 300U);
        int ends = 0;
        for (const WordBox& word : words) {
            // The margin is 50 points; a glyph's box may reach a little past its advance.
            EXPECT_LE(word.right, word.pageWidth - 48.0) << word.text.toStdString();
            EXPECT_LE(word.bottom, word.pageHeight - 48.0) << word.text.toStdString();
            if (word.text == QStringLiteral("ZEBRAEND")) ++ends;
        }
        EXPECT_EQ(ends, 2) << "the note and the remark, each to its last word";
    }
}

TEST(TestReportPaper, shouldFollowTheLocaleAndThePaperAsked) {
    struct Case {
        const char* locale;
        PaperSize paper;
    };
    const Case cases[] = {
        {"en_US.UTF-8", PaperSize::kLetter}, {"en_US", PaperSize::kLetter},
        {"fr_CA.UTF-8", PaperSize::kLetter}, {"es_MX", PaperSize::kLetter},
        {"en-us", PaperSize::kLetter},       {"en_GB.UTF-8", PaperSize::kA4},
        {"de_DE@euro", PaperSize::kA4},      {"C.UTF-8", PaperSize::kA4},
        {"POSIX", PaperSize::kA4},           {"", PaperSize::kA4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaperSizeForLocale(c.locale), c.paper) << c.locale;
    EXPECT_EQ(ParsePaperSize("A4"), PaperSize::kA4);
    EXPECT_EQ(ParsePaperSize("Letter"), PaperSize::kLetter);
    EXPECT_EQ(ParsePaperSize("a5"), std::nullopt);
    EXPECT_EQ(ParsePaperSize(""), std::nullopt);
}

TEST_F(TestReportDocument, shouldPrintOnTheSheetOfThePaperAsked) {
    const struct {
        PaperSize paper;
        const char* size;
    } cases[] = {{PaperSize::kA4, "595 x 842 pts (A4)"},
                 {PaperSize::kLetter, "612 x 792 pts (letter)"}};
    for (const auto& c : cases) {
        QString error;
        ASSERT_TRUE(WriteTestReport(SampleTestReport(3), Path(), c.paper, error));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {Path()});
        ASSERT_TRUE(info.waitForFinished(30000));
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QLatin1String(c.size)))
            << c.size;
    }
}

// The cross-plot is drawn from the evaluation's own function of flow: it must pass through the
// test point at the predicted flow, reach the adjusted flow, and speak the report's units.
TEST(TestReportCrossPlot, shouldPassThroughTheTestPointInTheUnitsShown) {
    const DesignInputs design = DefaultDesignInputs();
    const float fanPower = CalculatePerformance(design).values[Result::kFanPower];
    const DesignBasis basis = PrepareDesign({design, 0.6F, fanPower, FanDraft::kInduced});
    const PerformanceCurves sheet = CalculatePerformanceCurves(
        design, *TowerThroughDesign(design, 0.6F), {40.0F, 80.0F, 5.0F, UnitSystem::kUS});
    const std::vector<MakerCurveRow> rows = MakerCurveRows(sheet);
    const MakerCurves curves = *BuildMakerCurves(rows).curves;
    // A tower well short of its curves at 108 % flow: the predicted flow, 116.5 %, lies beyond
    // the curves' outer 110 %, where the line must still reach.
    const TestReading reading{14.696F, 66.0F, 80.0F, 106.5F, 80.5F, 1080.0F, fanPower};
    const CurvesEvaluation e = EvaluateWithCurves(basis, curves, reading);
    ASSERT_EQ(e.outcome, CurvesOutcome::kEvaluated);
    ASSERT_TRUE(e.extrapolated);
    const struct {
        UnitSystem units;
        const char* unit;
        double coldWater;  ///< the reading's 80.5 °F as shown
    } cases[] = {{UnitSystem::kUS, "°F", 80.5}, {UnitSystem::kSI, "°C", (80.5 - 32.0) / 1.8}};
    for (const auto& c : cases) {
        const std::optional<CrossPlot> plot = CrossPlotOf(curves, e, reading.coldWater, c.units);
        ASSERT_TRUE(plot.has_value());
        EXPECT_EQ(plot->temperatureUnit, c.unit);
        EXPECT_NEAR(plot->test.coldWater, c.coldWater, 1e-4);
        EXPECT_EQ(plot->flows.size(), curves.flowPercents.size());
        ASSERT_FALSE(plot->line.empty());
        const double lowest = std::min(plot->test.flowPercent, plot->adjusted.flowPercent);
        const double highest = std::max(plot->test.flowPercent, plot->adjusted.flowPercent);
        EXPECT_LE(plot->line.front().flowPercent, lowest);
        EXPECT_GE(plot->line.back().flowPercent, highest);
        // On the line at the predicted flow, interpolated between its two nearest samples.
        const auto above = std::find_if(
            plot->line.begin(), plot->line.end(),
            [&](const PlotPoint& p) { return p.flowPercent >= plot->test.flowPercent; });
        ASSERT_NE(above, plot->line.begin());
        const PlotPoint& below = *(above - 1);
        const double share =
            (plot->test.flowPercent - below.flowPercent) / (above->flowPercent - below.flowPercent);
        EXPECT_NEAR(below.coldWater + share * (above->coldWater - below.coldWater),
                    plot->test.coldWater, 0.02);
    }
    CurvesEvaluation refused = e;
    refused.outcome = CurvesOutcome::kRangeOutside;
    EXPECT_FALSE(CrossPlotOf(curves, refused, reading.coldWater, UnitSystem::kUS).has_value());
}

TEST_F(TestReportDocument, shouldReportAFullDisk) {
    QString error;
    EXPECT_FALSE(
        WriteTestReport(SampleTestReport(2), QStringLiteral("/dev/full"), PaperSize::kA4, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write /dev/full: ")))
        << error.toStdString();
}

// The batch tool finds the writer by name in the module: a symbol left hidden would only show
// when a user asks for a report.
TEST(TestReportModule, shouldExportTheReportWriterBesideTheCharts) {
    void* module = dlopen(VELTRANE_CHART_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_NE(dlsym(module, kWriteTestReportSymbol), nullptr);
    const auto layout = reinterpret_cast<LayoutTagFunction>(dlsym(module, kLayoutTagSymbol));
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(ChartLayoutTag(), layout());
    dlclose(module);
}

}  // namespace
}  // namespace veltrane::chart
