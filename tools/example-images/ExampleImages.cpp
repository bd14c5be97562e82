#include "ExampleImages.hpp"

#include <cstdio>
#include <utility>

#include "teds_container.hpp"

namespace example_images {
namespace {

using Json = nlohmann::json;

// --- values, named as the template names them ------------------------------

Json property(const char* name, const char* type, Json value) {
    return {{"name", name}, {"type", type}, {"value", std::move(value)}};
}
Json real(const char* name, double value) { return property(name, "real", value); }
Json whole(const char* name, std::uint64_t value) { return property(name, "unsigned", value); }
Json text(const char* name, std::string value) { return property(name, "text", std::move(value)); }
Json choice(const char* name, std::uint64_t index) { return property(name, "enum", index); }
// The field's all-ones pattern: the sensor does not state this value.
Json unstated(const char* name) { return property(name, "none", nullptr); }
Json date(const char* name, int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return property(name, "date", text);
}

constexpr std::int32_t kStandardLayout = 2;

Json basicTeds(std::int32_t manufacturer, std::int32_t model, char letter, std::int32_t version, std::int32_t serial) {
    return {{"format", kStandardLayout}, {"manufacturerId", manufacturer}, {"modelNumber", model},
            {"versionLetter", std::string(1, letter)}, {"versionNumber", version}, {"serialNumber", serial}};
}

// One IEEE standard template: its properties, and the cases its selects
// take in the order the template meets them.
Json standardTemplate(std::uint32_t templateId, std::vector<std::uint64_t> selectCases, std::vector<Json> properties) {
    return {{"manufacturerKey", 0}, {"templateId", templateId}, {"properties", std::move(properties)},
            {"selectCases", std::move(selectCases)}};
}

bool heldAsHex(const std::string& fileName) {
    return fileName.size() >= 4 && fileName.compare(fileName.size() - 4, 4, ".hex") == 0;
}

ExampleImage example(std::string fileName, Json basic, Json onlyTemplate) {
    Json document = {{"container", heldAsHex(fileName) ? "hex" : "raw"}, {"basic", std::move(basic)},
                     {"templates", Json::array({std::move(onlyTemplate)})}};
    return {std::move(fileName), std::move(document)};
}

constexpr std::uint64_t kAccelerometer = 0;
constexpr std::uint64_t kStandardFunctionality = 0;
constexpr std::uint64_t kTransferFunctionPresent = 1;

// A 100 mV/g accelerometer sensing along z, with its frequency response,
// reference conditions and calibration record.
ExampleImage accelerometer() {
    return example("accelerometer.hex", basicTeds(17, 4507, 'B', 5, 30985),
                   standardTemplate(25, {kAccelerometer, kStandardFunctionality, kTransferFunctionPresent},
                                    {real("%Sens@Ref", 0.0101972), real("%TF_HP_S", 0.5), choice("%Direction", 2),
                                     real("%Weight", 4.6), choice("%Sign", 0), real("%TF_SP", 10000.0),
                                     real("%TF_KPr", 25000.0), unstated("%TF_KPQ"), real("%TF_SL", 0.5),
                                     real("%TempCoef", -0.05), real("%RefFreq", 159.75), real("%RefTemp", 23.0),
                                     date("%CalDate", 2023, 5, 17), text("%CalInitials", "JRS"),
                                     whole("%CalPeriod", 365), whole("%MeasID", 42)}));
}

// A type K thermocouple for -200 to 1250 degrees Celsius, calibrated on a leap day.
ExampleImage thermocouple() {
    return example("thermocouple.bin", basicTeds(43, 1200, 'A', 2, 123456),
                   standardTemplate(36, {},
                                    {real("%MinPhysVal", -200.0), real("%MaxPhysVal", 1250.0),
                                     real("%MinElecVal", -0.006), real("%MaxElecVal", 0.051), choice("%TCType", 3),
                                     choice("%CJC", 1), whole("%TCResistanceRaw", 0), whole("%RespTimeRaw", 0),
                                     date("%CalDate", 2024, 2, 29), text("%CalInitials", "KLM"),
                                     whole("%CalPeriod", 730), whole("%MeasID", 7)}));
}

constexpr std::uint64_t kElectricalSingles = 2;
constexpr std::uint64_t kFullBridge = 2;

// A 350 ohm full-bridge load cell with an output of 2 mV/V at full scale.
ExampleImage bridge() {
    return example("bridge.hex", basicTeds(52, 2210, 'C', 1, 555),
                   standardTemplate(33, {kElectricalSingles},
                                    {whole("%PhysMeasurand", 5), real("%MinPhysVal", 0.0), real("%MaxPhysVal", 500.0),
                                     real("%MinElecVal", 0.0), real("%MaxElecVal", 0.002),
                                     choice("%BridgeType", kFullBridge), real("%SensorImped", 350.0),
                                     whole("%RespTimeRaw", 0), real("%ExciteAmplNom", 10.0),
                                     real("%ExciteAmplMin", 1.0), real("%ExciteAmplMax", 15.0),
                                     date("%CalDate", 2024, 11, 4), text("%CalInitials", "PDQ"),
                                     whole("%CalPeriod", 365), whole("%MeasID", 3)}));
}

}  // namespace

std::vector<ExampleImage> exampleImages() { return {accelerometer(), thermocouple(), bridge()}; }

teds::api::Encoded encodeExampleImage(const teds::api::Templates& templates, const ExampleImage& image) {
    const teds::api::DocumentRead read = teds::api::readDocument(image.document.dump());
    if (!read.ok()) {
        teds::api::Encoded refused;
        for (const std::string& problem : read.problems) refused.report.addProblem(problem);
        return refused;
    }
    // Closed with the end selector, as real sensors close their chain.
    return read.document.encode(templates);
}

std::string fileContent(const ExampleImage& image, const std::vector<std::uint8_t>& bytes) {
    return teds::container::writeContainer(teds::container::imageFromBytes(bytes),
                                           heldAsHex(image.fileName) ? teds::container::Format::Hex : teds::container::Format::Raw);
}

}  // namespace example_images
