// The report drawn on a real QPrinter into a PDF file, read back with pdftotext.
#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "painter_surface.h"
#include "report_test_support.h"

namespace veltrane {
namespace {

const QString kPiDayText = QStringLiteral("3/14/1999 2:05:09 PM");

// The advance of Courier 10 pt in points: pdftotext then puts every character in its column.
constexpr char kCourierPitch[] = "6.011";

// The text of a PDF file, one string per page, trailing spaces and the page's left margin
// (the columns before the printable area) removed.
QList<QStringList> PdfPages(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-fixed", kCourierPitch, path, "-"});
    if (!pdftotext.waitForFinished(20000)) return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    QList<QStringList> result;
    for (const QString& page : pages) {
        QStringList lines;
        for (const QString& line : page.split(u'\n'))
            lines.append(line);
        result.append(lines);
    }
    return result;
}

// Lines as pdftotext gives them: no trailing spaces, and no empty lines at either end of a page.
QStringList Printed(QStringList lines, qsizetype margin) {
    for (QString& line : lines) {
        while (line.endsWith(u' '))
            line.chop(1);
        line = line.mid(margin);
    }
    return lines;
}

QStringList WithoutBlankEnds(QStringList lines) {
    while (!lines.isEmpty() && lines.front().trimmed().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

class PdfReport : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(Path());
    }

    QString Path() const { return dir_.filePath(QStringLiteral("report.pdf")); }

    void Print(int copies) {
        testing::FakeWindow window;
        PainterSurface surface(printer_, CopyLayoutFor(printer_));
        PrintReport(copies, window, surface, testing::PiDay);
    }

    QTemporaryDir dir_;
    QPrinter printer_{QPrinter::HighResolution};
};

// The printable area starts this many columns from the page's left edge in pdftotext's text.
qsizetype MarginColumns(const QStringList& page) {
    for (const QString& line : page)
        if (line.contains(u"***")) return line.indexOf(u'*') - 9;
    return 0;
}

TEST_F(PdfReport, shouldPutEveryLineOfBothCopiesInItsColumnsOnPagesOfTheirOwn) {
    Print(2);

    const QList<QStringList> pages = PdfPages(Path());
    ASSERT_EQ(pages.size(), 2) << "each copy starts on a new page of the one file";
    const QStringList expected = WithoutBlankEnds(Printed(testing::DefaultReport(kPiDayText), 0));
    for (const QStringList& page : pages) {
        const QStringList printed = WithoutBlankEnds(Printed(page, MarginColumns(page)));
        ASSERT_EQ(printed.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_EQ(printed[i], expected[i]) << "line " << i;
    }
}

TEST_F(PdfReport, shouldContinueOnANewPageWhenAPageIsFull) {
    printer_.setPageSize(QPageSize(QSizeF(210, 100), QPageSize::Millimeter));
    Print(1);

    const QList<QStringList> pages = PdfPages(Path());
    ASSERT_GE(pages.size(), 2);
    QStringList printed;
    for (const QStringList& page : pages)
        printed += Printed(page, MarginColumns(pages.front()));
    printed.removeIf([](const QString& line) { return line.isEmpty(); });
    QStringList expected = Printed(testing::DefaultReport(kPiDayText), 0);
    expected.removeIf([](const QString& line) { return line.isEmpty(); });
    EXPECT_EQ(printed, expected);
}

// On a printer each copy is its own job. Written to one file, the second job replaces the
// first: the reason a file gets its copies as pages instead.
TEST_F(PdfReport, shouldEndADocumentAfterEachCopyForAPrinter) {
    testing::FakeWindow window;
    PainterSurface surface(printer_, CopyLayout::kDocumentPerCopy);
    PrintReport(2, window, surface, testing::PiDay);
    EXPECT_EQ(PdfPages(Path()).size(), 1);
}

TEST_F(PdfReport, shouldPrintNothingAndGoOnWhenThePrinterFails) {
    const QString unwritable = dir_.filePath(QStringLiteral("missing/folder/report.pdf"));
    printer_.setOutputFileName(unwritable);
    Print(3);
    EXPECT_FALSE(QFile::exists(unwritable));

    printer_.setOutputFileName(Path());
    Print(1);
    EXPECT_EQ(PdfPages(Path()).size(), 1) << "the same printer works once it can";
}

}  // namespace
}  // namespace veltrane
