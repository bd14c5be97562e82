#include "teds/tdl/nodes/EnumProperty.hpp"

#include "teds/tdl/nodes/Enum.hpp"

namespace teds::tdl::nodes {

void EnumProperty::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "Property '" << declaration.name << "'; type=Enum; sz=" << declaration.width << " //"
        << declaration.enumeration << '\n';
}

void EnumProperty::bindEnum(const Enum* enumeration) {
    enumRef = enumeration;
    fixedTextIndex_ = 0;
    if (enumRef != nullptr && hasFixedText && !fixedText.empty())
        if (auto index = enumRef->indexOf(fixedText)) fixedTextIndex_ = *index;
}

bool EnumProperty::decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore&,
                          types::DecodeBudget& budget) const {
    if (!budget.takeRecord()) return false;
    types::ValueRecord& record = out.emplace_back();
    record.property = &declaration;
    types::EnumValue value;
    if (hasFixedText && !hasFixedIndex && !fixedText.empty()) {
        value.text = fixedText;
        value.index = fixedTextIndex_;
    } else {
        value.index = hasFixedIndex ? fixedIndex : in.readBits(declaration.width);
        if (enumRef != nullptr)
            if (const std::string* text = enumRef->textFor(value.index)) value.text = *text;
    }
    record.value = value;
    return true;
}

bool EnumProperty::encode(RecordSource& records) const {
    // A fixed index or text occupies no bits; its record, when given, is passed over.
    if (hasFixedIndex || hasFixedText) {
        records.takeIfNamed(declaration.name);
        return true;
    }
    const types::ValueRecord* record = records.take(declaration.name);
    if (record == nullptr) return false;
    const auto* value = std::get_if<types::EnumValue>(&record->value);
    const std::uint32_t sz = declaration.width;
    if (value == nullptr || (sz < 64 && value->index >> sz != 0))
        return records.fail(declaration.name + " needs an index that fits " + std::to_string(sz) + " bits");
    return records.out.writeBits(sz, value->index) || records.fail("cannot encode " + declaration.name);
}

}  // namespace teds::tdl::nodes
