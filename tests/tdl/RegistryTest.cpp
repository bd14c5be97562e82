#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "support/HeldValues.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "teds/types/BitWriter.hpp"
#include "teds/tdl/nodes/Enum.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Property.hpp"

namespace teds::tdl {
namespace {

using teds::testing::heldElements;
using teds::testing::heldEnum;
using teds::testing::heldReal;
using teds::testing::heldText;
using teds::testing::heldWhole;

using types::ValueKind;
using types::ValueRecord;

// An image written field by field, least significant bit first.
class Image {
public:
    explicit Image(std::initializer_list<std::pair<std::uint32_t, std::uint64_t>> fields) {
        for (const auto& [width, value] : fields) writer_.writeBits(width, value);
        reader_ = types::BitReader(writer_.bytes().data(), static_cast<std::uint32_t>(writer_.bytes().size()));
    }

    types::BitReader& stream() { return reader_; }
    // Bits read so far.
    std::uint32_t position() const { return static_cast<std::uint32_t>(reader_.position()); }

private:
    types::BitWriter writer_;
    types::BitReader reader_;
};

// The chain's decoding of one template, with a budget of its own.
bool decodeNextTemplate(const Registry& registry, types::BitReader& in, std::int32_t key,
                        decode::TemplateRecord& record) {
    types::DecodeBudget budget;
    return decode::decodeTemplate(registry, in, key, record, budget);
}

const char* const kDecodeFile =
    "TEMPLATE 0, 8, 25, \"Decode\"\n"
    "ENUMERATE Kinds, \"Voltage\", \"Current\", \"Bridge\"\n"
    "PHYSICAL_UNIT \"V\", (0, 0, 0, 2, 1, -3, -1, 0, 0, 0, 1, 0)\n"
    "%Kind, , ID, 2, Kinds, ,\n"
    "%Count, , ID, 8, UNINT, , \"V\"\n"
    "%Sens, , CAL, 4, ConRes, 10, 0.5, ,\n"
    "%Fixed, , ID, 8, UNINT, , = 0x2A\n"
    "%Q[DEFAULT], , ID, 8, UNINT, ,\n"
    "SELECTCASE \"Mode\", ID, 1\n"
    "CASE \"A\", 0\n"
    "  %InA, , ID, 3, UNINT, ,\n"
    "ENDCASE\n"
    "CASE \"B\", 1\n"
    "  %InB, , ID, 5, UNINT, ,\n"
    "ENDCASE\n"
    "ENDSELECT\n"
    "STRUCTARRAY Points, \"\", CAL, 2\n"
    "  %X, , CAL, 4, UNINT, ,\n"
    "ENDSTRUCTARRAY\n"
    "%Name, , ID, 10, CHR5, ,\n"
    "ENDTEMPLATE\n"
    "VALIDATION_KEYCODE 1\n";

TEST(RegistryTest, ALoadedTemplateDecodesAnImage) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, kDecodeFile), 1);
    EXPECT_TRUE(registry.diagnostics().empty());

    Image image({{8, 25}, {2, 1}, {8, 200}, {4, 4}, {1, 1}, {5, 17}, {2, 2}, {4, 3}, {4, 9}, {5, 8}, {5, 9}});
    decode::TemplateRecord record;
    ASSERT_TRUE(decodeNextTemplate(registry, image.stream(), 0, record));
    EXPECT_EQ(image.position(), 8u + 2 + 8 + 4 + 1 + 5 + 2 + 4 + 4 + 10);
    EXPECT_EQ(record.templateId, 25);
    EXPECT_EQ(record.templateRef, registry.find(0, 25));

    const std::vector<ValueRecord>& v = record.values;
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(v[0].name(), "%Kind");
    EXPECT_EQ(v[0].kind(), ValueKind::Enumeration);
    EXPECT_EQ(heldEnum(v[0].value).index, 1u);
    EXPECT_EQ(heldEnum(v[0].value).text, "Current");
    EXPECT_EQ(heldWhole(v[1].value), 200u);
    EXPECT_EQ(v[2].kind(), ValueKind::Real);
    EXPECT_EQ(heldReal(v[2].value), 12.0);
    EXPECT_EQ(v[3].name(), "%Fixed");
    EXPECT_EQ(heldWhole(v[3].value), 42u);
    EXPECT_EQ(v[4].kind(), ValueKind::SelectMarker);
    EXPECT_EQ(v[5].name(), "%InB");
    EXPECT_EQ(heldWhole(v[5].value), 17u);
    ASSERT_EQ(v[6].kind(), ValueKind::StructArray);
    const auto& points = heldElements(v[6].value);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(heldWhole(points[1].at(0).value), 9u);
    EXPECT_EQ(heldText(v[7].value), "HI");

    // The unit named by the property's second text is bound to it.
    const auto* count = v[1].property;
    ASSERT_NE(count, nullptr);
    ASSERT_NE(count->unit, nullptr);
    EXPECT_EQ(count->unit->text, "(m2*kg*s-3*A-1)");
}

