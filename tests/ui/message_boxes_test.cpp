// The real message boxes: title, text, icon, buttons and default as the user sees them, and the
// answer that each way of closing them gives.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <optional>

#include "about_window.h"
#include "message_boxes.h"
#include "ui_test_main.h"

using veltrane::desktop::MessageAnswer;
using veltrane::desktop::MessageButtons;
using veltrane::desktop::MessageIcon;
using veltrane::desktop::QtMessageBoxes;
using veltrane::ui::frmSplash;

Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(MessageAnswer)

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

}  // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void shouldShowTheBoxAndReportTheButton_data() {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<int>("key");  // the key the user presses to close the box
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<QMessageBox::StandardButtons>("shownButtons");
        QTest::addColumn<QMessageBox::StandardButton>("shownDefault");
        QTest::addColumn<MessageAnswer>("answer");

        const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("error, Enter")
            << MessageButtons::Ok << MessageIcon::Exclamation << int(Qt::Key_Return)
            << QMessageBox::Warning << QMessageBox::StandardButtons(QMessageBox::Ok)
            << QMessageBox::Ok << MessageAnswer::Ok;
        QTest::newRow("error, Esc")
            << MessageButtons::Ok << MessageIcon::Exclamation << int(Qt::Key_Escape)
            << QMessageBox::Warning << QMessageBox::StandardButtons(QMessageBox::Ok)
            << QMessageBox::Ok << MessageAnswer::Ok;
        QTest::newRow("question, Enter takes Yes")
            << MessageButtons::YesNo << MessageIcon::Question << int(Qt::Key_Return)
            << QMessageBox::Question << yesNo << QMessageBox::Yes << MessageAnswer::Yes;
        QTest::newRow("question, N")
            << MessageButtons::YesNo << MessageIcon::Question << int(Qt::Key_N)
            << QMessageBox::Question << yesNo << QMessageBox::Yes << MessageAnswer::No;
        QTest::newRow("question, Esc is No")
            << MessageButtons::YesNo << MessageIcon::Question << int(Qt::Key_Escape)
            << QMessageBox::Question << yesNo << QMessageBox::Yes << MessageAnswer::No;
    }
    void shouldShowTheBoxAndReportTheButton() {
        QFETCH(MessageButtons, buttons);
        QFETCH(MessageIcon, icon);
        QFETCH(int, key);
        QFETCH(QMessageBox::Icon, shownIcon);
        QFETCH(QMessageBox::StandardButtons, shownButtons);
        QFETCH(QMessageBox::StandardButton, shownDefault);
        QFETCH(MessageAnswer, answer);

        QWidget parent;
        parent.show();
        SeenBox seen;
        bool answered = false;
        // The box is modal: look at it and close it from the event loop it runs.
        QTimer::singleShot(0, &parent, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                    box->standardButton(box->defaultButton())};
            QTest::keyClick(box, static_cast<Qt::Key>(key));
            answered = true;
        });

        const QString prompt = QStringLiteral("First line\r\nSecond line");
        QtMessageBoxes boxes;
        const MessageAnswer pressed =
            boxes.show(&parent, prompt, QStringLiteral("Question"), buttons, icon);

        QVERIFY(answered);
        QCOMPARE(seen.title, QStringLiteral("Question"));
        QCOMPARE(seen.text, prompt);
        QCOMPARE(seen.icon, shownIcon);
        QCOMPARE(seen.buttons, shownButtons);
        QCOMPARE(seen.defaultButton, shownDefault);
        QCOMPARE(pressed, answer);
    }

    // The About window stays on top: a box that did not would open behind it, and with both
    // windows blocked by the box the program would look frozen. After the box, OK of the About
    // window works again.
    void shouldOpenAboveTheAboutWindowWhileItIsShown_data() {
        QTest::addColumn<bool>("aboutShown");
        QTest::newRow("About window shown") << true;
        QTest::newRow("no About window") << false;
    }
    void shouldOpenAboveTheAboutWindowWhileItIsShown() {
        QFETCH(bool, aboutShown);
        QWidget parent;
        parent.show();
        QPointer<frmSplash> about = aboutShown ? frmSplash::ShowShared() : nullptr;
        std::optional<bool> boxOnTop;
        QTimer::singleShot(0, &parent, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (qobject_cast<QMessageBox*>(box) == nullptr) return;
            boxOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && box->isVisible();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QtMessageBoxes().show(&parent, QStringLiteral("Wet Bulb Must Be Less Than Dry Bulb"),
                              QStringLiteral("Error"), MessageButtons::Ok,
                              MessageIcon::Exclamation);

        QVERIFY(boxOnTop.has_value());
        QCOMPARE(*boxOnTop, aboutShown);
        if (!aboutShown) return;
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }
};

VELTRANE_UI_TEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
