#include "teds/decode/BasicTeds.hpp"
#include "teds/decode/ChainTrace.hpp"

#include <cstdint>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "support/ImageBuilder.hpp"

namespace teds::decode {
namespace {

using teds::testing::ImageBuilder;

std::int32_t layoutOf(const std::vector<std::uint8_t>& image) {
    return static_cast<std::int32_t>(chooseBasicTedsLayout(image.data(), static_cast<std::uint32_t>(image.size())));
}

BasicTeds read(const std::vector<std::uint8_t>& image, std::ostream* trace = nullptr) {
    types::BitReader stream(image.data(), static_cast<std::uint32_t>(image.size()));
    BasicTeds out;
    readBasicTeds(image.data(), static_cast<std::uint32_t>(image.size()), stream, out);
    if (trace) writeBasicTedsTrace(*trace, out);
    return out;
}

// An image of `length` bytes: eight bytes of Basic TEDS (all ones, so only
// bytes 8 and 9 can steer the choice), then the given bytes 8 and 9.
std::vector<std::uint8_t> withDescriptorBytes(std::size_t length, std::uint8_t byte8, std::uint8_t byte9) {
    std::vector<std::uint8_t> image(length, 0xFF);
    if (length > 8) image[8] = byte8;
    if (length > 9) image[9] = byte9;
    return image;
}

struct LayoutCase {
    const char* what;
    std::size_t length;
    std::uint8_t byte8, byte9;
    std::int32_t format;
};

class LayoutChoice : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutChoice, FollowsTheFirstDescriptor) {
    const LayoutCase& c = GetParam();
    // Exactly `length` bytes: a look past them is a read outside the vector.
    const auto image = withDescriptorBytes(c.length, c.byte8, c.byte9);
    EXPECT_EQ(layoutOf(image), c.format) << c.what;
    EXPECT_EQ(static_cast<std::int32_t>(read(image).format), c.format) << c.what;
}

// Byte 8 holds the selector in bits 0-1 and template ID bits 0-5 in bits
// 2-7; byte 9 holds template ID bits 6-7 in its bits 0-1.
INSTANTIATE_TEST_SUITE_P(
    Choice, LayoutChoice,
    ::testing::Values(LayoutCase{"zero bytes 8 and 9", 10, 0x00, 0x00, 1},
                      LayoutCase{"IEEE template 24", 10, 24 << 2, 0x00, 1},
                      LayoutCase{"IEEE template 25", 10, 25 << 2, 0x00, 2},
                      LayoutCase{"template ID 64 from byte 9", 10, 0x00, 0x01, 2},
                      LayoutCase{"byte 9 above the ID bits is ignored", 10, 24 << 2, 0xFC, 1},
                      LayoutCase{"selector 1", 10, 0x01, 0x00, 2},
                      LayoutCase{"selector 2", 10, 0x02, 0x00, 2},
                      LayoutCase{"selector 3", 10, 0x03, 0x00, 2},
                      LayoutCase{"selector 3 before ID bits of 24", 10, (24 << 2) | 3, 0x00, 2},
                      LayoutCase{"nine bytes: byte 9 counts as 0", 9, 24 << 2, 0xFF, 1},
                      LayoutCase{"nine bytes, template 25", 9, 25 << 2, 0xFF, 2},
                      LayoutCase{"nine bytes, selector 2", 9, 0x02, 0xFF, 2},
                      LayoutCase{"eight bytes: both count as 0", 8, 0xFF, 0xFF, 1},
                      LayoutCase{"one byte", 1, 0xFF, 0xFF, 1}));

struct Fields {
    std::uint32_t manufacturer, model, letter, version, serial;
};

TEST(BasicTeds, StandardLayoutFields) {
    const Fields f{0x2ABC, 0x5A5A, 3, 0x2D, 0xABCDEF};
    const auto image = ImageBuilder()
                           .field(14, f.manufacturer)
                           .field(15, f.model)
                           .field(5, f.letter)
                           .field(6, f.version)
                           .field(24, f.serial)
                           .field(2, 1)  // a first selector of 1
                           .padToBytes(10)
                           .bytes();
    const BasicTeds b = read(image);
    EXPECT_EQ(b.format, BasicTedsLayout::Standard);
    EXPECT_EQ(b.manufacturerId, 0x2ABC);
    EXPECT_EQ(b.modelNumber, 0x5A5A);
    EXPECT_EQ(b.versionLetter, 'C');
    EXPECT_EQ(b.versionNumber, 0x2D);
    EXPECT_EQ(b.serialNumber, 0xABCDEF);
}

TEST(BasicTeds, EarlyLayoutFields) {
    const auto image = ImageBuilder()
                           .field(12, 0xFED)
                           .field(16, 0xBEEF)
                           .field(5, 26)
                           .field(6, 0x3F)
                           .field(25, 0x1ABCDEF)
                           .padToBytes(10)  // bytes 8 and 9 zero: early layout
                           .bytes();
    const BasicTeds b = read(image);
    EXPECT_EQ(b.format, BasicTedsLayout::Early);
    EXPECT_EQ(b.manufacturerId, 0xFED);
    EXPECT_EQ(b.modelNumber, 0xBEEF);
    EXPECT_EQ(b.versionLetter, 'Z');
    EXPECT_EQ(b.versionNumber, 0x3F);
    EXPECT_EQ(b.serialNumber, 0x1ABCDEF);
}

TEST(BasicTeds, LeavesTheStreamAtTheFirstDescriptor) {
    const auto image = ImageBuilder().padToBytes(8).field(2, 2).field(6, 0x15).bytes();
    types::BitReader stream(image.data(), static_cast<std::uint32_t>(image.size()));
    BasicTeds out;
    readBasicTeds(image.data(), static_cast<std::uint32_t>(image.size()), stream, out);
    EXPECT_EQ(stream.readBits(2), 2u);
    EXPECT_EQ(stream.readBits(6), 0x15u);
}

TEST(BasicTeds, ShortImageReadsItsBitsAndZerosAbove) {
    // Three bytes: manufacturer ID and model number of the early layout are
    // cut off by the end, everything after them reads 0.
    const std::vector<std::uint8_t> image{0xFF, 0xFF, 0xFF};
    const BasicTeds b = read(image);
    EXPECT_EQ(b.format, BasicTedsLayout::Early);
    EXPECT_EQ(b.manufacturerId, 0xFFF);
    EXPECT_EQ(b.modelNumber, 0xFFF);
    EXPECT_EQ(b.versionLetter, ' ');
    EXPECT_EQ(b.versionNumber, 0);
    EXPECT_EQ(b.serialNumber, 0);
}

TEST(BasicTeds, VersionLetterCodes) {
    const struct {
        std::uint32_t code;
        char letter;
    } cases[] = {{0, ' '}, {1, 'A'}, {2, 'B'}, {26, 'Z'}, {27, ','}, {28, '.'}, {29, '/'}, {30, '_'}, {31, '@'}};
    for (const auto& c : cases) {
        const auto image = ImageBuilder().field(29, 0).field(5, c.code).field(30, 0).field(2, 3).padToBytes(10).bytes();
        EXPECT_EQ(read(image).versionLetter, c.letter) << "code " << c.code;
    }
}

TEST(BasicTeds, TraceLine) {
    const auto image = ImageBuilder()
                           .field(14, 12)
                           .field(15, 3456)
                           .field(5, 2)
                           .field(6, 7)
                           .field(24, 890123)
                           .field(2, 1)
                           .padToBytes(10)
                           .bytes();
    std::ostringstream trace;
    read(image, &trace);
    EXPECT_EQ(trace.str(), "Basic TEDS: Mfgr 12; Model 3456-B-7; Serial 890123\n");
}

}  // namespace
}  // namespace teds::decode
