#include "teds/encode/BitText.hpp"

namespace teds::encode {

std::string bitTextOf(const std::vector<std::uint8_t>& bytes, std::uint64_t from, std::uint64_t to) {
    std::string bits;
    for (std::uint64_t i = from; i < to; ++i) {
        const std::uint64_t byte = i / 8;
        const bool set = byte < bytes.size() && ((bytes[static_cast<std::size_t>(byte)] >> (i % 8)) & 1u) != 0;
        bits += set ? '1' : '0';
    }
    return bits;
}

bool isBitText(std::string_view bits) { return bits.find_first_not_of("01") == std::string_view::npos; }

bool writeBitText(types::BitWriter& out, std::string_view bits) {
    for (const char bit : bits)
        if (!out.writeBits(1, bit == '1' ? 1u : 0u)) return false;
    return true;
}

}  // namespace teds::encode
