#pragma once
// Forward-only cursor over a TEDS memory image. Fields are handed out least
// significant bit first, within a byte and across bytes, which is the bit
// order of IEEE 1451.4 memory. Past the end of the image every bit reads 0.

#include <bit>
#include <cstdint>
#include <cstring>

namespace teds::types {

class BitReader {
public:
    BitReader() = default;
    // A reader over caller-owned bytes; the caller keeps them alive.
    BitReader(const std::uint8_t* bytes, std::uint32_t length) : bytes_(bytes), length_(length) {}

    std::uint32_t readBit();
    // Reads `n` bits, the first in bit 0 of the result. Widths above 64
    // consume all `n` bits and return the first 64, so that a too-wide
    // field from a template file still leaves the position right.
    std::uint64_t readBits(std::uint32_t n) {
        // Most fields lie inside the image: one 64-bit load, at most 7 + 56
        // bits consumed, so the position stays inside the image. Within the
        // last 8 bytes the load takes the image's last 8 bytes instead,
        // shifted so that the current byte comes first. Kept inline, since a
        // decode is mostly this.
        if (n <= 56 && std::endian::native == std::endian::little) {
            const std::uint32_t left = length_ - byte_;
            std::uint64_t word;
            if (left >= 8) {
                std::memcpy(&word, bytes_ + byte_, sizeof word);
            } else if (length_ >= 8 && left != 0 && bitIndex_ + n <= left * 8u) {
                std::memcpy(&word, bytes_ + length_ - 8, sizeof word);
                word >>= (8u - left) * 8u;
            } else {
                return readBitsNearEnd(n);
            }
            const std::uint64_t field = n == 0 ? 0 : (word >> bitIndex_) & (~std::uint64_t{0} >> (64 - n));
            const std::uint32_t end = bitIndex_ + n;
            byte_ += end / 8;
            bitIndex_ = static_cast<std::uint8_t>(end % 8);
            return field;
        }
        return readBitsNearEnd(n);
    }

    // True while at least one bit of the image is left.
    bool hasMore() const { return !atEnd(); }
    // Bits of the image read so far; the image's length in bits at its end.
    std::uint64_t position() const { return std::uint64_t{byte_} * 8u + bitIndex_; }
    // Bits of the image not read yet.
    std::uint64_t remaining() const { return std::uint64_t{length_} * 8u - position(); }
    // Bits asked for after the image ended, which read as 0: how far a
    // template ran past the end of the image it was decoded from.
    std::uint64_t bitsPastEnd() const { return bitsPastEnd_; }
    // Where the next field starts if every field so far had been read whole:
    // the position plus the bits asked for after the end.
    std::uint64_t fieldPosition() const { return position() + bitsPastEnd_; }
    // Passes over `n` bits after the end of the image without reading them,
    // which would give nothing but zeros; only for a reader at its end.
    void skipPastEnd(std::uint64_t n) { bitsPastEnd_ += n; }

private:
    // The one rule for the end of the image: the byte index has reached the
    // length, and then the bit index is 0.
    bool atEnd() const { return byte_ >= length_; }
    std::uint64_t readBitsNearEnd(std::uint32_t n);
    void advanceByte() {
        bitIndex_ = 0;
        ++byte_;
    }

    const std::uint8_t* bytes_ = nullptr;
    std::uint32_t length_ = 0;
    std::uint32_t byte_ = 0;      // byte holding the next bit
    std::uint8_t bitIndex_ = 0;   // next bit inside that byte, 0..7
    std::uint64_t bitsPastEnd_ = 0;
};

}  // namespace teds::types
