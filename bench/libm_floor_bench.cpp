// The floor under the calculation: the very pow and exp calls one default design makes, with its
// own arguments, replayed on their own. This program links the engine with --wrap=pow and
// --wrap=exp, so that one calculation of the defaults records every call before the replay; the
// calculation's own speed is measured in engine_bench, which has no such wrappers.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "performance.h"

namespace {

struct LibmCall {
    bool isExp = false;
    double x = 0.0;
    double exponent = 0.0;  ///< pow's second argument
};

std::vector<LibmCall>* recording = nullptr;

}  // namespace

// The names are the linker's for --wrap: __real_ is the original, __wrap_ takes its calls.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" double __real_pow(double base, double exponent);
extern "C" double __real_exp(double x);

extern "C" double __wrap_pow(double base, double exponent) {
    if (recording != nullptr) recording->push_back({false, base, exponent});
    return __real_pow(base, exponent);
}

extern "C" double __wrap_exp(double x) {
    if (recording != nullptr) recording->push_back({true, x, 0.0});
    return __real_exp(x);
}
// NOLINTEND(bugprone-reserved-identifier)

namespace {

std::vector<LibmCall> RecordDefaultDesign() {
    std::vector<LibmCall> calls;
    recording = &calls;
    benchmark::DoNotOptimize(veltrane::CalculatePerformance(veltrane::DefaultDesignInputs()));
    recording = nullptr;
    return calls;
}

// Every result is handed to DoNotOptimize as a value, so the arguments are read from the
// recording on each pass and no call can be folded away.
void BM_LibmFloor_Defaults(benchmark::State& state) {
    const std::vector<LibmCall> calls = RecordDefaultDesign();
    std::size_t exps = 0;
    for (const LibmCall& call : calls)
        exps += call.isExp ? 1 : 0;
    for (auto _ : state) {
        for (const LibmCall& call : calls) {
            benchmark::DoNotOptimize(call.isExp ? __real_exp(call.x)
                                                : __real_pow(call.x, call.exponent));
        }
    }
    state.counters["pow"] = static_cast<double>(calls.size() - exps);
    state.counters["exp"] = static_cast<double>(exps);
}
BENCHMARK(BM_LibmFloor_Defaults);

}  // namespace

BENCHMARK_MAIN();
