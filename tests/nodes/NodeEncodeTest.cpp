#include <gtest/gtest.h>

#include <cmath>

#include "support/NodeFactory.hpp"

namespace {

using namespace teds;
using namespace teds::tdl::nodes;
using teds::types::ValueRecord;
using teds::testing::enumProperty;
using teds::testing::nodeList;
using teds::testing::property;
using teds::testing::structArray;
using teds::types::DataType;

// Encodes records with a node, decodes the bits again with the same node.
std::vector<ValueRecord> roundTripAll(const Node& node, const std::vector<ValueRecord>& records) {
    types::BitWriter writer;
    std::string error;
    RecordSource source(writer, records, error);
    EXPECT_TRUE(node.encode(source)) << error;
    EXPECT_TRUE(source.finished());
    types::BitReader reader(writer.bytes().data(), static_cast<std::uint32_t>(writer.bytes().size()));
    std::vector<ValueRecord> out;
    types::DecodeBudget budget;
    EXPECT_TRUE(node.decode(reader, out, budget));
    EXPECT_EQ(reader.position(), writer.position());
    return out;
}

ValueRecord roundTrip(const Node& node, const ValueRecord& record) {
    const std::vector<ValueRecord> out = roundTripAll(node, {record});
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
    node->start = c.start;
    node->step = c.step;
    const types::ValueKind kinds[] = {types::ValueKind::Unsigned, types::ValueKind::Real, types::ValueKind::Text};
    const types::ValueKind kind = c.type == DataType::Date ? types::ValueKind::Date : kinds[c.value.which()];
    const ValueRecord back = roundTrip(*node, ValueRecord{"p", kind, c.value, nullptr});
    if (const auto* expected = boost::get<double>(&c.value)) {
        EXPECT_NEAR(boost::get<double>(back.value), *expected, std::abs(*expected) * 1e-6) << c.what;
    } else {
        EXPECT_TRUE(back.value == c.value) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EncodableTypes, PropertyRoundTrip,
    ::testing::Values(PropertyCase{"unint", DataType::Unint, 12, 0, 0, std::uint64_t{1234}},
                      PropertyCase{"date", DataType::Date, 16, 0, 0, std::uint64_t{9000}},
                      PropertyCase{"unint of 64 bits", DataType::Unint, 64, 0, 0, std::uint64_t{0xFFFFFFFFFFFFFFFE}},
                      PropertyCase{"date of 40 bits", DataType::Date, 40, 0, 0, std::uint64_t{0x8000003039}},
                      PropertyCase{"chr5", DataType::Chr5, 20, 0, 0, std::string("AB.@")},
                      PropertyCase{"ascii", DataType::Ascii, 21, 0, 0, std::string("Hi!")},
                      PropertyCase{"unicode", DataType::Unicode, 32, 0, 0, std::string("\xC3\xA9\xE2\x82\xAC")},
                      PropertyCase{"string7", DataType::String7, 4, 0, 0, std::string("Hi")},
                      PropertyCase{"conres", DataType::ConRes, 16, 10.0, 0.5, 12.0},
                      PropertyCase{"conrelres", DataType::ConRelRes, 16, 1e-6, 0.00015, 1e-6 * std::pow(1.0003, 1000)},
                      PropertyCase{"single", DataType::Single, 32, 0, 0, 1.5}));

TEST(PropertyEncode, NoValueRecordWritesTheAllOnesPattern) {
    auto node = property("p", DataType::Unint, 8);
    const ValueRecord back = roundTrip(*node, ValueRecord{"p", types::ValueKind::None, std::uint64_t{0}, nullptr});
    EXPECT_EQ(back.kind, types::ValueKind::None);
}

TEST(PropertyEncode, TypesWithoutEncodingAreRefused) {
    for (DataType type : {DataType::BitDigit, DataType::BitBin}) {
        auto node = property("p", type, 16);
        expectRefused(*node, {ValueRecord{"p", types::ValueKind::Text, std::string("x"), nullptr}}, "p");
    }
}

TEST(EnumPropertyEncode, IndexRoundTrips) {
    Enum colours("C", {{0, "red"}, {1, "green"}, {2, "blue"}});
    auto node = enumProperty("c", "C", 2);
    node->enumRef = &colours;
    const ValueRecord back =
        roundTrip(*node, ValueRecord{"c", types::ValueKind::Enumeration, types::EnumValue{2, "blue"}, nullptr});
    EXPECT_EQ(boost::get<types::EnumValue>(back.value).index, 2u);
    EXPECT_EQ(boost::get<types::EnumValue>(back.value).text, "blue");

    auto wide = enumProperty("w", "C", 48);
    wide->enumRef = &colours;
    const types::EnumValue beyond{0x10000000001, ""};
    const ValueRecord wideBack = roundTrip(*wide, ValueRecord{"w", types::ValueKind::Enumeration, beyond, nullptr});
    EXPECT_EQ(boost::get<types::EnumValue>(wideBack.value).index, beyond.index);
}

TEST(SelectCaseEncode, SelectorRoundTrips) {
    for (const auto& [bits, selector] : {std::pair<std::uint32_t, std::uint64_t>{3, 5}, {48, 0x10000000003}}) {
        SelectCase node("s", bits, {});
        const ValueRecord back =
            roundTrip(node, ValueRecord{"", types::ValueKind::SelectMarker, selector, nullptr});
        EXPECT_EQ(boost::get<std::uint64_t>(back.value), selector);
    }
}

TEST(StructArrayEncode, ElementsRoundTripAndTheCountMustFit) {
    const auto array = structArray("A", 2, nodeList(property("v", DataType::Unint, 4)));
    const auto element = [](std::uint64_t v) {
        return types::StructElement{ValueRecord{"v", types::ValueKind::Unsigned, v, nullptr}};
    };
    const ValueRecord three{"A", types::ValueKind::StructArray, types::StructElements{element(1), element(2), element(3)},
                            nullptr};
    const ValueRecord back = roundTrip(*array, three);
    const auto& elements = boost::get<types::StructElements>(back.value);
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(boost::get<std::uint64_t>(elements[2].at(0).value), 3u);

    types::StructElements four(4, element(1));
    expectRefused(*array, {ValueRecord{"A", types::ValueKind::StructArray, four, nullptr}}, "more elements");
}

TEST(NodeEncode, RefusesRecordsThatDoNotFollowTheTemplate) {
    const auto unint = property("p", DataType::Unint, 4);
    expectRefused(*unint, {}, "no value given for 'p'");
    expectRefused(*unint, {ValueRecord{"q", types::ValueKind::Unsigned, std::uint64_t{1}, nullptr}}, "found 'q'");
    // 16 needs a fifth bit; 15 is the no-value pattern.
    expectRefused(*unint, {ValueRecord{"p", types::ValueKind::Unsigned, std::uint64_t{16}, nullptr}}, "does not read back");
    expectRefused(*unint, {ValueRecord{"p", types::ValueKind::Unsigned, std::uint64_t{15}, nullptr}}, "does not read back");
    // A real with no raw number in its field is refused, not thrown.
    auto conRes = property("r", DataType::ConRes, 8);
    conRes->step = 1.0;
    expectRefused(*conRes, {ValueRecord{"r", types::ValueKind::Real, -100.0, nullptr}}, "r");
}

}  // namespace
