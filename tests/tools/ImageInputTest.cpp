#include <gtest/gtest.h>

#include <sstream>

#include "ImageInput.hpp"

namespace tedsdump {
namespace {

using teds_tools::ImageOrError;
using teds_tools::imageFromContent;
using teds_tools::readImage;
using teds::container::kMaxContainerBytes;

using Bytes = std::vector<std::uint8_t>;

TEST(ImageContentTest, HexTextBecomesItsBytes) {
    const ImageOrError image = imageFromContent("00 01 02 03 04 05 06 07 08\n");
    ASSERT_TRUE(image.ok()) << image.error;
    EXPECT_EQ(image.image.bytes, (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(ImageContentTest, HexTextMayStartWithAByteOrderMark) {
    const ImageOrError image = imageFromContent("\xEF\xBB\xBF" "0a 0b 0c 0d 0e 0f 10 11\r\n");
    ASSERT_TRUE(image.ok()) << image.error;
    EXPECT_EQ(image.image.bytes, (Bytes{0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11}));
}

TEST(ImageContentTest, BinaryContentIsTakenByteForByte) {
    // Line breaks and hex-digit bytes inside binary data stay as they are.
    const std::string raw("\x11\x00\r\n0a\xff\x1a\x7f\x80", 10);
    const ImageOrError image = imageFromContent(raw);
    ASSERT_TRUE(image.ok()) << image.error;
    EXPECT_EQ(image.image.bytes, Bytes(raw.begin(), raw.end()));
}

struct RefusalCase {
    const char* what;
    std::string content;
    const char* errorPart;
};

class ImageRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ImageRefusalTest, SaysWhy) {
    const ImageOrError image = imageFromContent(GetParam().content);
    EXPECT_FALSE(image.ok()) << GetParam().what;
    EXPECT_NE(image.error.find(GetParam().errorPart), std::string::npos) << image.error;
    EXPECT_TRUE(image.image.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ImageRefusalTest,
    ::testing::Values(RefusalCase{"empty", "", "empty"},
                      RefusalCase{"prose", "This is a letter, not an image.\n", "neither"},
                      RefusalCase{"hex with a stray word", "11 22 33 44 55 66 77 88 end\n", "neither"},
                      RefusalCase{"hex too short for a Basic TEDS", "11 22 33 44 55 66 77", "7 bytes"},
                      RefusalCase{"binary too short", std::string("\x01\x00\x02", 3), "3 bytes"},
                      RefusalCase{"larger than any TEDS", std::string(kMaxContainerBytes + 1, '\x01'), "larger"}));

TEST(ImageReadTest, StopsReadingShortlyAfterTheLimit) {
    // An endless source must not be read to its end; this one is large
    // enough that reading it all would show in the count.
    std::istringstream in(std::string(kMaxContainerBytes * 4, '\x01'));
    const ImageOrError image = readImage(in);
    EXPECT_FALSE(image.ok());
    EXPECT_LT(static_cast<std::size_t>(in.tellg()), kMaxContainerBytes * 2);
}

TEST(ImageReadTest, ReadsAStreamToItsEnd) {
    std::string content;
    for (int i = 0; i < 3000; ++i) content += "0a ";  // several read blocks
    std::istringstream in(content);
    const ImageOrError image = readImage(in);
    ASSERT_TRUE(image.ok()) << image.error;
    EXPECT_EQ(image.image.bytes, Bytes(3000, 0x0A));
}

}  // namespace
}  // namespace tedsdump
