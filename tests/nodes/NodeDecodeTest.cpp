#include <gtest/gtest.h>

#include "support/HeldValues.hpp"
#include "support/ImageBuilder.hpp"
#include "support/NodeFactory.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/tdl/nodes/Align.hpp"
#include "teds/tdl/nodes/Abstract.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Spacing.hpp"
#include "teds/tdl/nodes/UGId.hpp"

namespace {

using teds::testing::heldElements;
using teds::testing::heldEnum;
using teds::testing::heldWhole;

using namespace teds;
using namespace teds::tdl::nodes;
using teds::types::ValueKind;
using teds::types::ValueRecord;
using teds::testing::ImageBuilder;
using teds::testing::enumProperty;
using teds::testing::nodeList;
using teds::testing::property;
using teds::testing::structArray;
using teds::types::DataType;

struct Decoded {
    bool ok = false;
    types::RecordStore store;  // what `values` refer to
    std::vector<ValueRecord> values;
    std::uint64_t bitsRead = 0;
};

Decoded decodeList(const NodeList& nodes, const std::vector<std::uint8_t>& image,
                   std::uint64_t budgetLimit = types::DecodeBudget::kHardCapBytes) {
    Decoded result;
    types::BitReader stream(image.data(), static_cast<std::uint32_t>(image.size()));
    types::DecodeBudget budget(budgetLimit);
    result.ok = decodeNodeList(nodes, stream, result.values, result.store, budget);
    result.bitsRead = stream.position();
    return result;
}

std::uint64_t asUnsigned(const ValueRecord& r) { return heldWhole(r.value); }

TEST(PropertyDecode, QualifiedPropertyReadsNothingAndYieldsNothing) {
    auto qualified = property("Q", DataType::Unint, 8);
    qualified->qualifier = Qualifier::Default;
    const auto nodes = nodeList(std::move(qualified), property("U", DataType::Unint, 8));
    ImageBuilder image;
    image.field(8, 42).field(8, 7);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.values.size(), 1u);
    EXPECT_EQ(d.values[0].name(), "U");
    EXPECT_EQ(asUnsigned(d.values[0]), 42u);
}

TEST(PropertyDecode, RecordPointsBackAtItsDeclaration) {
    auto unint = property("U", DataType::Unint, 8);
    const types::PropertyDescription* declaration = &unint->declaration;
    const auto nodes = nodeList(std::move(unint));
    const Decoded d = decodeList(nodes, {5});
    ASSERT_EQ(d.values.size(), 1u);
    EXPECT_EQ(d.values[0].property, declaration);
}

TEST(PropertyDecode, BitFieldsConsumeTheirBitsWithoutARecord) {
    const auto nodes = nodeList(property("D", DataType::BitDigit, 3), property("B", DataType::BitBin, 5),
                                property("U", DataType::Unint, 8));
    ImageBuilder image;
    image.field(3, 7).field(5, 31).field(8, 200);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_EQ(d.values.size(), 1u);
    EXPECT_EQ(asUnsigned(d.values[0]), 200u);
}

TEST(SelectCaseDecode, SelectorWithoutCaseYieldsOnlyTheMarker) {
    std::vector<Case> cases(3);
    for (auto& c : cases) c.nodes.push_back(property("inner", DataType::Unint, 4));
    const auto nodes = nodeList(std::make_unique<SelectCase>("sel", 2, std::move(cases)),
                                property("after", DataType::Unint, 6));
    ImageBuilder image;
    image.field(2, 3).field(6, 33);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.values.size(), 2u);
    EXPECT_EQ(d.values[0].kind(), ValueKind::SelectMarker);
    EXPECT_EQ(d.values[0].name(), "");
    EXPECT_EQ(asUnsigned(d.values[0]), 3u);
    EXPECT_EQ(d.values[1].name(), "after");
    EXPECT_EQ(asUnsigned(d.values[1]), 33u);
}

