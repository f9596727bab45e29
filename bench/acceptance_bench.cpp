// Speed of the acceptance evaluation and the performance curves. Targets on one core: at least
// 5,000 test readings a second by the characteristic, 20,000 by the maker's curves, and the nine
// curves of 40 wet bulbs each in under 50 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "acceptance.h"
#include "maker_curves.h"
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

// The maker's curves as a data sheet gives them: the tower through the design point, nine curves
// at 5 °F steps from 40 °F to 80 °F.
void EvaluateReadingsWithCurves(benchmark::State& state, FanDraft draft) {
    const DesignInputs design = DefaultDesignInputs();
    const DesignBasis basis = PrepareDesign({design, 0.6F, 12.749F, draft});
    const std::vector<MakerCurveRow> rows = MakerCurveRows(CalculatePerformanceCurves(
        design, *TowerThroughDesign(design, 0.6F), {40.0F, 80.0F, 5.0F}));
    const MakerCurves curves = *BuildMakerCurves(rows).curves;
    const std::vector<TestReading> readings = HourOfReadings();
    for (auto _ : state) {
        for (const TestReading& reading : readings)
            benchmark::DoNotOptimize(EvaluateWithCurves(basis, curves, reading));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(readings.size()));
}

void BM_EvaluateWithCurves_Induced(benchmark::State& state) {
    EvaluateReadingsWithCurves(state, FanDraft::kInduced);
}
BENCHMARK(BM_EvaluateWithCurves_Induced);

void BM_EvaluateWithCurves_Forced(benchmark::State& state) {
    EvaluateReadingsWithCurves(state, FanDraft::kForced);
}
BENCHMARK(BM_EvaluateWithCurves_Forced);

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
