// Decodes arbitrary bytes as a TEDS image against the example templates,
// reaches every value by position and by name, and sends a value taken from
// the input through each template's scale both ways.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "ExampleRegistry.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "teds/scale/TemplateScale.hpp"

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

        teds::scale::ChannelConditions conditions;
        conditions.coldJunctionC = 25.0;
        conditions.r0Ohm = 100.0;
        const teds::scale::ScaleFound found = teds::scale::scaleOfTemplate(record, conditions);
        if (found.scale.has_value() != found.reason.empty()) __builtin_trap();  // a scale or a reason, never both
        if (!found.scale) continue;
        double samples[2] = {0.0, 0.0};
        std::memcpy(samples, data, std::min(size, sizeof samples));
        for (const double sample : samples) {
            // A refusal exactly when there is no number, the same one an array gives.
            for (const teds::scale::Conversion& c : {found.scale->toPhysical(sample), found.scale->toElectrical(sample)})
                if (std::isnan(c.value) != !c.ok()) __builtin_trap();
        }
        double physical[2];
        const std::size_t numbers = found.scale->toPhysical(samples, physical, 2);
        if (numbers != static_cast<std::size_t>(found.scale->toPhysical(samples[0]).ok()) +
                           static_cast<std::size_t>(found.scale->toPhysical(samples[1]).ok()))
            __builtin_trap();
    }
    return 0;
}
