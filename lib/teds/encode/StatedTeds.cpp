#include "teds/encode/StatedTeds.hpp"

#include "teds/types/RecordWalk.hpp"

namespace teds::encode {
namespace {

void stateExactly(const types::ValueRecord& record, StatedValue& value) {
    value.exact = record;
    if (auto* text = std::get_if<types::TextValue>(&value.exact->value)) {
        value.exactText = std::make_shared<const std::string>(text->text);
        text->text = *value.exactText;
    }
}

}  // namespace

// Struct arrays keep their elements as stated lists; every other record,
// select markers included, is stated exactly.
std::vector<StatedValue> statedFromRecords(const std::vector<types::ValueRecord>& records) {
    struct {
        std::vector<StatedValue> top;
        std::vector<std::vector<StatedValue>*> open{&top};
        void record(const types::ValueRecord& record) {
            StatedValue& value = open.back()->emplace_back();
            value.name = std::string(record.name());
            if (std::holds_alternative<types::StructArrayValue>(record.value))
                value.elements.emplace();
            else
                stateExactly(record, value);
        }
        void enterElement(std::size_t) { open.push_back(&open.back()->back().elements->emplace_back()); }
        void leaveElement() { open.pop_back(); }
    } visitor;
    visitor.top.reserve(records.size());
    types::walkRecords(records, types::kEveryRecord, visitor);
    return std::move(visitor.top);
}

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
