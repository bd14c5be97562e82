#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include <nlohmann/json.hpp>

#include "support/HeldValues.hpp"
#include "BundledTemplates.hpp"
#include "ExampleImages.hpp"
#include "ImageInput.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using teds::testing::heldReal;

using teds_tools::ImageOrError;
using teds_tools::imageFromContent;
using teds_tools::bundledTemplateText;
using teds_tools::kBundledTemplateName;

using nlohmann::json;
using testing::examplePath;
using testing::linesStartingWith;
using testing::readFile;
using testing::runTool;
using testing::ScratchFile;

// Expected values are worked out from the raw field contents of the images
// (read off bit by bit when the images were made) and the templates' start
// and step: ConRelRes is start * (1 + 2 * tolerance)^raw, ConRes raw * step + start.
double conRelRes(double start, double tolerance, int raw) { return start * std::pow(1.0 + 2.0 * tolerance, raw); }
double conRes(double start, double step, int raw) { return raw * step + start; }

json unitOrNull(const char* unit) { return unit != nullptr ? json(unit) : json(nullptr); }

json realProperty(const char* name, double value, const char* unit) {
    return {{"name", name}, {"type", "real"}, {"value", value}, {"unit", unitOrNull(unit)}};
}
json noValue(const char* name, const char* unit) {
    return {{"name", name}, {"type", "none"}, {"value", nullptr}, {"unit", unitOrNull(unit)}};
}
json enumProperty(const char* name, unsigned index, const char* text) {
    return {{"name", name}, {"type", "enum"}, {"value", index}, {"text", text}, {"unit", nullptr}};
}
json unsignedProperty(const char* name, unsigned value, const char* unit) {
    return {{"name", name}, {"type", "unsigned"}, {"value", value}, {"unit", unitOrNull(unit)}};
}
json dateProperty(const char* name, const char* date, unsigned days) {
    return {{"name", name}, {"type", "date"}, {"value", date}, {"days", days}, {"unit", nullptr}};
}
json textProperty(const char* name, const char* text) {
    return {{"name", name}, {"type", "text"}, {"value", text}, {"unit", nullptr}};
}

// Every key of `expected` must be in `actual` with that value; reals to
// within the few ulps by which exponentiation by squaring may differ from pow.
void expectProperties(const json& actual, const json& expected, const std::string& where) {
    ASSERT_EQ(actual.size(), expected.size()) << where << '\n' << actual.dump(1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const json& want = expected[i];
        const json& have = actual[i];
        const std::string at = where + "/" + want["name"].get<std::string>();
        for (const auto& [key, value] : want.items()) {
            ASSERT_TRUE(have.contains(key)) << at << " lacks " << key;
            if (key == "elements") {
                ASSERT_EQ(have[key].size(), value.size()) << at;
                for (std::size_t e = 0; e < value.size(); ++e)
                    expectProperties(have[key][e], value[e], at + "[" + std::to_string(e) + "]");
            } else if (key == "value" && want["type"] == "real") {
                const double w = value.get<double>();
                EXPECT_NEAR(have[key].get<double>(), w, std::abs(w) * 1e-10 + 1e-15) << at;
            } else {
                EXPECT_EQ(have[key], value) << at << " " << key;
            }
        }
    }
}

const char* const kVoltsPerAcceleration = "(m*kg*s-1*A-1)";
const char* const kVoltsPerNewton = "(m*s-1*A-1)";
const char* const kHertz = "(s-1)";
const char* const kCelsius = "(K) + -273.150000";
const char* const kPercentPerKelvin = "0.010000 * (K-1)";
const char* const kDays = "86400.000000 * (s)";

