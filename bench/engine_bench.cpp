// Speed of the calculation and of the result text rule.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

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
    inputs[veltrane::Input::kWetBulb] = -20.0F;
    inputs[veltrane::Input::kDryBulb] = -10.0F;
    inputs[veltrane::Input::kHotWater] = 0.0F;
    inputs[veltrane::Input::kApproach] = 5.0F;
    for (auto _ : state) {
        benchmark::DoNotOptimize(inputs);
        benchmark::DoNotOptimize(veltrane::CalculatePerformance(inputs));
    }
}
BENCHMARK(BM_CalculatePerformance_SolverLimit);

// The libm work a default design cannot avoid: sixteen saturation pressures, each four powers
// and one exponential, at the reduced temperatures the design visits. The calculation is
// measured against this floor.
void BM_BareLibmFloor(benchmark::State& state) {
    std::array<double, 16> taus{};
    for (std::size_t i = 0; i < taus.size(); ++i) {
        taus[i] = 1.0 - (459.67 + 65.0 + 2.5 * static_cast<double>(i)) / 1165.14;
    }
    for (auto _ : state) {
        double sum = 0.0;
        for (double tau : taus) {
            benchmark::DoNotOptimize(tau);
            sum += std::pow(tau, 2.0) + std::pow(tau, 3.0) + std::pow(tau, 4.0) +
                   std::pow(tau, 5.0) + std::exp(-tau * 16.0);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BareLibmFloor);

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
