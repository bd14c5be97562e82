#include <gtest/gtest.h>

#include <sstream>

#include "support/HeldValues.hpp"
#include "support/ImageBuilder.hpp"
#include "support/NodeFactory.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"

namespace {

using teds::testing::heldWhole;

using namespace teds;
using teds::testing::ImageBuilder;
using teds::testing::nodeList;
using teds::testing::property;
using teds::types::DataType;

constexpr std::uint32_t kMfgr = 77;

std::unique_ptr<tdl::Template> makeTemplate(std::int32_t key, std::uint32_t width, std::uint32_t id,
                                            tdl::nodes::NodeList body) {
    auto tmpl = std::make_unique<tdl::Template>();
    tmpl->manufacturerKey = key;
    tmpl->idWidth = width;
    tmpl->templateId = id;
    tmpl->name = "t" + std::to_string(id);
    tmpl->body = std::move(body);
    return tmpl;
}

class TemplateChain : public ::testing::Test {
protected:
    void SetUp() override {
        registry.add(makeTemplate(0, 8, 25, nodeList(property("Ieee", DataType::Unint, 8))));
        registry.add(makeTemplate(kMfgr, 4, 3, nodeList(property("Own", DataType::Unint, 6))));
        registry.add(makeTemplate(100, 5, 9, nodeList(property("Other", DataType::Unint, 3))));
        registry.add(makeTemplate(0, 8, 30, nodeList(property("A", DataType::Unint, 4),
                                                     std::make_unique<tdl::nodes::Align>(8))));
    }

    static ImageBuilder basic() {
        ImageBuilder image;
        // Standard layout: manufacturer, model, version letter 'B', version 5, serial.
        image.field(14, kMfgr).field(15, 4507).field(5, 2).field(6, 5).field(24, 30985);
        return image;
    }

    decode::DecodedTeds decode(const std::vector<std::uint8_t>& image, std::ostream* trace = nullptr) {
        decode::DecodedTeds out;
        decode::ChainTrace steps;
        decode::decodeTeds(registry, image.data(), static_cast<std::uint32_t>(image.size()), trace ? &steps : nullptr,
                           out);
        if (trace) decode::writeTrace(*trace, out.basic, steps);
        return out;
    }

    static std::uint32_t firstValue(const decode::TemplateRecord& record) {
        return heldWhole(record.values.at(0).value);
    }

