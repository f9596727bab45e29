// The report through a recording surface: lines, columns, copies, font and failures.
#include <gtest/gtest.h>

#include "report_test_support.h"

namespace veltrane {
namespace {

using testing::DefaultReport;
using testing::FakeWindow;
using testing::PiDay;
using testing::RecordingSurface;
using testing::Row;
using testing::TextAt10;

const QString kPiDayText = QStringLiteral("3/14/1999 2:05:09 PM");

TEST(ReportPrinter, shouldPrintTheDefaultsAsFiftyThreeLinesInColumnsTenAndFifty) {
    FakeWindow window;
    RecordingSurface surface;
    PrintReport(1, window, surface, PiDay);

    ASSERT_EQ(surface.documents.size(), 1);
    const QStringList& printed = surface.documents.front();
    const QStringList expected = DefaultReport(kPiDayText);
    ASSERT_EQ(printed.size(), 53);
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(printed[i], expected[i]) << "line " << i + 1;
}

TEST(ReportPrinter, shouldRecalculateButPrintNothingForCopiesBelowOne) {
    for (const int copies : {0, -1, -32768}) {
        SCOPED_TRACE(copies);
        FakeWindow window;
        RecordingSurface surface;
        PrintReport(copies, window, surface, PiDay);
        EXPECT_EQ(window.recalculations, 1);
        EXPECT_EQ(window.resultTexts.front(), QStringLiteral("1.8324"));
        EXPECT_TRUE(surface.calls.isEmpty());
    }
}

TEST(ReportPrinter, shouldPrintThreeIdenticalDocumentsWithOneTimestamp) {
    FakeWindow window;
    RecordingSurface surface;
    int clockReadings = 0;
    const auto tickingClock = [&] { return PiDay().addSecs(++clockReadings); };
    PrintReport(3, window, surface, tickingClock);

    EXPECT_EQ(clockReadings, 1);
    EXPECT_EQ(window.recalculations, 1);
    ASSERT_EQ(surface.documents.size(), 3);
    EXPECT_EQ(surface.documents[0], DefaultReport(QStringLiteral("3/14/1999 2:05:10 PM")));
    EXPECT_EQ(surface.documents[1], surface.documents[0]);
    EXPECT_EQ(surface.documents[2], surface.documents[0]);
}

TEST(ReportPrinter, shouldSetTheFontInOrderAtTheStartOfEveryCopy) {
    FakeWindow window;
    RecordingSurface surface;
    PrintReport(2, window, surface, PiDay);

    const QStringList fontCalls{"bold 0", "italic 0", "underline 0", "size 10", "name Courier"};
    const qsizetype secondCopy = surface.calls.indexOf(QStringLiteral("end document")) + 1;
    ASSERT_GT(secondCopy, 0);
    EXPECT_EQ(surface.calls.mid(0, 5), fontCalls);
    EXPECT_EQ(surface.calls.mid(secondCopy, 5), fontCalls);
    EXPECT_EQ(surface.calls.count(QStringLiteral("end document")), 2);
}

TEST(ReportPrinter, shouldPrintInputsAsTypedAndIdentificationTrimmed) {
    struct Case {
        const char* name;
        QString identification;  // typed into Project Name
        QString input;           // typed into Atmos Press
        QString identificationLine;
        QString inputLine;
    };
    const QList<Case> cases{
        {"empty boxes give their captions alone", "", "", TextAt10("Project Name"),
         TextAt10("Atmos Press (psia)")},
        {"spaces around vanish, spaces inside stay", "  Plant  4 ", " \t14.7  ",
         Row("Project Name", "Plant  4"), Row("Atmos Press (psia)", "14.7")},
        {"a non-number prints as typed", "Run #7", "abc", Row("Project Name", "Run #7"),
         Row("Atmos Press (psia)", "abc")},
        {"a box of spaces is empty", "   ", "   ", TextAt10("Project Name"),
         TextAt10("Atmos Press (psia)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindow window;
        window.identificationTexts[0] = c.identification;
        window.inputTexts[0] = c.input;
        RecordingSurface surface;
        PrintReport(1, window, surface, PiDay);
        ASSERT_EQ(surface.documents.size(), 1);
        EXPECT_EQ(surface.documents[0][10], c.identificationLine);
        EXPECT_EQ(surface.documents[0][16], c.inputLine);
    }
}

TEST(ReportPrinter, shouldTrimCaptionsAndPutEveryValueAtColumnFifty) {
    ReportGroups groups;
    groups.inputs = {{"  Padded Caption  ", "1"},
                     {"A caption of twenty-nine char", "  2 3  "},
                     {"Fan Efficency (%)", "75"}};
    const QList<ReportLine> lines = BuildReportLines(groups, QString());
    ASSERT_EQ(lines.size(), 25);  // 22 fixed lines and the three rows
    const QList<ReportLine> expectedRows{
        {{10, "Padded Caption"}, {50, "1"}},
        {{10, "A caption of twenty-nine char"}, {50, "2 3"}},
        {{10, "Fan Efficency (%)"}, {50, "75"}},
    };
    EXPECT_EQ(lines.mid(13, 3), expectedRows);
}

TEST(ReportPrinter, shouldContainEveryFailingStep) {
    FakeWindow window;
    window.failRecalculation = true;
    window.resultTexts[0] = QStringLiteral("old");
    RecordingSurface surface;
    const Clock brokenClock = []() -> QDateTime { throw std::runtime_error("no clock"); };
    PrintReport(1, window, surface, brokenClock);

    ASSERT_EQ(surface.documents.size(), 1);
    EXPECT_EQ(surface.documents[0][5], TextAt10(".... Cooling Tower Performance ..... "));
    EXPECT_EQ(surface.documents[0][33], Row("Number Transf Units (KAV/L)", "old"));

    RecordingSurface deadPrinter;
    deadPrinter.failEverything = true;
    PrintReport(2, window, deadPrinter, PiDay);
    EXPECT_TRUE(deadPrinter.calls.isEmpty());
    EXPECT_TRUE(deadPrinter.documents.isEmpty());
}

}  // namespace
}  // namespace veltrane
