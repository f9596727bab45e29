// A year from a site's weather file: the Chicago O'Hare typical year read and each hour's air
// formed, and the whole year rated with VFD fans and the exact leaving air, file reading
// included (the target: under 0.5 s on one core).
#include <benchmark/benchmark.h>

#include <fstream>

#include "performance_curves.h"
#include "weather_file.h"
#include "weather_hour.h"
#include "weather_year.h"

namespace {

using namespace veltrane;

constexpr const char* kChicago = VELTRANE_EXAMPLES_DIR "/chicago-ohare-tmy3.epw";

/// Reads the file and hands every usable hour's air to `use`.
template <typename Use>
void ForEachHour(Use&& use) {
    std::ifstream in(kChicago, std::ios::binary);
    WeatherFileReader reader(in);
    WeatherRecord record;
    WeatherLineError error;
    WeatherLineKind kind;
    while ((kind = reader.Next(record, error)) != WeatherLineKind::kEnd) {
        if (kind != WeatherLineKind::kRecord) continue;
        const HourAirConversion conversion = AirOfRecord(record);
        if (conversion.outcome == WetBulbOutcome::kSolved) use(record, conversion.air);
    }
}

void BM_ReadAndConvertChicagoYear(benchmark::State& state) {
    for (auto _ : state) {
        int hours = 0;
        ForEachHour([&hours](const WeatherRecord&, const HourAir& air) {
            benchmark::DoNotOptimize(air);
            ++hours;
        });
        if (hours != 8760) state.SkipWithError("the Chicago file did not give 8,760 hours");
    }
}
BENCHMARK(BM_ReadAndConvertChicagoYear)->Unit(benchmark::kMillisecond);

// The default design, the tower through it at slope 0.6, VFD fans to a 78 °F setpoint: what
// veltrane-calc --weather --monthly runs.
void BM_ChicagoYearVfdExactLeavingAir(benchmark::State& state) {
    const DesignInputs design = DefaultDesignInputs();
    const WeatherYearSettings settings{
        design, *TowerThroughDesign(design, 0.6F),
        FanControl{FanMode::kVariableSpeed, 78.0F, kDefaultMinimumAirFlow}, LoadProfile(100.0F)};
    for (auto _ : state) {
        std::ifstream in(kChicago, std::ios::binary);
        WeatherFileReader reader(in);
        const WeatherYear year = RunWeatherYear(reader, settings);
        benchmark::DoNotOptimize(year.sums.Year().makeupGallons);
        if (year.sums.Year().hours != 8760.0) state.SkipWithError("not every hour was rated");
    }
}
BENCHMARK(BM_ChicagoYearVfdExactLeavingAir)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
