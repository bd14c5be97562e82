#include "teds/encode/StatedTeds.hpp"

namespace teds::encode {
namespace {

std::vector<StatedValue> statedFromRecords(const std::vector<types::ValueRecord>& records) {
    std::vector<StatedValue> values;
    values.reserve(records.size());
    for (const types::ValueRecord& record : records) {
        StatedValue& value = values.emplace_back();
        value.name = std::string(record.name);
        if (const auto* elements = boost::get<types::StructElements>(&record.value);
            elements != nullptr && record.kind == types::ValueKind::StructArray) {
            std::vector<StatedElement>& stated = value.elements.emplace();
            for (const types::StructElement& element : *elements) stated.push_back(statedFromRecords(element));
        } else {
            value.exact = record;
        }
    }
    return values;
}

}  // namespace

StatedTeds statedFromDecoded(const decode::DecodedTeds& teds, const ImageLayout& layout) {
    StatedTeds stated;
    stated.basic = teds.basic;
    for (std::size_t i = 0; i < teds.templates.size(); ++i) {
        const decode::TemplateRecord& tmpl = teds.templates[i];
        StatedTemplate& out = stated.templates.emplace_back();
        out.manufacturerKey = tmpl.manufacturerKey;
        out.templateId = static_cast<std::uint32_t>(tmpl.templateId);
        out.values = statedFromRecords(tmpl.values);
        if (i < layout.descriptorBits.size()) out.descriptorBits = layout.descriptorBits[i];
    }
    stated.trailingBits = layout.trailingBits;
    stated.bitsPastEnd = layout.bitsPastEnd;
    return stated;
}

}  // namespace teds::encode
