// Reads arbitrary bytes as tedsdump's lists read a file: as an image in its
// container, with a one-page dump told apart by decoding, then checked and
// written as a line of JSON Lines; and as the CSV of sensors --expect takes.
// Every problem has a name, the line is one line, and nothing crashes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Expectations.hpp"
#include "ExampleTemplates.hpp"
#include "teds_api.hpp"

using teds::fuzz::exampleTemplates;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    const teds::api::ImageRead read = teds::api::readImage(content, exampleTemplates());
    if (read.ok()) {
        const teds::api::Teds teds(exampleTemplates(), read.image);
        const std::vector<teds::api::ImageProblem> problems = teds.problems({.today = 10'000});
        for (const teds::api::ImageProblem& problem : problems)
            if (teds::api::problemName(problem.kind) == "unknown" || problem.text.empty()) __builtin_trap();
        const std::string file = "rig/ch1.hex";
        const std::string line =
            teds.document(read.source(), {.oneLine = true, .file = &file, .problems = &problems});
        if (line.find('\n') != line.size() - 1) __builtin_trap();
    }

    tedsdump::Expectations expectations;
    if (expectations.read(content).empty()) expectations.find("data/rig/ch1.hex");
    return 0;
}
