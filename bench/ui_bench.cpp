// A move to the Outputs tab: the tab-change rule, validation of the twelve inputs, the
// calculation and all sixteen result boxes written. Offscreen, with the defaults, which raise
// no message.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>

#include "frm_tower.h"
#include "message_boxes.h"

namespace {

using veltrane::ui::frmTower;
using veltrane::ui::kInputsTab;
using veltrane::ui::kOutputsTab;

/// The defaults pass every check; a box would mean the benchmark measures something else.
class NoMessageBoxes final : public veltrane::desktop::MessageBoxes {
  public:
    veltrane::desktop::MessageAnswer show(QWidget*, const QString& prompt, const QString&,
                                          veltrane::desktop::MessageButtons,
                                          veltrane::desktop::MessageIcon) override {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(prompt));
        std::abort();
    }
};

void BM_MoveToOutputs(benchmark::State& state) {
    NoMessageBoxes boxes;
    frmTower window(boxes);
    window.show();
    for (auto _ : state) {
        window.setCurrentTab(kInputsTab);  // starts nothing
        window.setCurrentTab(kOutputsTab);
        benchmark::DoNotOptimize(window.outputText(veltrane::Result::kPumpPower));
    }
}
BENCHMARK(BM_MoveToOutputs)->Unit(benchmark::kMicrosecond);

// The same move and the repaint of the Outputs tab that the user then sees.
void BM_MoveToOutputsAndPaint(benchmark::State& state) {
    NoMessageBoxes boxes;
    frmTower window(boxes);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.setCurrentTab(kInputsTab);
        QApplication::processEvents();
        window.setCurrentTab(kOutputsTab);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MoveToOutputsAndPaint)->Unit(benchmark::kMicrosecond);

void BM_ComputeOutputsWithoutChecks(benchmark::State& state) {
    NoMessageBoxes boxes;
    frmTower window(boxes);
    for (auto _ : state)
        window.ComputeOutputs(false);
}
BENCHMARK(BM_ComputeOutputsWithoutChecks)->Unit(benchmark::kMicrosecond);

}  // namespace
