// An image written from the JSON document tedsdump --json writes, with
// settings applied on top of the document's values.

#include <gtest/gtest.h>

#include "teds_api.hpp"

namespace teds::api {
namespace {

// A full-bridge load cell, its select case decided by its values.
const char* const kBridgeDocument = R"({
  "container": "hex",
  "basic": {"format": 2, "manufacturerId": 52, "modelNumber": 2210, "versionLetter": "C",
            "versionNumber": 1, "serialNumber": 555},
  "templates": [{"manufacturerKey": 0, "templateId": 33, "selectCases": [2], "properties": [
    {"name": "%PhysMeasurand", "type": "unsigned", "value": 5},
    {"name": "%MinPhysVal", "type": "real", "value": 0}, {"name": "%MaxPhysVal", "type": "real", "value": 500},
    {"name": "%MinElecVal", "type": "real", "value": 0}, {"name": "%MaxElecVal", "type": "real", "value": 0.002},
    {"name": "%BridgeType", "type": "enum", "value": 2}, {"name": "%SensorImped", "type": "real", "value": 350},
    {"name": "%RespTimeRaw", "type": "unsigned", "value": 0},
    {"name": "%ExciteAmplNom", "type": "real", "value": 10}, {"name": "%ExciteAmplMin", "type": "real", "value": 1},
    {"name": "%ExciteAmplMax", "type": "real", "value": 15},
    {"name": "%CalDate", "type": "date", "value": "2024-11-04"},
    {"name": "%CalInitials", "type": "text", "value": "PDQ"},
    {"name": "%CalPeriod", "type": "unsigned", "value": 365}, {"name": "%MeasID", "type": "unsigned", "value": 3}]}]
})";

std::string propertyText(const Teds& teds, const std::string& name) {
    for (const Property& property : teds.properties())
        if (property.name == name) return property.text;
    return "(missing)";
}

TEST(DocumentTest, IsWrittenWithItsSettingsApplied) {
    Templates templates;
    ASSERT_GT(templates.loadFile(TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl").accepted, 0);
    const DocumentRead read = readDocument(kBridgeDocument);
    ASSERT_TRUE(read.ok()) << read.problems.front();
    EXPECT_EQ(read.container, container::Format::Hex);

    const Encoded encoded = read.document.encode(templates, {{"%MeasID", "9"}, {"%CalInitials", "ABC"}});
    ASSERT_TRUE(encoded.ok()) << encoded.report.problems.front();
    const Teds written(templates, encoded.image);
    EXPECT_EQ(written.basic().serialNumber, 555);
    EXPECT_EQ(propertyText(written, "%MeasID"), "9");
    EXPECT_EQ(propertyText(written, "%CalInitials"), "ABC");
    EXPECT_EQ(propertyText(written, "%SensorImped"), "350");

    // Without the template the document names, nothing is written.
    EXPECT_FALSE(read.document.encode(Templates()).ok());
}

TEST(DocumentTest, ARefusedDocumentWritesNothing) {
    const DocumentRead read = readDocument(R"({"container": "hex"})");
    ASSERT_FALSE(read.ok());
    EXPECT_FALSE(read.document.encode(Templates()).ok());
}

}  // namespace
}  // namespace teds::api
