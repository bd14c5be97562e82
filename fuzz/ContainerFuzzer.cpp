// Reads arbitrary bytes as every container format and by detection; what
// reads as an image must be written, in the style it was read in, and read
// back to the same bits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "teds_container.hpp"

namespace {

using teds::container::Format;

// Raw, hex and EEPROM dumps hold whole bytes, so the bit count comes back
// rounded up to them; a dump also pads the image with zero bytes to whole
// pages, which read back as image bytes.
bool sameImage(const teds::container::Image& original, const teds::container::Image& back, Format format) {
    switch (format) {
    case Format::Eeprom:
        if (back.bytes.size() < original.bytes.size()) return false;
        for (std::size_t i = 0; i < back.bytes.size(); ++i)
            if (back.bytes[i] != (i < original.bytes.size() ? original.bytes[i] : 0)) return false;
        return true;
    case Format::Raw:
    case Format::Hex: return back.bytes == original.bytes;
    default: return back.bitCount == original.bitCount && back.bytes == original.bytes;
    }
}

void checkRead(const teds::container::ReadResult& read) {
    if (!read.ok()) return;
    // The bits past the count are 0, so that images compare as bytes.
    const auto& image = read.image;
    if (image.bitCount > image.bytes.size() * 8 || image.bytes.size() * 8 - image.bitCount >= 8) std::abort();
    if (image.bitCount % 8 != 0 && (image.bytes.back() >> (image.bitCount % 8)) != 0) std::abort();
    // Written in the style it was read in, so that upper-case and hex-text dumps are written too.
    const teds::container::TextStyle style{read.hexText, read.upperCase};
    for (const Format format : {Format::Raw, Format::Hex, Format::Ted, Format::Eeprom, Format::Bits}) {
        const auto back = teds::container::readContainer(teds::container::writeContainer(read.image, format, style), format);
        if (!back.ok() || !sameImage(read.image, back.image, format)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    checkRead(teds::container::readContainer(content));
    for (const Format format : {Format::Raw, Format::Hex, Format::Ted, Format::Eeprom, Format::Bits})
        checkRead(teds::container::readContainer(content, format));
    return 0;
}
