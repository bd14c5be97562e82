// Images whose counts promise far more than they hold must cost no more
// than the image itself.

#include <gtest/gtest.h>

#include "support/ImageBuilder.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace {

using namespace teds;
using teds::testing::ImageBuilder;

const char* const kTemplates =
    "TEMPLATE 0, 8, 50, \"Long text\"\n"
    "%Text, , ID, 32, STRING7, ,\n"
    "ENDTEMPLATE\n"
    "TEMPLATE 0, 8, 51, \"Long array\"\n"
    "STRUCTARRAY Points, \"\", , 32\n"
    "%X, , ID, 1, UNINT, ,\n"
    "ENDSTRUCTARRAY\n"
    "ENDTEMPLATE\n"
    "TEMPLATE 0, 8, 52, \"Array of fixed values\"\n"
    "STRUCTARRAY Points, \"\", , 32\n"
    "%X, , ID, 8, UNINT, , = 5\n"
    "ENDSTRUCTARRAY\n"
    "ENDTEMPLATE\n"
    "TEMPLATE 0, 8, 53, \"Many fixed values from one count\"\n"
    "STRUCTARRAY Points, \"\", , 16\n"
    "%X, , ID, 8, UNINT, , = 5\n"
    "ENDSTRUCTARRAY\n"
    "ENDTEMPLATE\n"
    "VALIDATION_KEYCODE 1\n";

class HostileImage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(tdl::loadTdlText(registry, kTemplates), 4); }

    decode::DecodedTeds decodeTwelveBytes(std::uint32_t templateId, std::uint32_t count) {
        ImageBuilder image;
        image.field(64, 0x0123456789ABCDEF).field(2, 0).field(8, templateId).field(22, count).field(10, count >> 22);
        bytes = image.bytes();
        EXPECT_EQ(bytes.size(), 14u);
        bytes.resize(12);  // the count's last bits fall off the end and read as 0
        decode::DecodedTeds out;
        decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
        return out;
    }

    tdl::Registry registry;
    std::vector<std::uint8_t> bytes;
};

TEST_F(HostileImage, TextCountBeyondTheImageStopsAtItsEnd) {
    const auto out = decodeTwelveBytes(50, 0xFFFFFFFF);
    ASSERT_EQ(out.templates.size(), 1u);
    const auto& text = boost::get<std::string>(out.templates[0].values.at(0).value);
    // 96 bits: 64 Basic TEDS, 10 descriptor, 22 of the count; no character is left.
    EXPECT_TRUE(text.empty());
}

TEST_F(HostileImage, TextCountPastTheEndKeepsWhatTheImageHolds) {
    ImageBuilder image;
    image.field(64, 1).field(2, 0).field(8, 50).field(32, 0xFFFFFFFF);
    for (char c : std::string("TEDS")) image.field(7, static_cast<std::uint8_t>(c));
    const auto bytes = image.bytes();  // 134 bits: the last character ends 2 bits into byte 17
    decode::DecodedTeds out;
    decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
    ASSERT_EQ(out.templates.size(), 1u);
    const auto& text = boost::get<std::string>(out.templates[0].values.at(0).value);
    // The four characters, then one that starts inside the last byte and
    // is completed with zeros; nothing wholly past the end.
    EXPECT_EQ(text, std::string("TEDS") + '\0');
}

TEST_F(HostileImage, ArrayCountBeyondTheImageStopsAtItsEnd) {
    ImageBuilder image;
    image.field(64, 1).field(2, 0).field(8, 51).field(32, 0xFFFFFFFF).field(6, 0x2A);
    const auto bytes = image.bytes();
    decode::DecodedTeds out;
    decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
    ASSERT_EQ(out.templates.size(), 1u);
    // One element per bit left in the image.
    EXPECT_EQ(decode::countValues(out.templates[0].values), 6);
}

TEST_F(HostileImage, ArrayCountInTwelveBytesEndsWithTheImage) {
    const auto out = decodeTwelveBytes(52, 0xFFFFFFFF);
    ASSERT_EQ(out.templates.size(), 1u);
    EXPECT_EQ(decode::countValues(out.templates[0].values), 0);
}

TEST_F(HostileImage, ArrayThatReadsNothingIsBoundedByTheRecordLimit) {
    // Fixed values occupy no bits, so with bits left after the count only
    // the record limit stops this array; the template then fails like any
    // other that cannot be decoded, and the chain ends.
    ImageBuilder image;
    image.field(64, 1).field(2, 0).field(8, 52).field(32, 0xFFFFFFFF).field(8, 0xFF);
    const auto bytes = image.bytes();
    decode::DecodedTeds out;
    decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
    EXPECT_TRUE(out.templates.empty());
    EXPECT_EQ(static_cast<std::int32_t>(out.basic.format), 2);
}

TEST_F(HostileImage, RepeatedTemplatesShareOneRecordBudget) {
    // Each descriptor turns 26 bits into 65,536 records (65,535 fixed values
    // and their array); the whole image may yield 2^20, so the seventeenth
    // fails and ends the chain.
    ImageBuilder image;
    image.field(64, 1);
    for (int i = 0; i < 40; ++i) image.field(2, 0).field(8, 53).field(16, 0xFFFF);
    const auto bytes = image.bytes();
    decode::DecodedTeds out;
    decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
    EXPECT_EQ(out.templates.size(), 16u);
}

}  // namespace
