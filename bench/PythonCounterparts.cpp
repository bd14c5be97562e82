// What the Python package's benchmark (bench/python_bench.py) sets its own
// calls against, done from C++ through the same interface: reading a real
// sensor's file content as read() does, and converting ten million samples
// into an array that is already there, as to_physical(x, out=y) does.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchData.hpp"
#include "teds_api.hpp"

namespace teds::bench {
namespace {

std::string realAccelerometer() {
    std::ifstream in(TEDS_REAL_ACCELEROMETER, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

api::Templates standardTemplates() {
    api::Templates templates;
    templates.loadFile(exampleTemplatePath());
    return templates;
}

void ReadRealAccelerometer(benchmark::State& state) {
    const api::Templates templates = standardTemplates();
    const std::string content = realAccelerometer();
    for (auto _ : state) {
        api::ImageRead read = api::readImage(content);
        const api::Teds teds(templates, std::move(read.image));
        benchmark::DoNotOptimize(teds.basic());
    }
}
BENCHMARK(ReadRealAccelerometer);

constexpr std::size_t kSamples = 10'000'000;

api::Scale accelerometerScale() {
    const api::Templates templates = standardTemplates();
    api::ImageRead read = api::readImage(realAccelerometer());
    const api::Teds teds(templates, std::move(read.image));
    return *teds.scale(0).scale;
}

std::vector<double> volts() {
    std::vector<double> in(kSamples);
    for (std::size_t i = 0; i < kSamples; ++i) in[i] = -5.0 + 10.0 * static_cast<double>(i) / kSamples;
    return in;
}

void ScaleTenMillionSamples(benchmark::State& state) {
    const api::Scale scale = accelerometerScale();
    const std::vector<double> in = volts();
    std::vector<double> out(kSamples);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scale.toPhysical(in.data(), out.data(), kSamples));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ScaleTenMillionSamples)->Unit(benchmark::kMillisecond);


}  // namespace
}  // namespace teds::bench
