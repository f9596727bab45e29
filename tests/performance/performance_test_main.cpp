// One main for the performance window's tests: offscreen, the Fusion style, and the locale pinned
// (US English, or the one named by VELTRANE_TEST_LOCALE, such as de_DE for a decimal comma).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray locale = qgetenv("VELTRANE_TEST_LOCALE");
    QLocale::setDefault(locale.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedStates)
                                         : QLocale(QString::fromLatin1(locale)));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
