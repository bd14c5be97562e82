#include "ExampleImages.hpp"

#include <boost/date_time/gregorian/gregorian.hpp>

#include "teds/encode/TedsEncoder.hpp"
#include "teds_container.hpp"

namespace example_images {
namespace {

using teds::types::EnumValue;
using teds::types::ValueRecord;

// --- values, named as the template names them ------------------------------
// Records refer to their names; these are literals, which outlive them.

ValueRecord real(const char* name, double value) { return {name, teds::types::RealValue{value}, nullptr}; }
ValueRecord whole(const char* name, std::uint64_t value) { return {name, teds::types::UnsignedValue{value}, nullptr}; }
ValueRecord text(const char* name, std::string value) {
    return {name, teds::types::TextValue{std::move(value)}, nullptr};
}
ValueRecord choice(const char* name, std::uint64_t index) { return {name, EnumValue{index, {}}, nullptr}; }
// The field's all-ones pattern: the sensor does not state this value.
ValueRecord unstated(const char* name) { return {name, teds::types::NoValue{}, nullptr}; }
ValueRecord date(const char* name, int year, int month, int day) {
    namespace g = boost::gregorian;
    const long days = (g::date(year, month, day) - g::date(1998, 1, 1)).days();
    return {name, teds::types::DateValue{static_cast<std::uint64_t>(days)}, nullptr};
}
ValueRecord selectCase(std::uint64_t index) { return {{}, teds::types::SelectMarkerValue{index}, nullptr}; }

teds::decode::BasicTeds basicTeds(std::int32_t manufacturer, std::int32_t model, char letter, std::int32_t version,
                                  std::int32_t serial) {
    return {teds::decode::BasicTedsLayout::Standard, manufacturer, model, letter, version, serial};
}

constexpr std::uint32_t kAccelerometer = 0;
constexpr std::uint32_t kStandardFunctionality = 0;
constexpr std::uint32_t kTransferFunctionPresent = 1;

// A 100 mV/g accelerometer sensing along z, with its frequency response,
// reference conditions and calibration record.
ExampleImage accelerometer() {
    return {"accelerometer.hex",
            basicTeds(17, 4507, 'B', 5, 30985),
            {{25,
              {selectCase(kAccelerometer), selectCase(kStandardFunctionality), real("%Sens@Ref", 0.0101972),
               real("%TF_HP_S", 0.5), choice("%Direction", 2), real("%Weight", 4.6), choice("%Sign", 0),
               selectCase(kTransferFunctionPresent), real("%TF_SP", 10000.0), real("%TF_KPr", 25000.0),
               unstated("%TF_KPQ"), real("%TF_SL", 0.5), real("%TempCoef", -0.05), real("%RefFreq", 159.75),
               real("%RefTemp", 23.0), date("%CalDate", 2023, 5, 17), text("%CalInitials", "JRS"),
               whole("%CalPeriod", 365), whole("%MeasID", 42)}}}};
}

// A type K thermocouple for -200 to 1250 degrees Celsius, calibrated on a leap day.
ExampleImage thermocouple() {
    return {"thermocouple.bin",
            basicTeds(43, 1200, 'A', 2, 123456),
            {{36,
              {real("%MinPhysVal", -200.0), real("%MaxPhysVal", 1250.0), real("%MinElecVal", -0.006),
               real("%MaxElecVal", 0.051), choice("%TCType", 3), choice("%CJC", 1), whole("%TCResistanceRaw", 0),
               whole("%RespTimeRaw", 0), date("%CalDate", 2024, 2, 29), text("%CalInitials", "KLM"),
               whole("%CalPeriod", 730), whole("%MeasID", 7)}}}};
}

constexpr std::uint32_t kElectricalSingles = 2;
constexpr std::uint32_t kFullBridge = 2;

// A 350 ohm full-bridge load cell with an output of 2 mV/V at full scale.
ExampleImage bridge() {
    return {"bridge.hex",
            basicTeds(52, 2210, 'C', 1, 555),
            {{33,
              {whole("%PhysMeasurand", 5), real("%MinPhysVal", 0.0), real("%MaxPhysVal", 500.0),
               selectCase(kElectricalSingles), real("%MinElecVal", 0.0), real("%MaxElecVal", 0.002),
               choice("%BridgeType", kFullBridge), real("%SensorImped", 350.0), whole("%RespTimeRaw", 0),
               real("%ExciteAmplNom", 10.0), real("%ExciteAmplMin", 1.0), real("%ExciteAmplMax", 15.0),
               date("%CalDate", 2024, 11, 4), text("%CalInitials", "PDQ"), whole("%CalPeriod", 365),
               whole("%MeasID", 3)}}}};
}

}  // namespace

std::vector<ExampleImage> exampleImages() { return {accelerometer(), thermocouple(), bridge()}; }

teds::encode::Encoded encodeExampleImage(const teds::tdl::Registry& registry, const ExampleImage& image) {
    teds::encode::StatedTeds stated;
    stated.basic = image.basic;
    for (const ExampleTemplate& example : image.templates) {
        teds::encode::StatedTemplate& out = stated.templates.emplace_back();
        out.templateId = example.templateId;
        out.values = teds::encode::statedFromRecords(example.values);
    }
    // Closed with the end selector, as real sensors close their chain.
    return teds::encode::encodeStated(registry, stated, {});
}

std::string fileContent(const ExampleImage& image, const std::vector<std::uint8_t>& bytes) {
    const bool hex = image.fileName.size() >= 4 && image.fileName.compare(image.fileName.size() - 4, 4, ".hex") == 0;
    return teds::container::writeContainer(teds::container::imageFromBytes(bytes),
                                           hex ? teds::container::Format::Hex : teds::container::Format::Raw);
}

}  // namespace example_images
