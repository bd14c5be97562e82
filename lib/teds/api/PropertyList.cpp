#include "teds/api/PropertyList.hpp"

#include <string>

#include "teds/decode/ValueText.hpp"
#include "teds/types/UnitRecord.hpp"

namespace teds::api {
namespace {

using types::ValueKind;
using types::ValueRecord;

void appendProperties(const std::vector<ValueRecord>& records, std::uint32_t templateIndex,
                      const std::string& prefix, std::vector<Property>& out) {
    for (const ValueRecord& record : records) {
        if (record.kind == ValueKind::SelectMarker || record.name.empty()) continue;
        Property property;
        property.templateIndex = templateIndex;
        property.name = prefix + std::string(record.name);
        property.text = decode::writtenValueText(record);
        if (record.property != nullptr && record.property->unit != nullptr) property.unit = record.property->unit->text;
        out.push_back(std::move(property));
        if (record.kind != ValueKind::StructArray) continue;
        const auto& elements = boost::get<types::StructElements>(record.value);
        for (std::size_t i = 0; i < elements.size(); ++i)
            appendProperties(elements[i], templateIndex, out.back().name + '[' + std::to_string(i) + "].", out);
    }
}

}  // namespace

std::vector<Property> propertiesOf(const decode::DecodedTeds& teds) {
    std::vector<Property> properties;
    for (std::uint32_t i = 0; i < teds.templates.size(); ++i) appendProperties(teds.templates[i].values, i, {}, properties);
    return properties;
}

}  // namespace teds::api
