#pragma once
// Everything decoded from one TEDS image.

#include <cstdint>
#include <vector>

#include "teds/decode/BasicTeds.hpp"
#include "teds/decode/TemplateRecord.hpp"

namespace teds::decode {

// Why the walk down the chain of descriptors stopped.
enum class ChainStop : std::int32_t {
    ImageEnded,           // no bit was left for another descriptor
    Extended,             // an extended descriptor closes the chain
    ManufacturerUnknown,  // no template of the descriptor's manufacturer is loaded: its ID width is unknown
    TemplateUnknown,      // the template ID read is not among the loaded templates
    TemplateFailed,       // the template was found, but its body did not decode
};

struct ChainEnd {
    ChainStop stop = ChainStop::ImageEnded;
    // Of the descriptor that stopped the chain, for the last three stops:
    std::int32_t manufacturerKey = 0;
    std::uint32_t templateId = 0;  // not read when the manufacturer is unknown
    std::uint64_t descriptorBit = 0;  // where its selector began
    std::uint64_t missingBits = 0;    // bits of its ID and body beyond the image's end
};

struct DecodedTeds {
    BasicTeds basic;
    std::vector<TemplateRecord> templates;  // in image order
    ChainEnd end;
};

}  // namespace teds::decode
