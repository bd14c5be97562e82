// What a data-acquisition program pays through the exports: decoding a
// sensor, reading its properties, and large calibration tables.

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "AllocationCounter.hpp"
#include "BenchData.hpp"
#include "teds_vb6.h"

namespace teds::bench {
namespace {

// A parser with the example templates, for the whole run.
class ExampleParser {
public:
    explicit ExampleParser(const std::string& extraTdl = {}) : parser_(MirxTEDS_ParserCreate()) {
        if (MirxTEDS_ParseTDLFile(parser_, exampleTemplatePath().c_str()) <= 0)
            throw std::runtime_error("example templates did not load");
        if (!extraTdl.empty()) {
            const std::string path = "teds_bench_extra.tdl";
            FILE* f = std::fopen(path.c_str(), "wb");
            std::fwrite(extraTdl.data(), 1, extraTdl.size(), f);
            std::fclose(f);
            // A second template 40 would be refused, so the wide table gets a parser of its own.
            MirxTEDS_ParserDestroy(parser_);
            parser_ = MirxTEDS_ParserCreate();
            if (MirxTEDS_ParseTDLFile(parser_, path.c_str()) != 1) throw std::runtime_error("extra TDL did not load");
            std::remove(path.c_str());
        }
    }
    ~ExampleParser() { MirxTEDS_ParserDestroy(parser_); }
    TedsParser get() const { return parser_; }

private:
    TedsParser parser_;
};

DecodedTeds decode(TedsParser parser, const std::vector<std::uint8_t>& image) {
    return MirxTEDS_ParseTEDS(parser, image.data(), static_cast<std::int32_t>(image.size()));
}

// Case 1: decode and free one accelerometer image.
void DecodeAccelerometer(benchmark::State& state) {
    const ExampleParser parser;
    const std::vector<std::uint8_t> image = accelerometerImage();
    if (MirxTEDS_GetNumberTemplates(decode(parser.get(), image)) != 1) state.SkipWithError("image did not decode");

    const AllocationCounts before = allocationCounts();
    DecodedTeds probe = decode(parser.get(), image);
    const AllocationCounts held = allocationCounts();
    MirxTEDS_FreeTEDS(probe);
    state.counters["allocs/decode"] = static_cast<double>(held.allocations - before.allocations);
    state.counters["handle bytes"] = static_cast<double>(held.liveBytes - before.liveBytes);
    state.counters["values"] = MirxTEDS_GetTotalPropertyCount(probe = decode(parser.get(), image), 0);
    MirxTEDS_FreeTEDS(probe);

    for (auto _ : state) {
        DecodedTeds teds = decode(parser.get(), image);
        benchmark::DoNotOptimize(teds);
        MirxTEDS_FreeTEDS(teds);
    }
    state.counters["image bits"] = static_cast<double>(image.size() * 8);
}
BENCHMARK(DecodeAccelerometer);

// Reads every property of template 0 by position, then each by name, as a
// VB6 caller would: its variables are reused and released at the end.
std::int32_t readEveryProperty(DecodedTeds teds, std::vector<std::string>& names) {
    BSTR name = nullptr, unit = nullptr;
    VARIANT value, unitArray;
    VariantInit(&value);
    VariantInit(&unitArray);
    std::int32_t status = 0;
    const std::int32_t count = MirxTEDS_GetTotalPropertyCount(teds, 0);
    names.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        MirxTEDS_GetPropertyByIdxEx(teds, 0, i, &name, &value, &unit, &unitArray, &status);
        names.emplace_back(reinterpret_cast<const char*>(name), SysStringByteLen(name));
    }
    for (const std::string& n : names)
        MirxTEDS_GetPropertyValueEx(teds, 0, n.c_str(), 0, &value, &unit, &unitArray, &status);
    SysFreeString(name);
    SysFreeString(unit);
    VariantClear(&value);
    VariantClear(&unitArray);
    return count;
}

// Case 2: every property of the accelerometer, by position and by name.
void ReadAccelerometerProperties(benchmark::State& state) {
    const ExampleParser parser;
    DecodedTeds teds = decode(parser.get(), accelerometerImage());
    std::vector<std::string> names;
    names.reserve(64);
    std::int32_t count = 0;
    for (auto _ : state) benchmark::DoNotOptimize(count = readEveryProperty(teds, names));
    state.counters["properties"] = count;
    MirxTEDS_FreeTEDS(teds);
}
BENCHMARK(ReadAccelerometerProperties);

// Case 4: a calibration table of state.range(0) points, decoded, then every
// value read by position.
void CalibrationTable(benchmark::State& state) {
    const auto points = static_cast<std::uint32_t>(state.range(0));
    const ExampleParser parser(wideCalibrationTableTdl());
    const std::vector<std::uint8_t> image = calibrationTableImage(points);
    VARIANT value;
    VariantInit(&value);
    BSTR name = nullptr, unit = nullptr;
    for (auto _ : state) {
        DecodedTeds teds = decode(parser.get(), image);
        const std::int32_t count = MirxTEDS_GetTotalPropertyCount(teds, 0);
        if (count != static_cast<std::int32_t>(2 * points + 1)) state.SkipWithError("table did not decode");
        for (std::int32_t i = 0; i < count; ++i) MirxTEDS_GetPropertyByIdx(teds, 0, i, &name, &value, &unit);
        MirxTEDS_FreeTEDS(teds);
    }
    SysFreeString(name);
    SysFreeString(unit);
    VariantClear(&value);
    state.counters["points"] = points;
}
BENCHMARK(CalibrationTable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace teds::bench