TEST(RegistryTest, AnUnknownManufacturerFailsWithoutReading) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, kDecodeFile), 1);
    Image image({{8, 25}});
    decode::TemplateRecord record;
    EXPECT_FALSE(decodeNextTemplate(registry, image.stream(), 17, record));
    EXPECT_EQ(image.position(), 0u);
    EXPECT_EQ(registry.idWidth(17), 0u);
}

TEST(RegistryTest, AnUnknownIdFailsAfterReadingIt) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, kDecodeFile), 1);
    Image image({{8, 26}, {8, 0xFF}});
    decode::TemplateRecord record;
    record.values.push_back(ValueRecord{});
    EXPECT_FALSE(decodeNextTemplate(registry, image.stream(), 0, record));
    EXPECT_EQ(image.position(), 8u);
    EXPECT_EQ(record.templateId, 26);
    EXPECT_EQ(record.templateRef, nullptr);
    EXPECT_TRUE(record.values.empty());
}

TEST(RegistryTest, AnEmptyRegistryFailsWithoutReading) {
    Registry registry;
    Image image({{8, 25}});
    decode::TemplateRecord record;
    EXPECT_FALSE(decodeNextTemplate(registry, image.stream(), 0, record));
    EXPECT_EQ(image.position(), 0u);
}

std::unique_ptr<Template> makeTemplate(std::int32_t key, std::uint32_t width, std::uint32_t id) {
    auto tmpl = std::make_unique<Template>();
    tmpl->manufacturerKey = key;
    tmpl->idWidth = width;
    tmpl->templateId = id;
    return tmpl;
}

TEST(RegistryTest, TheFirstTemplateOfAKeyAndIdStays) {
    Registry registry;
    auto first = makeTemplate(17, 6, 3);
    const Template* kept = first.get();
    EXPECT_TRUE(registry.add(std::move(first)));
    EXPECT_FALSE(registry.add(makeTemplate(17, 6, 3)));
    EXPECT_EQ(registry.find(17, 3), kept);
    ASSERT_EQ(registry.diagnostics().size(), 1u);
    EXPECT_EQ(registry.diagnostics()[0].text(), "template M17-3 refused: already loaded");
}

TEST(RegistryTest, TheFirstTemplateOfAManufacturerSetsItsIdWidth) {
    Registry registry;
    EXPECT_TRUE(registry.add(makeTemplate(17, 6, 3)));
    EXPECT_FALSE(registry.add(makeTemplate(17, 8, 4)));
    EXPECT_TRUE(registry.add(makeTemplate(17, 6, 4)));
    EXPECT_TRUE(registry.add(makeTemplate(0, 8, 4)));
    EXPECT_EQ(registry.idWidth(17), 6u);
    EXPECT_EQ(registry.idWidth(0), 8u);
}

TEST(RegistryTest, RefusesIdentitiesNoImageCanSelect) {
    Registry registry;
    EXPECT_FALSE(registry.add(makeTemplate(0, 0, 0)));   // no width to read the ID with
    EXPECT_FALSE(registry.add(makeTemplate(0, 33, 1)));  // IDs are 32 bits
    EXPECT_FALSE(registry.add(makeTemplate(0, 4, 16)));  // ID wider than its field
    EXPECT_FALSE(registry.add(makeTemplate(-1, 8, 1)));
    EXPECT_TRUE(registry.add(makeTemplate(0, 32, 0xFFFFFFFFu)));
    EXPECT_EQ(registry.diagnostics().size(), 4u);
}

