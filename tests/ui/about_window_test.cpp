// The About window: one shared instance, closed by OK, Enter, Esc or Alt+O, kept on top, and not
// ending the program while it is the last window open.

#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "about_window.h"
#include "twips.h"
#include "ui_test_main.h"

using namespace veltrane::ui;

namespace {

// OK destroys the window with a deferred delete; let it happen.
void SettleDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QPushButton* OkButton(frmSplash* about) {
    return about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
}

int OpenAboutWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<frmSplash*>(widget) != nullptr && widget->isVisible()) ++count;
    return count;
}

// A label's rectangle in twips relative to Frame1.
QRect TwipsOf(QWidget* widget) {
    const QRect r = widget->geometry();
    return {r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
            r.height() * kTwipsPerPixel};
}

}  // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        if (frmSplash* about = frmSplash::OpenInstance()) about->close();
        SettleDeletes();
        QVERIFY(frmSplash::OpenInstance() == nullptr);
    }

    void shouldKeepOneWindowWhenAskedTwice() {
        frmSplash* first = frmSplash::ShowShared();
        frmSplash* second = frmSplash::ShowShared();
        QCOMPARE(second, first);
        QCOMPARE(OpenAboutWindows(), 1);
        QVERIFY(QTest::qWaitForWindowActive(second));
        QCOMPARE(second->focusWidget(), OkButton(second));
    }

    void shouldOpenAFreshWindowAfterOk() {
        QPointer<frmSplash> first = frmSplash::ShowShared();
        QTest::mouseClick(OkButton(first), Qt::LeftButton);
        SettleDeletes();
        QVERIFY(first.isNull());
        QCOMPARE(OpenAboutWindows(), 0);

        frmSplash* fresh = frmSplash::ShowShared();
        QVERIFY(fresh->isVisible());
        QVERIFY(fresh->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void shouldCloseOnItsKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("Alt+O") << int(Qt::Key_O) << int(Qt::AltModifier);
    }

    void shouldCloseOnItsKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QPointer<frmSplash> about = frmSplash::ShowShared();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about.data(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // An access key animates the click before it presses the button.
        QTRY_VERIFY(about.isNull());
    }

    void shouldStayOnTopWithoutTitleOwnerOrModality() {
        frmSplash* about = frmSplash::ShowShared();
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(about->parentWidget() == nullptr);
        QVERIFY(!about->isModal());
        QVERIFY(about->windowTitle().isEmpty());
        QVERIFY(!about->windowIcon().isNull());
        QCOMPARE(about->minimumSize(), about->maximumSize());
    }

    // Runs the application's own event loop: the program ends only when that loop is left.
    void shouldKeepTheProgramAliveWhileItIsTheLastWindow() {
        QWidget mainWindow;
        mainWindow.show();
        QPointer<frmSplash> about = frmSplash::ShowShared();
        bool aliveWithAboutAlone = false;

        QTimer::singleShot(0, &mainWindow, &QWidget::close);
        QTimer::singleShot(50, this, [&] {
            aliveWithAboutAlone = !mainWindow.isVisible() && about && about->isVisible();
            if (about) QTest::mouseClick(OkButton(about), Qt::LeftButton);
        });
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        giveUp.start(5000);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(aliveWithAboutAlone);
        SettleDeletes();
        QVERIFY(about.isNull());
    }

    void shouldPlaceEveryControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("twips");  // stored rectangle, relative to Frame1
        QTest::addColumn<QString>("sizing");
        QTest::newRow("lbl(0)") << "lbl_0"
                                << "Maravent" << QRect(420, 360, 6270, 435) << "left";
        QTest::newRow("lbl(1)") << "lbl_1"
                                << "Veltrane" << QRect(120, 780, 6780, 615) << "left";
        QTest::newRow("lbl(2)") << "lbl_2"
                                << "This Program Calculates:" << QRect(120, 1680, 5295, 495)
                                << "stored";
        QTest::newRow("Label1") << "Label1"
                                << "1)" << QRect(120, 1980, 255, 255) << "stored";
        QTest::newRow("lbl(3)") << "lbl_3"
                                << "The KAV/L (Number of Transfer Units) of a wet counterflow "
                                   "cooling tower based on the Cooling Tower Institute Standards"
                                << QRect(360, 1980, 4695, 555) << "stored";
        QTest::newRow("Label2") << "Label2"
                                << "2)" << QRect(120, 2460, 255, 255) << "stored";
        QTest::newRow("Label3") << "Label3"
                                << "3)" << QRect(120, 2940, 255, 255) << "stored";
        QTest::newRow("lbl(4)") << "lbl_4"
                                << "The evaporation, blowdown, drift losses, and total makeup "
                                   "required by actual mass balance"
                                << QRect(360, 2460, 4695, 555) << "stored";
        QTest::newRow("lbl(5)") << "lbl_5"
                                << "The fan and pump power required " << QRect(360, 2940, 4695, 555)
                                << "stored";
        QTest::newRow("lbl(8)") << "lbl_8"
                                << "Intel x86" << QRect(5595, 2400, 1260, 360) << "right";
        QTest::newRow("lbl(9)") << "lbl_9"
                                << "Version 1.0Win" << QRect(5145, 2760, 1710, 285) << "right";
        QTest::newRow("lbl(10)") << "lbl_10"
                                 << "Copyright \u00A9 Maravent. All rights reserved."
                                 << QRect(240, 3660, 4215, 255) << "stored";
        QTest::newRow("cmdOK") << "cmdOK"
                               << "&OK" << QRect(5640, 3480, 1215, 435) << "stored";
    }

    void shouldPlaceEveryControl() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, twips);
        QFETCH(QString, sizing);
        frmSplash* about = frmSplash::ShowShared();
        auto* control = about->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), QStringLiteral("Frame1"));
        const QString shown = qobject_cast<QLabel*>(control)
                                  ? qobject_cast<QLabel*>(control)->text()
                                  : qobject_cast<QPushButton*>(control)->text();
        QCOMPARE(shown, text);
        const QRect placed = TwipsOf(control);
        const int slack = kTwipsPerPixel;  // one pixel of rounding
        QVERIFY(std::abs(placed.top() - twips.top()) <= slack);
        if (sizing == "stored") QVERIFY(std::abs(placed.width() - twips.width()) <= slack);
        if (sizing != "right") QVERIFY(std::abs(placed.left() - twips.left()) <= slack);
        if (sizing != "left") {
            const int right = twips.left() + twips.width();
            QVERIFY(std::abs(placed.left() + placed.width() - right) <= slack);
        }
    }

    // Every size comes from the built-in resources, drawn in the standard 16 colours: grey
    // towers, white plumes, a transparent background.
    void shouldCarryTheProgramIconInEverySize() {
        const QIcon icon = frmSplash::ShowShared()->windowIcon();
        for (const int side : {16, 32, 48, 64, 128, 256}) {
            QVERIFY(icon.availableSizes().contains(QSize(side, side)));
            const QImage image = icon.pixmap(QSize(side, side)).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            QSet<QRgb> colours;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    colours.insert(image.pixel(x, y));
            QVERIFY(colours.contains(qRgba(0, 0, 0, 0)));
            QVERIFY(colours.contains(qRgb(192, 192, 192)));
            QVERIFY(colours.contains(qRgb(128, 128, 128)));
            QVERIFY(colours.contains(qRgb(255, 255, 255)));
            QVERIFY(colours.size() <= 16 + 1);
        }
        // At a scale factor of 2 a 32-pixel title-bar icon is the drawn 64-pixel image, not the
        // 32-pixel one blown up.
        QImage sharp = icon.pixmap(QSize(32, 32), 2.0).toImage();
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        sharp.setDevicePixelRatio(1.0);
        const QImage drawn(QStringLiteral(":/veltrane/icons/veltrane-64.png"));
        QCOMPARE(sharp.size(), QSize(64, 64));
        QCOMPARE(sharp.convertToFormat(QImage::Format_ARGB32),
                 drawn.convertToFormat(QImage::Format_ARGB32));
    }

    void shouldSizeTheWindowAndItsFrameInTwips() {
        frmSplash* about = frmSplash::ShowShared();
        auto* client = about->findChild<QWidget*>(QStringLiteral("client"));
        QCOMPARE(client->size(), TwipSize(7380, 4245));
        auto* frame = about->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QCOMPARE(frame->geometry(), TwipRect(120, 60, 7080, 4050));
        QVERIFY(frame->title().isEmpty());
    }

    // The font the label is drawn in, as the font system resolved it: Arial or its metric twin
    // (Liberation Sans), not a fallback of other widths, at the stated size and weight.
    void shouldDrawInTheStatedFonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("lbl(0)") << "lbl_0" << 18.0 << true;
        QTest::newRow("lbl(1)") << "lbl_1" << 26.25 << true;
        QTest::newRow("lbl(3), the dialog font") << "lbl_3" << 8.25 << false;
        QTest::newRow("lbl(8)") << "lbl_8" << 15.75 << true;
        QTest::newRow("lbl(9)") << "lbl_9" << 12.0 << true;
        QTest::newRow("lbl(10)") << "lbl_10" << 8.25 << false;
    }

    void shouldDrawInTheStatedFonts() {
        QFETCH(QString, name);
        QFETCH(double, points);
        QFETCH(bool, bold);
        auto* label = frmSplash::ShowShared()->findChild<QLabel*>(name);
        const QFontInfo used = label->fontInfo();
        QVERIFY2(used.family() == QLatin1String("Arial") ||
                     used.family().startsWith(QLatin1String("Liberation Sans")),
                 qPrintable(used.family()));
        QCOMPARE(used.bold(), bold);
        QVERIFY(!used.fixedPitch());
        // A pixel of rounding at the screen's resolution.
        const double pixels = points * label->logicalDpiY() / 72.0;
        QVERIFY2(std::abs(used.pixelSize() - pixels) <= 1.0,
                 qPrintable(QStringLiteral("%1 px").arg(used.pixelSize())));
    }

    void shouldFitEveryTextInsideItsLabel() {
        const auto labels = frmSplash::ShowShared()->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 12);
        for (QLabel* label : labels) {
            // Labels of a stored rectangle wrap inside it; the others take their text's size.
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->width()) <= label->height()
                                  : label->size() == label->sizeHint();
            QVERIFY2(fits, qPrintable(label->objectName()));
        }
        auto* notice = frmSplash::OpenInstance()->findChild<QLabel*>(QStringLiteral("lbl_10"));
        QVERIFY(notice->text().contains(QStringLiteral("Maravent")));
        QVERIFY(QFontMetrics(notice->font()).horizontalAdvance(notice->text()) <= notice->width());
    }
};

VELTRANE_UI_TEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
