// Speed of the acceptance evaluation and the performance curves. Targets on one core: at least
// 5,000 test readings a second, and the nine curves of 40 wet bulbs each in under 50 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "acceptance.h"
#include "performance_curves.h"

namespace {

using namespace veltrane;

/// An hour of readings around the default design: wet bulb, water temperatures, flow and fan
/// power drifting as field readings do.
std::vector<TestReading> HourOfReadings() {
    std::vector<TestReading> readings;
    for (int minute = 0; minute < 60; ++minute) {
        const float drift = static_cast<float>(minute % 12) * 0.25F;
        readings.push_back({14.6F, 58.0F + drift, 75.0F + drift, 98.0F + drift, 73.0F + drift,
                            930.0F + 4.0F * drift, 11.8F + 0.1F * drift});
    }
    return readings;
}

void EvaluateReadings(benchmark::State& state, FanDraft draft) {
    const DesignInputs design = DefaultDesignInputs();
    const DesignBasis basis = PrepareDesign({design, 0.6F, 12.749F, draft});
    const std::vector<TestReading> readings = HourOfReadings();
    for (auto _ : state) {
        for (const TestReading& reading : readings)
            benchmark::DoNotOptimize(EvaluateReading(basis, reading));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(readings.size()));
}

void BM_EvaluateReading_Induced(benchmark::State& state) {
    EvaluateReadings(state, FanDraft::kInduced);
}
BENCHMARK(BM_EvaluateReading_Induced);

void BM_EvaluateReading_Forced(benchmark::State& state) {
    EvaluateReadings(state, FanDraft::kForced);
}
BENCHMARK(BM_EvaluateReading_Forced);

// Nine curves of 40 wet bulbs: 40 to 79 °F in steps of 1 °F.
void BM_PerformanceCurves_NineOf40(benchmark::State& state) {
    const DesignInputs design = DefaultDesignInputs();
    const TowerCharacteristic tower = *TowerThroughDesign(design, 0.6F);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculatePerformanceCurves(design, tower, {40.0F, 79.0F, 1.0F}));
    }
}
BENCHMARK(BM_PerformanceCurves_NineOf40)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