    tdl::Registry registry;
};

TEST_F(TemplateChain, NoImageLeavesEverythingZero) {
    decode::DecodedTeds out;
    decode::decodeTeds(registry, nullptr, 10, nullptr, out);
    const std::uint8_t byte = 1;
    decode::decodeTeds(registry, &byte, 0, nullptr, out);
    EXPECT_EQ(static_cast<std::int32_t>(out.basic.format), 0);
    EXPECT_EQ(out.basic.manufacturerId, 0);
    EXPECT_TRUE(out.templates.empty());
}

TEST_F(TemplateChain, EveryKindOfDescriptorInOneImage) {
    ImageBuilder image = basic();
    image.field(2, 0).field(8, 25).field(8, 200);          // IEEE template 25
    image.field(2, 1).field(4, 3).field(6, 44);            // the Basic TEDS manufacturer's template 3
    image.field(2, 2).field(14, 4);                        // user descriptor without a body
    image.field(2, 2).field(14, 100).field(5, 9).field(3, 5);  // manufacturer 100's template 9
    image.field(2, 3).field(1, 0);                         // extended: the chain ends
    image.field(2, 0).field(8, 25).field(8, 1);            // never read
    const auto out = decode(image.bytes());

    EXPECT_EQ(static_cast<std::int32_t>(out.basic.format), 2);
    EXPECT_EQ(out.basic.manufacturerId, static_cast<std::int32_t>(kMfgr));
    EXPECT_EQ(out.basic.versionLetter, 'B');
    ASSERT_EQ(out.templates.size(), 3u);
    EXPECT_EQ(out.templates[0].manufacturerKey, 0);
    EXPECT_EQ(out.templates[0].templateId, 25);
    EXPECT_EQ(firstValue(out.templates[0]), 200u);
    EXPECT_EQ(out.templates[1].manufacturerKey, static_cast<std::int32_t>(kMfgr));
    EXPECT_EQ(firstValue(out.templates[1]), 44u);
    EXPECT_EQ(out.templates[2].manufacturerKey, 100);
    EXPECT_EQ(out.templates[2].templateId, 9);
    EXPECT_EQ(firstValue(out.templates[2]), 5u);
}

TEST_F(TemplateChain, CountsTheBitsATemplateLacksAtTheEndOfTheImage) {
    ImageBuilder image = basic();
    image.field(2, 1).field(4, 3).field(6, 44);   // whole
    image.field(2, 0).field(8, 25).field(2, 3);   // 2 of its 8 bits, and the image ends on a byte
    ASSERT_EQ(image.bitCount() % 8, 0u);
    const auto out = decode(image.bytes());
    ASSERT_EQ(out.templates.size(), 2u);
    EXPECT_EQ(out.templates[0].missingBits, 0u);
    EXPECT_EQ(out.templates[1].missingBits, 6u);
    EXPECT_EQ(firstValue(out.templates[1]), 3u);
}

TEST_F(TemplateChain, UnknownManufacturerEndsTheChainAndKeepsEarlierTemplates) {
    ImageBuilder image = basic();
    image.field(2, 0).field(8, 25).field(8, 7);
    image.field(2, 2).field(14, 555).field(8, 0xFF);
    std::ostringstream trace;
    const auto out = decode(image.bytes(), &trace);
    ASSERT_EQ(out.templates.size(), 1u);
    EXPECT_EQ(firstValue(out.templates[0]), 7u);
    EXPECT_NE(trace.str().find("  Use: 0 (mfgr=555)\n"), std::string::npos);
}

TEST_F(TemplateChain, FailedTemplateIsDroppedAndEndsTheChain) {
    ImageBuilder image = basic();
    image.field(2, 0).field(8, 30).field(4, 1);  // ALIGN inside: fails
    image.field(2, 0).field(8, 25).field(8, 1);
    EXPECT_TRUE(decode(image.bytes()).templates.empty());

    ImageBuilder unknownId = basic();
    unknownId.field(2, 0).field(8, 99).field(8, 0);
    EXPECT_TRUE(decode(unknownId.bytes()).templates.empty());
}

TEST_F(TemplateChain, EmptyRegistryStillDecodesTheBasicTeds) {
    tdl::Registry empty;
    ImageBuilder image = basic();
    image.field(2, 0).field(8, 25).field(8, 1);
    const auto bytes = image.bytes();
    decode::DecodedTeds out;
    decode::decodeTeds(empty, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr, out);
    EXPECT_EQ(out.basic.modelNumber, 4507);
    EXPECT_EQ(out.basic.serialNumber, 30985);
    EXPECT_TRUE(out.templates.empty());
}

TEST_F(TemplateChain, TraceNamesEachDescriptor) {
    ImageBuilder image = basic();
    image.field(2, 0).field(8, 25).field(8, 200);
    image.field(2, 3).field(1, 1);
    std::ostringstream trace;
    decode(image.bytes(), &trace);
    EXPECT_EQ(trace.str(),
              "Basic TEDS: Mfgr 77; Model 4507-B-5; Serial 30985\n"
              "Next Descriptor = 0\n"
              "Next: IEEE template\n"
              "  Template ID: I25\n"
              "% Template 0-25 instance\n"
              "%   Ieee = 200\n"
              "Next Descriptor = 3\n"
              "Next: Extended (Freeform? 0)\n");
}

struct UserCase {
    std::uint32_t u;
    std::int32_t useCode;
    std::int32_t manufacturer;
};

class UserDescriptorMap : public ::testing::TestWithParam<UserCase> {};

TEST_P(UserDescriptorMap, MapsTheFourteenBitField) {
    const auto mapped = decode::mapUserDescriptor(GetParam().u);
    // The numbers are the trace's; the table states them as callers see them.
    EXPECT_EQ(static_cast<std::int32_t>(mapped.useCode), GetParam().useCode) << GetParam().u;
    if (mapped.useCode == decode::UseCode::OtherManufacturer) {
        EXPECT_EQ(mapped.manufacturer, GetParam().manufacturer);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, UserDescriptorMap,
                         ::testing::Values(UserCase{0, 1, 0}, UserCase{1, 2, 0}, UserCase{2, 3, 0},
                                           UserCase{3, 1, 0}, UserCase{4, 4, 0}, UserCase{9, 1, 0},
                                           UserCase{10, 5, 0}, UserCase{14, 5, 0}, UserCase{16, 1, 0},
                                           UserCase{17, 0, 17}, UserCase{16381, 0, 16381},
                                           UserCase{16382, 1, 0}, UserCase{16383, 7, 0}));

}  // namespace