TEST(SelectCaseDecode, SelectorPicksTheCaseByItsPosition) {
    std::vector<Case> cases(2);
    cases[0].nodes.push_back(property("zero", DataType::Unint, 4));
    cases[1].nodes.push_back(property("one", DataType::Unint, 4));
    const auto nodes = nodeList(std::make_unique<SelectCase>("sel", 1, std::move(cases)));
    ImageBuilder image;
    image.field(1, 1).field(4, 9);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_EQ(d.values.size(), 2u);
    EXPECT_EQ(d.values[1].name(), "one");
    EXPECT_EQ(asUnsigned(d.values[1]), 9u);
    EXPECT_EQ(d.bitsRead, 5u);
}

// 2^32 + 1 is no case of two, and 2^32 + 1 elements run on to the end of
// the image: neither is read as its low 32 bits, 1.
TEST(SelectCaseDecode, WideSelectorsAndCountsAreReadWhole) {
    std::vector<Case> cases(2);
    cases[1].nodes.push_back(property("one", DataType::Unint, 8));
    const auto select = nodeList(std::make_unique<SelectCase>("sel", 40, std::move(cases)));
    const Decoded s = decodeList(select, ImageBuilder().field(40, 0x100000001).field(8, 9).bytes());
    ASSERT_EQ(s.values.size(), 1u);
    EXPECT_EQ(asUnsigned(s.values[0]), 0x100000001u);

    const auto array = nodeList(structArray("A", 40, nodeList(property("x", DataType::Unint, 8))));
    const Decoded a = decodeList(array, ImageBuilder().field(40, 0x100000001).field(8, 7).field(8, 8).bytes());
    EXPECT_EQ(heldElements(a.values.at(0).value).size(), 2u);
}

TEST(SelectCaseDecode, FailingNodeInsideTheCaseFailsTheSelect) {
    std::vector<Case> cases(1);
    cases[0].nodes.push_back(std::make_unique<Align>(8));
    const auto nodes = nodeList(std::make_unique<SelectCase>("sel", 1, std::move(cases)));
    EXPECT_FALSE(decodeList(nodes, {0}).ok);
}

TEST(StructArrayDecode, ZeroCountYieldsAnEmptyArrayAndReadsOnlyTheCount) {
    const auto nodes = nodeList(structArray("A", 4, nodeList(property("x", DataType::Unint, 8))));
    ImageBuilder image;
    image.field(4, 0).field(12, 0xFFF);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.values.size(), 1u);
    EXPECT_EQ(d.values[0].kind(), ValueKind::StructArray);
    EXPECT_TRUE(heldElements(d.values[0].value).empty());
    EXPECT_EQ(d.bitsRead, 4u);
}

TEST(StructArrayDecode, ElementsHoldTheirRecordsInOrder) {
    const auto nodes = nodeList(
        structArray("A", 8, nodeList(property("x", DataType::Unint, 4), property("y", DataType::Unint, 4))));
    ImageBuilder image;
    image.field(8, 3);
    for (std::uint32_t i = 0; i < 3; ++i) image.field(4, i).field(4, 10 + i);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_TRUE(d.ok);
    const auto& elements = heldElements(d.values.at(0).value);
    ASSERT_EQ(elements.size(), 3u);
    for (std::uint32_t i = 0; i < 3; ++i) {
        ASSERT_EQ(elements[i].size(), 2u);
        EXPECT_EQ(asUnsigned(elements[i][0]), i);
        EXPECT_EQ(asUnsigned(elements[i][1]), 10 + i);
    }
    EXPECT_EQ(decode::countValues(d.values), 6);
}

TEST(StructArrayDecode, HugeCountStopsAtTheEndOfTheImage) {
    const auto nodes = nodeList(structArray("A", 32, nodeList(property("x", DataType::Unint, 8))));
    ImageBuilder image;
    image.field(32, 0xFFFFFFFF).field(64, 0x0102030405060708);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(heldElements(d.values.at(0).value).size(), 8u);
}

