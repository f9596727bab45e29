// The Acceptance test tab driven as a user drives it: readings pasted or opened, the capability
// read off the tab.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>

#include "acceptance_tab.h"
#include "window_fixture.h"
#include "worksheet_tab.h"

namespace veltrane::performance::test {
namespace {

class Acceptance : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        tab = window->findChild<AcceptanceTab*>();
        ASSERT_NE(tab, nullptr);
        window->tabs()->setCurrentWidget(tab);
    }

    /// Types into one of the tab's boxes, key by key.
    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    /// The test's settings: m 0.6, design fan power 12.749 hp, induced draft.
    void settle() {
        typeInto(tab->slopeBox(), Decimal("0.6"));
        typeInto(tab->fanPowerBox(), Decimal("12.749"));
        tab->draftBox()->setCurrentIndex(0);
    }

    /// Rows pasted with Ctrl+V into the table, as copied from a spreadsheet.
    void pasteRows(const QStringList& rows) {
        QGuiApplication::clipboard()->setText(rows.join(u'\n') + u'\n');
        tab->table()->setFocus();
        tab->table()->setCurrentIndex(tab->readings().index(0, 0));
        QTest::keySequence(tab->table(), QKeySequence::Paste);
    }

    static QString Decimal(const char* usText) {
        return QString::fromLatin1(usText).replace(u'.', QLocale().decimalPoint());
    }

    static QString Reading(const char* hotWater, const char* coldWater) {
        return QStringList{Decimal("14.6"),    u"60"_qs,  u"75"_qs,       Decimal(hotWater),
                           Decimal(coldWater), u"950"_qs, Decimal("12.0")}
            .join(u'\t');
    }

    [[nodiscard]] QString cell(int row, int column) const {
        return tab->readings().index(row, column).data().toString();
    }

    AcceptanceTab* tab = nullptr;
};

struct PastedTest {
    const char* hotWater;
    const char* coldWater;
    const char* capability;  ///< as the large line shows it, US English
};

TEST_F(Acceptance, shouldReadTheCapabilityOfAPastedThreeReadingTest) {
    settle();
    for (const PastedTest& test : {PastedTest{"99.0215", "74.0215", "Capability 99.999 %"},
                                   PastedTest{"100.0215", "75.0215", "Capability 93.2 %"}}) {
        const QString reading = Reading(test.hotWater, test.coldWater);
        pasteRows({reading, reading, reading});
        const QString expected = Decimal(test.capability);
        EXPECT_EQ(tab->capabilityLabel()->text(), expected);
        // Three readings and the spare row to type the next into; each reading its own result.
        EXPECT_EQ(tab->readings().rowCount(), 4);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(u"Capability "_qs + cell(row, 7) + u" %"_qs, expected) << row;
        EXPECT_TRUE(tab->detailLabel()->text().startsWith(u"The mean of 3 readings"_qs));
    }
    // Copied whole: the header, the three readings and their mean, exact.
    tab->table()->setFocus();
    QTest::keySequence(tab->table(), QKeySequence::Copy);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(u"P (psia)\tTwb (°F)\tTdb (°F)\tTHot (°F)"_qs));
    EXPECT_TRUE(lines[1].startsWith(Decimal("14.6\t60\t75\t100.0215\t75.0215\t950\t12\t93.")));
    EXPECT_TRUE(lines[4].contains(u"\tmean of 3 readings; "_qs));

    files.next = folder.filePath(QStringLiteral("acceptance.png"));
    window->exportChart();
    EXPECT_GT(QFileInfo(files.next).size(), 1000);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Acceptance, shouldCloseTheWorksheetWithTheMeanReadingsEvaluationOfTheLatestDesign) {
    auto* worksheet = window->findChild<WorksheetTab*>();
    ASSERT_NE(worksheet, nullptr);
    const QString evaluation =
        u"Worksheet of the capability evaluation of the mean of 2 readings"_qs;
    EXPECT_FALSE(worksheet->text().contains(u"capability evaluation"_qs));
    settle();
    pasteRows({Reading("99.0215", "74.0215"), Reading("100.0215", "75.0215")});
    EXPECT_TRUE(worksheet->text().contains(evaluation));
    // A design changed while the Acceptance tab is not shown is evaluated for the worksheet.
    window->tabs()->setCurrentWidget(worksheet);
    type(FieldOf(Input::kWaterFlow), u"1100"_qs);
    const QString shown = find<QPlainTextEdit>("worksheetText")->toPlainText();
    EXPECT_TRUE(shown.contains(evaluation));
    EXPECT_TRUE(shown.contains(QRegularExpression(u"\n  Flow_d +1100 gpm\n"_qs)));
}

TEST_F(Acceptance, shouldGiveTheReasonWhereAReadingHasNoCapability) {
    settle();
    pasteRows(
        {Reading("99.0215", "74.0215"),
         QStringList{Decimal("14.6"), u"abc"_qs, u"75"_qs, u"99"_qs, u"74"_qs, u"950"_qs, u"12"_qs}
             .join(u'\t'),
         Reading("70", "74")});
    // The design's own test: a deviation of a few millionths, neither sign shown.
    EXPECT_EQ(cell(0, 9), Decimal("0.00") + u" °F"_qs);
    EXPECT_EQ(cell(1, 7), QString());
    EXPECT_TRUE(cell(1, kNoteColumn).startsWith(u"Twb is not a number"_qs))
        << cell(1, kNoteColumn).toStdString();
    EXPECT_EQ(cell(1, 1), u"abc"_qs);  // as typed
    EXPECT_EQ(cell(2, 7), QString());
    EXPECT_TRUE(
        cell(2, kNoteColumn)
            .startsWith(QString::fromUtf8(DescribeEvaluation(EvaluationOutcome::kNoRange))));
    // The mean is of the one reading that could be evaluated.
    EXPECT_EQ(tab->capabilityLabel()->text(), Decimal("Capability 99.999 %"));
    EXPECT_TRUE(tab->detailLabel()->text().startsWith(u"The mean of 1 reading:"_qs));
}

