// Samples through each kind of scale, 64 MB at a time, against copying the
// same bytes with memcpy: every iteration copies, then converts, and the
// counter "vs_memcpy" is the ratio of the two times over the whole run, so
// that a busy machine slows both alike.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "teds_scale.hpp"

namespace teds::bench {
namespace {

using scale::Scale;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kBytes = std::size_t{64} << 20;

// Samples spread evenly over the range a sensor's readings take.
template <typename Sample>
std::vector<Sample> samples(double low, double high) {
    std::vector<Sample> values(kBytes / sizeof(Sample));
    std::mt19937_64 random(1451);
    std::uniform_real_distribution<double> spread(low, high);
    for (Sample& v : values) v = static_cast<Sample>(spread(random));
    return values;
}

template <typename Sample>
void convertSamples(benchmark::State& state, const Scale& scale, double low, double high) {
    const std::vector<Sample> in = samples<Sample>(low, high);
    std::vector<Sample> out(in.size());
    std::vector<Sample> copy(in.size());
    double copySeconds = 0;
    double scaleSeconds = 0;
    std::size_t numbers = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::memcpy(copy.data(), in.data(), kBytes);
        benchmark::ClobberMemory();
        const auto copied = Clock::now();
        numbers = scale.toPhysical(in.data(), out.data(), in.size());
        benchmark::ClobberMemory();
        const auto converted = Clock::now();
        copySeconds += std::chrono::duration<double>(copied - start).count();
        const double seconds = std::chrono::duration<double>(converted - copied).count();
        scaleSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    if (numbers != in.size()) state.SkipWithError("a sample in the range gave no number");
    state.counters["vs_memcpy"] = scaleSeconds / copySeconds;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kBytes));
}

void ScaleSensitivity(benchmark::State& state) {
    convertSamples<double>(state, *Scale::sensitivity(4.99993e-3, "V", "m/s^2"), -5.0, 5.0);
}
void ScaleSensitivityFloat(benchmark::State& state) {
    convertSamples<float>(state, *Scale::sensitivity(4.99993e-3, "V", "m/s^2"), -5.0, 5.0);
}
void ScaleTwoPoint(benchmark::State& state) {
    convertSamples<double>(state, *Scale::twoPoint(0, 1.00078e-3, 0, 2000, "V/V", "N"), -1e-3, 1e-3);
}
void ScaleThermocouple(benchmark::State& state) {
    // Type K from -200 degC to 1300 degC with the cold junction at 25 degC.
    convertSamples<double>(state, Scale::thermocouple(scale::ThermocoupleType::K, 25.0), -0.0068, 0.051);
}
void ScaleThermocoupleFloat(benchmark::State& state) {
    convertSamples<float>(state, Scale::thermocouple(scale::ThermocoupleType::K, 25.0), -0.0068, 0.051);
}
void ScaleRtd(benchmark::State& state) {
    // A Pt100 from -190 degC to 840 degC: both branches of the curve.
    convertSamples<double>(state, *Scale::rtd(100.0), 23.0, 387.0);
}
void ScaleThermistor(benchmark::State& state) {
    convertSamples<double>(state, *Scale::thermistor(1.3e-3, 2.3e-4, 1.0e-7), 100.0, 100000.0);
}

BENCHMARK(ScaleSensitivity)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleSensitivityFloat)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleTwoPoint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleThermocouple)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleThermocoupleFloat)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleRtd)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ScaleThermistor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace teds::bench
