#include "teds/api/PropertyList.hpp"

#include <string>

#include "teds/decode/ValueText.hpp"
#include "teds/types/RecordWalk.hpp"
#include "teds/types/UnitRecord.hpp"

namespace teds::api {
namespace {

using types::ValueRecord;

// Names inside struct arrays carry their element's path: "ARR[2].X".
void appendProperties(const std::vector<ValueRecord>& records, std::uint32_t templateIndex,
                      std::vector<Property>& out) {
    struct {
        std::uint32_t templateIndex;
        std::vector<Property>& out;
        std::vector<std::string> prefixes{std::string()};  // one per depth
        std::vector<std::string> arrays;                   // the last array's name at each depth
        void record(const ValueRecord& record) {
            const std::string name = prefixes.back() + std::string(record.name());
            if (std::holds_alternative<types::StructArrayValue>(record.value)) {
                arrays.resize(prefixes.size());
                arrays.back() = name;
            }
            if (record.name().empty()) return;
            Property property;
            property.templateIndex = templateIndex;
            property.name = name;
            property.text = decode::writtenValueText(record);
            if (record.property != nullptr) {
                if (record.property->unit != nullptr) property.unit = record.property->unit->text;
                property.description = record.property->description;
            }
            out.push_back(std::move(property));
        }
        void enterElement(std::size_t i) {
            prefixes.push_back(arrays[prefixes.size() - 1] + '[' + std::to_string(i) + "].");
        }
        void leaveElement() { prefixes.pop_back(); }
    } visitor{templateIndex, out, {std::string()}, {}};
    types::walkRecords(records, types::kShown, visitor);
}

}  // namespace

std::vector<Property> propertiesOf(const decode::DecodedTeds& teds) {
    std::vector<Property> properties;
    for (std::uint32_t i = 0; i < teds.templates.size(); ++i) appendProperties(teds.templates[i].values, i, properties);
    return properties;
}

}  // namespace teds::api
