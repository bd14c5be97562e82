#pragma once
// Builds a TEDS memory image bit by bit, in the order BitReader reads it.

#include <cstdint>
#include <vector>

namespace teds::types {

class BitWriter {
public:
    // No image may grow past `maxBytes`: a template may declare fields of
    // billions of bits, which no memory chip holds.
    static constexpr std::uint32_t kDefaultMaxBytes = 1u << 20;

    explicit BitWriter(std::uint32_t maxBytes = kDefaultMaxBytes) : maxBytes_(maxBytes) {}

    // Appends the low `n` bits of `value`, bit 0 first; bits past the 64th
    // are 0. False, with nothing written, when the image would outgrow its limit.
    bool writeBits(std::uint32_t n, std::uint64_t value);

    // Bits written so far.
    std::uint64_t position() const { return bits_; }
    // Whether a write was refused because the image would have outgrown its limit.
    bool outgrown() const { return outgrown_; }
    std::uint32_t maxBytes() const { return maxBytes_; }
    // The image so far; its last byte is padded with 0 bits.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> takeBytes() && { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t bits_ = 0;
    std::uint32_t maxBytes_;
    bool outgrown_ = false;
};

}  // namespace teds::types
