#pragma once
// Runs of image bits kept as text of '0' and '1' in reading order: the bits
// around the templates that no decoded value describes, carried over as they were.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "teds/types/BitWriter.hpp"

namespace teds::encode {

// Bits [from, to) of `bytes`, bit 0 of byte 0 first; bits past the bytes read as 0.
std::string bitTextOf(const std::vector<std::uint8_t>& bytes, std::uint64_t from, std::uint64_t to);

bool isBitText(std::string_view bits);

// False when the writer refuses the bits (the image would outgrow its limit).
bool writeBitText(types::BitWriter& out, std::string_view bits);

}  // namespace teds::encode
