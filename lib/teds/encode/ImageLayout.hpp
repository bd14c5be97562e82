#pragma once
// What a decode leaves out of its values but an exact copy of the image needs:
// the descriptor bits before each template ID, the bits after the last
// template (the end selector and a user area behind it), and how far the last
// template ran past the end of the image.

#include <cstdint>
#include <string>
#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds_container.hpp"

namespace teds::encode {

struct ImageLayout {
    // Per template: the bits from the end of the template before it (or of
    // the Basic TEDS) to its ID: its selector, a user descriptor, and any
    // descriptors in between that carry no template.
    std::vector<std::string> descriptorBits;
    // From the end of the last template to the end of the image.
    std::string trailingBits;
    // Bits of the last template that the image did not have (read as 0).
    std::uint64_t bitsPastEnd = 0;
};

// The layout of `image` as `teds` was decoded from it.
ImageLayout layoutOf(const decode::DecodedTeds& teds, const container::Image& image);

}  // namespace teds::encode
