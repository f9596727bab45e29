// The acceptance test's report written as the module writes it: a dozen readings with both
// methods, the demand chart and the cross-plot, three A4 pages. The figure is 300 ms.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QString>

#include "sample_test_report.h"
#include "test_report_document.h"

namespace {

void WriteTheReport(benchmark::State& state) {
    const veltrane::TestReport report =
        veltrane::SampleTestReport(static_cast<std::size_t>(state.range(0)));
    const QString path = QDir::temp().filePath(QStringLiteral("veltrane-report-bench.pdf"));
    for (auto _ : state) {
        QString error;
        if (!veltrane::chart::WriteTestReport(report, path, veltrane::PaperSize::kA4, error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    QDir::temp().remove(QStringLiteral("veltrane-report-bench.pdf"));
}
BENCHMARK(WriteTheReport)->Arg(12)->Arg(60)->Unit(benchmark::kMillisecond);

}  // namespace
