#include "teds/api/JsonOutput.hpp"

#include <cmath>

#include <nlohmann/json.hpp>

#include "teds/api/ValueFormat.hpp"
#include "teds/decode/ValueText.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/types/RecordWalk.hpp"

namespace teds::api {
namespace {

using teds::types::EnumValue;
using teds::types::ValueRecord;
// Keys keep the order they are written in, which is the order a reader expects.
using Json = nlohmann::ordered_json;

// The "value" of a property and what goes with it, by the kind of value.
void writeValue(const ValueRecord& record, Json& property) {
    std::visit(teds::types::Overloaded{
                   [](const teds::types::NoValue&) {},
                   [&](const teds::types::TextValue& v) { property["value"] = v.text; },
                   // A NaN or an infinity has no JSON form: its value is null
                   // and its text says which it was.
                   [&](const teds::types::RealValue& v) {
                       property["value"] = v.value;
                       if (!std::isfinite(v.value)) property["text"] = decode::formatReal(v.value);
                   },
                   // Whole numbers are written exactly, beyond 2^53 too, where
                   // a reader that takes every number for a double would round them.
                   [&](const teds::types::UnsignedValue& v) { property["value"] = v.value; },
                   // Beyond the calendar the date stays null; the day count still says it all.
                   [&](const teds::types::DateValue& v) {
                       if (auto date = decode::formatTedsDate(v.days)) property["value"] = *date;
                       property["days"] = v.days;
                   },
                   [&](const EnumValue& v) {
                       property["value"] = v.index;
                       property["text"] = v.text;
                   },
                   // Filled as the walk enters the elements.
                   [&](const teds::types::StructArrayValue&) { property["elements"] = Json::array(); },
                   [](const teds::types::SelectMarkerValue&) {},
               },
               record.value);
}

Json propertyJson(const ValueRecord& record) {
    Json property;
    property["name"] = record.name();
    property["type"] = kindName(record.kind());
    property["value"] = nullptr;
    writeValue(record, property);
    const auto unit = unitTextOf(record);
    property["unit"] = unit ? Json(*unit) : Json(nullptr);
    property["description"] = descriptionOf(record);
    return property;
}

// Struct arrays hold their elements' properties, each element a list.
Json propertyList(const std::vector<ValueRecord>& values) {
    struct {
        Json top = Json::array();
        std::vector<Json*> open{&top};
        void record(const ValueRecord& record) { open.back()->push_back(propertyJson(record)); }
        void enterElement(std::size_t) {
            Json& elements = open.back()->back()["elements"];
            elements.push_back(Json::array());
            open.push_back(&elements.back());
        }
        void leaveElement() { open.pop_back(); }
    } visitor;
    teds::types::walkRecords(values, teds::types::kShown, visitor);
    return std::move(visitor.top);
}

// The case each select took, in the order decoding met them, array elements included.
Json selectCases(const std::vector<ValueRecord>& values) {
    Json cases = Json::array();
    teds::types::forEachRecord(values, teds::types::kMarkersOnly, [&](const ValueRecord& record) {
        cases.push_back(std::get_if<teds::types::SelectMarkerValue>(&record.value)->selector);
    });
    return cases;
}

// A number, or null for one JSON cannot hold (an open end of a range).
Json numberOrNull(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

Json scaleJson(const scale::ScaleFound& found) {
    if (!found.scale) return {{"reason", found.reason}};
    const scale::Scale& s = *found.scale;
    Json constants = Json::array();
    for (const scale::ScaleConstant& constant : s.constants())
        constants.push_back({{"name", constant.name},
                             {"value", numberOrNull(constant.value)},
                             {"unit", constant.unit.empty() ? Json(nullptr) : Json(constant.unit)}});
    const scale::ValueRange valid = s.validInput();
    return {{"kind", scale::kindName(s.kind())},
            {"quantity", s.quantity()},
            {"inputUnit", s.inputUnit()},
            {"outputUnit", s.outputUnit()},
            {"validInput", {numberOrNull(valid.low), numberOrNull(valid.high)}},
            {"constants", std::move(constants)},
            {"notes", s.notes()}};
}

// [{"problem": "truncated", "text": ..., "manufacturerKey": 0, "templateId": 25}]
Json problemsJson(const std::vector<ImageProblem>& problems) {
    Json list = Json::array();
    for (const ImageProblem& problem : problems) {
        Json entry{{"problem", problemName(problem.kind)}, {"text", problem.text}};
        if (problem.manufacturerKey) entry["manufacturerKey"] = *problem.manufacturerKey;
        if (problem.templateId) entry["templateId"] = *problem.templateId;
        list.push_back(std::move(entry));
    }
    return list;
}

// The document with what `options` adds, as one line or indented.
void writeDocument(std::ostream& out, Json document, const DocumentOptions& options) {
    if (options.file != nullptr) {
        // "file" comes first, where a person scanning lines looks.
        Json withFile{{"file", *options.file}};
        withFile.update(document);
        document = std::move(withFile);
    }
    if (options.problems != nullptr) document["problems"] = problemsJson(*options.problems);
    // Texts from an image, and file names, need not be valid UTF-8; bad
    // bytes become U+FFFD instead of aborting the whole document.
    out << document.dump(options.oneLine ? -1 : 2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace

void writeFailureJson(std::ostream& out, std::string_view error, const DocumentOptions& options) {
    writeDocument(out, Json{{"error", error}}, options);
}

void writeJson(std::ostream& out, const teds::decode::DecodedTeds& teds, std::string_view container,
               std::optional<bool> upperCaseHex, std::optional<std::uint32_t> eepromPages,
               const teds::encode::ImageLayout& layout, const std::vector<scale::ScaleFound>* scales,
               const DocumentOptions& options) {
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
        entry["selectCases"] = selectCases(tmpl.values);
        const std::size_t index = templates.size();
        if (index < layout.descriptorBits.size()) entry["descriptorBits"] = layout.descriptorBits[index];
        if (scales != nullptr && index < scales->size()) entry["scale"] = scaleJson((*scales)[index]);
        templates.push_back(std::move(entry));
    }
    document["templates"] = std::move(templates);
    document["trailingBits"] = layout.trailingBits;
    document["bitsPastEnd"] = layout.bitsPastEnd;
    writeDocument(out, std::move(document), options);
}

}  // namespace teds::api
