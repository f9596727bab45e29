// A study of 10,000 readings (and 10,000 weather bins) opened from its text, and saved: the
// window must open such a study in under 1 s, file reading and checks included.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "study_file.h"

namespace {

using namespace veltrane;

constexpr std::size_t kReadings = 10'000;
const std::filesystem::path kFolder = "/studies/plant";

/// Readings around the default design that differ in every column, as logged ones do.
study::Study LargeStudy() {
    study::Study s;
    for (std::size_t i = 0; i < kReadings; ++i) {
        const float step = static_cast<float>(i) * 0.001F;
        s.acceptance.readings.push_back({14.7F - step * 0.01F, 65.0F + step, 85.0F + step,
                                         105.0F - step, 78.0F + step * 0.5F, 1000.0F + step * 3.0F,
                                         12.7F + step * 0.1F});
        s.year.bins.push_back({60.0F + step, 70.0F + step, 1.0 + static_cast<double>(step),
                               std::nullopt, std::nullopt, 27.0F});
    }
    return s;
}

void BM_ReadStudyOf10000Readings(benchmark::State& state) {
    const std::string text = study::WriteStudy(LargeStudy(), kFolder);
    for (auto _ : state) {
        const study::StudyReading read = study::ReadStudy(text, kFolder);
        if (!read.study) state.SkipWithError(read.error.c_str());
        benchmark::DoNotOptimize(read);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadStudyOf10000Readings)->Unit(benchmark::kMillisecond);

void BM_WriteStudyOf10000Readings(benchmark::State& state) {
    const study::Study study = LargeStudy();
    for (auto _ : state)
        benchmark::DoNotOptimize(study::WriteStudy(study, kFolder));
}
BENCHMARK(BM_WriteStudyOf10000Readings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
