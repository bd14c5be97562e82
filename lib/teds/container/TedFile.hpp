#pragma once
// Virtual TEDS files: a 40-bit header, then one byte 0 or 1 per image bit.
// The header's bits, read least significant first, spell "[v03]". There is
// no length field: the file ends with the image's last bit, which need not
// be on a byte boundary.

#include <string>
#include <string_view>

#include "teds_container.hpp"

namespace teds::container {

// True when `content` opens with 40 bytes of 0s and 1s spelling "[v..]",
// whatever the version; reading refuses versions other than 03.
bool looksLikeTedFile(std::string_view content);

ReadResult readTedFile(std::string_view content);

std::string writeTedFile(const Image& image);

}  // namespace teds::container
