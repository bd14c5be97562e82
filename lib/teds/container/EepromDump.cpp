#include "teds/container/EepromDump.hpp"

#include <algorithm>
#include <numeric>

#include "teds/container/HexText.hpp"

namespace teds::container {
namespace {

using Page = std::vector<std::uint8_t>::const_iterator;

std::uint8_t pageSum(Page begin) {
    return static_cast<std::uint8_t>(std::accumulate(begin, begin + kEepromPageBytes, 0u) & 0xFFu);
}

bool allEqual(Page begin, std::uint8_t value) {
    return std::all_of(begin, begin + kEepromPageBytes, [value](std::uint8_t b) { return b == value; });
}

bool isBlank(Page begin) { return allEqual(begin, 0x00) || allEqual(begin, 0xFF); }

std::uint8_t checksumFor(Page dataBegin, Page dataEnd) {
    return static_cast<std::uint8_t>((0x100u - (std::accumulate(dataBegin, dataEnd, 0u) & 0xFFu)) & 0xFFu);
}

}  // namespace

PageEvidence weighPages(const std::vector<std::uint8_t>& bytes) {
    PageEvidence evidence;
    evidence.wholePages = !bytes.empty() && bytes.size() % kEepromPageBytes == 0;
    if (!evidence.wholePages) return evidence;
    for (std::size_t start = 0; start < bytes.size(); start += kEepromPageBytes) {
        const Page page = bytes.begin() + static_cast<std::ptrdiff_t>(start);
        if (isBlank(page)) continue;
        if (pageSum(page) == 0)
            ++evidence.holding;
        else
            ++evidence.failing;
    }
    return evidence;
}

ReadResult readEepromDump(const std::vector<std::uint8_t>& bytes) {
    ReadResult result;
    result.format = Format::Eeprom;
    if (bytes.empty() || bytes.size() % kEepromPageBytes != 0) {
        result.error = "holds " + std::to_string(bytes.size()) + " bytes, which are not whole " +
                       std::to_string(kEepromPageBytes) + "-byte pages of an EEPROM dump";
        return result;
    }
    const std::size_t pageCount = bytes.size() / kEepromPageBytes;
    if (pageCount > kMostEepromPages) {
        result.error = "holds " + std::to_string(pageCount) + " pages, more than the " +
                       std::to_string(kMostEepromPages) + " an EEPROM dump may have";
        return result;
    }
    result.pages = static_cast<std::uint32_t>(pageCount);
    // Erased memory after the image is no part of it.
    std::size_t written = pageCount;
    while (written > 0 && allEqual(bytes.begin() + static_cast<std::ptrdiff_t>((written - 1) * kEepromPageBytes), 0xFF))
        --written;
    if (written == 0) {
        result.error = "is an erased EEPROM dump: every byte is 0xFF";
        return result;
    }
    std::vector<std::uint8_t> image;
    image.reserve(written * kEepromPageData);
    for (std::size_t p = 0; p < written; ++p) {
        const Page page = bytes.begin() + static_cast<std::ptrdiff_t>(p * kEepromPageBytes);
        if (pageSum(page) != 0) {
            result.error = "fails the checksum of page " + std::to_string(p + 1) + " of " + std::to_string(pageCount) +
                           " (bytes " + std::to_string(p * kEepromPageBytes) + " to " +
                           std::to_string((p + 1) * kEepromPageBytes - 1) + "): checksum " + formatHexByte(page[0]) +
                           ", expected " + formatHexByte(checksumFor(page + 1, page + kEepromPageBytes));
            return result;
        }
        image.insert(image.end(), page + 1, page + kEepromPageBytes);
    }
    result.image = imageFromBytes(std::move(image));
    return result;
}

std::string writeEepromDump(const std::vector<std::uint8_t>& image, std::uint32_t pages) {
    std::string dump;
    for (std::size_t start = 0; start < image.size(); start += kEepromPageData) {
        std::vector<std::uint8_t> data(kEepromPageData, 0);
        const std::size_t count = std::min(kEepromPageData, image.size() - start);
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(start), count, data.begin());
        dump += static_cast<char>(checksumFor(data.begin(), data.end()));
        dump.append(data.begin(), data.end());
    }
    const std::size_t wanted = std::size_t{std::min(pages, kMostEepromPages)} * kEepromPageBytes;
    if (dump.size() < wanted) dump.resize(wanted, '\xFF');
    return dump;
}

}  // namespace teds::container
