#pragma once
// The 64-bit Basic TEDS at the start of every image, in either of its two layouts.

#include <cstdint>

#include "teds/types/BitReader.hpp"
#include "teds_chain_format.hpp"

namespace teds::decode {

// The numbers are what the tool reports as the layout.
enum class BasicTedsLayout : std::int32_t { NotRead = 0, Early = 1, Standard = 2 };

struct BasicTeds {
    BasicTedsLayout format = BasicTedsLayout::NotRead;
    std::int32_t manufacturerId = 0;
    std::int32_t modelNumber = 0;
    char versionLetter = 0;
    std::int32_t versionNumber = 0;
    std::int32_t serialNumber = 0;
};

// The widths of the five fields, in the order they are read; the standard
// layout's for any layout but Early.
using BasicTedsWidths = chain::BasicTedsWidths;
BasicTedsWidths basicTedsWidths(BasicTedsLayout layout);

// Which layout an image uses, from its bytes 8 and 9 (the first template
// descriptor). Bytes the image does not have count as 0.
BasicTedsLayout chooseBasicTedsLayout(const std::uint8_t* image, std::uint32_t length);

// Reads the Basic TEDS from `in`, which stands at bit 0 of `image`;
// afterwards it stands at bit 64.
void readBasicTeds(const std::uint8_t* image, std::uint32_t length, types::BitReader& in, BasicTeds& out);

}  // namespace teds::decode