TEST_F(Acceptance, shouldOpenACsvOfNamedColumnsAndKeepTheTableWhenAFileCannotBeRead) {
    settle();
    const auto write = [this](const char* name, const char* text) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    };
    // Columns in any order, numbers with a '.' whatever the locale.
    const QString good = write("good.csv",
                               "Flow,P,Twb,Tdb,THot,TCold,FanPower (hp)\n"
                               "950,14.6,60,75,100.0215,75.0215,12.0\n"
                               "950,14.6,60,75,100.0215,75.0215,12.0\n");
    ASSERT_TRUE(tab->openReadings(good));
    EXPECT_EQ(tab->capabilityLabel()->text(), Decimal("Capability 93.2 %"));
    EXPECT_EQ(cell(0, 3), Decimal("100.0215"));

    struct Refused {
        const char* name;
        const char* text;
        const char* why;
    };
    for (const Refused& bad : {
             Refused{"missing.csv", "P,Twb,Tdb,THot,TCold,Flow\n14.6,60,75,99,74,950\n",
                     "no column FanPower"},
             Refused{"pressure.csv", "P,Twb (psia),Tdb,THot,TCold,Flow,FanPower\n",
                     "column Twb (psia) is in psia, not in °F or °C"},
             Refused{"word.csv", "P,Twb,Tdb,THot,TCold,Flow,FanPower\n14.6,sixty,75,99,74,9,1\n",
                     "line 2: Twb is not a number"},
         }) {
        EXPECT_FALSE(tab->openReadings(write(bad.name, bad.text)));
        EXPECT_TRUE(tab->messageLabel()->text().contains(QString::fromUtf8(bad.why)))
            << tab->messageLabel()->text().toStdString();
        EXPECT_EQ(cell(1, 3), Decimal("100.0215")) << bad.name;
    }
    EXPECT_FALSE(tab->openReadings(folder.filePath(QStringLiteral("none.csv"))));
    EXPECT_TRUE(tab->messageLabel()->text().startsWith(u"cannot open "_qs));
    EXPECT_EQ(tab->capabilityLabel()->text(), Decimal("Capability 93.2 %"));
}

TEST_F(Acceptance, shouldFollowTheWindowsTowerAndDesignUntilTypedOver) {
    EXPECT_EQ(tab->fanPowerBox()->text(), Decimal("12.749251"));
    pasteRows({Reading("100.0215", "75.0215")});
    const QString before = tab->capabilityLabel()->text();
    window->tabs()->setCurrentIndex(0);  // edited while the tab is not shown
    type(FieldOf(Input::kFanEff), QStringLiteral("80"));
    type(Field::kTowerM, Decimal("0.7"));
    window->tabs()->setCurrentWidget(tab);
    EXPECT_NE(tab->fanPowerBox()->text(), Decimal("12.749251"));
    EXPECT_EQ(tab->slopeBox()->text(), Decimal("0.7"));
    EXPECT_NE(tab->capabilityLabel()->text(), before);
    typeInto(tab->slopeBox(), Decimal("0.6"));
    type(Field::kTowerM, Decimal("0.8"));
    EXPECT_EQ(tab->slopeBox()->text(), Decimal("0.6"));
}

TEST_F(Acceptance, shouldKeepEveryReadingWhenTheUnitsSwitch) {
    settle();
    pasteRows({Reading("100.0215", "75.0215")});
    window->setUnits(UnitSystem::kSI);
    EXPECT_EQ(cell(0, 1), Decimal("15.555556"));  // 60 °F
    EXPECT_EQ(tab->capabilityLabel()->text(), Decimal("Capability 93.2 %"));
    window->setUnits(UnitSystem::kUS);
    EXPECT_EQ(cell(0, 3), Decimal("100.0215"));
}

}  // namespace
}  // namespace veltrane::performance::test

namespace veltrane::performance::test {
namespace {

/// The text of a PDF as pdftotext reads it, or empty when it cannot be run.
QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    // The PDF's fonts set "fi" and "fl" as ligatures.
    return QString::fromUtf8(process.readAllStandardOutput())
        .replace(u"\uFB01"_qs, u"fi"_qs)
        .replace(u"\uFB02"_qs, u"fl"_qs);
}

// File › Test Report… writes what the tab shows: its title, the verdict and each reading.
TEST_F(Acceptance, shouldWriteTheTestReportThatTheTabShows) {
    settle();
    pasteRows({Reading("99.0215", "74.0215"), Reading("100.0215", "75.0215")});
    typeInto(tab->identificationBox(u"title"_qs), u"Acceptance of CT-7"_qs);
    typeInto(tab->identificationBox(u"project"_qs), u"Halden loop"_qs);
    files.next = folder.filePath(QStringLiteral("report.pdf"));
    window->writeTestReport();
    EXPECT_TRUE(messages.shown().empty());
    const QString text = PdfText(files.next);
    ASSERT_FALSE(text.isEmpty()) << "no PDF text at " << files.next.toStdString();
    QString verdict = tab->readings().verdict()->text.c_str();
    for (const QString& said :
         {u"Acceptance of CT-7"_qs, u"Halden loop"_qs, verdict.left(verdict.indexOf(u',')),
          Decimal("100.02"), Decimal("75.02")}) {
        EXPECT_TRUE(text.simplified().contains(said.simplified(), Qt::CaseInsensitive))
            << said.toStdString() << "\n"
            << text.toStdString();
    }
}

}  // namespace
}  // namespace veltrane::performance::test
