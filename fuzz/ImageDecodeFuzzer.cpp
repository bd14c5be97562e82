// Decodes arbitrary bytes as a TEDS image against the example templates and
// reaches every value by position and by name.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "ExampleRegistry.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(size, 1u << 20));
    teds::decode::DecodedTeds teds;
    teds::decode::ChainTrace steps;
    teds::decode::decodeTeds(teds::fuzz::exampleRegistry(), data, length, &steps, teds);
    std::ostringstream trace;
    teds::decode::writeTrace(trace, teds.basic, steps);

    for (const teds::decode::TemplateRecord& record : teds.templates) {
        const std::int32_t count = teds::decode::countValues(record.values);
        for (std::int32_t i = 0; i < count; ++i) {
            std::uint32_t position = static_cast<std::uint32_t>(i);
            const teds::types::ValueRecord* value = teds::decode::selectByPosition(record.values, position);
            if (value == nullptr) __builtin_trap();  // every counted position must select
            if (teds::decode::selectByName(record.values, value->name(), 0) == nullptr) __builtin_trap();
        }
    }
    return 0;
}
