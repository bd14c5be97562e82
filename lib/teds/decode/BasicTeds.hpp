#pragma once
// The 64-bit Basic TEDS at the start of every image, in either of its two layouts.

#include <cstdint>
#include <iosfwd>

#include "teds/decode/BitStream.hpp"

namespace teds::decode {

struct BasicTeds {
    std::int32_t format = 0;  // 2 standard layout, 1 early layout, 0 nothing read
    std::int32_t manufacturerId = 0;
    std::int32_t modelNumber = 0;
    char versionLetter = 0;
    std::int32_t versionNumber = 0;
    std::int32_t serialNumber = 0;
};

// Which layout an image uses, from its bytes 8 and 9 (the first template
// descriptor). Bytes the image does not have count as 0.
std::int32_t chooseBasicTedsLayout(const std::uint8_t* image, std::uint32_t length);

// Reads the Basic TEDS from `stream`, which stands at bit 0 of `image`;
// afterwards it stands at bit 64. Writes one trace line when `trace` is given.
void readBasicTeds(const std::uint8_t* image, std::uint32_t length, BitStream& stream,
                   std::ostream* trace, BasicTeds& out);

}  // namespace teds::decode
