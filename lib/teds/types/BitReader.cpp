#include "teds/types/BitReader.hpp"

#include <bit>
#include <cstring>

namespace teds::types {

std::uint32_t BitReader::readBit() {
    if (atEnd()) {
        ++bitsPastEnd_;
        return 0;
    }
    const std::uint32_t bit = (bytes_[byte_] >> bitIndex_) & 1u;
    if (bitIndex_ < 7)
        ++bitIndex_;
    else
        advanceByte();
    return bit;
}

std::uint64_t BitReader::readBitsNearEnd(std::uint32_t n) {
    // An image shorter than 8 bytes, a field running to its end, a host that
    // is not little-endian, or a width above 56. A field that still ends
    // inside the image is taken from one word made of the bytes that are
    // left (the image's bit order is least significant first, which a
    // little-endian word matches).
    const std::uint32_t left = length_ - byte_;
    if (n <= 56 && (left >= 8 || std::uint64_t{bitIndex_} + n <= std::uint64_t{left} * 8u)) {
        const std::uint8_t* at = bytes_ + byte_;
        const std::uint32_t used = left < 8 ? left : 8;
        std::uint64_t word = 0;
        if (std::endian::native == std::endian::little)
            std::memcpy(&word, at, used);
        else
            for (std::uint32_t i = used; i-- > 0;) word = (word << 8) | at[i];
        const std::uint64_t field = n == 0 ? 0 : (word >> bitIndex_) & (~std::uint64_t{0} >> (64 - n));
        const std::uint32_t end = bitIndex_ + n;
        byte_ += end / 8;
        bitIndex_ = static_cast<std::uint8_t>(end % 8);
        return field;
    }

    std::uint64_t result = 0;
    std::uint64_t shift = 0;
    std::uint32_t wanted = n;

    // Whole bytes while the position is byte-aligned.
    if (bitIndex_ == 0) {
        while (wanted >= 8 && !atEnd()) {
            if (shift < 64) result |= std::uint64_t{bytes_[byte_]} << shift;
            advanceByte();
            shift += 8;
            wanted -= 8;
        }
    }
    // The rest a run of bits at a time: the bits of the current byte from
    // `bitIndex_` up, as many as are wanted. Bit k of the result is still the
    // k-th bit read. Past the end every bit is 0 and the position cannot
    // move, so a huge width costs nothing once the image is used up.
    while (wanted > 0 && !atEnd()) {
        const std::uint32_t available = 8u - bitIndex_;
        const std::uint32_t take = wanted < available ? wanted : available;
        const std::uint32_t run = (static_cast<std::uint32_t>(bytes_[byte_]) >> bitIndex_) & ((1u << take) - 1u);
        if (shift < 64) result |= std::uint64_t{run} << shift;
        shift += take;
        wanted -= take;
        if (take == available)
            advanceByte();
        else
            bitIndex_ = static_cast<std::uint8_t>(bitIndex_ + take);
    }
    bitsPastEnd_ += wanted;
    return result;
}

}  // namespace teds::types
