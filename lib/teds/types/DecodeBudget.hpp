#pragma once

#include <algorithm>
#include <cstdint>

#include "teds/types/ValueRecord.hpp"

namespace teds::types {

// Bounds the memory one image decode may take, in bytes. Counts in the
// image (array elements, descriptors) and template files (thousands of
// items, values that read no bits) can each ask for far more records than
// the image's bits could justify; every record, array element, reserved
// slot and template a decode keeps is taken from this budget first, and a
// decode that finds it spent fails the template it is in.
class DecodeBudget {
public:
    // Any image may use the base amount; every image byte adds to it, up to
    // the hard cap. Real TEDS use a few kilobytes.
    static constexpr std::uint64_t kBaseBytes = std::uint64_t{1} << 20;
    static constexpr std::uint64_t kBytesPerImageByte = 4096;
    static constexpr std::uint64_t kHardCapBytes = std::uint64_t{64} << 20;

    static constexpr std::uint64_t limitForImage(std::uint64_t imageBytes) {
        return std::min(kHardCapBytes, kBaseBytes + std::min(imageBytes, kHardCapBytes) * kBytesPerImageByte);
    }

    // Lists grow by doubling, so each entry is charged for twice its size.
    // A record's charge stays what it was when a record held its own text
    // and elements, so that no image decodes further than it did then.
    static constexpr std::uint64_t kRecordBytes = 128;
    static constexpr std::uint64_t kElementBytes = 2 * sizeof(StructElement);
    static_assert(kRecordBytes >= 2 * sizeof(ValueRecord));

    explicit DecodeBudget(std::uint64_t limitBytes = kHardCapBytes) : left_(limitBytes) {}

    // Takes `bytes` from the budget; false, taking nothing, once they are not left.
    bool take(std::uint64_t bytes) {
        if (bytes > left_) return false;
        left_ -= bytes;
        return true;
    }
    // One record, with the bytes of a text it owns.
    bool takeRecord(std::uint64_t ownedBytes = 0) { return take(kRecordBytes + ownedBytes); }
    bool takeElement() { return take(kElementBytes); }

    std::uint64_t left() const { return left_; }

private:
    std::uint64_t left_;
};

}  // namespace teds::types
