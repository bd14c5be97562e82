#pragma once
// Memory dumps of the 1-Wire EEPROMs that hold a sensor's TEDS (DS2430A,
// DS2431, DS2433, DS24B33 and the like). The memory is read in 32-byte
// pages; the first byte of each is a checksum that makes the sum of the
// page's bytes 0 modulo 256, and the other 31 are image bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "teds_container.hpp"

namespace teds::container {

inline constexpr std::size_t kEepromPageBytes = 32;
inline constexpr std::size_t kEepromPageData = kEepromPageBytes - 1;

// What the pages of some bytes say about them being a dump. Pages of all
// 0x00 or all 0xFF are what unwritten or erased memory reads; they say
// nothing either way and are counted in neither.
struct PageEvidence {
    bool wholePages = false;  // at least one page and no partial page
    std::uint32_t holding = 0;
    std::uint32_t failing = 0;
};

PageEvidence weighPages(const std::vector<std::uint8_t>& bytes);

// Checks every page and strips the checksum bytes. Erased pages (all 0xFF)
// after the last written page are left out of the image; any other page
// whose checksum fails is an error naming it.
ReadResult readEepromDump(const std::vector<std::uint8_t>& bytes);

// The image in pages with correct checksums, the last page padded with
// zeros, then erased pages (all 0xFF) until there are `pages` pages.
std::string writeEepromDump(const std::vector<std::uint8_t>& image, std::uint32_t pages = 0);

}  // namespace teds::container
