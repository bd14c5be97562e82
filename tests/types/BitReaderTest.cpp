#include "teds/types/BitReader.hpp"
#include "teds/types/BitWriter.hpp"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace teds::types {
namespace {

BitReader over(const std::vector<std::uint8_t>& bytes) {
    return BitReader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

TEST(BitReader, OneByteGivesItsBitsLeastSignificantFirst) {
    const std::vector<std::uint8_t> image{0xB5};  // 1011 0101
    auto s = over(image);
    const std::uint32_t expected[] = {1, 0, 1, 0, 1, 1, 0, 1};
    for (std::uint32_t bit : expected) {
        EXPECT_TRUE(s.hasMore());
        EXPECT_EQ(s.readBit(), bit);
    }
    EXPECT_FALSE(s.hasMore());
    EXPECT_EQ(s.readBit(), 0u);
}

TEST(BitReader, FieldsSplitOneByteInReadingOrder) {
    const std::vector<std::uint8_t> image{0xB5};
    auto s = over(image);
    EXPECT_EQ(s.readBits(3), 5u);
    EXPECT_EQ(s.readBits(5), 22u);
    EXPECT_FALSE(s.hasMore());
}

TEST(BitReader, FieldCrossingBytesTakesLowBitsFromTheEarlierByte) {
    // 14 bits from bit 3: bits 3..7 of byte 0, all of byte 1, bit 0 of byte 2.
    const std::vector<std::uint8_t> image{0xA8, 0x5A, 0xFF};
    auto s = over(image);
    EXPECT_EQ(s.readBits(3), 0u);
    EXPECT_EQ(s.readBits(14), (0x15u) | (0x5Au << 5) | (1u << 13));
    EXPECT_EQ(s.position(), 17u);
    EXPECT_EQ(s.remaining(), 7u);
}

TEST(BitReader, FourteenBitsFromBitTwoEndTwoByteImage) {
    const std::vector<std::uint8_t> image{0xFC, 0xFF};
    auto s = over(image);
    s.readBits(2);
    EXPECT_EQ(s.readBits(14), 0x3FFFu);
    EXPECT_FALSE(s.hasMore());
}

// The byte path must give exactly what bit-by-bit reading gives, wherever a
// field starts and however wide it is, including past the end.
TEST(BitReader, WholeByteReadsAgreeWithSingleBitReadsForEveryStartAndWidth) {
    std::vector<std::uint8_t> image(12);
    std::uint32_t seed = 0x1451u;
    for (auto& b : image) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(seed >> 16);
    }
    const std::uint32_t totalBits = static_cast<std::uint32_t>(image.size()) * 8u;
    for (std::uint32_t start = 0; start <= totalBits; ++start) {
        for (std::uint32_t width = 0; width <= 80; ++width) {
            auto fast = over(image);
            auto slow = over(image);
            for (std::uint32_t i = 0; i < start; ++i) {
                fast.readBit();
                slow.readBit();
            }
            std::uint64_t expected = 0;
            for (std::uint32_t i = 0; i < width; ++i) {
                const std::uint64_t bit = slow.readBit();
                if (i < 64) expected |= bit << i;
            }
            ASSERT_EQ(fast.readBits(width), expected) << "start " << start << " width " << width;
            ASSERT_EQ(fast.position(), slow.position()) << "start " << start << " width " << width;
        }
    }
}

TEST(BitReader, ReadOverTheEndKeepsTheBitsThereAndZerosAboveAndCountsThem) {
    const std::vector<std::uint8_t> image{0x00, 0xF0};
    auto s = over(image);
    s.readBits(12);
    EXPECT_EQ(s.bitsPastEnd(), 0u);
    EXPECT_EQ(s.readBits(16), 0xFu);
    EXPECT_FALSE(s.hasMore());
    EXPECT_EQ(s.readBits(32), 0u);
    EXPECT_EQ(s.readBit(), 0u);
    EXPECT_EQ(s.bitsPastEnd(), 12u + 32u + 1u);
}

TEST(BitReader, ZeroWidthReadReturnsZeroAndStaysPut) {
    const std::vector<std::uint8_t> image{0xFF, 0xFF};
    auto s = over(image);
    s.readBits(3);
    EXPECT_EQ(s.readBits(0), 0u);
    EXPECT_EQ(s.position(), 3u);
}

TEST(BitReader, SixtyFourBitReadAligned) {
    const std::vector<std::uint8_t> image{0x01, 0, 0, 0, 0, 0, 0, 0x80};
    auto s = over(image);
    EXPECT_EQ(s.readBits(64), 0x8000000000000001ull);
    EXPECT_FALSE(s.hasMore());
}

TEST(BitReader, SixtyFourBitReadUnalignedFillsTheUpperHalf) {
    // 0x8000000000000001 stored from bit 3 on, then two marker bits.
    const std::vector<std::uint8_t> image{0x08, 0, 0, 0, 0, 0, 0, 0, 0x1C};
    auto s = over(image);
    s.readBits(3);
    EXPECT_EQ(s.readBits(64), 0x8000000000000001ull);
    EXPECT_EQ(s.readBits(2), 3u);
}

TEST(BitReader, WidthsAboveSixtyFourConsumeAllBitsAndReturnTheFirstSixtyFour) {
    const std::vector<std::uint8_t> image{0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01, 0xFF, 0x55, 0x81};
    for (std::uint32_t start : {0u, 5u}) {
        auto s = over(image);
        s.readBits(start);
        const std::uint64_t expectedFirst64 = start == 0 ? 0x0123456789ABCDEFull
                                                         : (0x0123456789ABCDEFull >> 5) | (0x1Full << 59);
        EXPECT_EQ(s.readBits(72), expectedFirst64) << "start " << start;
        EXPECT_EQ(s.position(), start + 72) << "start " << start;
    }
}

TEST(BitReader, HugeWidthEndsTheStream) {
    const std::vector<std::uint8_t> image{0x12, 0x34, 0x56};
    auto s = over(image);
    EXPECT_EQ(s.readBits(0xFFFFFFFFu), 0x563412u);
    EXPECT_FALSE(s.hasMore());
    EXPECT_EQ(s.position(), 24u);
    EXPECT_EQ(s.remaining(), 0u);
    EXPECT_EQ(s.bitsPastEnd(), 0xFFFFFFFFu - 24u);
}

TEST(BitReader, EmptyImageStartsAtItsEnd) {
    // A byte lies where the image points, but the image has none of it.
    const std::uint8_t outside = 0xFF;
    BitReader s(&outside, 0);
    EXPECT_FALSE(s.hasMore());
    EXPECT_EQ(s.readBit(), 0u);
    EXPECT_EQ(s.readBits(8), 0u);
}

TEST(BitWriter, RefusesToGrowPastItsLimitAndKeepsWhatItWrote) {
    BitWriter w(1);
    EXPECT_TRUE(w.writeBits(5, 0x1F));
    EXPECT_FALSE(w.writeBits(4, 0xF));
    EXPECT_TRUE(w.writeBits(3, 0x5));
    EXPECT_EQ(w.bytes(), std::vector<std::uint8_t>{0xBF});
    EXPECT_EQ(w.position(), 8u);
}

TEST(BitWriter, WrittenFieldsReadBackInOrder) {
    struct Field {
        std::uint32_t width;
        std::uint64_t value;
    };
    const Field fields[] = {{3, 5},      {14, 0x2ABC}, {1, 1},     {64, 0xFEDCBA9876543210ull}, {7, 0x48},
                            {32, 0xFFFFFFFF}, {0, 0},  {13, 0x1001}, {64, 0x8000000000000001ull}, {6, 0x2A}};
    BitWriter w;
    for (const auto& f : fields) ASSERT_TRUE(w.writeBits(f.width, f.value));

    BitReader r(w.bytes().data(), static_cast<std::uint32_t>(w.bytes().size()));
    for (const auto& f : fields) EXPECT_EQ(r.readBits(f.width), f.value) << "width " << f.width;
    EXPECT_EQ(r.position(), w.position());
}

}  // namespace
}  // namespace teds::types
