#include "teds/container/BitList.hpp"

#include <algorithm>

#include "teds/container/HexText.hpp"

namespace teds::container {

Image packBits(const std::vector<std::uint8_t>& bits) {
    Image image;
    image.bytes.assign((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i] != 0) image.bytes[i / 8] = static_cast<std::uint8_t>(image.bytes[i / 8] | (1u << (i % 8)));
    image.bitCount = static_cast<std::uint32_t>(bits.size());
    return image;
}

std::vector<std::uint8_t> unpackBits(const Image& image) {
    std::vector<std::uint8_t> bits;
    const std::size_t count = std::min<std::size_t>(image.bitCount, image.bytes.size() * 8);
    bits.reserve(count);
    for (std::size_t i = 0; i < count; ++i) bits.push_back(static_cast<std::uint8_t>((image.bytes[i / 8] >> (i % 8)) & 1u));
    return bits;
}

std::vector<std::uint8_t> parseBitText(std::string_view text) {
    std::vector<std::uint8_t> bits;
    for (char c : text) {
        if (c == '0' || c == '1')
            bits.push_back(static_cast<std::uint8_t>(c - '0'));
        else if (!isTextSeparator(c))
            return {};
    }
    return bits;
}

std::string writeBitText(const Image& image) {
    const std::vector<std::uint8_t> bits = unpackBits(image);
    std::string text;
    for (std::size_t i = 0; i < bits.size(); ++i) {
        text += static_cast<char>('0' + bits[i]);
        const bool lastBit = i + 1 == bits.size();
        if (lastBit || (i + 1) % 64 == 0)
            text += '\n';
        else if ((i + 1) % 8 == 0)
            text += ' ';
    }
    return text;
}

}  // namespace teds::container
