// Files far larger than any real one. Each case would take minutes if a
// lookup it makes scanned everything loaded, so a slow lookup shows up as
// a timeout; indexed, each runs well within a second.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/HeldValues.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/types/BitWriter.hpp"

namespace teds::tdl {
namespace {

using teds::testing::heldElements;
using teds::testing::heldEnum;

constexpr std::int32_t kTemplates = 50000;

// Every template has a manufacturer of its own, given in descending order,
// and names a unit only the last template declares and one nobody does.
std::string manyManufacturers() {
    std::string text;
    for (std::int32_t key = kTemplates; key >= 1; --key) {
        text += "TEMPLATE " + std::to_string(key) + ", 8, 1,\n";
        if (key == 1) text += "PHYSICAL_UNIT Shared, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0\n";
        text += "%P, , ID, 8, UNINT, , \"Shared\"\n%Q, , ID, 8, UNINT, , \"Nowhere\"\nENDTEMPLATE\n";
    }
    return text + "VALIDATION_KEYCODE 1\n";
}

const nodes::Property& property(const Template& tmpl, std::size_t index) {
    return dynamic_cast<const nodes::Property&>(*tmpl.body.at(index));
}

TEST(ScaleTest, ManyManufacturersAndNamesFromOtherTemplatesLoad) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, manyManufacturers()), kTemplates);

    const std::vector<const Template*> all = registry.templates();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kTemplates));
    for (std::size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i]->manufacturerKey, static_cast<std::int32_t>(i + 1));

    const Template* declaring = registry.find(1, 1);
    ASSERT_NE(declaring, nullptr);
    const auto& shared = dynamic_cast<const nodes::PhysicalUnit&>(*declaring->body.at(0));
    EXPECT_EQ(property(*registry.find(kTemplates, 1), 0).declaration.unit, &shared.unit);
    EXPECT_EQ(property(*declaring, 1).declaration.unit, &shared.unit);
    EXPECT_EQ(property(*registry.find(kTemplates, 1), 1).declaration.unit, nullptr);
    ASSERT_FALSE(registry.diagnostics().empty());
    EXPECT_EQ(registry.diagnostics().front().message, "Property '%Q' uses unknown unit 'Nowhere'.");
}

constexpr std::uint32_t kEntries = 50000;
constexpr std::uint32_t kElements = 100000;

TEST(ScaleTest, ABigEnumerationAnswersEveryRecordOfALongArray) {
    const std::string last = "e" + std::to_string(kEntries - 1);
    std::string text = "TEMPLATE 0, 8, 1,\nENUMERATE Big";
    for (std::uint32_t i = 0; i < kEntries; ++i) text += ", \"e" + std::to_string(i) + "\"";
    text += "\nSTRUCTARRAY Many, \"\", ID, 17\n"
            "  %ByIndex, , ID, 0, Big, , = " + std::to_string(kEntries - 1) + "\n"
            "  %ByText, , ID, 0, Big, , = \"" + last + "\"\n"
            "ENDSTRUCTARRAY\nENDTEMPLATE\nVALIDATION_KEYCODE 1\n";
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, text), 1);

    types::BitWriter image;
    image.writeBits(8, 1);
    image.writeBits(17, kElements);
    types::BitReader in(image.bytes().data(), static_cast<std::uint32_t>(image.bytes().size()));
    decode::TemplateRecord record;
    types::DecodeBudget budget;
    ASSERT_TRUE(decode::decodeTemplate(registry, in, 0, record, budget));

    ASSERT_EQ(record.values.size(), 1u);
    const auto& elements = heldElements(record.values[0].value);
    ASSERT_EQ(elements.size(), kElements);
    for (const types::StructElement* element : {&elements.front(), &elements.back()}) {
        ASSERT_EQ(element->size(), 2u);
        for (const types::ValueRecord& value : *element) {
            EXPECT_EQ(heldEnum(value.value).index, kEntries - 1) << value.name();
            EXPECT_EQ(heldEnum(value.value).text, last) << value.name();
        }
    }
}

}  // namespace
}  // namespace teds::tdl