TEST(StructArrayDecode, ElementThatReadsAndYieldsNothingEndsTheArray) {
    auto qualified = property("q", DataType::Unint, 8);
    qualified->qualifier = Qualifier::Default;
    const auto nodes = nodeList(structArray("A", 16, nodeList(std::move(qualified))));
    const Decoded d = decodeList(nodes, {0xFF, 0xFF, 0, 0});
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(heldElements(d.values.at(0).value).empty());
}

TEST(StructArrayDecode, RecordsBeyondTheBudgetFailTheTemplate) {
    // Fixed values read no bits, so only the budget bounds this array.
    auto fixed = property("f", DataType::Unint, 8);
    fixed->field.fixedRaw = 1;
    const auto nodes = nodeList(structArray("A", 32, nodeList(std::move(fixed))));
    using types::DecodeBudget;
    // 999 elements of one record each, and the array's own record.
    const std::uint64_t exact = 999 * (DecodeBudget::kElementBytes + DecodeBudget::kRecordBytes) +
                                DecodeBudget::kRecordBytes;
    ImageBuilder image;
    image.field(32, 0xFFFFFFFF).field(8, 0);
    EXPECT_FALSE(decodeList(nodes, image.bytes(), exact).ok);

    ImageBuilder small;
    small.field(32, 999).field(8, 0);
    EXPECT_FALSE(decodeList(nodes, small.bytes(), exact - 1).ok);
    const Decoded d = decodeList(nodes, small.bytes(), exact);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(decode::countValues(d.values), 999);
}

TEST(TemplateDecode, AlignStopsTheTemplateButKeepsEarlierRecords) {
    tdl::Template tmpl;
    tmpl.body = nodeList(property("A", DataType::Unint, 8), std::make_unique<Align>(8),
                         property("B", DataType::Unint, 8));
    const std::vector<std::uint8_t> image{1, 2};
    types::BitReader stream(image.data(), 2);
    types::DecodeBudget budget;
    std::vector<ValueRecord> values;
    types::RecordStore store;
    EXPECT_FALSE(tmpl.decodeBody(stream, values, store, budget));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name(), "A");
}

TEST(TemplateDecode, DescriptiveNodesReadNothing) {
    const auto nodes = nodeList(std::make_unique<Abstract>("ABSTRACT x"), std::make_unique<Spacing>(),
                                std::make_unique<UGId>("u", "c"),
                                std::make_unique<Enum>("E", std::vector<EnumEntry>{{0, "a"}}),
                                std::make_unique<PhysicalUnit>("V", types::UnitType::Product, std::array<std::int32_t, 9>{}, 1.0, 0.0),
                                property("U", DataType::Unint, 8));
    const Decoded d = decodeList(nodes, {77});
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.values.size(), 1u);
    EXPECT_EQ(asUnsigned(d.values[0]), 77u);
}

struct EnumCase {
    const char* what;
    bool hasFixedIndex;
    std::uint64_t fixedIndex;
    bool hasFixedText;
    const char* fixedText;
    std::uint32_t imageIndex;
    std::uint32_t expectedIndex;
    const char* expectedText;
    std::uint64_t expectedBits;
};

void PrintTo(const EnumCase& c, std::ostream* os) { *os << c.what; }

class EnumPropertyDecode : public ::testing::TestWithParam<EnumCase> {};

