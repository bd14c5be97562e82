// Real sensor images, made by others, decoded with the bundled templates:
// every value their publishers state must come out, within the tolerance
// they state (tests/data/real-teds/README.md).

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using testing::runTool;

constexpr double kStandardGravity = 9.80665;  // m/s² per g

std::string realImagePath(const std::string& file) { return std::string(TEDS_TEST_DATA_DIR) + "/real-teds/" + file; }

const json& property(const json& tmpl, const std::string& name) {
    for (const json& p : tmpl["properties"])
        if (p["name"] == name) return p;
    static const json missing = {{"value", nullptr}, {"text", nullptr}, {"unit", nullptr}};
    ADD_FAILURE() << "no property " << name << " in " << tmpl.dump(1);
    return missing;
}

double real(const json& tmpl, const std::string& name) {
    const json& value = property(tmpl, name)["value"];
    return value.is_number() ? value.get<double>() : -1e300;
}

void expectEnum(const json& tmpl, const std::string& name, unsigned index, const char* text) {
    const json& p = property(tmpl, name);
    EXPECT_EQ(p["value"], index) << name;
    EXPECT_EQ(p["text"], text) << name;
}

// The descriptor selectors the decoder read, in order.
std::vector<int> descriptorSelectors(const std::string& trace) {
    std::vector<int> selectors;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        int selector = -1;
        if (std::sscanf(line.c_str(), "Next Descriptor = %d", &selector) == 1) selectors.push_back(selector);
    }
    return selectors;
}

struct RealImage {
    std::string name;
    std::string file;       // in tests/data/real-teds
    std::string container;  // what the tool must say held the image
    int templateId;
    std::function<void(const json& basic, const json& tmpl)> check;
};

void PrintTo(const RealImage& image, std::ostream* out) { *out << image.name; }

const RealImage kPublished[] = {
    {"Accelerometer", "Accelerometer.hex", "hex", 25,
     [](const json&, const json& t) {
         EXPECT_NEAR(real(t, "%Sens@Ref") * kStandardGravity, 49.03, 0.01);
         EXPECT_EQ(property(t, "%Sens@Ref")["unit"], "(m*kg*s-1*A-1)");
     }},
    {"Microphone", "Microphone.hex", "hex", 27,
     [](const json&, const json& t) {
         EXPECT_NEAR(real(t, "%Sens@Ref") * 1000.0, 1999.81, 0.01);
         EXPECT_EQ(property(t, "%Sens@Ref")["unit"], "(m3*s-1*A-1)");
     }},
    {"Voltage", "Voltage.hex", "hex", 30,
     [](const json& basic, const json&) {
         EXPECT_EQ(basic["manufacturerId"], 17);
         EXPECT_EQ(basic["modelNumber"], 1);
         EXPECT_EQ(basic["versionLetter"], "A");
         EXPECT_EQ(basic["versionNumber"], 1);
     }},
    {"Current", "Current.hex", "hex", 31, [](const json&, const json&) {}},
    {"ForceBridge", "ForceBridge.hex", "hex", 33,
     [](const json&, const json& t) {
         expectEnum(t, "%BridgeType", 2, "Full");
         EXPECT_NEAR(real(t, "%SensorImped"), 350.0, 1e-9);
         EXPECT_EQ(property(t, "%SensorImped")["unit"], "(m2*kg*s-3*A-2)");
         EXPECT_EQ(property(t, "%CalInitials")["value"], "TED");
         EXPECT_EQ(real(t, "%MinElecVal"), -2.0);
         EXPECT_EQ(real(t, "%MaxElecVal"), 2.0);
     }},
    {"LVDT", "LVDT.hex", "hex", 34, [](const json&, const json&) {}},
    {"TempTC", "TempTC.hex", "hex", 36, [](const json&, const json& t) { expectEnum(t, "%TCType", 3, "K"); }},
    {"ThermistorIex", "ThermistorIex.hex", "hex", 38,
     [](const json&, const json& t) {
         EXPECT_NEAR(real(t, "%SteinhartHartA"), 1.3e-3, 1e-5);
         EXPECT_NEAR(real(t, "%SteinhartHartB"), 2.3e-4, 1e-6);
         EXPECT_NEAR(real(t, "%SteinhartHartC"), 1.0e-7, 1e-9);
     }},
    {"DewetronBridge", "dewetron_ds2431_memory.hex", "eeprom", 33,
     [](const json& basic, const json& t) {
         EXPECT_EQ(basic["manufacturerId"], 31);
         EXPECT_EQ(basic["modelNumber"], 393);
         expectEnum(t, "%ElecSigType", 3, "Bridge Sensor");
         expectEnum(t, "%MapMeth", 0, "Linear");
         expectEnum(t, "%BridgeType", 1, "Half");
         EXPECT_NEAR(real(t, "%SensorImped"), 40.0, 1e-9);
         EXPECT_EQ(property(t, "%RespTimeRaw")["value"], 0);
         EXPECT_NEAR(real(t, "%ExciteAmplNom"), 2.5, 1e-9);
         EXPECT_NEAR(real(t, "%ExciteAmplMin"), 1.0, 1e-9);
         EXPECT_NEAR(real(t, "%ExciteAmplMax"), 6.0, 1e-9);
         EXPECT_EQ(property(t, "%ExciteAmplNom")["unit"], "(m2*kg*s-3*A-1)");
         EXPECT_EQ(real(t, "%MinPhysVal"), 0.0);
         EXPECT_EQ(real(t, "%MaxElecVal"), 0.0);
         EXPECT_EQ(property(t, "%CalDate")["days"], 37254);
     }},
};

// Each NI image again as its virtual TEDS file, which must decode to the
// same values as its hex twin.
std::vector<RealImage> withTedTwins() {
    std::vector<RealImage> images(std::begin(kPublished), std::end(kPublished));
    for (const RealImage& image : kPublished) {
        if (image.container != "hex") continue;
        RealImage twin = image;
        twin.name += "Ted";
        twin.file = image.file.substr(0, image.file.size() - 4) + ".ted";
        twin.container = "ted";
        images.push_back(twin);
    }
    return images;
}

class RealSensorTest : public ::testing::TestWithParam<RealImage> {};

TEST_P(RealSensorTest, DecodesToWhatItsPublisherStates) {
    const RealImage& image = GetParam();
    const testing::ToolResult result = runTool({"--json", "--trace", realImagePath(image.file)});
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    EXPECT_EQ(document["container"], image.container);
    ASSERT_EQ(document["templates"].size(), 1u);
    const json& tmpl = document["templates"][0];
    EXPECT_EQ(tmpl["manufacturerKey"], 0);
    EXPECT_EQ(tmpl["templateId"], image.templateId);
    EXPECT_EQ(tmpl["truncated"], false);
    // The template ends exactly where the image puts its end selector.
    EXPECT_EQ(descriptorSelectors(result.err), (std::vector<int>{0, 3})) << result.err;
    image.check(document["basic"], tmpl);
}

INSTANTIATE_TEST_SUITE_P(Images, RealSensorTest, ::testing::ValuesIn(withTedTwins()),
                         [](const ::testing::TestParamInfo<RealImage>& info) { return info.param.name; });

}  // namespace
}  // namespace tedsdump
