// Every real image through every container and back. The NI images come as
// hex text with a virtual TEDS twin; the DEWETRON image as a DS2431 dump.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "teds/container/EepromDump.hpp"
#include "teds_container.hpp"

namespace teds::container {
namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kNiImages[] = {"Accelerometer", "Current", "ForceBridge", "LVDT",
                                 "Microphone", "TempTC", "ThermistorIex", "Voltage"};
constexpr const char* kDewetronDump = "dewetron_ds2431_memory.hex";
constexpr Format kFormats[] = {Format::Raw, Format::Hex, Format::Ted, Format::Eeprom, Format::Bits};

std::string readRealFile(const std::string& name) {
    std::ifstream file(std::string(TEDS_TEST_DATA_DIR) + "/real-teds/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Image readOrFail(std::string_view content, Format expected) {
    const ReadResult read = readContainer(content);
    EXPECT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.format, expected);
    return read.image;
}

// The real images as the containers they were published in hold them.
std::vector<Image> realImages() {
    std::vector<Image> images;
    for (const char* name : kNiImages) images.push_back(readOrFail(readRealFile(std::string(name) + ".ted"), Format::Ted));
    images.push_back(readOrFail(readRealFile(kDewetronDump), Format::Eeprom));
    return images;
}

// An image read back from `format`: the same bits; a dump adds zeros up to
// whole pages and holds whole bytes, as raw and hex text do.
Image expectedBack(const Image& image, Format format) {
    if (format == Format::Ted || format == Format::Bits) return image;
    Bytes bytes = image.bytes;
    if (format == Format::Eeprom)
        bytes.resize((bytes.size() + kEepromPageData - 1) / kEepromPageData * kEepromPageData, 0);
    return imageFromBytes(bytes);
}

class RealImageRoundTripTest : public ::testing::TestWithParam<Format> {};

TEST_P(RealImageRoundTripTest, ComesBackBitForBitTold) {
    for (const Image& image : realImages()) {
        const std::string written = writeContainer(image, GetParam());
        const ReadResult read = readContainer(written, GetParam());
        ASSERT_TRUE(read.ok()) << read.error;
        const Image want = expectedBack(image, GetParam());
        EXPECT_EQ(read.image.bytes, want.bytes);
        EXPECT_EQ(read.image.bitCount, want.bitCount);
        // Written again, the container is the same bytes.
        EXPECT_EQ(writeContainer(read.image, GetParam()), written);
    }
}

TEST_P(RealImageRoundTripTest, ComesBackDetected) {
    for (const Image& image : realImages()) {
        const std::string written = writeContainer(image, GetParam());
        const ReadResult read = readContainer(written);
        ASSERT_TRUE(read.ok()) << read.error;
        // One page alone is no evidence of a dump; it has to be named.
        if (GetParam() == Format::Eeprom && written.size() == kEepromPageBytes) {
            EXPECT_EQ(read.format, Format::Raw);
            continue;
        }
        EXPECT_EQ(read.format, GetParam());
        EXPECT_EQ(read.image.bytes, expectedBack(image, GetParam()).bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RealImageRoundTripTest, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<Format>& info) {
                             return std::string(formatName(info.param));
                         });

TEST(RealContainerFileTest, VirtualTedsFilesHoldTheirHexTwinsBitForBit) {
    for (const char* name : kNiImages) {
        const std::string ted = readRealFile(std::string(name) + ".ted");
        const std::string hex = readRealFile(std::string(name) + ".hex");
        const Image fromTed = readOrFail(ted, Format::Ted);
        EXPECT_EQ(fromTed.bytes, readOrFail(hex, Format::Hex).bytes) << name;
        // The published files end where the image's bits do, not on a byte.
        EXPECT_EQ(fromTed.bitCount, ted.size() - 40) << name;
        EXPECT_EQ(writeContainer(fromTed, Format::Ted), ted) << name;
        EXPECT_EQ(writeContainer(fromTed, Format::Hex), hex) << name;
    }
}

TEST(RealContainerFileTest, TheDs2431DumpIsWrittenBackWithItsOwnChecksums) {
    const std::string text = readRealFile(kDewetronDump);
    const ReadResult read = readContainer(text);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_TRUE(read.hexText);
    EXPECT_TRUE(read.upperCase);
    EXPECT_EQ(read.pages, 2u);
    EXPECT_EQ(read.image.bytes.size(), 62u);
    // In the style it was read in, the dump is the very text it came from.
    const TextStyle style{read.hexText, read.upperCase};
    EXPECT_EQ(writeContainer(read.image, Format::Eeprom, style), text);
    // Without the two checksum bytes, the digits of each page's other 31 bytes.
    std::string digits = text.substr(2, 62) + text.substr(66, 62) + "\n";
    EXPECT_EQ(writeContainer(read.image, Format::Hex, style), digits);
    std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(writeContainer(read.image, Format::Hex), digits);
    EXPECT_EQ(writeContainer(read.image, Format::Eeprom), writeContainer(readContainer(text, Format::Hex).image, Format::Raw));
    // Told the format, the reader sees the case just as well.
    EXPECT_TRUE(readContainer(text, Format::Eeprom).upperCase);
    EXPECT_TRUE(readContainer(text, Format::Hex).upperCase);
}

}  // namespace
}  // namespace teds::container