TEST_P(EnumPropertyDecode, DeliversIndexAndText) {
    const EnumCase& c = GetParam();
    Enum values("Colour", {{0, "red"}, {1, "green"}, {2, "blue"}});
    auto node = enumProperty("Colour", "Colour", 3);
    node->hasFixedIndex = c.hasFixedIndex;
    node->fixedIndex = c.fixedIndex;
    node->hasFixedText = c.hasFixedText;
    node->fixedText = c.fixedText;
    node->bindEnum(&values);
    const auto nodes = nodeList(std::move(node));
    ImageBuilder image;
    image.field(3, c.imageIndex).field(5, 0);
    const Decoded d = decodeList(nodes, image.bytes());
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.values.size(), 1u);
    EXPECT_EQ(d.values[0].kind(), ValueKind::Enumeration);
    const auto& value = heldEnum(d.values[0].value);
    EXPECT_EQ(value.index, c.expectedIndex) << c.what;
    EXPECT_EQ(value.text, c.expectedText) << c.what;
    EXPECT_EQ(d.bitsRead, c.expectedBits) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnumPropertyDecode,
    ::testing::Values(EnumCase{"read from the image", false, 0, false, "", 1, 1, "green", 3},
                      EnumCase{"index without entry keeps an empty text", false, 0, false, "", 6, 6, "", 3},
                      EnumCase{"fixed index reads no bits", true, 2, false, "", 1, 2, "blue", 0},
                      EnumCase{"fixed text looks its index up", false, 0, true, "blue", 1, 2, "blue", 0},
                      EnumCase{"unknown fixed text keeps index 0", false, 0, true, "pink", 1, 0, "pink", 0}));

TEST(EnumPropertyDecode, UnboundEnumDeliversTheBareIndex) {
    const auto nodes = nodeList(enumProperty("E", "Missing", 4));
    const Decoded d = decodeList(nodes, {0x0F});
    const auto& value = heldEnum(d.values.at(0).value);
    EXPECT_EQ(value.index, 15u);  // all ones is an index like any other
    EXPECT_EQ(value.text, "");
}

// Entries need not be numbered by position: the first entry of a value or
// a text answers, and a negative value is no index.
TEST(EnumLookup, FirstEntryOfAValueOrTextAnswersWhateverTheNumbering) {
    const Enum positional("P", {{0, "x"}, {1, "y"}, {2, "x"}});
    const Enum scattered("S", {{5, "a"}, {2, "b"}, {5, "c"}, {-1, "d"}, {7, "b"}, {3, "d"}});
    struct Row {
        const Enum& e;
        std::uint32_t index;
        const char* text;  // null: no entry
    };
    for (const Row& row : {Row{positional, 1, "y"}, Row{positional, 3, nullptr}, Row{scattered, 5, "a"},
                           Row{scattered, 7, "b"}, Row{scattered, 0, nullptr}, Row{scattered, 0xFFFFFFFFu, nullptr}}) {
        const std::string* text = row.e.textFor(row.index);
        if (row.text == nullptr)
            EXPECT_EQ(text, nullptr) << row.e.name << ' ' << row.index;
        else
            EXPECT_EQ(text != nullptr ? *text : "<none>", row.text) << row.e.name << ' ' << row.index;
    }
    EXPECT_EQ(positional.indexOf("x"), 0u);
    EXPECT_EQ(scattered.indexOf("b"), 2u);
    EXPECT_EQ(scattered.indexOf("d"), 3u);
    EXPECT_EQ(scattered.indexOf("z"), std::nullopt);
}

// The loader refuses deeper trees; at this depth every walk must still work.
TEST(DeepNesting, SixtyFourLevelsDecodeCountSelectAndDump) {
    NodeList inner = nodeList(property("leaf", DataType::Unint, 8));
    for (int level = 0; level < 64; ++level) inner = nodeList(structArray("level", 1, std::move(inner)));
    ImageBuilder image;
    for (int level = 0; level < 64; ++level) image.field(1, 1);
    image.field(8, 99);
    const Decoded d = decodeList(inner, image.bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(decode::countValues(d.values), 1);
    std::uint32_t position = 0;
    const ValueRecord* leaf = decode::selectByPosition(d.values, position);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(asUnsigned(*leaf), 99u);
    std::ostringstream dump;
    dumpNodeList(inner, dump, "");
    EXPECT_NE(dump.str().find(std::string(128, ' ') + "Property 'leaf'"), std::string::npos);
}

}  // namespace
