// Which container the content is taken for, and what is refused.

#include <gtest/gtest.h>

#include <string>

#include "teds/container/EepromDump.hpp"
#include "teds_container.hpp"

namespace teds::container {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A 40-byte image that is plainly not a dump: not whole pages.
Bytes someImage() {
    Bytes image;
    for (std::uint8_t i = 0; i < 40; ++i) image.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    return image;
}

std::string asString(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

std::string dumpOf(const Bytes& image) { return writeContainer(imageFromBytes(image), Format::Eeprom); }

std::string dumpAsHexText() {
    const std::string dump = dumpOf(someImage());
    return writeContainer(imageFromBytes(Bytes(dump.begin(), dump.end())), Format::Hex);
}

std::string withByteFlipped(std::string content, std::size_t at) {
    content[at] = static_cast<char>(content[at] ^ 0x10);
    return content;
}

std::string tedWithHeader(const char* header, const std::string& body) {
    std::string file;
    for (const char* c = header; *c != '\0'; ++c)
        for (unsigned bit = 0; bit < 8; ++bit) file += static_cast<char>((static_cast<unsigned char>(*c) >> bit) & 1u);
    return file + body;
}

// 64 bytes whose first page fails and whose second is unwritten memory.
std::string zeroPaddedImage() {
    Bytes image = someImage();
    image.resize(64, 0);
    image[0] = 1;
    return asString(image);
}

// Text as UTF-16 code units, as Windows editors save "Unicode" text.
std::string utf16(std::string_view text, bool bigEndian = false) {
    std::string units;
    for (char c : text) units += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return units;
}

// Content, the format it is or is told to be, and a part of the error when
// it must be refused.
struct ReadCase {
    const char* what;
    std::string content;
    Format format;
    const char* errorPart;  // null when the content must be read
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.what; }

void expectRead(const ReadCase& c, const ReadResult& read) {
    EXPECT_EQ(read.format, c.format) << c.what;
    if (c.errorPart == nullptr) {
        EXPECT_TRUE(read.ok()) << c.what << ": " << read.error;
    } else {
        EXPECT_NE(read.error.find(c.errorPart), std::string::npos) << c.what << ": " << read.error;
        EXPECT_TRUE(read.image.bytes.empty());
    }
}

class DetectionTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DetectionTest, TakesTheContentForWhatItIs) { expectRead(GetParam(), readContainer(GetParam().content)); }

INSTANTIATE_TEST_SUITE_P(
    Contents, DetectionTest,
    ::testing::Values(
        ReadCase{"binary image", asString(someImage()), Format::Raw, nullptr},
        ReadCase{"image padded with an unwritten page", zeroPaddedImage(), Format::Raw, nullptr},
        ReadCase{"one page whose sum holds", dumpOf(Bytes(31, 0x5A)), Format::Raw, nullptr},
        ReadCase{"hex text", "\xEF\xBB\xBF" "0a 0b 0c 0d 0e 0f 10 11\r\n", Format::Hex, nullptr},
        ReadCase{"binary dump", dumpOf(someImage()), Format::Eeprom, nullptr},
        ReadCase{"dump as hex text", dumpAsHexText(), Format::Eeprom, nullptr},
        ReadCase{"dump with erased pages after the image", dumpOf(someImage()) + std::string(64, '\xFF'), Format::Eeprom, nullptr},
        ReadCase{"dump with a flipped byte in page 2", withByteFlipped(dumpOf(someImage()), 40), Format::Eeprom,
                   "page 2 of 2 (bytes 32 to 63): checksum 0x"},
        ReadCase{"dump with an erased page before a written one",
                   std::string(32, '\xFF') + dumpOf(someImage()), Format::Eeprom, "page 1 of 3"},
        ReadCase{"virtual TEDS file", writeContainer(imageFromBytes(someImage()), Format::Ted), Format::Ted, nullptr},
        ReadCase{"virtual TEDS file of another version", tedWithHeader("[v02]", std::string(64, '\1')), Format::Ted,
                   "version [v02]"},
        ReadCase{"virtual TEDS file with a byte not 0 or 1", tedWithHeader("[v03]", std::string(64, '\1') + '\2'),
                   Format::Ted, "0x02 at byte 104"},
        ReadCase{"bits", "00001111 01010101\n" + std::string(48, '1'), Format::Bits, nullptr},
        ReadCase{"fewer 0s and 1s than a Basic TEDS are hex digits", "00 01 10 11 00 01 10 11", Format::Hex, nullptr},
        ReadCase{"prose", "Not an image.\n", Format::Hex, "neither"},
        ReadCase{"UTF-16 hex text behind its mark", "\xFF\xFE" + utf16("0a 0b 0c 0d 0e 0f 10 11\r\n"), Format::Hex, nullptr},
        ReadCase{"UTF-16 big-endian bits", "\xFE\xFF" + utf16(std::string(64, '1'), true), Format::Bits, nullptr},
        ReadCase{"UTF-16 hex text without a mark", utf16("0a0b0c0d0e0f1011\n"), Format::Hex, nullptr},
        ReadCase{"hex text ended by NUL bytes", std::string("0a0b0c0d0e0f1011\n\0\0", 20), Format::Hex, nullptr},
        ReadCase{"UTF-16 prose", "\xFF\xFE" + utf16("Not an image.\n"), Format::Hex, "neither"},
        ReadCase{"prose ended by a NUL byte", std::string("Not an image.\0", 14), Format::Hex, "neither"}));

class ToldFormatTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ToldFormatTest, ReadsAsToldOrSaysWhy) {
    expectRead(GetParam(), readContainer(GetParam().content, GetParam().format));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ToldFormatTest,
    ::testing::Values(ReadCase{"raw bytes that happen to be text", "ABCDEFGH", Format::Raw, nullptr},
                      ReadCase{"raw forced on nothing", "", Format::Raw, "is empty"},
                      ReadCase{"hex forced on a dump", dumpOf(someImage()) , Format::Hex, "not hexadecimal"},
                      ReadCase{"bits forced on hex text", "0a 0b", Format::Bits, "not a list of bits"},
                      ReadCase{"eeprom forced on part of a page", std::string(33, '\0'), Format::Eeprom, "not whole 32-byte pages"},
                      ReadCase{"eeprom forced on a dump whose bytes spell hex text",
                               dumpOf(Bytes{'0', '0', '0', '0', '0', '6', '4', '7', '0', '1', 'e', '0', '0', '6', '\n'}),
                               Format::Eeprom, nullptr},
                      ReadCase{"eeprom forced on erased memory", std::string(64, '\xFF'), Format::Eeprom, "erased"},
                      ReadCase{"ted forced on hex text", "0a 0b", Format::Ted, "header [v03]"},
                      ReadCase{"a header without bits", tedWithHeader("[v03]", ""), Format::Ted, "no image bits"}));

class LimitTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LimitTest, RefusesWhatIsLargerThanAnyTeds) { expectRead(GetParam(), readContainer(GetParam().content)); }

INSTANTIATE_TEST_SUITE_P(
    Contents, LimitTest,
    ::testing::Values(ReadCase{"content past the limit", std::string(kMaxContainerBytes + 1, '\x01'), Format::Raw,
                               "any TEDS container takes"},
                      ReadCase{"an image past the limit", std::string(kMaxImageBytes + 1, '\x01'), Format::Raw,
                               "a TEDS image may have"},
                      ReadCase{"bits of an image past the limit", std::string((kMaxImageBytes + 1) * 8, '1'),
                               Format::Bits, "a TEDS image may have"},
                      ReadCase{"a dump of more pages than any",
                               dumpOf(someImage()) + std::string((kMostEepromPages - 1) * kEepromPageBytes, '\xFF'),
                               Format::Eeprom, "pages, more than"}));

// No writer makes of an image it may write anything its reader refuses.
TEST(LimitTest, TheLargestImageComesBackFromEveryContainer) {
    Bytes bytes(kMaxImageBytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 151 + i / 256);
    const Image image = imageFromBytes(bytes);
    const std::pair<Format, TextStyle> forms[] = {
        {Format::Raw, {}}, {Format::Hex, {}}, {Format::Ted, {}}, {Format::Bits, {}},
        {Format::Eeprom, {false, false, kMostEepromPages}}, {Format::Eeprom, {true, true, kMostEepromPages}}};
    for (const auto& [format, style] : forms) {
        const std::string content = writeContainer(image, format, style);
        EXPECT_LE(content.size(), kMaxContainerBytes) << formatName(format);
        const ReadResult read = readContainer(content, format);
        ASSERT_TRUE(read.ok()) << formatName(format) << ": " << read.error;
        EXPECT_EQ(read.image.bytes, bytes) << formatName(format);
    }
}

TEST(ToldFormatTest, ReadsRawBytesAsTheyAre) {
    const ReadResult read = readContainer("0a 0b", Format::Raw);
    EXPECT_EQ(read.image.bytes, (Bytes{'0', 'a', ' ', '0', 'b'}));
}

TEST(EepromWritingTest, PadsToWholePagesWhoseSumsAreZero) {
    const std::string dump = dumpOf(Bytes(40, 0xAB));
    ASSERT_EQ(dump.size(), 64u);
    for (std::size_t page = 0; page < 2; ++page) {
        unsigned sum = 0;
        for (std::size_t i = 0; i < 32; ++i) sum += static_cast<unsigned char>(dump[page * 32 + i]);
        EXPECT_EQ(sum % 256, 0u) << page;
    }
    EXPECT_EQ(dump.substr(1 + 32 + 9), std::string(22, '\0'));
}

TEST(BitTextTest, KeepsACountOfBitsOffAByteBoundary) {
    const ReadResult read = readContainer("1 0 1 1 0 0 0 0 1 1", Format::Bits);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.image.bytes, (Bytes{0x0D, 0x03}));
    EXPECT_EQ(read.image.bitCount, 10u);
    EXPECT_EQ(writeContainer(read.image, Format::Bits), "10110000 11\n");
}

TEST(FormatNameTest, EveryFormatIsFoundByItsName) {
    for (Format format : {Format::Raw, Format::Hex, Format::Ted, Format::Eeprom, Format::Bits})
        EXPECT_EQ(formatFromName(formatName(format)), format);
    EXPECT_EQ(formatFromName("HEX"), std::nullopt);
}

}  // namespace
}  // namespace teds::container
