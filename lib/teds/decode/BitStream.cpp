#include "teds/decode/BitStream.hpp"

#include <bit>
#include <cstring>

namespace teds::decode {

BitStream BitStream::create(const std::uint8_t* bytes, std::uint32_t length) {
    BitStream s;
    s.length = length;
    s.capacity = length;
    // The stream never writes through a non-owning pointer (writeBits checks
    // `owns`), so shedding const here is safe.
    s.begin = const_cast<std::uint8_t*>(bytes);
    // An empty image has no byte for `current` to point at: it starts at the end.
    s.current = length == 0 ? nullptr : s.begin;
    return s;
}

BitStream BitStream::createOwning(std::uint32_t length) {
    BitStream s;
    s.length = length;
    s.capacity = length;
    s.begin = new std::uint8_t[length == 0 ? 1 : length]();
    s.owns = true;
    s.current = length == 0 ? nullptr : s.begin;
    return s;
}

void BitStream::destroy() {
    if (owns) {
        delete[] begin;
        begin = nullptr;
        current = nullptr;
        owns = false;
    }
}

void BitStream::advanceByte() {
    bitIndex = 0;
    ++current;
    if (current >= begin + length) current = nullptr;
}

void BitStream::advanceBit() {
    if (bitIndex < 7)
        ++bitIndex;
    else
        advanceByte();
}

std::uint32_t BitStream::readBit() {
    if (current == nullptr) {
        ++bitsPastEnd;
        return 0;
    }
    const std::uint32_t bit = (*current >> bitIndex) & 1u;
    advanceBit();
    return bit;
}

std::uint64_t BitStream::readBits(std::uint32_t n) {
    // Most fields lie well inside the image: take them from one 64-bit load.
    // The image's bit order is least significant first, which a
    // little-endian load matches; other hosts assemble the word byte by byte.
    if (n <= 56 && current != nullptr && begin + length - current >= 8) {
        std::uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little)
            std::memcpy(&word, current, sizeof word);
        else
            for (int i = 7; i >= 0; --i) word = (word << 8) | current[i];
        const std::uint64_t field = n == 0 ? 0 : (word >> bitIndex) & (~std::uint64_t{0} >> (64 - n));
        const std::uint32_t end = bitIndex + n;
        current += end / 8;
        bitIndex = static_cast<std::uint8_t>(end % 8);
        if (current >= begin + length) current = nullptr;
        return field;
    }

    std::uint64_t result = 0;
    std::uint64_t shift = 0;
    std::uint32_t remaining = n;

    // Whole bytes while the position is byte-aligned.
    if (bitIndex == 0) {
        while (remaining >= 8 && current != nullptr) {
            if (shift < 64) result |= std::uint64_t{*current} << shift;
            advanceByte();
            shift += 8;
            remaining -= 8;
        }
    }
    // The rest a run of bits at a time: the bits of the current byte from
    // `bitIndex` up, as many as are wanted. Bit k of the result is still the
    // k-th bit read. Past the end every bit is 0 and the position cannot
    // move, so a huge width costs nothing once the image is used up.
    while (remaining > 0 && current != nullptr) {
        const std::uint32_t available = 8u - bitIndex;
        const std::uint32_t take = remaining < available ? remaining : available;
        const std::uint32_t run = (static_cast<std::uint32_t>(*current) >> bitIndex) & ((1u << take) - 1u);
        if (shift < 64) result |= std::uint64_t{run} << shift;
        shift += take;
        remaining -= take;
        if (take == available)
            advanceByte();
        else
            bitIndex = static_cast<std::uint8_t>(bitIndex + take);
    }
    bitsPastEnd += remaining;
    return result;
}

bool BitStream::writeBits(std::uint32_t n, std::uint64_t value) {
    for (std::uint32_t i = 0; i < n; ++i) {
        if (current == nullptr || !owns) return false;
        const auto mask = static_cast<std::uint8_t>(1u << bitIndex);
        if (value & 1u)
            *current |= mask;
        else
            *current &= static_cast<std::uint8_t>(~mask);
        advanceBit();
        value >>= 1;
    }
    return true;
}

}  // namespace teds::decode
