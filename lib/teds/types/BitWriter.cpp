#include "teds/types/BitWriter.hpp"

namespace teds::types {

bool BitWriter::writeBits(std::uint32_t n, std::uint64_t value) {
    const std::uint64_t end = bits_ + n;
    if ((end + 7) / 8 > maxBytes_) {
        outgrown_ = true;
        return false;
    }
    bytes_.resize(static_cast<std::size_t>((end + 7) / 8), 0);
    for (std::uint32_t i = 0; i < n; ++i, ++bits_) {
        if (i < 64 && ((value >> i) & 1u) != 0)
            bytes_[static_cast<std::size_t>(bits_ / 8)] |= static_cast<std::uint8_t>(1u << (bits_ % 8));
    }
    return true;
}

}  // namespace teds::types
