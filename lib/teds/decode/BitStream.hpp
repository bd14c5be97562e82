#pragma once
// Forward-only cursor over a TEDS memory image. Fields are handed out least
// significant bit first, within a byte and across bytes, which is the bit
// order of IEEE 1451.4 memory. Past the end of the image every bit reads 0.

#include <cstdint>

namespace teds::decode {

class BitStream {
public:
    // --- creation ---------------------------------------------------------
    // A stream over caller-owned bytes; the caller keeps them alive. Only
    // created over a non-empty image.
    static BitStream create(const std::uint8_t* bytes, std::uint32_t length);
    // A stream over `length` zeroed bytes that it owns and may write.
    static BitStream createOwning(std::uint32_t length);
    // Frees the bytes of an owning stream; does nothing otherwise.
    void destroy();

    // --- reading ----------------------------------------------------------
    std::uint32_t readBit();
    // Reads `n` bits, the first in bit 0 of the result. Widths above 64
    // consume all `n` bits and return the first 64, so that a too-wide
    // field from a template file still leaves the position right.
    std::uint64_t readBits(std::uint32_t n);
    // True while at least one bit of the image is left.
    bool hasMore() const { return current != nullptr; }

    // --- writing (owning streams only) ------------------------------------
    // Writes the low `n` bits of `value`, bit 0 first; false if it had to
    // stop early (not owning, or past the end). Bits written stay written.
    bool writeBits(std::uint32_t n, std::uint64_t value);

    // --- state, in image order ----------------------------------------------
    std::uint32_t length = 0;
    std::uint32_t capacity = 0;
    std::uint8_t* begin = nullptr;
    bool owns = false;
    std::uint8_t* current = nullptr;  // null once past the last byte
    std::uint8_t bitIndex = 0;        // next bit inside *current, 0..7
    // Bits asked for after the image ended, which read as 0: how far a
    // template ran past the end of the image it was decoded from.
    std::uint64_t bitsPastEnd = 0;

private:
    // The only place the end of the image is decided.
    void advanceBit();
    void advanceByte();
};

}  // namespace teds::decode
