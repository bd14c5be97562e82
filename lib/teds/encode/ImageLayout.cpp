#include "teds/encode/ImageLayout.hpp"

#include <algorithm>

#include "teds/encode/BitText.hpp"
#include "teds_chain_format.hpp"

namespace teds::encode {

namespace {
constexpr std::uint64_t kBasicTedsBits = chain::kBasicTedsBits;
}

ImageLayout layoutOf(const decode::DecodedTeds& teds, const container::Image& image) {
    ImageLayout layout;
    const std::uint64_t bitCount = image.bitCount;
    std::uint64_t end = kBasicTedsBits;      // where the bits read so far end, as far as the bytes go
    std::uint64_t readTo = kBasicTedsBits;   // the same, counting bits read past the bytes
    for (const decode::TemplateRecord& tmpl : teds.templates) {
        layout.descriptorBits.push_back(bitTextOf(image.bytes, end, std::min(tmpl.idBit, bitCount)));
        end = tmpl.endBit;
        readTo = tmpl.endBit + tmpl.missingBits;
    }
    if (end < bitCount) layout.trailingBits = bitTextOf(image.bytes, end, bitCount);
    if (readTo > bitCount) layout.bitsPastEnd = readTo - bitCount;
    return layout;
}

}  // namespace teds::encode
