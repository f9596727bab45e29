// Speed of the calculation and of the result text rule.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "performance.h"
#include "rating.h"
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

// Steps 1 to 6 alone, what the rating's search evaluates at each trial approach.
void BM_CalculateMerkelIntegral_Defaults(benchmark::State& state) {
    DesignInputs inputs = veltrane::DefaultDesignInputs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(inputs);
        benchmark::DoNotOptimize(veltrane::CalculateMerkelIntegral(inputs));
    }
}
BENCHMARK(BM_CalculateMerkelIntegral_Defaults);

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

// Rated designs per second over a spread of weather, ranges, flows and towers; every one of
// them has an operating point.
void BM_RateDesign_Spread(benchmark::State& state) {
    std::vector<DesignInputs> designs;
    for (float wetBulb : {40.0F, 60.0F, 80.0F}) {
        for (float range : {5.0F, 15.0F, 30.0F}) {
            for (float liquidGas : {0.5F, 1.0F, 2.0F}) {
                DesignInputs d = veltrane::DefaultDesignInputs();
                d[veltrane::kWetBulb] = wetBulb;
                d[veltrane::kDryBulb] = wetBulb + 10.0F;
                d[veltrane::kHotWater] = wetBulb + d[veltrane::kApproach] + range;
                d[veltrane::kLiquidGas] = liquidGas;
                designs.push_back(d);
            }
        }
    }
    const std::array<veltrane::TowerCharacteristic, 4> towers = {
        {{1.0F, 0.5F}, {1.0F, 0.8F}, {2.3F, 0.5F}, {2.3F, 0.8F}}};
    std::size_t next = 0;
    std::int64_t calculations = 0;
    for (auto _ : state) {
        const DesignInputs& design = designs[next % designs.size()];
        const veltrane::TowerCharacteristic tower = towers[(next / designs.size()) % towers.size()];
        const veltrane::Rating rating = veltrane::RateDesign(design, tower);
        benchmark::DoNotOptimize(rating);
        calculations += rating.calculations;
        ++next;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["calculations"] = benchmark::Counter(static_cast<double>(calculations) /
                                                        static_cast<double>(state.iterations()));
}
BENCHMARK(BM_RateDesign_Spread);

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
