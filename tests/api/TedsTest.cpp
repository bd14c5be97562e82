// The C++ interface as a program uses it: templates loaded, an image decoded,
// its properties read, some set, the image encoded and decoded again.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "support/ImageBuilder.hpp"
#include "support/RealImages.hpp"
#include "teds_api.hpp"

namespace teds::api {
namespace {

const char* const kStandardTemplates = TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl";

using teds::testing::realImage;

// The templates go out of scope before the image is used: it keeps them.
Teds decodedAlone(const std::string& file) {
    Templates templates;
    EXPECT_GT(templates.loadFile(kStandardTemplates).accepted, 0);
    return Teds(templates, realImage(file));
}

std::optional<Property> find(const std::vector<Property>& properties, const std::string& name) {
    for (const Property& property : properties)
        if (property.name == name) return property;
    return std::nullopt;
}

class RealImageTest : public ::testing::TestWithParam<const char*> {};

// Each property's text, set again, must leave the image as it was: the text
// a program reads is the text it can write.
TEST_P(RealImageTest, EveryPropertySetToItsOwnTextGivesTheImageBack) {
    Teds teds = decodedAlone(GetParam());
    const std::vector<Property> properties = teds.properties();
    ASSERT_FALSE(properties.empty());
    for (const Property& property : properties) teds.set(property.name, property.text);
    const Encoded encoded = teds.encode(EncodeOptions{Access::Id, true});
    EXPECT_TRUE(encoded.ok()) << encoded.report.problems.front();
    EXPECT_EQ(encoded.image.bytes, realImage(GetParam()).bytes);
    EXPECT_EQ(encoded.image.bitCount, realImage(GetParam()).bitCount);
}

INSTANTIATE_TEST_SUITE_P(Files, RealImageTest,
                         ::testing::Values("Accelerometer.ted", "Microphone.ted", "Voltage.ted", "Current.ted",
                                           "ForceBridge.ted", "LVDT.ted", "TempTC.ted", "ThermistorIex.ted",
                                           "dewetron_ds2431_memory.hex"));

// What a caller reads besides the values: the Basic TEDS, the templates of
// the chain, and each property's description.
TEST(TedsTest, TellsTheBasicTedsTheTemplatesAndTheDescriptions) {
    std::ifstream in(TEDS_EXAMPLES_DIR "/images/accelerometer.hex", std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Templates templates;
    ASSERT_GT(templates.loadFile(kStandardTemplates).accepted, 0);
    Teds teds(templates, container::readContainer(content).image);

    const BasicTeds basic = teds.basic();
    EXPECT_EQ(basic.manufacturerId, 17);
    EXPECT_EQ(basic.modelNumber, 4507);
    EXPECT_EQ(basic.versionLetter, 'B');
    EXPECT_EQ(basic.versionNumber, 5);
    EXPECT_EQ(basic.serialNumber, 30985);
    const std::vector<TemplateInfo> chain = teds.templates();
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_EQ(chain[0].manufacturerKey, 0);
    EXPECT_EQ(chain[0].templateId, 25);
    EXPECT_EQ(chain[0].name, "Accelerometer & Force");
    EXPECT_EQ(find(teds.properties(), "%Sens@Ref")->description, "Sensitivity at reference condition");

    // A moved-from object answers, with nothing.
    const Teds moved = std::move(teds);
    EXPECT_EQ(moved.basic().serialNumber, 30985);
    EXPECT_EQ(teds.basic().serialNumber, 0);
    EXPECT_TRUE(teds.templates().empty());
}

TEST(TedsTest, RecalibrationIsReadBackFromTheWrittenImage) {
    Teds teds = decodedAlone("Accelerometer.ted");
    teds.set("%Sens@Ref", "5.1");
    teds.set("%CalDate", "2026-11-30");
    teds.set("%CalInitials", "JRS");
    const Encoded encoded = teds.encode(EncodeOptions{Access::Calibration, false});
    ASSERT_TRUE(encoded.ok()) << encoded.report.problems.front();
    ASSERT_EQ(encoded.report.notes.size(), 1u);  // the sensitivity, moved onto its grid

    Templates templates;
    templates.loadFile(kStandardTemplates);
    const std::vector<Property> written = Teds(templates, encoded.image).properties();
    EXPECT_EQ(find(written, "%CalDate")->text, "2026-11-30");
    EXPECT_EQ(find(written, "%CalInitials")->text, "JRS");
    EXPECT_NEAR(std::stod(find(written, "%Sens@Ref")->text), 5.1, 5.1e-4);
    EXPECT_EQ(find(written, "%Sens@Ref")->unit, find(teds.properties(), "%Sens@Ref")->unit);
}

TEST(TedsTest, RefusalsLeaveNoImage) {
    struct Case {
        const char* name;
        const char* value;
        Access access;
    };
    for (const Case& c : {Case{"%Sens@Ref", "5.1", Access::User}, Case{"%NoSuchName", "1", Access::Id},
                          Case{"%CalDate", "1997-12-31", Access::Id}}) {
        Teds teds = decodedAlone("Accelerometer.ted");
        teds.set(c.name, c.value);
        const Encoded encoded = teds.encode(EncodeOptions{c.access, false});
        EXPECT_FALSE(encoded.ok()) << c.name;
        EXPECT_TRUE(encoded.image.bytes.empty()) << c.name;
    }
}

TEST(TedsTest, AWideNumberIsReadAndSetWhole) {
    Templates templates;
    ASSERT_EQ(templates.loadText("TEMPLATE 0, 8, 31, \"Wide\"\n%Serial, , ID, 64, UNINT, ,\nENDTEMPLATE\n"
                                 "VALIDATION_KEYCODE 0\n"),
              1);
    testing::ImageBuilder basicThenSerial;
    basicThenSerial.field(14, 17).field(15, 4507).field(5, 2).field(6, 5).field(24, 30985);
    basicThenSerial.field(2, 0).field(8, 31).field(64, 0x10000003039).padToBytes(18);
    Teds teds(templates, container::imageFromBytes(basicThenSerial.bytes()));
    EXPECT_EQ(find(teds.properties(), "%Serial")->text, "1099511640121");

    teds.set("%Serial", "18446744073709551614");
    const Encoded encoded = teds.encode(EncodeOptions{Access::Id, true});
    ASSERT_TRUE(encoded.ok()) << encoded.report.problems.front();
    EXPECT_EQ(find(Teds(templates, encoded.image).properties(), "%Serial")->text, "18446744073709551614");
}

TEST(TemplatesTest, AFileThatCannotBeReadIsADiagnostic) {
    Templates templates;
    EXPECT_EQ(templates.loadFile(TEDS_TEST_DATA_DIR "/no-such-file.tdl").accepted, 0);
    EXPECT_EQ(templates.loadFile(TEDS_TEST_DATA_DIR).accepted, 0);
    ASSERT_EQ(templates.diagnostics().size(), 2u);
    EXPECT_NE(templates.diagnostics()[0].text().find("does not exist"), std::string::npos);
    EXPECT_NE(templates.diagnostics()[1].text().find("is not a regular file"), std::string::npos);
}

}  // namespace
}  // namespace teds::api
