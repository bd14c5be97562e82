#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "support/HeldValues.hpp"
#include "support/NamedRecords.hpp"
#include "teds/decode/TemplateRecord.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "teds/types/RecordStore.hpp"
#include "support/DeclaredRecords.hpp"

namespace {

using teds::testing::heldWhole;
using teds::testing::recordsNamed;

using namespace teds::decode;
using namespace teds::types;

ValueRecord unsignedRecord(const char* name, std::uint64_t value) {
    return teds::testing::namedRecord(name, teds::types::UnsignedValue{value});
}

// The record refers to `elements`, kept in `store`.
ValueRecord arrayRecord(RecordStore& store, const char* name, StructElements elements) {
    StructElements& kept = store.newElements();
    kept = std::move(elements);
    return teds::testing::namedRecord(name, teds::types::StructArrayValue{kept});
}

// One array of three elements, each holding "x" and "y" numbered 0..5.
std::vector<ValueRecord> threeByTwo(RecordStore& store) {
    StructElements elements;
    for (std::uint32_t i = 0; i < 3; ++i)
        elements.push_back({unsignedRecord("x", 2 * i), unsignedRecord("y", 2 * i + 1)});
    return {arrayRecord(store, "points", std::move(elements))};
}

std::uint32_t valueAt(const std::vector<ValueRecord>& values, std::uint32_t position) {
    const ValueRecord* record = selectByPosition(values, position);
    return record ? heldWhole(record->value) : 0xDEADu;
}

TEST(ValueLookup, EmptyListHasNothing) {
    const std::vector<ValueRecord> none;
    std::uint32_t position = 0;
    std::vector<const ValueRecord*> matches = recordsNamed(none, "x");
    EXPECT_EQ(countValues(none), 0);
    EXPECT_EQ(selectByPosition(none, position), nullptr);
    EXPECT_TRUE(matches.empty());
}

TEST(ValueLookup, ArrayElementsAreCountedAndSelectedDepthFirst) {
    RecordStore store;
    const auto values = threeByTwo(store);
    EXPECT_EQ(countValues(values), 6);
    for (std::uint32_t position = 0; position < 6; ++position) EXPECT_EQ(valueAt(values, position), position);
    std::uint32_t past = 6;
    EXPECT_EQ(selectByPosition(values, past), nullptr);
}

TEST(ValueLookup, PositionCounterIsSharedAcrossLevels) {
    StructElements inner;
    inner.push_back({unsignedRecord("a", 1)});
    inner.push_back({});  // an empty element counts nothing
    inner.push_back({unsignedRecord("a", 2), unsignedRecord("b", 3)});
    RecordStore store;
    const std::vector<ValueRecord> values{unsignedRecord("first", 0), arrayRecord(store, "arr", std::move(inner)),
                                          unsignedRecord("last", 4)};
    EXPECT_EQ(countValues(values), 5);
    for (std::uint32_t position = 0; position < 5; ++position) EXPECT_EQ(valueAt(values, position), position);
}

TEST(ValueLookup, SelectMarkerIsFoundByNameButNeverCounted) {
    const std::vector<ValueRecord> values{teds::testing::namedRecord("X", teds::types::SelectMarkerValue{std::uint64_t{1}}),
                                          unsignedRecord("Y", 7)};
    EXPECT_EQ(countValues(values), 1);
    EXPECT_EQ(valueAt(values, 0), 7u);
    std::vector<const ValueRecord*> matches = recordsNamed(values, "X");
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0]->kind(), ValueKind::SelectMarker);
}

TEST(ValueLookup, NameMatchIsExact) {
    const std::vector<ValueRecord> values{unsignedRecord("Sens", 1)};
    for (const char* other : {"sens", "SENS", "Sens ", "Sen", ""}) {
        std::vector<const ValueRecord*> matches = recordsNamed(values, other);
        EXPECT_TRUE(matches.empty()) << '"' << other << '"';
    }
}

TEST(ValueLookup, SameNameInSeveralElementsIsFoundInElementOrder) {
    RecordStore store;
    const auto values = threeByTwo(store);
    std::vector<const ValueRecord*> matches = recordsNamed(values, "y");
    ASSERT_EQ(matches.size(), 3u);
    for (std::uint32_t i = 0; i < 3; ++i) EXPECT_EQ(heldWhole(matches[i]->value), 2 * i + 1);

    matches = recordsNamed(values, "points");
    EXPECT_TRUE(matches.empty()) << "an array is searched, never matched";
}

TEST(TemplateRecord, KeyTextNamesIeeeAndManufacturerTemplates) {
    TemplateRecord record;
    record.begin(0, 25, nullptr);
    EXPECT_EQ(record.keyText(), "I25");
    record.begin(17, 3, nullptr);
    EXPECT_EQ(record.keyText(), "M173");
    record.reset();
    EXPECT_EQ(record.keyText(), "I0");
}

TEST(TemplateRecord, ACopyKeepsItsOwnTextsAndElements) {
    auto original = std::make_unique<TemplateRecord>();
    original->values = {teds::testing::namedRecord("Model", TextValue{original->store.keepText("ABC")}),
                        arrayRecord(original->store, "points", {{unsignedRecord("x", 7)}})};
    const TemplateRecord copy = *original;
    TemplateRecord assigned;
    assigned = *original;
    const auto textData = [](const TemplateRecord& r) { return std::get<TextValue>(r.values[0].value).text.data(); };
    EXPECT_NE(textData(copy), textData(*original));
    EXPECT_NE(textData(assigned), textData(*original));
    original.reset();
    const TemplateRecord* const copies[] = {&copy, &assigned};
    for (const TemplateRecord* record : copies) {
        ASSERT_EQ(record->values.size(), 2u);
        EXPECT_EQ(std::get<TextValue>(record->values[0].value).text, "ABC");
        const auto elements = std::get<StructArrayValue>(record->values[1].value).elements;
        ASSERT_EQ(elements.size(), 1u);
        EXPECT_EQ(heldWhole(elements[0].at(0).value), 7u);
    }
}

TEST(TemplateRecord, DumpListsEveryValue) {
    TemplateRecord record;
    record.begin(0, 36, nullptr);
    record.values = {unsignedRecord("Count", 3), teds::testing::namedRecord("Gain", teds::types::RealValue{2.5}),
                     teds::testing::namedRecord("Model", teds::types::TextValue{"ABC"}),
                     teds::testing::namedRecord("Pol", EnumValue{1, "neg"}),
                     teds::testing::namedRecord("Off", teds::types::NoValue{})};
    std::ostringstream out;
    record.dump(out, "% ");
    EXPECT_EQ(out.str(),
              "% Template 0-36 instance\n"
              "%   Count = 3\n"
              "%   Gain = 2.5\n"
              "%   Model = ABC\n"
              "%   Pol = neg (1)\n"
              "%   Off = <no value>\n");
}

}  // namespace
