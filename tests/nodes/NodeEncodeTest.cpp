#include <gtest/gtest.h>

#include <cmath>

#include "support/NodeFactory.hpp"

namespace {

using namespace teds;
using namespace teds::tdl::nodes;
using teds::decode::ValueRecord;
using teds::testing::property;
using teds::types::DataType;

// Encodes a record with its node, decodes the bits again with the same node.
ValueRecord roundTrip(const Node& node, const ValueRecord& record) {
    auto stream = decode::BitStream::createOwning(64);
    EXPECT_TRUE(node.encode(stream, record));
    auto reader = decode::BitStream::create(stream.begin, stream.length);
    std::vector<ValueRecord> out;
    decode::RecordBudget budget;
    EXPECT_TRUE(node.decode(reader, out, budget));
    stream.destroy();
    EXPECT_EQ(out.size(), 1u);
    return out.empty() ? ValueRecord{} : out[0];
}

struct PropertyCase {
    const char* what;
    DataType type;
    std::uint32_t sz;
    double start, step;
    decode::Value value;
};

void PrintTo(const PropertyCase& c, std::ostream* os) { *os << c.what; }

class PropertyRoundTrip : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(PropertyRoundTrip, DecodesWhatWasEncoded) {
    const PropertyCase& c = GetParam();
    auto node = property("p", c.type, c.sz);
    node->start = c.start;
    node->step = c.step;
    const decode::ValueKind kinds[] = {decode::ValueKind::Unsigned, decode::ValueKind::Real, decode::ValueKind::Text};
    const ValueRecord back = roundTrip(*node, ValueRecord{"p", kinds[c.value.which()], c.value, node.get()});
    if (const auto* expected = boost::get<double>(&c.value)) {
        EXPECT_NEAR(boost::get<double>(back.value), *expected, std::abs(*expected) * 1e-6) << c.what;
    } else {
        EXPECT_TRUE(back.value == c.value) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EncodableTypes, PropertyRoundTrip,
    ::testing::Values(PropertyCase{"unint", DataType::Unint, 12, 0, 0, std::uint32_t{1234}},
                      PropertyCase{"date", DataType::Date, 16, 0, 0, std::uint32_t{9000}},
                      PropertyCase{"chr5", DataType::Chr5, 20, 0, 0, std::string("AB.@")},
                      PropertyCase{"ascii", DataType::Ascii, 21, 0, 0, std::string("Hi!")},
                      PropertyCase{"conres", DataType::ConRes, 16, 10.0, 0.5, 12.0},
                      PropertyCase{"conrelres", DataType::ConRelRes, 16, 1e-6, 0.00015, 1e-6 * std::pow(1.0003, 1000)},
                      PropertyCase{"single", DataType::Single, 32, 0, 0, 1.5}));

TEST(PropertyEncode, NoValueRecordWritesTheAllOnesPattern) {
    auto node = property("p", DataType::Unint, 8);
    const ValueRecord back = roundTrip(*node, ValueRecord{"p", decode::ValueKind::None, std::uint32_t{0}, nullptr});
    EXPECT_EQ(back.kind, decode::ValueKind::None);
}

TEST(PropertyEncode, TypesWithoutEncodingAreRefused) {
    for (DataType type : {DataType::Unicode, DataType::String5, DataType::String7, DataType::String16,
                          DataType::BitDigit, DataType::BitBin}) {
        auto node = property("p", type, 16);
        auto stream = decode::BitStream::createOwning(8);
        EXPECT_FALSE(node->encode(stream, ValueRecord{"p", decode::ValueKind::Text, std::string("x"), nullptr}))
            << static_cast<int>(type);
        stream.destroy();
    }
}

TEST(EnumPropertyEncode, IndexRoundTrips) {
    Enum colours("C", {{0, "red"}, {1, "green"}, {2, "blue"}});
    EnumProperty node("c", "C", 0, "", 2, "");
    node.enumRef = &colours;
    const ValueRecord back =
        roundTrip(node, ValueRecord{"c", decode::ValueKind::Enumeration, decode::EnumValue{2, "blue"}, &node});
    EXPECT_EQ(boost::get<decode::EnumValue>(back.value).index, 2u);
    EXPECT_EQ(boost::get<decode::EnumValue>(back.value).text, "blue");
}

TEST(SelectCaseEncode, SelectorRoundTrips) {
    SelectCase node("s", 3, {});
    const ValueRecord back =
        roundTrip(node, ValueRecord{"", decode::ValueKind::SelectMarker, std::uint32_t{5}, &node});
    EXPECT_EQ(boost::get<std::uint32_t>(back.value), 5u);
}

}  // namespace
