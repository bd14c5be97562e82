// Images whose counts promise far more than they hold must cost no more
// than the image itself.

#include <gtest/gtest.h>

#include "support/HeldValues.hpp"
#include "support/ImageBuilder.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace {

using teds::testing::heldText;

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
    "TEMPLATE 0, 8, 54, \"Empty\"\n"
    "ENDTEMPLATE\n"
    "VALIDATION_KEYCODE 1\n";

// Many records from no bits at all.
std::string wideTemplate() {
    std::string text = "TEMPLATE 0, 8, 55, \"Wide\"\n";
    for (int i = 0; i < 12000; ++i) text += "%Q" + std::to_string(i) + ", , ID, 8, UNINT, , = 1\n";
    return text + "ENDTEMPLATE\nVALIDATION_KEYCODE 1\n";
}

// What a decoded image holds on the heap, from the capacities of its lists
// and the sizes of what its store keeps.
std::uint64_t bytesHeld(const std::vector<types::ValueRecord>& values) {
    std::uint64_t bytes = values.capacity() * sizeof(types::ValueRecord);
    for (const types::ValueRecord& record : values) {
        if (const auto* text = std::get_if<types::TextValue>(&record.value))
            bytes += sizeof(std::string) + text->text.size();
        if (const auto* array = std::get_if<types::StructArrayValue>(&record.value)) {
            bytes += array->elements.size() * sizeof(types::StructElement);
            for (const types::StructElement& element : array->elements) bytes += bytesHeld(element);
        }
    }
    return bytes;
}

std::uint64_t bytesHeld(const decode::DecodedTeds& decoded) {
    std::uint64_t bytes = decoded.templates.capacity() * sizeof(decode::TemplateRecord);
    for (const decode::TemplateRecord& record : decoded.templates) bytes += bytesHeld(record.values);
    return bytes;
}

class HostileImage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tdl::loadTdlText(registry, kTemplates), 5);
        ASSERT_EQ(tdl::loadTdlText(registry, wideTemplate()), 1);
    }

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
    const auto& text = heldText(out.templates[0].values.at(0).value);
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
    const auto& text = heldText(out.templates[0].values.at(0).value);
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

TEST_F(HostileImage, ArrayThatReadsNothingIsBoundedByTheBudget) {
    // Fixed values occupy no bits, so with bits left after the count only
    // the decode budget stops this array; the template then fails like any
    // other that cannot be decoded, and the chain ends.
    ImageBuilder image;
    image.field(64, 1).field(2, 0).field(8, 52).field(32, 0xFFFFFFFF).field(8, 0xFF);
    const auto bytes = image.bytes();
    decode::DecodedTeds out;
    decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
    EXPECT_TRUE(out.templates.empty());
    EXPECT_EQ(static_cast<std::int32_t>(out.basic.format), 2);
}

TEST_F(HostileImage, EveryDecodeHoldsAtMostItsBudget) {
    struct Case {
        const char* shape;
        std::uint32_t templateId;
        std::uint32_t countBits;  // a count field after each ID, 0 for none
        std::size_t imageBytes;
        bool endsEarly;  // whether the budget, not the image, ends the chain
    };
    const Case cases[] = {
        {"empty templates filling a megabyte", 54, 0, 1u << 20, true},
        {"a wide template of fixed values, repeated", 55, 0, 1000, true},
        {"65,535 fixed values from each 26 bits", 53, 16, 138, true},
    };
    for (const Case& c : cases) {
        ImageBuilder image;
        image.field(64, 1);
        const std::uint32_t descriptorBits = 10 + c.countBits;
        for (std::size_t bits = 64; bits + descriptorBits <= c.imageBytes * 8; bits += descriptorBits) {
            image.field(2, 0).field(8, c.templateId);
            if (c.countBits != 0) image.field(c.countBits, (1u << c.countBits) - 1);
        }
        auto bytes = image.bytes();
        bytes.resize(c.imageBytes);
        decode::DecodedTeds out;
        decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
        EXPECT_LE(bytesHeld(out), types::DecodeBudget::limitForImage(bytes.size())) << c.shape;
        EXPECT_EQ(out.templates.size() < (c.imageBytes * 8 - 64) / descriptorBits, c.endsEarly) << c.shape;
    }
}

}  // namespace
