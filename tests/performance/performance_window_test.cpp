// The window driven as a user drives it: typing, the menus' commands, files and the printer.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include "byte_source.h"
#include "chart_view.h"
#include "csv_reader.h"
#include "demand_chart_painter.h"
#include "demand_tab.h"
#include "window_fixture.h"

namespace veltrane::performance::test {
namespace {

using Window = WindowFixture;

QString Decimal(const char* usText) {
    return QString::fromLatin1(usText).replace(u'.', QLocale().decimalPoint());
}

TEST_F(Window, shouldMoveTheOperatingPointAsTheUserTypes) {
    auto* coldWater = find<QLabel>("operatingColdWater");
    ASSERT_NE(coldWater, nullptr);
    EXPECT_EQ(coldWater->text(), QStringLiteral("78 °F"));
    type(FieldOf(Input::kWetBulb), QStringLiteral("70"));
    EXPECT_EQ(model->calculation().inputs[Input::kWetBulb], 70.0F);
    // The tower passes through the design as typed, so it meets its cold water there: 70 + 13.
    EXPECT_EQ(coldWater->text(), QStringLiteral("83 °F"));
    EXPECT_EQ(window->statusText(), QStringLiteral("Calculated"));
}

TEST_F(Window, shouldMarkABadNumberKeepTheResultsAndLeaveTheTextAsTyped) {
    auto* coldWater = find<QLabel>("operatingColdWater");
    const QString before = coldWater->text();
    const DesignInputs good = model->calculation().inputs;
    // Pasted whole: typed key by key, "1e39" would pass through the usable "1e3".
    for (const char* typed : {"6x5", "", "1e39", "inf"}) {
        SCOPED_TRACE(typed);
        paste(FieldOf(Input::kWetBulb), QString::fromLatin1(typed));
        QLineEdit* edit = box(FieldOf(Input::kWetBulb));
        EXPECT_EQ(edit->text(), QString::fromLatin1(typed));
        EXPECT_TRUE(edit->styleSheet().contains(QStringLiteral("#c62828")));
        EXPECT_TRUE(edit->toolTip().startsWith(QStringLiteral("Inlet Air Wet Bulb Temp is ")));
        EXPECT_EQ(model->calculation().inputs, good);
        EXPECT_EQ(coldWater->text(), before);
        EXPECT_TRUE(window->statusText().startsWith(edit->toolTip()));
    }
    type(FieldOf(Input::kWetBulb), QStringLiteral("65"));
    EXPECT_TRUE(box(FieldOf(Input::kWetBulb))->styleSheet().isEmpty());
    EXPECT_TRUE(box(FieldOf(Input::kWetBulb))->toolTip().isEmpty());
    EXPECT_EQ(window->statusText(), QStringLiteral("Calculated"));
}

TEST_F(Window, shouldReadNumbersInTheUsersLocale) {
    // "14.7" in US English, "14,7" with a decimal comma; the other mark is refused.
    const bool comma = QLocale().decimalPoint() == QStringLiteral(",");
    type(FieldOf(Input::kAtmosPress), comma ? QStringLiteral("14,6") : QStringLiteral("14.6"));
    EXPECT_EQ(model->calculation().inputs[Input::kAtmosPress], 14.6F);
    paste(FieldOf(Input::kAtmosPress), comma ? QStringLiteral("14.6") : QStringLiteral("14,6"));
    // A grouping mark out of place: neither locale takes it as a number.
    EXPECT_TRUE(model->hasProblems());
    EXPECT_EQ(model->calculation().inputs[Input::kAtmosPress], 14.6F);
    EXPECT_EQ(box(FieldOf(Input::kDriftLoss))->text(), Decimal("0.001"));
}

TEST_F(Window, shouldReadTheCursorOnTheChart) {
    auto* tab = find<DemandTab>("demandTab");
    ASSERT_NE(tab, nullptr);
    ChartView* chart = tab->chartView();
    // The design point: L/G 1 on the design's own curve, 13 °F.
    const DemandChart& c = model->calculation().chart;
    const veltrane::chart::ChartGeometry g = veltrane::chart::PaintedGeometry(c);
    const QString reading = chart->readingAt(
        chart->canvasToWidget().map(g.At(1.0, static_cast<double>(c.designPoint->kaVL))));
    EXPECT_TRUE(reading.startsWith(QStringLiteral("L/G 1   KaV/L ") + Decimal("1.83")))
        << reading.toStdString();
    EXPECT_TRUE(reading.endsWith(QStringLiteral("approach 13 °F (nearest curve)")));
    EXPECT_TRUE(chart->readingAt(QPointF(2, 2)).isEmpty());
}

TEST_F(Window, shouldExportTheChartInEachFormat) {
    struct Case {
        const char* name;
        QByteArray start;
    };
    const Case cases[] = {{"chart.svg", "<?xml"}, {"chart.pdf", "%PDF-"}, {"chart.png", "\x89PNG"}};
    for (const Case& c : cases) {
        files.next = folder.filePath(QString::fromLatin1(c.name));
        window->exportChart();
        QFile file(files.next);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.name;
        EXPECT_TRUE(file.read(c.start.size()) == c.start) << c.name;
        EXPECT_GT(file.size(), 1000) << c.name;
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Window, shouldTellWhyASaveFailedAndKeepEverything) {
    const QString missing = folder.filePath(QStringLiteral("no-such-folder/chart.png"));
    messages.answerWith([](const desktop::test::ShownBox&) { return desktop::MessageAnswer::Ok; });
    files.next = missing;
    window->exportChart();
    files.next = folder.filePath(QStringLiteral("no-such-folder/points.csv"));
    window->exportTable();
    files.next = folder.filePath(QStringLiteral("chart.gif"));
    window->exportChart();
    const std::vector<desktop::test::ShownBox> shown = messages.take();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].prompt, QStringLiteral("The chart was not saved:\r\ncannot write ") +
                                   missing + QStringLiteral(": No such file or directory"));
    EXPECT_TRUE(
        shown[1].prompt.startsWith(QStringLiteral("The file was not saved:\r\ncannot write ")));
    EXPECT_TRUE(shown[1].prompt.contains(QStringLiteral("points.csv")));
    EXPECT_TRUE(shown[2].prompt.endsWith(QStringLiteral("name the file .svg, .pdf or .png")));
    EXPECT_EQ(box(FieldOf(Input::kWetBulb))->text(), QStringLiteral("65"));
}

TEST_F(Window, shouldPrintTheCurrentTabOrSayWhyNot) {
    for (const int tab : {0, 1, 2, 3, 4}) {
        window->tabs()->setCurrentIndex(tab);
        const QString pdf = folder.filePath(QStringLiteral("tab%1.pdf").arg(tab));
        printDialogs.choosePdf(pdf, 1);
        window->print();
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
    }
    const QString unwritable = folder.filePath(QStringLiteral("none/tab.pdf"));
    messages.answerWith([](const desktop::test::ShownBox&) { return desktop::MessageAnswer::Ok; });
    printDialogs.choosePdf(unwritable, 1);
    window->print();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt, QStringLiteral("Nothing was printed:\r\ncannot write ") +
                                              unwritable +
                                              QStringLiteral(": No such file or directory"));
}

