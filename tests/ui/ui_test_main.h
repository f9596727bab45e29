#pragma once
// One environment for every window test: the offscreen platform, the Fusion style and the en_US
// locale, set before the application object exists.

#include <QtTest>

#include <functional>

namespace veltrane::ui::test {

int RunPinned(int argc, char** argv, const std::function<int(int, char**)>& runTests);

}  // namespace veltrane::ui::test

#define VELTRANE_UI_TEST_MAIN(TestClass)                                                   \
    int main(int argc, char** argv) {                                                      \
        return veltrane::ui::test::RunPinned(argc, argv, [](int count, char** arguments) { \
            TestClass tests;                                                               \
            return QTest::qExec(&tests, count, arguments);                                 \
        });                                                                                \
    }
