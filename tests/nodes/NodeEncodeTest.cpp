#include <gtest/gtest.h>

#include <cmath>

#include "support/HeldValues.hpp"
#include "support/NodeFactory.hpp"
#include "support/DeclaredRecords.hpp"

namespace {

using teds::testing::heldElements;
using teds::testing::heldEnum;
using teds::testing::heldReal;
using teds::testing::heldWhole;

using namespace teds;
using namespace teds::tdl::nodes;
using teds::types::ValueRecord;
using teds::testing::enumProperty;
using teds::testing::nodeList;
using teds::testing::property;
using teds::testing::structArray;
using teds::types::DataType;

// Encodes records with a node, decodes the bits again with the same node.
// The records decoded back refer to `store`.
std::vector<ValueRecord> roundTripAll(const Node& node, const std::vector<ValueRecord>& records,
                                      types::RecordStore& store) {
    types::BitWriter writer;
    std::string error;
    RecordSource source(writer, records, error);
    EXPECT_TRUE(node.encode(source)) << error;
    EXPECT_TRUE(source.finished());
    types::BitReader reader(writer.bytes().data(), static_cast<std::uint32_t>(writer.bytes().size()));
    std::vector<ValueRecord> out;
    types::DecodeBudget budget;
    EXPECT_TRUE(node.decode(reader, out, store, budget));
    EXPECT_EQ(reader.position(), writer.position());
    return out;
}

ValueRecord roundTrip(const Node& node, const ValueRecord& record, types::RecordStore& store) {
    const std::vector<ValueRecord> out = roundTripAll(node, {record}, store);
    EXPECT_EQ(out.size(), 1u);
    return out.empty() ? ValueRecord{} : out[0];
}

// Encoding `records` with `node` fails, naming `errorPart`.
void expectRefused(const Node& node, const std::vector<ValueRecord>& records, const std::string& errorPart) {
    types::BitWriter writer;
    std::string error;
    RecordSource source(writer, records, error);
    EXPECT_FALSE(node.encode(source));
    EXPECT_NE(error.find(errorPart), std::string::npos) << error;
}

struct PropertyCase {
    const char* what;
    DataType type;
    std::uint32_t sz;
    double start, step;
    types::Value value;
};

void PrintTo(const PropertyCase& c, std::ostream* os) { *os << c.what; }

class PropertyRoundTrip : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(PropertyRoundTrip, DecodesWhatWasEncoded) {
    const PropertyCase& c = GetParam();
    auto node = property("p", c.type, c.sz);
    node->field.start = c.start;
    node->field.step = c.step;
    types::RecordStore store;
    const ValueRecord back = roundTrip(*node, teds::testing::namedRecord("p", c.value), store);
    if (const auto* expected = std::get_if<types::RealValue>(&c.value)) {
        EXPECT_NEAR(heldReal(back.value), expected->value, std::abs(expected->value) * 1e-6) << c.what;
    } else {
        EXPECT_TRUE(back.value == c.value) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EncodableTypes, PropertyRoundTrip,
    ::testing::Values(PropertyCase{"unint", DataType::Unint, 12, 0, 0, types::UnsignedValue{1234}},
                      PropertyCase{"date", DataType::Date, 16, 0, 0, types::DateValue{9000}},
                      PropertyCase{"unint of 64 bits", DataType::Unint, 64, 0, 0,
                                   types::UnsignedValue{0xFFFFFFFFFFFFFFFE}},
                      PropertyCase{"date of 40 bits", DataType::Date, 40, 0, 0, types::DateValue{0x8000003039}},
                      PropertyCase{"chr5", DataType::Chr5, 20, 0, 0, types::TextValue{"AB.@"}},
                      PropertyCase{"ascii", DataType::Ascii, 21, 0, 0, types::TextValue{"Hi!"}},
                      PropertyCase{"unicode", DataType::Unicode, 32, 0, 0, types::TextValue{"\xC3\xA9\xE2\x82\xAC"}},
                      PropertyCase{"string7", DataType::String7, 4, 0, 0, types::TextValue{"Hi"}},
                      PropertyCase{"conres", DataType::ConRes, 16, 10.0, 0.5, types::RealValue{12.0}},
                      PropertyCase{"conrelres", DataType::ConRelRes, 16, 1e-6, 0.00015,
                                   types::RealValue{1e-6 * std::pow(1.0003, 1000)}},
                      PropertyCase{"single", DataType::Single, 32, 0, 0, types::RealValue{1.5}}));

TEST(PropertyEncode, NoValueRecordWritesTheAllOnesPattern) {
    auto node = property("p", DataType::Unint, 8);
    types::RecordStore store;
    const ValueRecord back = roundTrip(*node, teds::testing::namedRecord("p", teds::types::NoValue{}), store);
    EXPECT_EQ(back.kind(), types::ValueKind::None);
}

TEST(PropertyEncode, TypesWithoutEncodingAreRefused) {
    for (DataType type : {DataType::BitDigit, DataType::BitBin}) {
        auto node = property("p", type, 16);
        expectRefused(*node, {teds::testing::namedRecord("p", teds::types::TextValue{std::string("x")})}, "p");
    }
}

TEST(EnumPropertyEncode, IndexRoundTrips) {
    Enum colours("C", {{0, "red"}, {1, "green"}, {2, "blue"}});
    auto node = enumProperty("c", "C", 2);
    node->enumRef = &colours;
    types::RecordStore store;
    const ValueRecord back = roundTrip(*node, teds::testing::namedRecord("c", types::EnumValue{2, "blue"}), store);
    EXPECT_EQ(heldEnum(back.value).index, 2u);
    EXPECT_EQ(heldEnum(back.value).text, "blue");

    auto wide = enumProperty("w", "C", 48);
    wide->enumRef = &colours;
    const types::EnumValue beyond{0x10000000001, ""};
    const ValueRecord wideBack = roundTrip(*wide, teds::testing::namedRecord("w", beyond), store);
    EXPECT_EQ(heldEnum(wideBack.value).index, beyond.index);
}

TEST(SelectCaseEncode, SelectorRoundTrips) {
    for (const auto& [bits, selector] : {std::pair<std::uint32_t, std::uint64_t>{3, 5}, {48, 0x10000000003}}) {
        SelectCase node("s", bits, {});
        types::RecordStore store;
        const ValueRecord back =
            roundTrip(node, ValueRecord{teds::types::SelectMarkerValue{selector}, nullptr}, store);
        EXPECT_EQ(heldWhole(back.value), selector);
    }
}

TEST(StructArrayEncode, ElementsRoundTripAndTheCountMustFit) {
    const auto array = structArray("A", 2, nodeList(property("v", DataType::Unint, 4)));
    const auto element = [](std::uint64_t v) {
        return types::StructElement{teds::testing::namedRecord("v", teds::types::UnsignedValue{v})};
    };
    const types::StructElements elementsGiven{element(1), element(2), element(3)};
    const ValueRecord three = teds::testing::namedRecord("A", types::StructArrayValue{elementsGiven});
    types::RecordStore store;
    const ValueRecord back = roundTrip(*array, three, store);
    const auto& elements = heldElements(back.value);
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(heldWhole(elements[2].at(0).value), 3u);

    types::StructElements four(4, element(1));
    expectRefused(*array, {teds::testing::namedRecord("A", teds::types::StructArrayValue{four})}, "more elements");
}

TEST(NodeEncode, RefusesRecordsThatDoNotFollowTheTemplate) {
    const auto unint = property("p", DataType::Unint, 4);
    expectRefused(*unint, {}, "no value given for 'p'");
    expectRefused(*unint, {teds::testing::namedRecord("q", teds::types::UnsignedValue{std::uint64_t{1}})}, "found 'q'");
    // 16 needs a fifth bit; 15 is the no-value pattern.
    expectRefused(*unint, {teds::testing::namedRecord("p", teds::types::UnsignedValue{std::uint64_t{16}})},
                  "does not read back");
    expectRefused(*unint, {teds::testing::namedRecord("p", teds::types::UnsignedValue{std::uint64_t{15}})},
                  "does not read back");
    // A real with no raw number in its field is refused, not thrown.
    auto conRes = property("r", DataType::ConRes, 8);
    conRes->field.step = 1.0;
    expectRefused(*conRes, {teds::testing::namedRecord("r", teds::types::RealValue{-100.0})}, "r");
}

}  // namespace
