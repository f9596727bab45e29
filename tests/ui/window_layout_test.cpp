// The main window as it opens: its controls, their places and names, the keyboard order, the
// access keys, the result boxes, Exit and the copy of the results.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "design_sets.h"
#include "twips.h"
#include "ui_test_main.h"
#include "utf8_text.h"
#include "window_driver.h"

using namespace veltrane::ui;
using namespace veltrane::ui::test;

namespace {

QStringList Names(const char* group, std::initializer_list<int> indices) {
    QStringList names;
    for (const int i : indices)
        names << QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(i);
    return names;
}

const QStringList kButtons{"cmdAbout", "cmdPrint", "cmdExit"};

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void shouldOpenOnInputsWithTheDefaultsAndEmptyResults() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        frmTower& window = driver.window();

        QCOMPARE(window.windowTitle(), QStringLiteral("Cooling Tower"));
        QCOMPARE(window.minimumSize(), TwipSize(6810, 7035));
        QCOMPARE(window.maximumSize(), TwipSize(6810, 7035));
        QCOMPARE(window.currentTab(), kInputsTab);
        QCOMPARE(driver.focusName(), QStringLiteral("sstMain"));
        QCOMPARE(driver.tabBar()->tabText(0), QStringLiteral("&Identification"));
        QCOMPARE(driver.tabBar()->tabText(1), QStringLiteral("&Inputs"));
        QCOMPARE(driver.tabBar()->tabText(2), QStringLiteral("&Outputs"));

