// Throughput of veltrane-calc: CSV designs in, CSV results out, on one core.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "batch_calculator.h"
#include "byte_source.h"
#include "csv_reader.h"
#include "design_sets.h"
#include "number_text.h"

namespace {

using veltrane::cli::BatchCalculator;
using veltrane::cli::BatchSettings;

constexpr std::size_t kDesignCount = 20000;

void AppendNumber(std::string& out, float value) {
    char text[32];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

/// Random designs across the ranges towers work in, written as a file of CSV rows would hold
/// them (shortest round-trip decimals, seven figures or so each).
std::string RandomDesigns(std::size_t count) {
    std::mt19937 random(20261207);
    const auto within = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    std::string csv;
    for (std::size_t i = 0; i < count; ++i) {
        const float wetBulb = within(40.0F, 85.0F);
        const float approach = within(5.0F, 20.0F);
        const float values[veltrane::kInputCount] = {within(12.0F, 15.0F),
                                                     wetBulb,
                                                     within(wetBulb, 110.0F),
                                                     within(wetBulb + approach + 5.0F, 140.0F),
                                                     approach,
                                                     within(0.5F, 2.0F),
                                                     within(100.0F, 1.0e5F),
                                                     within(2.0F, 10.0F),
                                                     within(0.0005F, 0.02F),
                                                     within(40.0F, 90.0F),
                                                     within(0.3F, 1.0F),
                                                     within(50.0F, 90.0F)};
        for (std::size_t k = 0; k < veltrane::kInputCount; ++k) {
            if (k > 0) csv += ',';
            AppendNumber(csv, values[k]);
        }
        csv += '\n';
    }
    return csv;
}

void RunBatch(benchmark::State& state, bool raw) {
    const std::string designs = RandomDesigns(kDesignCount);
    std::size_t bytesOut = 0;
    for (auto _ : state) {
        BatchCalculator calculator(
            BatchSettings{raw, false, {}},
            [&](std::string_view piece) {
                bytesOut += piece.size();
                benchmark::DoNotOptimize(piece.data());
            },
            [](std::string_view) {});
        veltrane::StringSource source(designs);
        calculator.CalculateSource(source, "designs.csv");
        calculator.Flush();
        if (calculator.DesignsWritten() != kDesignCount) state.SkipWithError("designs lost");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kDesignCount));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(designs.size()));
    benchmark::DoNotOptimize(bytesOut);
}

/// The figure that counts: --raw on random designs, designs per second in items_per_second.
void BM_BatchRaw(benchmark::State& state) {
    RunBatch(state, true);
}
BENCHMARK(BM_BatchRaw)->Unit(benchmark::kMillisecond);

/// The result texts of the window instead of raw numbers.
void BM_BatchResultTexts(benchmark::State& state) {
    RunBatch(state, false);
}
BENCHMARK(BM_BatchResultTexts)->Unit(benchmark::kMillisecond);

/// The calculation alone over the same designs, already read: the floor of the batch run.
void BM_CalculationAlone(benchmark::State& state) {
    const std::string designs = RandomDesigns(kDesignCount);
    std::vector<veltrane::DesignInputs> inputs;
    veltrane::StringSource source(designs);
    veltrane::CsvReader reader(source);
    veltrane::CsvRecord record;
    while (reader.Next(record)) {
        veltrane::DesignInputs& design = inputs.emplace_back();
        for (const veltrane::Input k : veltrane::kAllInputs) {
            (void)veltrane::ReadInputNumber(record.fields[veltrane::PositionOf(k)], design[k]);
        }
    }
    for (auto _ : state) {
        for (const veltrane::DesignInputs& design : inputs) {
            benchmark::DoNotOptimize(veltrane::CalculatePerformance(design));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(inputs.size()));
}
BENCHMARK(BM_CalculationAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
