// Speed of the calculation, the rating and the result text rule.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "fan_control.h"
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

void BM_ResultText(benchmark::State& state) {
    float value = 35.5855F;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(veltrane::ResultText(value));
    }
}
BENCHMARK(BM_ResultText);

// Rated designs per second over a spread of weather, ranges, flows and towers; every one of
// them has an operating point.
void BM_RateDesign_Spread(benchmark::State& state) {
    std::vector<DesignInputs> designs;
    for (float wetBulb : {40.0F, 60.0F, 80.0F}) {
        for (float range : {5.0F, 15.0F, 30.0F}) {
            for (float liquidGas : {0.5F, 1.0F, 2.0F}) {
                DesignInputs d = veltrane::DefaultDesignInputs();
                d[veltrane::Input::kWetBulb] = wetBulb;
                d[veltrane::Input::kDryBulb] = wetBulb + 10.0F;
                d[veltrane::Input::kHotWater] = wetBulb + d[veltrane::Input::kApproach] + range;
                d[veltrane::Input::kLiquidGas] = liquidGas;
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

/// An hourly year of weather: the wet bulb swings 18 °F over the seasons and 4 °F over the day
/// around 55 °F, the dry bulb 5 to 13 °F above it; range 20 °F, the defaults otherwise.
std::vector<DesignInputs> HourlyYear() {
    constexpr int kHours = 8760;
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    std::vector<DesignInputs> year;
    year.reserve(kHours);
    for (int hour = 0; hour < kHours; ++hour) {
        const double season = std::sin(kTwoPi * (hour / 24 - 110) / 365.0);
        const double day = std::sin(kTwoPi * (hour % 24 - 9) / 24.0);
        DesignInputs d = veltrane::DefaultDesignInputs();
        d[veltrane::Input::kWetBulb] = static_cast<float>(55.0 + 18.0 * season + 4.0 * day);
        d[veltrane::Input::kDryBulb] =
            static_cast<float>(static_cast<double>(d[veltrane::Input::kWetBulb]) + 9.0 + 4.0 * day);
        d[veltrane::Input::kApproach] = 10.0F;
        d[veltrane::Input::kHotWater] = d[veltrane::Input::kWetBulb] + 30.0F;
        year.push_back(d);
    }
    return year;
}

// A year of hourly rows rated against the default design's tower with a variable-speed drive
// holding 78 °F and the exact leaving air: one iteration is the whole year (aim: under 2 s).
void BM_Year_VariableSpeedExactLeavingAir(benchmark::State& state) {
    const std::vector<DesignInputs> year = HourlyYear();
    const veltrane::TowerCharacteristic tower{1.8324F, 0.6F};
    const veltrane::FanControl control{veltrane::FanMode::kVariableSpeed, 78.0F,
                                       veltrane::kDefaultMinimumAirFlow};
    std::int64_t ratings = 0;
    for (auto _ : state) {
        double energy = 0.0;
        for (const DesignInputs& hour : year) {
            const veltrane::FanOperation run =
                veltrane::ControlFans(hour, tower, control, veltrane::LeavingAirRule::kExact);
            energy += static_cast<double>(run.fanPower);
            ratings += run.ratings;
        }
        benchmark::DoNotOptimize(energy);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(year.size()));
    state.counters["ratings per row"] = benchmark::Counter(
        static_cast<double>(ratings) /
        static_cast<double>(state.iterations() * static_cast<std::int64_t>(year.size())));
}
BENCHMARK(BM_Year_VariableSpeedExactLeavingAir)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
