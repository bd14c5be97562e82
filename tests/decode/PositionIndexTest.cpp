#include <gtest/gtest.h>

#include "support/HeldValues.hpp"
#include "teds/decode/NameIndex.hpp"
#include "teds/decode/PositionIndex.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "support/DeclaredRecords.hpp"

namespace {

using namespace teds::decode;
using namespace teds::types;

ValueRecord leaf(std::uint64_t value) { return teds::testing::namedRecord("v", teds::types::UnsignedValue{value}); }
ValueRecord marker() { return ValueRecord{teds::types::SelectMarkerValue{std::uint64_t{0}}, nullptr}; }
// The record refers to `elements`, kept in `store`.
ValueRecord array(RecordStore& store, StructElements elements) {
    StructElements& kept = store.newElements();
    kept = std::move(elements);
    return teds::testing::namedRecord("a", teds::types::StructArrayValue{kept});
}

// Nested arrays, empty elements and markers at every level.
std::vector<TemplateRecord> nestedTemplates() {
    std::vector<TemplateRecord> templates(3);
    RecordStore& store = templates[0].store;
    templates[0].values = {
        leaf(0), marker(),
        array(store, {{leaf(1), array(store, {{leaf(2)}, {}, {marker(), leaf(3)}})}, {}, {leaf(4), marker()}}),
        leaf(5)};
    // templates[1] stays empty
    templates[2].values = {array(templates[2].store, {}), marker(), leaf(0)};
    return templates;
}

TEST(PositionIndex, AgreesWithSelectionByPositionEverywhere) {
    const auto templates = nestedTemplates();
    const PositionIndex index(templates);
    for (std::size_t t = 0; t < templates.size(); ++t) {
        const std::int32_t count = countValues(templates[t].values);
        EXPECT_EQ(index.count(t), count) << t;
        for (std::uint32_t p = 0; p <= static_cast<std::uint32_t>(count) + 1; ++p) {
            std::uint32_t position = p;
            EXPECT_EQ(index.at(t, p), selectByPosition(templates[t].values, position)) << t << ' ' << p;
        }
    }
    EXPECT_EQ(index.count(0), 6);
}

TEST(PositionIndex, TemplateIndexPastTheEndHasNothing) {
    const auto templates = nestedTemplates();
    const PositionIndex index(templates);
    EXPECT_EQ(index.count(3), 0);
    EXPECT_EQ(index.at(3, 0), nullptr);
    EXPECT_EQ(index.at(static_cast<std::size_t>(-1), 0), nullptr);
    EXPECT_EQ(index.at(0, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(PositionIndex().count(0), 0);
}

TEST(NameIndex, AgreesWithSelectionByNameEverywhere) {
    auto templates = nestedTemplates();
    templates[2].values.push_back(teds::testing::namedRecord("w", teds::types::UnsignedValue{std::uint64_t{9}}));
    const NameIndex index(templates);
    for (std::size_t t = 0; t < templates.size() + 1; ++t) {
        const std::vector<ValueRecord> none;
        const auto& values = t < templates.size() ? templates[t].values : none;
        for (const char* name : {"v", "", "a", "w", "missing"}) {
            const std::int32_t count = countByName(values, name);
            EXPECT_EQ(index.count(t, name), count) << t << ' ' << name;
            for (std::uint32_t n = 0; n <= static_cast<std::uint32_t>(count); ++n)
                EXPECT_EQ(index.at(t, name, n), selectByName(values, name, n)) << t << ' ' << name << ' ' << n;
        }
    }
    EXPECT_EQ(index.count(0, "v"), 6);
}

}  // namespace
