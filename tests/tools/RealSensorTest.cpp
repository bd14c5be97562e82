// Real sensor images, made by others, decoded with the bundled templates:
// every value their publishers state must come out, within the tolerance
// they state (tests/data/real-teds/README.md).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ImageInput.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using testing::readFile;
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

// The DS2431 dump as raw bytes, without the checksum byte that opens each
// 32-byte page.
std::string dewetronImage() {
    const ImageOrError dump = imageFromContent(readFile(realImagePath("dewetron_ds2431_memory.hex")));
    EXPECT_EQ(dump.bytes.size(), 64u) << dump.error;
    std::string image;
    for (std::size_t page = 0; page < dump.bytes.size(); page += 32) {
        const auto end = dump.bytes.begin() + static_cast<std::ptrdiff_t>(std::min(page + 32, dump.bytes.size()));
        EXPECT_EQ(std::accumulate(dump.bytes.begin() + static_cast<std::ptrdiff_t>(page), end, 0u) % 256, 0u)
            << "page " << page / 32;
        image.append(dump.bytes.begin() + static_cast<std::ptrdiff_t>(page) + 1, end);
    }
    return image;
}

struct RealImage {
    const char* name;
    std::function<std::string()> content;  // hexadecimal text or raw bytes
    int templateId;
    std::function<void(const json& basic, const json& tmpl)> check;
};

void PrintTo(const RealImage& image, std::ostream* out) { *out << image.name; }

std::function<std::string()> file(const char* name) {
    return [name] { return readFile(realImagePath(name)); };
}

const RealImage kImages[] = {
    {"Accelerometer", file("Accelerometer.hex"), 25,
     [](const json&, const json& t) {
         EXPECT_NEAR(real(t, "%Sens@Ref") * kStandardGravity, 49.03, 0.01);
         EXPECT_EQ(property(t, "%Sens@Ref")["unit"], "(m*kg*s-1*A-1)");
     }},
    {"Microphone", file("Microphone.hex"), 27,
     [](const json&, const json& t) {
         EXPECT_NEAR(real(t, "%Sens@Ref") * 1000.0, 1999.81, 0.01);
         EXPECT_EQ(property(t, "%Sens@Ref")["unit"], "(m3*s-1*A-1)");
     }},
    {"Voltage", file("Voltage.hex"), 30,
     [](const json& basic, const json&) {
         EXPECT_EQ(basic["manufacturerId"], 17);
         EXPECT_EQ(basic["modelNumber"], 1);
         EXPECT_EQ(basic["versionLetter"], "A");
         EXPECT_EQ(basic["versionNumber"], 1);
     }},
    {"Current", file("Current.hex"), 31, [](const json&, const json&) {}},
    {"ForceBridge", file("ForceBridge.hex"), 33,
     [](const json&, const json& t) {
         expectEnum(t, "%BridgeType", 2, "Full");
         EXPECT_NEAR(real(t, "%SensorImped"), 350.0, 1e-9);
         EXPECT_EQ(property(t, "%SensorImped")["unit"], "(m2*kg*s-3*A-2)");
         EXPECT_EQ(property(t, "%CalInitials")["value"], "TED");
         EXPECT_EQ(real(t, "%MinElecVal"), -2.0);
         EXPECT_EQ(real(t, "%MaxElecVal"), 2.0);
     }},
    {"LVDT", file("LVDT.hex"), 34, [](const json&, const json&) {}},
    {"TempTC", file("TempTC.hex"), 36, [](const json&, const json& t) { expectEnum(t, "%TCType", 3, "K"); }},
    {"ThermistorIex", file("ThermistorIex.hex"), 38,
     [](const json&, const json& t) {
         EXPECT_NEAR(real(t, "%SteinhartHartA"), 1.3e-3, 1e-5);
         EXPECT_NEAR(real(t, "%SteinhartHartB"), 2.3e-4, 1e-6);
         EXPECT_NEAR(real(t, "%SteinhartHartC"), 1.0e-7, 1e-9);
     }},
    {"DewetronBridge", dewetronImage, 33,
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

class RealSensorTest : public ::testing::TestWithParam<RealImage> {};

TEST_P(RealSensorTest, DecodesToWhatItsPublisherStates) {
    const RealImage& image = GetParam();
    const testing::ToolResult result = runTool({"--json", "--trace"}, image.content());
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    ASSERT_EQ(document["templates"].size(), 1u);
    const json& tmpl = document["templates"][0];
    EXPECT_EQ(tmpl["manufacturerKey"], 0);
    EXPECT_EQ(tmpl["templateId"], image.templateId);
    EXPECT_EQ(tmpl["truncated"], false);
    // The template ends exactly where the image puts its end selector.
    EXPECT_EQ(descriptorSelectors(result.err), (std::vector<int>{0, 3})) << result.err;
    image.check(document["basic"], tmpl);
}

INSTANTIATE_TEST_SUITE_P(Images, RealSensorTest, ::testing::ValuesIn(kImages),
                         [](const ::testing::TestParamInfo<RealImage>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tedsdump