json decodeExample(const std::string& file) {
    const testing::ToolResult result = runTool({"--json", examplePath("images/" + file)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    return json::parse(result.out);
}

TEST(ExampleImageTest, Accelerometer) {
    const json document = decodeExample("accelerometer.hex");
    EXPECT_EQ(document["basic"], json::parse(R"({"format": 2, "manufacturerId": 17, "modelNumber": 4507,
        "versionLetter": "B", "versionNumber": 5, "serialNumber": 30985})"));
    ASSERT_EQ(document["templates"].size(), 1u);
    const json& tmpl = document["templates"][0];
    EXPECT_EQ(tmpl["manufacturerKey"], 0);
    EXPECT_EQ(tmpl["templateId"], 25);
    EXPECT_EQ(tmpl["name"], "Accelerometer & Force");
    EXPECT_EQ(tmpl["truncated"], false);
    expectProperties(tmpl["properties"],
                     {realProperty("%Sens@Ref", conRelRes(5e-7, 0.00015, 33082), kVoltsPerAcceleration),
                      realProperty("%TF_HP_S", conRelRes(0.005, 0.03, 79), kHertz),
                      enumProperty("%Direction", 2, "z"), realProperty("%Weight", conRelRes(0.1, 0.1, 21), nullptr),
                      enumProperty("%ElecSigType", 0, "Voltage Sensor"), enumProperty("%MapMeth", 0, "Linear"),
                      enumProperty("%ACDCCoupling", 1, "AC"), enumProperty("%Sign", 0, "0"),
                      realProperty("%TF_SP", conRelRes(10, 0.05, 72), kHertz),
                      realProperty("%TF_KPr", conRelRes(100, 0.01, 279), kHertz), noValue("%TF_KPQ", nullptr),
                      realProperty("%TF_SL", conRes(-6.3, 0.1, 68), nullptr),
                      realProperty("%TempCoef", conRes(-0.8, 0.025, 30), kPercentPerKelvin),
                      realProperty("%RefFreq", conRelRes(0.35, 0.0175, 178), kHertz),
                      realProperty("%RefTemp", conRes(15, 0.5, 16), kCelsius),
                      dateProperty("%CalDate", "2023-05-17", 9267), textProperty("%CalInitials", "JRS"),
                      unsignedProperty("%CalPeriod", 365, kDays), unsignedProperty("%MeasID", 42, nullptr)},
                     "accelerometer");
    // The sensor is the 100 mV/g accelerometer it claims to be.
    EXPECT_NEAR(tmpl["properties"][0]["value"].get<double>(), 0.1 / 9.80665, 0.1 / 9.80665 * 0.0003);
}

TEST(ExampleImageTest, TableShowsTheAccelerometerReadably) {
    const testing::ToolResult result = runTool({examplePath("images/accelerometer.hex")});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string& out = result.out;
    EXPECT_NE(out.find("Basic TEDS\n  Layout           standard (2)\n  Manufacturer ID  17\n  Model number     4507\n"
                       "  Version letter   B\n  Version number   5\n  Serial number    30985\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\nTemplate 25, manufacturer key 0: Accelerometer & Force\n  Property "), std::string::npos);
    EXPECT_EQ(out.find("Transducer type"), std::string::npos) << "select cases are not listed";

    // Each row: name, value, unit and description, in columns.
    const auto row = [&](const std::string& name) {
        const auto lines = linesStartingWith(out, "  " + name + " ");
        return lines.size() == 1 ? lines[0] : std::string("(no single row for ") + name + ")";
    };
    EXPECT_EQ(row("%CalDate"), "  %CalDate       2023-05-17                                 Calibration date");
    EXPECT_EQ(row("%Direction"), "  %Direction     z (2)                                      Sensitivity direction");
    EXPECT_EQ(row("%TF_KPQ"), "  %TF_KPQ        (no value)                                 Quality factor at resonance frequency");
    EXPECT_EQ(row("%RefTemp"), "  %RefTemp       23                     (K) + -273.150000   Reference temperature");
    EXPECT_EQ(row("%CalInitials"), "  %CalInitials   \"JRS\"                                      Calibration initials");
    // The real with every digit it needs to read back as the decoded double.
    const double decoded = decodeExample("accelerometer.hex")["templates"][0]["properties"][0]["value"].get<double>();
    const std::string sensitivity = row("%Sens@Ref");
    const std::size_t valueAt = sensitivity.find_first_not_of(' ', std::string("  %Sens@Ref").size());
    EXPECT_EQ(std::strtod(sensitivity.c_str() + valueAt, nullptr), decoded) << sensitivity;
    EXPECT_NE(sensitivity.find(kVoltsPerAcceleration), std::string::npos);
}

TEST(ExampleImageTest, JsonRealsReadBackAsTheDecodedDoubles) {
    teds::tdl::Registry registry;
    teds::tdl::loadTdlText(registry, bundledTemplateText(), kBundledTemplateName);
    for (const char* file : {"accelerometer.hex", "thermocouple.bin", "bridge.hex"}) {
        const json document = decodeExample(file);
        const ImageOrError image = imageFromContent(readFile(examplePath(std::string("images/") + file)));
        ASSERT_TRUE(image.ok()) << image.error;
        teds::decode::DecodedTeds decoded;
        teds::decode::decodeTeds(registry, image.image.bytes.data(), static_cast<std::uint32_t>(image.image.bytes.size()), nullptr,
                                 decoded);
        ASSERT_EQ(decoded.templates.size(), document["templates"].size());
        int reals = 0;
        for (std::size_t t = 0; t < decoded.templates.size(); ++t) {
            for (const teds::types::ValueRecord& record : decoded.templates[t].values) {
                if (record.kind() != teds::types::ValueKind::Real) continue;
                for (const json& property : document["templates"][t]["properties"])
                    if (property["name"] == record.name()) {
                        EXPECT_EQ(property["value"].get<double>(), heldReal(record.value)) << record.name();
                        ++reals;
                    }
            }
        }
        EXPECT_GE(reals, 4) << file;
    }
}

TEST(ExampleImageTest, HexTextBinaryAndStandardInputDecodeAlike) {
    const std::string hexText = readFile(examplePath("images/accelerometer.hex"));
    const std::vector<std::uint8_t> bytes = teds::container::readContainer(hexText, teds::container::Format::Hex).image.bytes;
    ASSERT_GT(bytes.size(), 20u);
    ScratchFile binary(std::string(bytes.begin(), bytes.end()), ".bin");

    // The same decode; only the container it came in differs.
    auto decodeFrom = [](const testing::ToolResult& result, const char* container, const json& hexDigits) {
        json document = json::parse(result.out);
        EXPECT_EQ(document["container"], container);
        EXPECT_EQ(document["hexDigits"], hexDigits);
        for (const char* key : {"container", "hexDigits"}) document.erase(key);
        return document;
    };
    const json fromHex = decodeFrom(runTool({"--json", examplePath("images/accelerometer.hex")}), "hex", "lower");
    EXPECT_EQ(decodeFrom(runTool({"--json", binary.path()}), "raw", nullptr), fromHex);
    EXPECT_EQ(decodeFrom(runTool({"--json"}, hexText), "hex", "lower"), fromHex);
    EXPECT_EQ(decodeFrom(runTool({"--json", "-"}, std::string(bytes.begin(), bytes.end())), "raw", nullptr), fromHex);
}

TEST(ExampleImageTest, ImagesMatchTheValuesTheyWereMadeFrom) {
    teds::api::Templates templates;
    templates.loadFile(examplePath("templates/ieee_standard.tdl"));
    for (const example_images::ExampleImage& image : example_images::exampleImages()) {
        const teds::api::Encoded encoded = example_images::encodeExampleImage(templates, image);
        ASSERT_TRUE(encoded.ok()) << encoded.report.problems.front();
        EXPECT_EQ(readFile(examplePath("images/" + image.fileName)), example_images::fileContent(image, encoded.image.bytes))
            << image.fileName << " is out of date: rebuild it with the update-example-images target";
    }
}

TEST(ExampleImageMakerTest, RefusesValuesTheTemplateCannotHold) {
    teds::api::Templates templates;
    templates.loadText(bundledTemplateText(), kBundledTemplateName);
    struct Case {
        const char* what;
        std::size_t index;  // of the accelerometer's property to change
        json replacement;
        const char* errorPart;
    };
    const Case cases[] = {
        {"a weight that needs a seventh bit", 3, {{"name", "%Weight"}, {"type", "real"}, {"value", 1e6}}, "%Weight"},
        {"an index wider than its field", 2, {{"name", "%Direction"}, {"type", "enum"}, {"value", 4}}, "%Direction"},
        {"a value under another name", 15, {{"name", "%MeasId"}, {"type", "unsigned"}, {"value", 1}}, "%MeasID"},
        {"initials too long for the field",
         13,
         {{"name", "%CalInitials"}, {"type", "text"}, {"value", "JRSX"}},
         "%CalInitials"},
        {"a count that reads back as no value",
         14,
         {{"name", "%CalPeriod"}, {"type", "unsigned"}, {"value", 4095}},
         "%CalPeriod"},
    };
    for (const Case& c : cases) {
        example_images::ExampleImage image = example_images::exampleImages().front();
        image.document["templates"][0]["properties"].at(c.index) = c.replacement;
        const teds::api::Encoded encoded = example_images::encodeExampleImage(templates, image);
        ASSERT_FALSE(encoded.ok()) << c.what;
        const std::string& error = encoded.report.problems.front();
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << c.what << ": " << error;
    }
}

TEST(BundledTemplatesTest, AreTheExampleFileAndLoadCleanly) {
    EXPECT_EQ(std::string(bundledTemplateText()), readFile(examplePath("templates/ieee_standard.tdl")));
    teds::tdl::Registry registry;
    EXPECT_EQ(teds::tdl::loadTdlText(registry, bundledTemplateText(), kBundledTemplateName), 11);
    EXPECT_TRUE(registry.diagnostics().empty()) << registry.diagnostics().front().text();
}

TEST(BundledTemplatesTest, DecodeAsTheSameFileGivenWithTdl) {
    const std::string image = examplePath("images/bridge.hex");
    const testing::ToolResult fromFile = runTool({"--json", "--tdl", examplePath("templates/ieee_standard.tdl"), image});
    EXPECT_TRUE(fromFile.err.empty()) << fromFile.err;
    EXPECT_EQ(fromFile.out, runTool({"--json", image}).out);
}

}  // namespace
}  // namespace tedsdump
