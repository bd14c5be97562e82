#include "teds/container/TedFile.hpp"

#include "teds/container/BitList.hpp"
#include "teds/container/HexText.hpp"

namespace teds::container {
namespace {

constexpr std::string_view kHeaderText = "[v03]";
constexpr std::size_t kHeaderBytes = 40;  // one byte per header bit

bool allBits(std::string_view bytes) {
    for (char c : bytes)
        if (c != '\0' && c != '\1') return false;
    return true;
}

// The header's five characters, least significant bit first in each.
std::string headerText(std::string_view content) {
    std::string text;
    for (std::size_t c = 0; c < kHeaderBytes / 8; ++c) {
        unsigned value = 0;
        for (std::size_t bit = 0; bit < 8; ++bit) value |= static_cast<unsigned>(content[c * 8 + bit]) << bit;
        text += static_cast<char>(value);
    }
    return text;
}

}  // namespace

bool looksLikeTedFile(std::string_view content) {
    if (content.size() < kHeaderBytes || !allBits(content.substr(0, kHeaderBytes))) return false;
    const std::string header = headerText(content);
    return header[0] == '[' && header[1] == 'v' && header[4] == ']';
}

ReadResult readTedFile(std::string_view content) {
    ReadResult result;
    result.format = Format::Ted;
    if (!looksLikeTedFile(content)) {
        result.error = "does not open with the 40-bit header [v03] of a virtual TEDS file";
        return result;
    }
    const std::string header = headerText(content);
    if (header != kHeaderText) {
        result.error = "is a virtual TEDS file of version " + header + "; only " + std::string(kHeaderText) + " is known";
        return result;
    }
    const std::string_view body = content.substr(kHeaderBytes);
    if (body.empty()) {
        result.error = "is a virtual TEDS file with a header and no image bits";
        return result;
    }
    std::vector<std::uint8_t> bits;
    bits.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(body[i]);
        if (byte > 1) {
            result.error = "holds " + formatHexByte(byte) + " at byte " + std::to_string(kHeaderBytes + i) +
                           ", where a virtual TEDS file holds only 0 or 1";
            return result;
        }
        bits.push_back(byte);
    }
    result.image = packBits(bits);
    return result;
}

std::string writeTedFile(const Image& image) {
    std::string file;
    for (char c : kHeaderText)
        for (unsigned bit = 0; bit < 8; ++bit) file += static_cast<char>((static_cast<unsigned char>(c) >> bit) & 1u);
    for (std::uint8_t bit : unpackBits(image)) file += static_cast<char>(bit);
    return file;
}

}  // namespace teds::container
