#pragma once
// Builds a TEDS image in a test from a list of fields, written with the
// library's own bit writer so that a test reads the case next to its check.

#include <cstdint>
#include <utility>
#include <vector>

#include "teds/types/BitWriter.hpp"

namespace teds::testing {

class ImageBuilder {
public:
    // Appends a field of `width` bits holding the low bits of `value`.
    ImageBuilder& field(std::uint32_t width, std::uint64_t value) {
        fields_.emplace_back(width, value);
        bits_ += width;
        return *this;
    }
    // Zero bits up to the next byte boundary, or a fixed number of bytes in all.
    ImageBuilder& padToBytes(std::uint32_t byteCount) {
        if (bits_ < byteCount * 8u) field(byteCount * 8u - bits_, 0);
        return *this;
    }

    std::uint32_t bitCount() const { return bits_; }

    // Exactly as many bytes as the fields need, so a read beyond them is a
    // read beyond the vector.
    std::vector<std::uint8_t> bytes() const {
        types::BitWriter stream(~std::uint32_t{0});
        for (const auto& [width, value] : fields_) {
            // Wider fields than 64 bits are written as 64 bits and zeros.
            std::uint32_t left = width;
            std::uint64_t v = value;
            while (left > 0) {
                const std::uint32_t chunk = left > 64 ? 64 : left;
                stream.writeBits(chunk, v);
                v = 0;
                left -= chunk;
            }
        }
        return std::move(stream).takeBytes();
    }

private:
    std::vector<std::pair<std::uint32_t, std::uint64_t>> fields_;
    std::uint32_t bits_ = 0;
};

}  // namespace teds::testing
