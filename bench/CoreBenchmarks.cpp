// The core without the exports: loading a large template catalogue, decoding
// the accelerometer, and the bit reader alone, the floor every decode stands on.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "AllocationCounter.hpp"
#include "BenchData.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/types/BitReader.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds::bench {
namespace {

// Case 3: a catalogue of 2,000 templates loaded from memory.
void LoadTemplateCatalogue(benchmark::State& state) {
    const std::string catalogue = templateCatalogue(2000);
    for (auto _ : state) {
        auto registry = std::make_unique<tdl::Registry>();
        if (tdl::loadTdlText(*registry, catalogue, "catalogue.tdl") != 2000)
            state.SkipWithError("catalogue did not load");
        // Releasing the templates is not part of loading them.
        state.PauseTiming();
        registry.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(catalogue.size()));
}
BENCHMARK(LoadTemplateCatalogue)->Unit(benchmark::kMillisecond);

// Case 1 without the exports: the decode alone, into a fresh result each
// time, as a handle holds one.
void DecodeAccelerometerCore(benchmark::State& state) {
    tdl::Registry registry;
    if (tdl::loadTdlFile(registry, exampleTemplatePath()).accepted <= 0) state.SkipWithError("templates did not load");
    const std::vector<std::uint8_t> image = accelerometerImage();
    const auto length = static_cast<std::uint32_t>(image.size());

    const AllocationCounts before = allocationCounts();
    {
        decode::DecodedTeds probe;
        decode::decodeTeds(registry, image.data(), length, nullptr, probe);
        state.counters["allocs/decode"] = static_cast<double>(allocationCounts().allocations - before.allocations);
        if (probe.templates.size() != 1) state.SkipWithError("image did not decode");
    }
    for (auto _ : state) {
        decode::DecodedTeds decoded;
        decode::decodeTeds(registry, image.data(), length, nullptr, decoded);
        benchmark::DoNotOptimize(decoded);
    }
    state.counters["image bits"] = static_cast<double>(image.size() * 8);
}
BENCHMARK(DecodeAccelerometerCore);

// Case 5: an image read field by field, widths 1 to 32 in turn, so fields
// start at every bit offset. Run over the accelerometer image's size, for
// comparison with its decode, and over a larger image.
void ReadFieldByField(benchmark::State& state) {
    const std::vector<std::uint8_t> image(static_cast<std::size_t>(state.range(0)), 0xA5);
    std::uint64_t fields = 0;
    for (auto _ : state) {
        types::BitReader stream(image.data(), static_cast<std::uint32_t>(image.size()));
        std::uint64_t sum = 0;
        for (std::uint32_t width = 1; stream.hasMore(); width = width % 32 + 1, ++fields) sum += stream.readBits(width);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["image bits"] = static_cast<double>(image.size() * 8);
    state.counters["fields"] = benchmark::Counter(static_cast<double>(fields), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ReadFieldByField)->Arg(28)->Arg(4096);

}  // namespace
}  // namespace teds::bench
