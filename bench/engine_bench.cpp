// Speed of the calculation and of the result text rule.
#include <benchmark/benchmark.h>

#include "performance.h"
#include "result_text.h"

namespace {

using veltrane::DesignInputs;

void BM_CalculatePerformance_Defaults(benchmark::State& state) {
    DesignInputs inputs = veltrane::DefaultDesignInputs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(inputs);
        benchmark::DoNotOptimize(veltrane::CalculatePerformance(inputs));
    }
}
BENCHMARK(BM_CalculatePerformance_Defaults);

// A design whose exit-air search creeps towards a bracket end of 0 °F and runs all 50 iterations.
void BM_CalculatePerformance_SolverLimit(benchmark::State& state) {
    DesignInputs inputs = veltrane::DefaultDesignInputs();
    inputs[veltrane::kWetBulb] = -20.0F;
    inputs[veltrane::kDryBulb] = -10.0F;
    inputs[veltrane::kHotWater] = 0.0F;
    inputs[veltrane::kApproach] = 5.0F;
    for (auto _ : state) {
        benchmark::DoNotOptimize(inputs);
        benchmark::DoNotOptimize(veltrane::CalculatePerformance(inputs));
    }
}
BENCHMARK(BM_CalculatePerformance_SolverLimit);

void BM_ResultText(benchmark::State& state) {
    float value = 35.5855F;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(veltrane::ResultText(value));
    }
}
BENCHMARK(BM_ResultText);

}  // namespace

BENCHMARK_MAIN();
