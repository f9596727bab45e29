// An edit in an input box of the performance window to the repainted demand chart: one key
// typed into the wet-bulb box (65 and 66 in turn, each a single edit), the model's recalculation
// (the design, its tower, the rating and six demand curves with their crossings) and the chart
// painted at its size. Offscreen, the window shown at its default size. Each iteration's time is
// kept (wall clock), so that the median and the 95th percentile are reported beside the mean.
// Beside it, a study of 10,000 readings opened into the window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "acceptance_tab.h"
#include "chart_view.h"
#include "demand_tab.h"
#include "file_dialogs.h"
#include "input_panel.h"
#include "message_boxes.h"
#include "performance_window.h"
#include "print_dialogs.h"
#include "study_document.h"
#include "study_file.h"

namespace {

using namespace veltrane;
using namespace veltrane::performance;

class NoMessageBoxes final : public desktop::MessageBoxes {
  public:
    desktop::MessageAnswer show(QWidget*, const QString& prompt, const QString&,
                                desktop::MessageButtons, desktop::MessageIcon) override {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(prompt));
        std::abort();
    }
};

class NoFiles final : public FileDialogs {
  public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

void BM_EditToRepaintedDemandChart(benchmark::State& state) {
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    NoMessageBoxes messages;
    NoFiles files;
    desktop::QtPrintDialogFactory printDialogs;
    PerformanceModel model;
    PerformanceWindow window(model, {messages, files, printDialogs, settings});
    window.show();
    QLineEdit* wetBulb = window.inputPanel()->box(FieldOf(Input::kWetBulb));
    ChartView* chart = window.findChild<DemandTab*>()->chartView();
    wetBulb->setFocus();
    std::vector<double> milliseconds;
    bool odd = false;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        // The last digit selected and typed over: one edit, 65 → 66 → 65 ...
        wetBulb->end(false);
        wetBulb->cursorBackward(true);
        QTest::keyClick(wetBulb, odd ? Qt::Key_5 : Qt::Key_6);
        // grab() paints the whole chart as a repaint would; offscreen, repaint() of a window
        // that is not exposed paints nothing.
        benchmark::DoNotOptimize(chart->grab());
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        milliseconds.push_back(elapsed.count());
        odd = !odd;
    }
    if (wetBulb->text() != QStringLiteral("65") && wetBulb->text() != QStringLiteral("66")) {
        state.SkipWithError("the edits did not reach the wet-bulb box");
        return;
    }
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}
BENCHMARK(BM_EditToRepaintedDemandChart)->Unit(benchmark::kMillisecond)->MinTime(3.0);

/// A study of 10,000 readings around the default design, each differing in every column.
study::Study StudyOf10000Readings() {
    study::Study large;
    for (int i = 0; i < 10'000; ++i) {
        const float step = static_cast<float>(i) * 0.001F;
        large.acceptance.readings.push_back({14.7F - step * 0.01F, 65.0F + step, 85.0F + step,
                                             105.0F - step, 78.0F + step * 0.5F,
                                             1000.0F + step * 3.0F, 12.7F + step * 0.1F});
    }
    return large;
}

// File › Open of such a study with the Acceptance tab in view: the file read and checked, every
// model filled, the readings evaluated once and the tab shown again. Two files in turn, so that
// each open replaces 10,000 readings by 10,000 others.
void BM_OpenStudyOf10000Readings(benchmark::State& state) {
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    NoMessageBoxes messages;
    NoFiles files;
    desktop::QtPrintDialogFactory printDialogs;
    PerformanceModel model;
    PerformanceWindow window(model, {messages, files, printDialogs, settings});
    window.tabs()->setCurrentWidget(window.acceptanceTab());
    window.show();
    study::Study large = StudyOf10000Readings();
    const std::array<QString, 2> paths{folder.filePath(QStringLiteral("a.veltrane")),
                                       folder.filePath(QStringLiteral("b.veltrane"))};
    for (const QString& path : paths) {
        if (!study::SaveStudyFile(large, path.toStdString()).empty()) {
            state.SkipWithError("the study was not written");
            return;
        }
        large.design[Input::kWetBulb] = 66.0F;
    }
    std::size_t turn = 0;
    for (auto _ : state) {
        if (!window.openStudy(paths[turn++ % 2])) {
            state.SkipWithError("the study was not opened");
            return;
        }
        QCoreApplication::processEvents();
    }
    if (window.document().study().acceptance.readings.size() != 10'000) {
        state.SkipWithError("the readings did not reach the window");
    }
}
BENCHMARK(BM_OpenStudyOf10000Readings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
