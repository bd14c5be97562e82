#include "ExampleImages.hpp"

#include <cstdio>

#include <boost/date_time/gregorian/gregorian.hpp>

#include "TemplateEncoder.hpp"
#include "teds/decode/BitStream.hpp"
#include "teds/types/Chr5.hpp"

namespace example_images {
namespace {

using teds::decode::EnumValue;
using teds::decode::StructElement;
using teds::decode::StructElements;
using teds::decode::ValueKind;
using teds::decode::ValueRecord;

// --- values, named as the template names them ------------------------------

ValueRecord real(std::string name, double value) { return {std::move(name), ValueKind::Real, value, nullptr}; }
ValueRecord whole(std::string name, std::uint32_t value) {
    return {std::move(name), ValueKind::Unsigned, value, nullptr};
}
ValueRecord text(std::string name, std::string value) {
    return {std::move(name), ValueKind::Text, std::move(value), nullptr};
}
ValueRecord choice(std::string name, std::uint32_t index) {
    return {std::move(name), ValueKind::Enumeration, EnumValue{index, {}}, nullptr};
}
// The field's all-ones pattern: the sensor does not state this value.
ValueRecord unstated(std::string name) { return {std::move(name), ValueKind::None, std::uint32_t{0}, nullptr}; }
ValueRecord date(std::string name, int year, int month, int day) {
    namespace g = boost::gregorian;
    const long days = (g::date(year, month, day) - g::date(1998, 1, 1)).days();
    return {std::move(name), ValueKind::Date, static_cast<std::uint32_t>(days), nullptr};
}
ValueRecord selectCase(std::uint32_t index) { return {std::string(), ValueKind::SelectMarker, index, nullptr}; }
ValueRecord array(std::string name, StructElements elements) {
    return {std::move(name), ValueKind::StructArray, std::move(elements), nullptr};
}

teds::decode::BasicTeds basicTeds(std::int32_t manufacturer, std::int32_t model, char letter, std::int32_t version,
                                  std::int32_t serial) {
    return {2, manufacturer, model, letter, version, serial};
}

constexpr std::uint32_t kTransducerAccelerometer = 0;
constexpr std::uint32_t kTransducerForce = 1;

// A 100 mV/g accelerometer, sensing along z, with its frequency response,
// reference conditions and calibration record.
ExampleImage accelerometer() {
    return {"accelerometer.hex",
            basicTeds(17, 4507, 'B', 5, 30985),
            {{25,
              {selectCase(kTransducerAccelerometer), real("%Sens@Ref", 0.0101972), choice("%Direction", 2),
               real("%Weight", 10.5), real("%TF_HP_S", 0.5), real("%TF_SP", 10000.0), real("%TF_KPr", 25000.0),
               unstated("%TF_QKPr"), real("%TF_SL", 0.5), real("%TempCoef", -0.05), real("%RefFreq", 100.0),
               real("%RefTemp", 23.0), date("%CalDate", 2023, 5, 17), text("%CalInitials", "JRS"),
               whole("%CalPeriod", 365), whole("%MeasID", 42)}}}};
}

// A type K thermocouple for -200 to 1250 degrees Celsius, calibrated on a leap day.
ExampleImage thermocouple() {
    return {"thermocouple.bin",
            basicTeds(43, 1200, 'A', 2, 123456),
            {{36,
              {real("%MinPhysVal", -200.0), real("%MaxPhysVal", 1250.0), real("%MinElecVal", -0.006),
               real("%MaxElecVal", 0.051), choice("%TCType", 3), choice("%CJC", 0), real("%SensorImped", 25.0),
               unstated("%RespTime"), date("%CalDate", 2024, 2, 29), text("%CalInitials", "KLM"),
               whole("%CalPeriod", 730), whole("%MeasID", 7)}}}};
}

StructElement calibrationPoint(double domainValue, double rangeDeviation) {
    return {real("%CalTable_DomainValue", domainValue), real("%CalTable_RangeValue", rangeDeviation)};
}

// A force sensor followed by its calibration table: two templates in one image.
ExampleImage forceWithCalibrationTable() {
    return {"force_calibration.hex",
            basicTeds(17, 215, 'C', 1, 555),
            {{25,
              {selectCase(kTransducerForce), real("%Sens@Ref", 0.00225), choice("%Direction", 2),
               real("%Weight", 12.0), real("%TF_HP_S", 0.01), real("%TF_SP", 5000.0), real("%TF_KPr", 60000.0),
               real("%TF_QKPr", 15.0), unstated("%TF_SL"), real("%TempCoef", 0.02), real("%RefFreq", 100.0),
               real("%RefTemp", 23.0), date("%CalDate", 2024, 11, 4), text("%CalInitials", "PDQ"),
               whole("%CalPeriod", 365), whole("%MeasID", 3)}},
             {40,
              {choice("%CalTable_Domain", 1),
               array("CalTable", {calibrationPoint(0.0, 0.0), calibrationPoint(25.0, 0.012),
                                  calibrationPoint(50.0, -0.008), calibrationPoint(75.0, 0.021),
                                  calibrationPoint(99.99, 0.0)})}}}};
}

// --- bits ------------------------------------------------------------------

constexpr std::uint32_t kBufferBytes = 4096;  // far more than any example needs

void writeBasicTeds(teds::decode::BitStream& stream, const teds::decode::BasicTeds& basic) {
    stream.writeBits(14, static_cast<std::uint32_t>(basic.manufacturerId));
    stream.writeBits(15, static_cast<std::uint32_t>(basic.modelNumber));
    stream.writeBits(5, teds::types::charToChr5(basic.versionLetter));
    stream.writeBits(6, static_cast<std::uint32_t>(basic.versionNumber));
    stream.writeBits(24, static_cast<std::uint32_t>(basic.serialNumber));
}

}  // namespace

std::vector<ExampleImage> exampleImages() { return {accelerometer(), thermocouple(), forceWithCalibrationTable()}; }

std::optional<std::vector<std::uint8_t>> encodeExampleImage(const teds::tdl::Registry& registry,
                                                            const ExampleImage& image, std::string& error) {
    auto stream = teds::decode::BitStream::createOwning(kBufferBytes);
    std::optional<std::vector<std::uint8_t>> bytes;
    writeBasicTeds(stream, image.basic);
    bool ok = true;
    for (const ExampleTemplate& example : image.templates) {
        const teds::tdl::Template* tmpl = registry.find(0, example.templateId);
        if (tmpl == nullptr) {
            error = "template " + std::to_string(example.templateId) + " is not loaded";
            ok = false;
            break;
        }
        constexpr std::uint32_t kIeeeSelector = 0;
        stream.writeBits(2, kIeeeSelector);
        stream.writeBits(tmpl->idWidth, example.templateId);
        if (!encodeTemplateBody(*tmpl, example.values, stream, error)) {
            error = image.fileName + ": " + error;
            ok = false;
            break;
        }
    }
    if (ok) {
        const auto used = static_cast<std::size_t>(stream.current - stream.begin) + (stream.bitIndex != 0 ? 1 : 0);
        bytes.emplace(stream.begin, stream.begin + used);
    }
    stream.destroy();
    return bytes;
}

std::string fileContent(const ExampleImage& image, const std::vector<std::uint8_t>& bytes) {
    const bool hex = image.fileName.size() >= 4 && image.fileName.compare(image.fileName.size() - 4, 4, ".hex") == 0;
    if (!hex) return std::string(bytes.begin(), bytes.end());
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        out += pair;
        out += (i % 16 == 15 || i + 1 == bytes.size()) ? '\n' : ' ';
    }
    return out;
}

}  // namespace example_images