        const QStringList defaults = Texts("14.7 65 85 105 13 1 1000 3 .001 60 0.5 75");
        for (const veltrane::Input i : veltrane::kAllInputs) {
            QCOMPARE(window.inputText(i), defaults[qsizetype(veltrane::PositionOf(i))]);
        }
        for (std::size_t k = 0; k < veltrane::kIdentificationCount; ++k) {
            QVERIFY(window.idText(k).isEmpty());
        }
        QCOMPARE(driver.results(), QStringList(16, QString()));
    }

    void shouldPlaceEveryControlAtItsLayoutPosition_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");  // left, top, width, height in the client area

        QTest::newRow("sstMain") << 1 << "sstMain" << QRect(0, 0, 6555, 5775);
        QTest::newRow("cmdAbout") << 1 << "cmdAbout" << QRect(1260, 6240, 1155, 375);
        QTest::newRow("cmdPrint") << 1 << "cmdPrint" << QRect(2520, 6240, 1155, 375);
        QTest::newRow("cmdExit") << 1 << "cmdExit" << QRect(3780, 6240, 1155, 375);
        QTest::newRow("lblID_0") << 0 << "lblID_0" << QRect(240, 540, 1035, 195);
        QTest::newRow("txtID_0") << 0 << "txtID_0" << QRect(1320, 480, 3315, 285);
        QTest::newRow("lblID_1") << 0 << "lblID_1" << QRect(240, 840, 555, 195);
        QTest::newRow("txtID_1") << 0 << "txtID_1" << QRect(1320, 780, 2115, 285);
        QTest::newRow("lblID_2") << 0 << "lblID_2" << QRect(3720, 840, 915, 195);
        QTest::newRow("txtID_2") << 0 << "txtID_2" << QRect(4680, 840, 1035, 285);
        QTest::newRow("Picture1") << 0 << "Picture1" << QRect(240, 1320, 6135, 4215);
        QTest::newRow("lblIn_0") << 1 << "lblIn_0" << QRect(1020, 540, 2055, 195);
        QTest::newRow("txtIn_0") << 1 << "txtIn_0" << QRect(3120, 480, 1575, 285);
        QTest::newRow("lblIn_11") << 1 << "lblIn_11" << QRect(1020, 3840, 2055, 195);
        QTest::newRow("txtIn_11") << 1 << "txtIn_11" << QRect(3120, 3780, 1575, 285);
        QTest::newRow("lblOut_0") << 2 << "lblOut_0" << QRect(0, 540, 2115, 195);
        QTest::newRow("lblOut_1") << 2 << "lblOut_1" << QRect(120, 840, 1995, 195);
        QTest::newRow("lblOut_5") << 2 << "lblOut_5" << QRect(0, 2040, 2115, 195);
        QTest::newRow("txtOut_0") << 2 << "txtOut_0" << QRect(2160, 480, 1635, 285);
        QTest::newRow("lblOut_12") << 2 << "lblOut_12" << QRect(120, 4140, 1995, 195);
        QTest::newRow("txtOut_12") << 2 << "txtOut_12" << QRect(2160, 4080, 1635, 285);
        QTest::newRow("lblOut_13") << 2 << "lblOut_13" << QRect(4020, 540, 1995, 195);
        QTest::newRow("txtOut_13") << 2 << "txtOut_13" << QRect(4500, 780, 1635, 285);
        QTest::newRow("lblOut_14") << 2 << "lblOut_14" << QRect(4020, 1140, 1995, 195);
        QTest::newRow("txtOut_14") << 2 << "txtOut_14" << QRect(4500, 1380, 1635, 285);
        QTest::newRow("lblOut_15") << 2 << "lblOut_15" << QRect(4140, 1740, 1995, 195);
        QTest::newRow("txtOut_15") << 2 << "txtOut_15" << QRect(4500, 1980, 1635, 285);
    }
    void shouldPlaceEveryControlAtItsLayoutPosition() {
        QFETCH(int, tab);
        QFETCH(QString, name);
        QFETCH(QRect, twips);

        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.clickTab(tab);
        const QWidget* control = driver.child(name);
        QVERIFY(control != nullptr);
        QVERIFY(control->isVisible());
        const QRect placed(control->mapTo(&driver.window(), QPoint(0, 0)), control->size());
        QCOMPARE(placed, TwipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void shouldNameEveryCaptionAndBoxAfterItsCaption() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        const auto check = [&driver](const char* group, std::size_t index,
                                     std::string_view caption) {
            const QString suffix = QStringLiteral("_%1").arg(index);
            const auto* label = driver.child<QLabel>(QLatin1String("lbl") + group + suffix);
            const auto* box = driver.child<QLineEdit>(QLatin1String("txt") + group + suffix);
            QVERIFY(label != nullptr && box != nullptr);
            QCOMPARE(label->text(), FromUtf8(caption));
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            QCOMPARE(box->accessibleName(), FromUtf8(caption));
            QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        };
        for (const auto& entry : veltrane::kIdentification)
            check("ID", entry.index, entry.caption);
        for (const auto& entry : veltrane::kInputs)
            check("In", veltrane::PositionOf(entry.index), entry.caption);
        for (const auto& entry : veltrane::kResults)
            check("Out", veltrane::PositionOf(entry.index), entry.caption);
        QCOMPARE(driver.child(QStringLiteral("cmdPrint"))->accessibleName(),
                 QStringLiteral("Print..."));
    }

    void shouldLetTheUserSelectAndCopyButNotEditAResult() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.clickTab(kOutputsTab);
        QLineEdit* result = driver.output(veltrane::Result::kKaVL);

        QTest::mouseClick(result, Qt::LeftButton);
        QCOMPARE(driver.focusName(), QStringLiteral("txtOut_0"));
        QTest::keyClicks(result, QStringLiteral("9x"));
        QTest::keyClick(result, Qt::Key_Backspace);
        QCOMPARE(result->text(), QStringLiteral("1.8324"));

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.8324"));

        // The dialog face behind the results, the window colour behind the inputs.
        QCOMPARE(result->palette().color(QPalette::Base),
                 result->palette().color(QPalette::Window));
        const QLineEdit* input = driver.input(0);
        QVERIFY(input->palette().color(QPalette::Base) != result->palette().color(QPalette::Base));
    }

    void shouldKeepAPastedTextOfAnyLength_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("identification") << QStringLiteral("txtID_0");
        QTest::newRow("input") << QStringLiteral("txtIn_6");
    }
    void shouldKeepAPastedTextOfAnyLength() {
        QFETCH(QString, box);
        WindowDriver driver;
        QVERIFY(driver.ready());
        auto* target = driver.child<QLineEdit>(box);
        driver.clickTab(box.startsWith(QLatin1String("txtID")) ? kIdentificationTab : kInputsTab);
        // Longer than the 32767 characters a line edit holds by default.
        const QString text = QString(40000, u'9') + QStringLiteral(" gpm");
        QGuiApplication::clipboard()->setText(text);
        QTest::mouseClick(target, Qt::LeftButton);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(target->text().size(), text.size());
        QTest::keyClicks(target, QStringLiteral("!"));
        QCOMPARE(target->text(), text + QStringLiteral("!"));
    }

    void shouldWalkTheKeyboardOrderOfEachTab_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("order");  // after sstMain, until the focus comes back

        QTest::newRow("Identification")
            << 0 << Names("txtID", {0, 1, 2}) + kButtons + QStringList{"Picture1"};
        QTest::newRow("Inputs") << 1
                                << Names("txtIn", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}) +
                                       kButtons;
        QTest::newRow("Outputs") << 2
                                 << Names("txtOut",
                                          {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15}) +
                                        kButtons + Names("txtOut", {13});
    }
    void shouldWalkTheKeyboardOrderOfEachTab() {
        QFETCH(int, tab);
        QFETCH(QStringList, order);

        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.clickTab(tab);
        driver.tabBar()->setFocus(Qt::TabFocusReason);
        QCOMPARE(driver.focusName(), QStringLiteral("sstMain"));

        QStringList walked;
        for (qsizetype step = 0; step <= order.size(); ++step) {
            QTest::keyClick(driver.window().focusWidget(), Qt::Key_Tab);
            walked << driver.focusName();
        }
        QCOMPARE(walked, order + QStringList{"sstMain"});
    }

    void shouldFollowTheAccessKeys() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        frmTower& window = driver.window();

        // Both tab captions mark the I: pressing it twice visits both tabs.
        QTest::keyClick(&window, Qt::Key_I, Qt::AltModifier);
        const int first = window.currentTab();
        QTest::keyClick(&window, Qt::Key_I, Qt::AltModifier);
        const int second = window.currentTab();
        QCOMPARE(QList<int>({first, second}) == QList<int>({0, 1}) ||
                     QList<int>({first, second}) == QList<int>({1, 0}),
                 true);

        QCOMPARE(driver.child<QPushButton>(QStringLiteral("cmdAbout"))->shortcut(),
                 QKeySequence(Qt::ALT | Qt::Key_A));
        QCOMPARE(driver.child<QPushButton>(QStringLiteral("cmdPrint"))->shortcut(),
                 QKeySequence(Qt::ALT | Qt::Key_P));
    }

    void shouldEndTheProgramWhenTheWindowCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit button") << "click";
        QTest::newRow("Alt+X") << "key";
        QTest::newRow("close command") << "close";
    }
    void shouldEndTheProgramWhenTheWindowCloses() {
        QFETCH(QString, how);
        WindowDriver driver;
        QVERIFY(driver.ready());
        frmTower& window = driver.window();
        QTimer::singleShot(0, &window, [&] {
            if (how == QLatin1String("click")) {
                QTest::mouseClick(driver.child(QStringLiteral("cmdExit")), Qt::LeftButton);
            } else if (how == QLatin1String("key")) {
                QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
            } else {
                window.close();
            }
        });
        bool timedOut = false;
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        safety.start(5000);

        // The program's event loop ends when its last window closes.
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!timedOut);
        QVERIFY(!window.isVisible());
    }

    void shouldCopyTheResultTableWithCtrlShiftC_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("from a result box") << "txtOut_13";
        QTest::newRow("from the tab bar") << "sstMain";
        QTest::newRow("from a button") << "cmdExit";
    }
    void shouldCopyTheResultTableWithCtrlShiftC() {
        QFETCH(QString, focus);
        WindowDriver driver;
        QVERIFY(driver.ready());
        driver.clickTab(kOutputsTab);
        QWidget* target = focus == QLatin1String("sstMain") ? static_cast<QWidget*>(driver.tabBar())
                                                            : driver.child(focus);
        target->setFocus(Qt::OtherFocusReason);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));

        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);

        const QStringList texts = Texts(
            "1.8324 78. 27. 23.724 11.852 .01 35.586 90.625 13.5 500. 29.84 56.84 14.586 121.55 "
            "12.749 12.");
        QString table;
        for (const auto& entry : veltrane::kResults) {
            table += FromUtf8(entry.caption) + '\t' + texts[qsizetype(entry.index)] + '\n';
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), table);
    }

    void shouldCopyTheInputsTabWithCtrlShiftCToo() {
        WindowDriver driver;
        QVERIFY(driver.ready());
        QTest::mouseClick(driver.input(0), Qt::LeftButton);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(driver.input(0), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        // Before the first run the table holds the captions with empty texts.
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(
            QStringLiteral("Number Transf Units (KAV/L)\t\nCold Water Out Temp (F)\t\n")));
        QCOMPARE(driver.input(0)->text(), QStringLiteral("14.7"));
    }
};

VELTRANE_UI_TEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
