// Reading a decoded image whole through the C++ interface: typed views of
// each template's values, and lookups by position and by name that find
// the same values the views list.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "support/ImageBuilder.hpp"
#include "teds_api.hpp"

namespace teds::api {
namespace {

Teds decoded(const Templates& templates, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const container::ReadResult read = container::readContainer(content);
    EXPECT_TRUE(read.ok()) << path << ": " << read.error;
    return Teds(templates, read.image);
}

// What a position counts: every value at every depth, struct arrays not
// themselves, in depth-first order.
void flatten(const std::vector<PropertyView>& properties, std::vector<const PropertyView*>& out) {
    for (const PropertyView& property : properties) {
        const auto* array = std::get_if<values::StructArray>(&property.value);
        if (array == nullptr) out.push_back(&property);
        else
            for (const std::vector<PropertyView>& element : array->elements) flatten(element, out);
    }
}

void expectLookupsFindTheViews(const Teds& teds) {
    const std::vector<TemplateView> views = teds.templateViews();
    ASSERT_FALSE(views.empty());
    for (std::uint32_t t = 0; t < views.size(); ++t) {
        std::vector<const PropertyView*> flat;
        flatten(views[t].properties, flat);
        std::map<std::string, std::uint32_t> occurrences;
        for (std::uint32_t p = 0; p < flat.size(); ++p) {
            const std::optional<PropertyView> at = teds.valueAt(t, p);
            ASSERT_TRUE(at) << "template " << t << " position " << p;
            EXPECT_EQ(at->name, flat[p]->name);
            EXPECT_EQ(at->value.index(), flat[p]->value.index()) << at->name;
            const std::optional<PropertyView> named = teds.valueNamed(t, flat[p]->name, occurrences[std::string(flat[p]->name)]++);
            ASSERT_TRUE(named) << flat[p]->name;
            EXPECT_EQ(named->value.index(), flat[p]->value.index()) << flat[p]->name;
        }
        EXPECT_FALSE(teds.valueAt(t, static_cast<std::uint32_t>(flat.size())));
        for (const auto& [name, count] : occurrences) EXPECT_FALSE(teds.valueNamed(t, name, count)) << name;
    }
    EXPECT_FALSE(teds.valueAt(static_cast<std::uint32_t>(views.size()), 0));
}

class RealImageReadingTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RealImageReadingTest, LookupsFindWhatTheViewsList) {
    Templates templates;
    ASSERT_GT(templates.loadFile(TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl").accepted, 0);
    expectLookupsFindTheViews(decoded(templates, std::string(TEDS_TEST_DATA_DIR "/real-teds/") + GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Files, RealImageReadingTest,
                         ::testing::Values("Accelerometer.ted", "Microphone.ted", "ForceBridge.ted", "TempTC.ted",
                                           "ThermistorIex.ted", "dewetron_ds2431_memory.hex"));

TEST(ReadingTest, ViewsAreTypedByKindWithTheirUnits) {
    Templates templates;
    ASSERT_GT(templates.loadFile(TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl").accepted, 0);
    const Teds teds = decoded(templates, TEDS_EXAMPLES_DIR "/images/accelerometer.hex");
    struct Row {
        const char* name;
        ValueKind kind;
        bool unit;
    };
    for (const Row& row : {Row{"%Sens@Ref", ValueKind::Real, true}, Row{"%Direction", ValueKind::Enumeration, false},
                           Row{"%TF_KPQ", ValueKind::None, false}, Row{"%CalDate", ValueKind::Date, false},
                           Row{"%CalInitials", ValueKind::Text, false}, Row{"%MeasID", ValueKind::Unsigned, false}}) {
        const std::optional<PropertyView> view = teds.valueNamed(0, row.name);
        ASSERT_TRUE(view) << row.name;
        EXPECT_EQ(view->kind(), row.kind) << row.name;
        EXPECT_EQ(view->unit != nullptr, row.unit) << row.name;
    }
    EXPECT_EQ(std::get<values::Enumeration>(teds.valueNamed(0, "%Direction")->value).text, "z");
    EXPECT_EQ(dateText(std::get<values::Date>(teds.valueNamed(0, "%CalDate")->value).days), "2023-05-17");
    EXPECT_EQ(std::get<values::Text>(teds.valueNamed(0, "%CalInitials")->value).text, "JRS");

    EXPECT_EQ(teds.trace().rfind("Basic TEDS: Mfgr 17; Model 4507-B-5; Serial 30985\n", 0), 0u);
    EXPECT_NE(templates.dump().find("Accelerometer & Force"), std::string::npos);
    EXPECT_EQ(teds.document({"hex", false, std::nullopt}).rfind("{\n  \"container\": \"hex\",", 0), 0u);
}

// Nested struct arrays: the views hold each element's values, and
// positions and names count through them.
TEST(ReadingTest, StructArraysHoldTheirElements) {
    Templates templates;
    ASSERT_EQ(templates.loadText("TEMPLATE 0, 8, 40, \"Arrays\"\n"
                                 "STRUCTARRAY Outer, \"\", ID, 2\n"
                                 "%A, , ID, 4, UNINT, ,\n"
                                 "STRUCTARRAY Inner, \"\", ID, 2\n"
                                 "%B, , ID, 4, UNINT, ,\n"
                                 "ENDSTRUCTARRAY\n"
                                 "ENDSTRUCTARRAY\n"
                                 "ENDTEMPLATE\n"
                                 "VALIDATION_KEYCODE 0\n"),
              1);
    testing::ImageBuilder image;
    image.field(14, 17).field(15, 4507).field(5, 2).field(6, 5).field(24, 30985).field(2, 0).field(8, 40);
    image.field(2, 2).field(4, 1).field(2, 1).field(4, 2).field(4, 3).field(2, 2).field(4, 4).field(4, 5).padToBytes(16);
    const Teds teds(templates, container::imageFromBytes(image.bytes()));

    const std::vector<TemplateView> views = teds.templateViews();
    ASSERT_EQ(views.size(), 1u);
    ASSERT_EQ(views[0].properties.size(), 1u);
    const auto& outer = std::get<values::StructArray>(views[0].properties[0].value);
    ASSERT_EQ(outer.elements.size(), 2u);
    const auto& secondInner = std::get<values::StructArray>(outer.elements[1][1].value);
    ASSERT_EQ(secondInner.elements.size(), 2u);
    EXPECT_EQ(std::get<values::Unsigned>(secondInner.elements[1][0].value).value, 5u);
    EXPECT_EQ(std::get<values::Unsigned>(teds.valueNamed(0, "%B", 2)->value).value, 5u);
    expectLookupsFindTheViews(teds);
}

}  // namespace
}  // namespace teds::api
