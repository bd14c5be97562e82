#include "teds/decode/TemplateRecord.hpp"

#include <ostream>

#include "teds/decode/ValueText.hpp"

namespace teds::decode {

TemplateRecord::TemplateRecord(const TemplateRecord& other)
    : manufacturerKey(other.manufacturerKey),
      templateId(other.templateId),
      templateRef(other.templateRef),
      values(types::copyRecords(other.values, store)),
      missingBits(other.missingBits),
      idBit(other.idBit),
      endBit(other.endBit) {}

TemplateRecord& TemplateRecord::operator=(const TemplateRecord& other) {
    if (this != &other) *this = TemplateRecord(other);
    return *this;
}

void TemplateRecord::reset() {
    manufacturerKey = 0;
    templateId = 0;
    templateRef = nullptr;
    values.clear();
    store.clear();
    missingBits = 0;
    idBit = endBit = 0;
}

void TemplateRecord::begin(std::int32_t key, std::int32_t id, const tdl::Template* tmpl) {
    manufacturerKey = key;
    templateId = id;
    templateRef = tmpl;
    values.clear();
    store.clear();
}

std::string TemplateRecord::keyText() const {
    std::string text = manufacturerKey == 0 ? "I" : "M" + std::to_string(manufacturerKey);
    text += std::to_string(templateId);
    return text;
}

void TemplateRecord::dump(std::ostream& out, std::string_view prefix) const {
    out << prefix << "Template " << manufacturerKey << '-' << templateId << " instance\n";
    for (const types::ValueRecord& record : values) {
        out << prefix << "  " << record.name() << " = ";
        writeValueText(out, record);
        out << '\n';
    }
}

}  // namespace teds::decode
