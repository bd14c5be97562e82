// tedsdump's lists of many images: a folder of 100,000 small image files
// listed, read, decoded and checked on all cores, set against listing and
// reading the same files on all cores and doing nothing else with them.

#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "ImageFiles.hpp"
#include "InputFile.hpp"
#include "Inventory.hpp"
#include "InventoryOutput.hpp"
#include "Parallel.hpp"
#include "BenchData.hpp"
#include "teds_api.hpp"

namespace teds::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFiles = 100'000;

// The real sensors, each in every container, written over and over. Made
// once for every benchmark of the run and removed at its end.
class ImageFolder {
public:
    ImageFolder() : path_(fs::temp_directory_path() / ("teds-bench-images-" + std::to_string(::getpid()))) {
        fs::create_directories(path_);
        std::vector<std::string> contents;
        for (const char* name : {"Accelerometer", "Current", "ForceBridge", "LVDT", "Microphone", "TempTC",
                                 "ThermistorIex", "Voltage", "dewetron_ds2431_memory"}) {
            std::ifstream in(std::string(TEDS_REAL_TEDS_DIR) + "/" + name + ".hex", std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            const api::ImageRead read = api::readImage(text);
            for (const container::Format format : {container::Format::Raw, container::Format::Hex,
                                                   container::Format::Ted, container::Format::Eeprom,
                                                   container::Format::Bits})
                contents.push_back(container::writeContainer(read.image, format));
        }
        for (std::size_t i = 0; i < kFiles; ++i)
            std::ofstream(path_ / ("sensor" + std::to_string(i)), std::ios::binary) << contents[i % contents.size()];
    }
    ~ImageFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

const ImageFolder& imageFolder() {
    static const ImageFolder folder;
    return folder;
}

void ListAndReadFiles(benchmark::State& state) {
    const std::string folder = imageFolder().path();
    constexpr teds_tools::InputRules rules{.maxBytes = std::size_t{1} << 20, .regularFileOnly = true};
    for (auto _ : state) {
        const std::vector<tedsdump::ImageFile> files = tedsdump::imageFiles({folder}, false);
        std::atomic<std::size_t> next{0}, bytes{0};
        tedsdump::runOnThreads(tedsdump::processorCount(), [&] {
            for (std::size_t i; (i = next.fetch_add(1)) < files.size();)
                bytes += teds_tools::readInputFile(files[i].path, rules).content.size();
        });
        benchmark::DoNotOptimize(bytes.load());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kFiles));
}
BENCHMARK(ListAndReadFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// What `tedsdump --csv FOLDER > /dev/null` does, in-process.
void ListAndDecodeFiles(benchmark::State& state) {
    const std::string folder = imageFolder().path();
    api::Templates templates;
    templates.loadFile(exampleTemplatePath());
    tedsdump::InventorySettings settings;
    settings.checks.today = api::dayNumber("2026-12-10");
    std::istringstream noInput;
    for (auto _ : state) {
        std::ostringstream csv;
        tedsdump::InventoryOutput output(csv, tedsdump::ListForm::Csv);
        tedsdump::takeInventory(tedsdump::imageFiles({folder}, false), templates, settings, noInput,
                                [&](tedsdump::InventoryRow&& row) { output.add(row); });
        output.finish();
        benchmark::DoNotOptimize(csv.str().size());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kFiles));
}
BENCHMARK(ListAndDecodeFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace teds::bench
