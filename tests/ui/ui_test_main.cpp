#include "ui_test_main.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

namespace veltrane::ui::test {

int RunPinned(int argc, char** argv, const std::function<int(int, char**)>& runTests) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QTEST_SET_MAIN_SOURCE_PATH
    return runTests(argc, argv);
}

}  // namespace veltrane::ui::test
