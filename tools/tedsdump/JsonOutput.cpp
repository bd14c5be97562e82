#include "JsonOutput.hpp"

#include <cmath>

#include <nlohmann/json.hpp>

#include "ValueFormat.hpp"
#include "teds/tdl/Template.hpp"

namespace tedsdump {
namespace {

using teds::types::EnumValue;
using teds::types::StructElements;
using teds::types::ValueKind;
using teds::types::ValueRecord;
// Keys keep the order they are written in, which is the order a reader expects.
using Json = nlohmann::ordered_json;

Json propertyList(const std::vector<ValueRecord>& values);

template <typename T>
Json valueOr(const ValueRecord& record, Json fallback = nullptr) {
    const T* value = boost::get<T>(&record.value);
    return value != nullptr ? Json(*value) : std::move(fallback);
}

Json propertyJson(const ValueRecord& record) {
    Json property;
    property["name"] = record.name;
    property["type"] = kindName(record.kind);
    property["value"] = nullptr;
    switch (record.kind) {
    case ValueKind::Text: property["value"] = valueOr<std::string>(record); break;
    // A NaN or an infinity has no JSON form: its value is null and its text
    // says which it was.
    case ValueKind::Real:
        property["value"] = valueOr<double>(record);
        if (const auto* real = boost::get<double>(&record.value); real != nullptr && !std::isfinite(*real))
            property["text"] = formatReal(*real);
        break;
    // Whole numbers are written exactly, beyond 2^53 too, where a reader
    // that takes every number for a double would round them.
    case ValueKind::Unsigned: property["value"] = valueOr<std::uint64_t>(record); break;
    case ValueKind::Date:
        if (const auto* days = boost::get<std::uint64_t>(&record.value)) {
            // Beyond the calendar the date stays null; the day count still says it all.
            if (auto date = formatTedsDate(*days)) property["value"] = *date;
            property["days"] = *days;
        }
        break;
    case ValueKind::Enumeration:
        if (const auto* value = boost::get<EnumValue>(&record.value)) {
            property["value"] = value->index;
            property["text"] = value->text;
        }
        break;
    case ValueKind::StructArray: {
        Json elements = Json::array();
        if (const auto* list = boost::get<StructElements>(&record.value))
            for (const auto& element : *list) elements.push_back(propertyList(element));
        property["elements"] = std::move(elements);
        break;
    }
    case ValueKind::None:
    case ValueKind::SelectMarker: break;
    }
    const auto unit = unitTextOf(record);
    property["unit"] = unit ? Json(*unit) : Json(nullptr);
    property["description"] = descriptionOf(record);
    return property;
}

Json propertyList(const std::vector<ValueRecord>& values) {
    Json list = Json::array();
    for (const ValueRecord& record : values)
        if (record.kind != ValueKind::SelectMarker) list.push_back(propertyJson(record));
    return list;
}

// The case each select took, in the order decoding met them, array elements included.
void appendSelectCases(const std::vector<ValueRecord>& values, Json& cases) {
    for (const ValueRecord& record : values) {
        if (record.kind == ValueKind::SelectMarker) cases.push_back(valueOr<std::uint64_t>(record));
        if (const auto* list = boost::get<StructElements>(&record.value))
            for (const auto& element : *list) appendSelectCases(element, cases);
    }
}

}  // namespace

void writeJson(std::ostream& out, const teds::decode::DecodedTeds& teds, std::string_view container,
               std::optional<bool> upperCaseHex, std::optional<std::uint32_t> eepromPages,
               const teds::encode::ImageLayout& layout) {
    Json document;
    document["container"] = container;
    document["hexDigits"] = upperCaseHex ? Json(*upperCaseHex ? "upper" : "lower") : Json(nullptr);
    document["eepromPages"] = eepromPages ? Json(*eepromPages) : Json(nullptr);
    const teds::decode::BasicTeds& basic = teds.basic;
    document["basic"] = {{"format", static_cast<std::int32_t>(basic.format)},
                         {"manufacturerId", basic.manufacturerId},
                         {"modelNumber", basic.modelNumber},
                         {"versionLetter", std::string(1, basic.versionLetter)},
                         {"versionNumber", basic.versionNumber},
                         {"serialNumber", basic.serialNumber}};
    Json templates = Json::array();
    for (const teds::decode::TemplateRecord& tmpl : teds.templates) {
        Json entry;
        entry["manufacturerKey"] = tmpl.manufacturerKey;
        // Template IDs are up to 32 bits wide.
        entry["templateId"] = static_cast<std::uint32_t>(tmpl.templateId);
        entry["name"] = tmpl.templateRef != nullptr ? tmpl.templateRef->name : std::string();
        // The image ended inside the template: its last fields read as zeros.
        entry["truncated"] = tmpl.missingBits > 0;
        entry["missingBits"] = tmpl.missingBits;
        entry["properties"] = propertyList(tmpl.values);
        // For writing the image again: select cases the values alone may
        // not tell apart, and the bits before the template ID.
        Json cases = Json::array();
        appendSelectCases(tmpl.values, cases);
        entry["selectCases"] = std::move(cases);
        const std::size_t index = templates.size();
        if (index < layout.descriptorBits.size()) entry["descriptorBits"] = layout.descriptorBits[index];
        templates.push_back(std::move(entry));
    }
    document["templates"] = std::move(templates);
    document["trailingBits"] = layout.trailingBits;
    document["bitsPastEnd"] = layout.bitsPastEnd;
    // Texts from an image need not be valid UTF-8; bad bytes become U+FFFD
    // instead of aborting the whole document.
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace tedsdump