TEST_F(Window, shouldCopyAndExportTheChartsPointsAsATable) {
    window->copyTable();
    const QStringList rows = QGuiApplication::clipboard()->text().split(u'\n');
    EXPECT_EQ(rows.front(), QStringLiteral("Approach (F)\tLG\tKaVL"));
    EXPECT_TRUE(rows.contains(Decimal("13\t1\t1.832368")) ||
                rows.filter(QStringLiteral("13\t")).size() > 50);
    files.next = folder.filePath(QStringLiteral("points.csv"));
    window->exportTable();
    QFile csv(files.next);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    // In the locale's convention: ';' where the decimal mark is a comma.
    EXPECT_EQ(csv.readLine(), QLocale().decimalPoint() == u","
                                  ? QByteArray("Approach (F);LG;KaVL\n")
                                  : QByteArray("Approach (F),LG,KaVL\n"));
    // The numbers too: decimal commas beside ';', points beside ','.
    const QByteArray points = csv.readAll();
    const bool comma = QLocale().decimalPoint() == u",";
    EXPECT_TRUE(QString::fromUtf8(points).contains(QRegularExpression(
        comma ? u"\n13;\\d+,\\d+;\\d+,\\d+\n"_qs : u"\n13,\\d+\\.\\d+,\\d+\\.\\d+\n"_qs)));
    EXPECT_EQ(points.contains('.'), !comma);
}