TEST(RegistryTest, ListsTemplatesByKeyThenId) {
    Registry registry;
    registry.add(makeTemplate(5, 8, 2));
    registry.add(makeTemplate(0, 8, 9));
    registry.add(makeTemplate(5, 8, 1));
    registry.add(makeTemplate(0, 8, 3));
    std::vector<std::pair<std::int32_t, std::uint32_t>> keys;
    for (const Template* tmpl : registry.templates()) keys.emplace_back(tmpl->manufacturerKey, tmpl->templateId);
    EXPECT_EQ(keys, (std::vector<std::pair<std::int32_t, std::uint32_t>>{{0, 3}, {0, 9}, {5, 1}, {5, 2}}));
}

TEST(RegistryTest, NamesResolveInTheOwnTemplateFirstThenTheFile) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, "TEMPLATE 0, 8, 1,\n"
                                "ENUMERATE E, \"one\", \"two\"\n"
                                "PHYSICAL_UNIT U, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0\n"
                                "ENDTEMPLATE\n"
                                "TEMPLATE 0, 8, 2,\n"
                                "ENUMERATE E, \"own\"\n"
                                "%Own, , ID, 1, E, ,\n"
                                "%Other, , ID, 1, UNINT, , \"U\"\n"
                                "ENDTEMPLATE\n"
                                "VALIDATION_KEYCODE 1\n"),
              2);
    const Template* second = registry.find(0, 2);
    ASSERT_NE(second, nullptr);
    const auto& own = dynamic_cast<const nodes::EnumProperty&>(*second->body[1]);
    ASSERT_NE(own.enumRef, nullptr);
    EXPECT_EQ(own.enumRef->entries.at(0).text, "own");
    const auto& other = dynamic_cast<const nodes::Property&>(*second->body[2]);
    // The unit comes from the first template, the only one that declares it.
    const auto& declared = dynamic_cast<const nodes::PhysicalUnit&>(*registry.find(0, 1)->body[1]);
    EXPECT_EQ(other.declaration.unit, &declared.unit);
}

TEST(RegistryTest, ANameFromAnotherTemplateIsItsFirstDeclarationInTheFile) {
    const std::string unit = "PHYSICAL_UNIT U, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0\n";
    const std::string uses = "%P, , ID, 8, UNINT, , \"U\"\n";
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, "TEMPLATE 0, 8, 1,\n" + uses + "ENDTEMPLATE\n" +
                                        "TEMPLATE 0, 8, 2,\n" + unit + "ENDTEMPLATE\n" +
                                        "TEMPLATE 0, 8, 3,\n" + uses + "ENDTEMPLATE\n" +
                                        "TEMPLATE 0, 8, 4,\n" + unit + "ENDTEMPLATE\n" +
                                        "TEMPLATE 0, 8, 5,\n" + uses + unit + "ENDTEMPLATE\nVALIDATION_KEYCODE 1\n"),
              5);
    const auto unitOf = [&](std::uint32_t id, std::size_t index) {
        return &dynamic_cast<const nodes::PhysicalUnit&>(*registry.find(0, id)->body.at(index)).unit;
    };
    const auto boundIn = [&](std::uint32_t id) {
        return dynamic_cast<const nodes::Property&>(*registry.find(0, id)->body.at(0)).declaration.unit;
    };
    // Earlier and later users alike take template 2's, never template 4's.
    EXPECT_EQ(boundIn(1), unitOf(2, 0));
    EXPECT_EQ(boundIn(3), unitOf(2, 0));
    EXPECT_EQ(boundIn(5), unitOf(5, 1));
}

