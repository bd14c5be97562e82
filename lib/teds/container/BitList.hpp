#pragma once
// An image as a list of its bits, one 0 or 1 a byte, in reading order:
// bit 0 of byte 0 first, as IEEE 1451.4 memory is read. Virtual TEDS files
// and bit texts both hold this list.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "teds_container.hpp"

namespace teds::container {

// Packs `bits` (each 0 or 1) eight to a byte, least significant bit first.
Image packBits(const std::vector<std::uint8_t>& bits);

// The first `image.bitCount` bits of the image, one 0 or 1 each.
std::vector<std::uint8_t> unpackBits(const Image& image);

// The bits of a text of 0s and 1s with optional separators; empty when the
// text holds any other character or no bit at all.
std::vector<std::uint8_t> parseBitText(std::string_view text);

// Eight bits a group, eight groups a line.
std::string writeBitText(const Image& image);

}  // namespace teds::container