TEST_F(Window, shouldShowAndSaveTheWorksheet) {
    window->tabs()->setCurrentWidget(find<QWidget>("worksheetTab"));
    auto* text = find<QPlainTextEdit>("worksheetText");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Worksheet of the design")));
    type(FieldOf(Input::kWetBulb), QStringLiteral("66"));
    const QRegularExpression wetBulbLine(
        QStringLiteral("\n  Inlet Air Wet Bulb Temp \\(F\\) +66\n"));
    EXPECT_TRUE(text->toPlainText().contains(wetBulbLine));
    files.next = folder.filePath(QStringLiteral("worksheet.txt"));
    find<QPushButton>("saveWorksheet")->click();
    QFile saved(files.next);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), text->toPlainText());
}

TEST_F(Window, shouldShowAndSaveTheWorksheetInBothUnitsUnderSi) {
    window->tabs()->setCurrentWidget(find<QWidget>("worksheetTab"));
    auto* text = find<QPlainTextEdit>("worksheetText");
    find<QRadioButton>("siUnitsButton")->click();
    const QString shown = text->toPlainText();
    EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral("TCold = .* 78 F +25.5556 C\n"))))
        << shown.toStdString();
    files.next = folder.filePath(QStringLiteral("worksheet.txt"));
    find<QPushButton>("saveWorksheet")->click();
    QFile saved(files.next);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), shown);
    find<QRadioButton>("usUnitsButton")->click();
    EXPECT_FALSE(text->toPlainText().contains(QStringLiteral("25.5556 C")));
}

TEST_F(Window, shouldRememberTheInputsAndRestoreDefaultsOnRequest) {
    type(FieldOf(Input::kWetBulb), QStringLiteral("66"));
    find<QRadioButton>("towerGiven")->click();
    type(Field::kTowerC, Decimal("2.5"));
    window->tabs()->setCurrentIndex(2);
    // Not saved as a study, yet the inputs stay for the next start.
    messages.expect(
        {QStringLiteral("Save the changes to Untitled?"), desktop::MessageAnswer::Discard});
    window->close();
    open();
    EXPECT_EQ(window->tabs()->currentIndex(), 2);
    EXPECT_EQ(box(FieldOf(Input::kWetBulb))->text(), QStringLiteral("66"));
    EXPECT_EQ(box(Field::kTowerC)->text(), Decimal("2.5"));
    EXPECT_EQ(model->towerSource(), TowerSource::kGiven);
    EXPECT_EQ(model->calculation().tower->c, 2.5F);
    window->restoreDefaults();
    EXPECT_EQ(box(FieldOf(Input::kWetBulb))->text(), QStringLiteral("65"));
    EXPECT_EQ(model->towerSource(), TowerSource::kThroughDesignPoint);
}

TEST_F(Window, shouldStartFromTheDefaultsWhenTheSettingsAreDamaged) {
    window->close();
    for (const QByteArray& damage :
         {QByteArray("\x00\xff\xfe[inputs\n=\n\x01\x02", 14),
          QByteArray("[inputs]\nTwb=abc\nLG=-1\nP=1e99\n[tower]\nsource=sideways\n"
                     "[window]\ntab=99\nunits=metric\ngeometry=@ByteArray(garbage)\n")}) {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damage);
        file.close();
        open();
        for (const Field field : AllFields()) {
            EXPECT_EQ(model->value(field),
                      PerformanceModel::DefaultValues()[static_cast<std::size_t>(field)]);
        }
        EXPECT_EQ(window->statusText(), QStringLiteral("Calculated"));
        EXPECT_EQ(window->tabs()->currentIndex(), 0);
        EXPECT_EQ(window->units().system(), UnitSystem::kUS);
        window.reset();
    }
}