TEST(RegistryTest, UnknownNamesAreReportedAndLeaveThePropertyUnbound) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, "TEMPLATE 0, 8, 1,\n"
                                "%E, , ID, 2, Missing, ,\n"
                                "%U, , ID, 8, UNINT, , \"furlong\"\n"
                                "%N, , ID, 8, UNINT, , \"\"\n"
                                "ENDTEMPLATE\n"
                                "VALIDATION_KEYCODE 1\n"),
              1);
    const auto unknown = DiagnosticKind::UnknownName;
    EXPECT_EQ(registry.diagnostics(),
              (std::vector<Diagnostic>{{"<text>", 0, unknown, "Property '%E' uses unknown enum 'Missing'.", {}},
                                       {"<text>", 0, unknown, "Property '%U' uses unknown unit 'furlong'.", {}}}));

    // Decoding goes on as if no names had been given.
    Image image({{8, 1}, {2, 3}, {8, 7}, {8, 8}});
    decode::TemplateRecord record;
    ASSERT_TRUE(decodeNextTemplate(registry, image.stream(), 0, record));
    ASSERT_EQ(record.values.size(), 3u);
    EXPECT_EQ(heldEnum(record.values[0].value).index, 3u);
    EXPECT_EQ(heldEnum(record.values[0].value).text, "");
    EXPECT_EQ(heldWhole(record.values[1].value), 7u);
}

TEST(RegistryTest, AnEnumerationInARefusedTemplateOutlivesTheLoad) {
    const std::string first = "TEMPLATE 0, 8, 1,\nENUMERATE E, \"a\", \"b\"\nENDTEMPLATE\nVALIDATION_KEYCODE 1\n";
    const std::string second =
        "TEMPLATE 0, 8, 1,\nENUMERATE E, \"x\", \"y\"\nENDTEMPLATE\n"
        "TEMPLATE 0, 8, 2,\n%P, , ID, 1, E, ,\nENDTEMPLATE\nVALIDATION_KEYCODE 1\n";
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, first), 1);
    // Template 1 of the second text is refused as already loaded, but
    // template 2 was bound to its enumeration.
    ASSERT_EQ(loadTdlText(registry, second, "second.tdl"), 1);
    EXPECT_EQ(registry.diagnostics().back().text(), "second.tdl:1: template I1 refused: already loaded");

    Image image({{8, 2}, {1, 1}});
    decode::TemplateRecord record;
    ASSERT_TRUE(decodeNextTemplate(registry, image.stream(), 0, record));
    ASSERT_EQ(record.values.size(), 1u);
    EXPECT_EQ(heldEnum(record.values[0].value).text, "y");
}

TEST(RegistryTest, ASecondLoadOfTheSameTextAcceptsNothing) {
    Registry registry;
    ASSERT_EQ(loadTdlText(registry, kDecodeFile), 1);
    EXPECT_EQ(loadTdlText(registry, kDecodeFile), 0);
    EXPECT_EQ(registry.templates().size(), 1u);
}

TEST(RegistryTest, DiagnosticsPastEitherLimitAreCountedInOneLastEntry) {
    struct Case {
        std::size_t offered;
        std::size_t messageBytes;
        std::size_t kept;  // before the entry that counts the rest
    };
    const std::size_t big = Registry::kMaxDiagnosticBytes / 4;
    for (const Case& c : {Case{Registry::kMaxDiagnostics - 1, 10, Registry::kMaxDiagnostics - 1},
                          Case{Registry::kMaxDiagnostics + 500, 10, Registry::kMaxDiagnostics - 1},
                          Case{10, big, 4}}) {
        Registry registry;
        for (std::size_t i = 0; i < c.offered; ++i)
            registry.addDiagnostic(Diagnostic{{}, 0, DiagnosticKind::SyntaxError, std::string(c.messageBytes, 'x'), {}});
        const auto& kept = registry.diagnostics();
        const std::size_t dropped = c.offered - c.kept;
        ASSERT_EQ(kept.size(), c.kept + (dropped == 0 ? 0 : 1)) << c.offered;
        if (dropped == 0) continue;
        EXPECT_EQ(kept.back().kind, DiagnosticKind::Dropped);
        EXPECT_EQ(kept.back().message, std::to_string(dropped) + " more diagnostics dropped");
    }
}

}  // namespace
}  // namespace teds::tdl