TEST_F(Window, shouldShowEveryBoxInSIUnitsWithoutMovingAnInput) {
    const std::array<float, kFieldCount> before = PerformanceModel::DefaultValues();
    paste(FieldOf(Input::kLiquidGas), QStringLiteral("x"));  // marked: kept as typed
    find<QRadioButton>("siUnitsButton")->click();
    EXPECT_EQ(window->units().system(), UnitSystem::kSI);
    EXPECT_EQ(window->inputPanel()->unitShown(FieldOf(Input::kWetBulb)), QStringLiteral("°C"));
    EXPECT_EQ(window->inputPanel()->unitShown(FieldOf(Input::kWaterFlow)), QStringLiteral("m³/h"));
    EXPECT_EQ(box(FieldOf(Input::kLiquidGas))->text(), QStringLiteral("x"));
    EXPECT_TRUE(box(FieldOf(Input::kWetBulb))->text().startsWith(Decimal("18.333")));
    for (const Field field : AllFields()) {
        EXPECT_EQ(model->value(field), before[static_cast<std::size_t>(field)]);
    }
    type(FieldOf(Input::kLiquidGas), QStringLiteral("1"));
    // The default design's cold water in SI: 25.556 °C.
    EXPECT_EQ(find<QLabel>("operatingColdWater")->text(), Decimal("25.556") + u" °C"_qs);
    window->copyTable();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(u"Approach (K)\tLG\tKaVL\n"_qs));
    // The default approaches are whole kelvins in SI, not the US ones converted (2.7777778 K).
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(Decimal("\n3\t0.3\t")));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(Decimal("\n11\t0.3\t")));
    const QString drawn = exportedSvg("chart_si.svg");
    EXPECT_TRUE(drawn.contains(
        u"wet bulb 18.33 °C, range 15 K, 101.4 kPa"_qs.replace(u'.', QLocale().decimalPoint())));
    EXPECT_FALSE(drawn.contains(u"°F"_qs));

    type(FieldOf(Input::kWetBulb), QStringLiteral("20"));  // °C
    EXPECT_EQ(model->value(FieldOf(Input::kWetBulb)), 68.0F);
    window->setUnits(UnitSystem::kUS);
    EXPECT_EQ(box(FieldOf(Input::kWetBulb))->text(), QStringLiteral("68"));
    EXPECT_EQ(box(FieldOf(Input::kAtmosPress))->text(), Decimal("14.7"));
    EXPECT_TRUE(find<QRadioButton>("usUnitsButton")->isChecked());
}

TEST_F(Window, shouldTableThePerformanceCurvesThroughTheDesignPointAndCopyThem) {
    window->tabs()->setCurrentIndex(1);
    auto* table = find<QTableWidget>("curvesTable");
    ASSERT_NE(table, nullptr);
    // Wet bulbs 40 °F to 75 °F (the design's 65 + 10), nine curves beside them.
    EXPECT_EQ(table->rowCount(), 36);
    EXPECT_EQ(table->columnCount(), 10);
    table->setFocus();
    QTest::keySequence(table, QKeySequence::Copy);
    const QStringList rows = QGuiApplication::clipboard()->text().split(u'\n');
    EXPECT_TRUE(rows.front().startsWith(u"Wet bulb (°F)\t90 % flow, 80 % range (°F)\t"_qs));
    // The 100 % flow, 100 % range curve passes through the design: 78 °F at 65 °F.
    const QStringList at65 = rows.filter(QRegularExpression(QStringLiteral("^65\t")));
    ASSERT_EQ(at65.size(), 1);
    EXPECT_NEAR(QLocale().toDouble(at65.front().split(u'\t')[5]), 78.0, 0.01);

    // Exported as CSV, the header's titles hold commas: quoted, so that every record has the
    // header's ten fields.
    files.next = folder.filePath(QStringLiteral("curves.csv"));
    window->exportTable();
    QFile exported(files.next);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const std::string bytes = exported.readAll().toStdString();
    StringSource source(bytes);
    CsvReader reader(source, CsvFormatOfText(bytes));
    CsvRecord record;
    std::size_t records = 0;
    while (reader.Next(record)) {
        ++records;
        EXPECT_EQ(record.fields.size(), 10U) << "line " << record.line;
    }
    EXPECT_EQ(records, 37U);

    for (const char* name : {"curves.svg", "curves.pdf", "curves.png"}) {
        files.next = folder.filePath(QString::fromLatin1(name));
        window->exportChart();
        EXPECT_GT(QFileInfo(files.next).size(), 1000) << name;
    }
    EXPECT_TRUE(messages.shown().empty());

    // The chart follows the units switch, on screen and in the file, as the table does.
    auto* chart = find<QWidget>("curvesChart");
    const QImage inUs = chart->grab().toImage();
    window->setUnits(UnitSystem::kSI);
    EXPECT_NE(chart->grab().toImage(), inUs);
    const QString drawn = exportedSvg("curves_si.svg");
    EXPECT_TRUE(drawn.contains(u"Entering wet bulb (°C)"_qs));
    EXPECT_FALSE(drawn.contains(u"°F"_qs));
    // In SI the rows fall on whole °C (4 °C to 24 °C), not on whole °F shown in °C.
    EXPECT_EQ(table->rowCount(), 21);
    EXPECT_EQ(table->item(0, 0)->text(), Decimal("4.00"));
    EXPECT_EQ(table->item(20, 0)->text(), Decimal("24.00"));
}

}  // namespace
}  // namespace veltrane::performance::test
